# Save, change boxes, Load: the panel comes back as saved, with the all-time best.
type TXplanets 42
leave TXplanets
type TXpower 2500
leave TXpower
put HighScore 1234
press CDsave
type TXplanets 99
leave TXplanets
type TXpower 9000
leave TXpower
put HighScore 0
press Command8
show TXplanets
get HighScore
show LabAllhi
