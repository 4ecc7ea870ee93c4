# Novas in each break-up mode, the refusals, and the boxes that tune them.
# Before any system: nothing to split.
put Focus 0
press Command11
show Labill
press CDp(3)
set Hcelest 2
press Command11
show Labill
# Body 8 put at a known place: pattern 0 of a spin sets the halves 40 radii apart along x.
set Hcelest 8
put PosX(8) 1000
put PosY(8) 50
put Proximity 10
press OpExIm(1)
get NovaModeCaption
press Command11
get NovaPattern
get PosX(8)
get PosX(20)
get PosY(20)
get LastEvent
# The other modes, one nova each.
press OpExIm(0)
press Command11
get NovaPattern
get LastEvent
press OpExIm(2)
press Command11
get NovaPattern
get LastEvent
press OpExIm(3)
press Command11
get NovaPattern
get LastEvent
press OpExIm(4)
press Command11
get NovaPattern
get LastEvent
get NewWorldCount
get NewWorldList(5)
# Boxes: repaired on leaving.
type Txplod 0
leave Txplod
show Txplod
get ExplodeRandomness
type TxSpread 50000
leave TxSpread
show Labill
type TXmo 2000
press Command11
get TorqueSpinPower
# A world with no mass is not split.
put Mass(8) 0
press Command11
show Labill
get NewWorldCount
# Every row taken: nothing free for a new half.
put NewWorldCount 3323
put Mass(8) 0.001
press Command11
show Labill
get NewestFragment
