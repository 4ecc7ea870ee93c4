# A short game with every kind of input, turned into sample.qr by
#   quorl-cli --save-replay tests/replay/sample.qr tests/replay/sample.qs
# The clock is set, so the recording is the same every time it is made.
clock 2024-03-01 23:59:40
press CHran
type TXran 4242
enter TXplanets
type TXplanets 40
leave TXplanets
press CDp(3)
advance 1500
passes 15000
press Command66
set Hcelest 12
advance 700
press Command11
passes 5000
press Command5
enter TXTp(4)
type TXTp(4) 0.0004
leave TXTp(4)
advance 800
press Command5
passes 10000
press FraCosmo
key q
key s
press CDsave
press Command8
advance 25000
passes 20000
