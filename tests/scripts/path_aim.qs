# An aimed launch: with a lifeless world waiting 40 units below an Earth world (as in craft_voyage), the
# path of the starship a launch would start now meets it at pass 48, and the starship launched there and
# then strikes it at that very pass, not one before.
clock 2026-01-01 10:00:00
type TXran 33333
press CDp(5)
passes 200
press CmdMars(1)
put Orbits 20
tick TimWheel
set ScrAngle 1571
tick TimWheel
put PosX(12) -3022.4125442556037
put PosY(12) -968.8067981759518
put PosZ(12) -166.0775141339826
put VelX(12) 0.026539565338565448
put VelY(12) 0.5643167898505262
put VelZ(12) 0.01001181782282492
path
press Command12
passes 47
get Gone(51)
passes 1
get Gone(51)
get LastEvent
