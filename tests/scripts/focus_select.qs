# Choosing the selected world: number box, "<", switching a body off, the keeper, the buttons.
press CDp(3)
# Preset 3 with 17 planets: bodies 2..19 present, the spare rows 20..152 gone.
get BodyCount
type TXnewton abc
leave TXnewton
get Focus
type TXnewton 20
leave TXnewton
get Focus
type TXnewton 7
leave TXnewton
get Focus
press Command13
get Focus
# Switch body 6 off: the keeper moves on to 7.
type TXTOden 6
press Chon
get Gone(6)
tick Tix
get Focus
press Chon
get Gone(6)
# Not a body number: refused, nothing changes.
type TXTOden six
press Chon
get Gone(6)
show Chon
press Command9
get Focus
press Command66
get Focus
