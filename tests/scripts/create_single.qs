# A single brown dwarf beside the star: five planets asked for, one made, 100 spare worlds.
clock 2024-03-05 14:05:09
type TXran 33333
type TXplanets 5
press CDp(10)
get Preset
get SpareWorlds
get BodyCount
get LastInitialBody
get Gone(0)
get Gone(1)
get Gone(2)
get Gone(3)
get Gone(4)
get Gone(107)
get Mass(1)
get Mass(2)
get Mass(3)
get Mass(107)
get PosX(1)
get PosY(2)
get BodyKind(1)
get BodyKind(2)
get BodyKind(3)
get AttractorLimit
get GravityExponent
get CreatedAt
show CDp(10)
