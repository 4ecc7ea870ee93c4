# The goals tick as a short game reaches them, by the player's inputs; put only sets the scene (orbits that
# would take minutes, a lifeless world in the craft's path). The first system sets a best score for the
# second to beat.
clock 2026-01-01 10:00:00
type TXran 33333
press CDp(5)
advance 1000
get HighScore
press CDp(5)
passes 200
# The start's own choice of the largest planet is no selection of the player's; a power pressed while
# disabled is no use of it.
press CDfab
goals
press CmdMars(1)
get Focus
# An Earth world grows Terrestrial life and launches a starship straight down the screen, onto a lifeless
# Mars world waiting in its path, steered there by keys.
put Orbits 20
set ScrAngle 1571
advance 300
put PosX(12) -3022.4125442556037
put PosY(12) -968.8067981759518
put PosZ(12) -166.0775141339826
put VelX(12) 0.026539565338565448
put VelY(12) 0.5643167898505262
put VelZ(12) 0.01001181782282492
press Command12
set Hcelest 51
key z
key c
goals
passes 40
get LifeCount(3,12)
# The Mars world grows Fungoid life beside the Terrestrial: 30 Celestials, every power.
set Hcelest 12
put Orbits 10
advance 1000
get CelestialSum
press CDfab
press CDsub
press CDdec
# Decimate took the world and left the star selected: a nova needs a world.
press Command11
set Hcelest 19
press Command11
advance 1000
goals
show CmdGoals
show LaGoalHint(12)
# The panel opens beside Help; the reset asks twice.
press CmdGoals
press CmdGoalsReset
show CmdGoalsReset
press CmdGoalsReset
goals
show LaGoalMark(0)
show LaGoalHint(0)
