# Speed: the box is limited as it changes, the bar follows the box when it is left, and the three
# quick options set the bar.
type TXspac 0
show TXspac
type TXspac 45000
leave TXspac
get Speed
get GravityFactor
show Hspac
# Rounded to the bar, ties to even; the bar's change then takes the speed from the bar.
type TXspac 250.5
leave TXspac
get Speed
get GravityFactor
press Oplank(0)
get Speed
show Oplank(0)
set Hspac 5
get Speed
show Oplank(0)
show Oplank(1)
press Oplank(2)
get Speed
get GravityFactor
show Oplank(2)
set Hspac 0
get Speed
