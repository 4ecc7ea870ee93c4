# Proximity: raised to a millionth, lowered to 99; a tiny value widens its box. Leaving it also
# takes the torque spin power from its box.
type TXmo 250
type Text1 0
leave Text1
get Proximity
get TorqueSpinPower
show Text1
type Text1 150
leave Text1
get Proximity
show Text1
type Text1 0.0005
leave Text1
get Proximity
show Text1
