# The clock and the score as a player sees them: a preset just before midnight, the clock runs across it,
# the score and the best scores follow, the all-time best is saved at once, and a selection that is gone
# scores 0 while the best scores stay.
clock 2024-03-01 23:59:58
type TXran 5
leave TXran
press CDp(3)
passes 3
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
show LabAllhi
get Focus
put Gone(18) 1
tick TimerJo
show Labrat
get Score
