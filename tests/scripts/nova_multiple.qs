# The multiple nova: seven splits of one world, a tick apart, then the dominant planet.
press CDp(3)
set Hcelest 6
press OpExIm(0)
press Command10
get MultiNovaCount
tick TimAfrica
get LastEvent
get MultiNovaTarget
tick TimAfrica
get LastEvent
tick TimAfrica
get LastEvent
tick TimAfrica
get LastEvent
tick TimAfrica
get LastEvent
tick TimAfrica
get LastEvent
tick TimAfrica
get LastEvent
get NewWorldCount
get Focus
get MultiNovaCount
# The eighth tick ends the event on the first fragment.
tick TimAfrica
get Focus
show Labill
show LaNu
# The event is over: a further tick splits nothing.
tick TimAfrica
get NewWorldCount
get Mass(6)
