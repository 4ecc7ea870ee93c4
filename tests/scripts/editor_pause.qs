# Pause opens the editor; the bar picks body 6, whose place and momentum are retyped and written back
# when a box is left; Pause again resumes with the body moving from there.
type TXran 33333
press CDp(3)
passes 5
press Command5
get PauseFlag
passes 1
get Running
set Qui 6
type TXTp(0) 100
type TXTp(1) -50
type TXTp(2) 0.5
type TXTp(3) 250
leave TXTp(3)
# the momentum check fails: the box is repaired and nothing is written
get PosX(6)
type TXTp(3) 0
leave TXTp(3)
get PosX(6)
get PosY(6)
get VelX(6)
get VelY(6)
press Command5
get PauseFlag
passes 1
get Running
get PosX(6)
# Paused again, a preset builds a new system and runs it.
press Command5
press CDp(4)
get Preset
get PauseFlag
passes 1
get Running
