# Life leaves its world: an Earth world grows Terrestrial life and launches a starship straight down the
# screen; the craft is selected and steered by keys, flies into a lifeless world waiting in its path and
# seeds it with its life.
clock 2026-01-01 10:00:00
type TXran 33333
press CDp(5)
passes 200
press CmdMars(1)
put Orbits 20
tick TimWheel
get LifeCode
# A quarter turn: the launch goes almost wholly along y.
set ScrAngle 1571
tick TimWheel
get LaunchDirX
get LaunchDirY
# A lifeless world 40 units below the launching world, moving with it.
put PosX(12) -3022.4125442556037
put PosY(12) -968.8067981759518
put PosZ(12) -166.0775141339826
put VelX(12) 0.026539565338565448
put VelY(12) 0.5643167898505262
put VelZ(12) 0.01001181782282492
get LifeCount(3,12)
press Command12
get LastEvent
get CraftCode(51)
get BodyKind(51)
get Fuel(51)
get LifeCount(3,51)
get LifeCount(3,19)
get NewWorldCount
get NewWorldList(1)
show Frame4
# The world itself cannot be steered without Celestials.
key z
show Labill
# Select the craft and push it down twice (z + c), then an upper-case key: fuel, no push.
set Hcelest 51
get Focus
key z
key c
get VelY(51)
key Z
get VelY(51)
get Fuel(51)
show PFUel
passes 40
get Gone(51)
get LifeCount(3,12)
get ImpactMark(1,12)
get LastEvent
