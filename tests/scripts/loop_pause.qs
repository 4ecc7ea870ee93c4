# Pause stops the loop at the end of its pass; the second press resumes it; a preset press while
# running rebuilds the system and the same loop goes on.
clock 2024-05-06 13:07:09
type TXran 33333
press CDp(3)
get Running
get StartTime
get PauseFlag
passes 10
press Command5
get PauseFlag
get PosX(5)
get VelX(5)
passes 1
get Running
# the pause asked during the yield stops the loop before another pass moves anything
get PosX(5)
get VelX(5)
passes 5
get Running
press Command5
get PauseFlag
get Running
passes 3
get Running
press CDp(4)
get Preset
get Running
passes 3
get Running
