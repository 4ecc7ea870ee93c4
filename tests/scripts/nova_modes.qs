# Novas in each break-up mode from the window's controls, with the refusals a player meets.
put Focus 0
press Command11
show Labill
press CDp(3)
set Hcelest 2
press Command11
show Labill
# Body 8 at a known place: this seed's spin splits along x, the halves 40 radii apart.
set Hcelest 8
put PosX(8) 1000
put Proximity 10
press OpExIm(1)
press Command11
get NovaPattern
get PosX(8)
get PosX(20)
get LastEvent
press OpExIm(0)
press Command11
get LastEvent
press OpExIm(2)
press Command11
get LastEvent
press OpExIm(3)
press Command11
get LastEvent
press OpExIm(4)
press Command11
get LastEvent
get NewWorldList(5)
type Txplod 0
leave Txplod
get ExplodeRandomness
put Mass(8) 0
press Command11
show Labill
