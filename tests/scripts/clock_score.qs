# The clock and the score as a player sees them: a preset just before midnight, the clock runs across it,
# the score of the selected world and the best scores follow, and the all-time best is saved at once.
clock 2024-03-01 23:59:58
type TXran 5
leave TXran
press CDp(3)
passes 3
get ElapsedSeconds
tick TimerJo
get ElapsedSeconds
get WarmUpDone
advance 3000
get NowTime
get DaysRunning
get ElapsedSeconds
get WarmUpDone
get LiveCount
get ClassBonus
get Score
get HighScore
show LabvirT
show Labrat
show LabHi
show LabAllhi
show Laorb
# A selection that is gone scores 0; the best scores stay.
get Focus
put Gone(18) 1
tick TimerJo
show Labrat
get Score
get HighScore
