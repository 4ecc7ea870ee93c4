# Picture and zoom rates stay within 15..15000 ms; the master scale is rounded and never negative.
type Text14 5
leave Text14
get PlanetGraphicsRate
type Text14 1e30
leave Text14
get PlanetGraphicsRate
type Text13 250.5
leave Text13
get ZoomRate
type Text13 16000
leave Text13
get ZoomRate
type TXmaster -5
get MasterScale
type TXmaster 12.5
get MasterScale
type TXmaster 13.5
get MasterScale
type TXmo 1e3
leave TXmo
get TorqueSpinPower
