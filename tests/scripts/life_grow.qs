# Life on a selected world: its air and water grow as it orbits, life of its class appears, a second
# kind brings Celestials, and a Celestial is spent on a power.
clock 2026-01-01 10:00:00
type TXran 33333
press CDp(5)
passes 200
# The probe for Earth worlds selects one.
press CmdMars(1)
get Focus
get PlanetClass(19)
# No Celestials yet: the powers refuse.
get Mass(19)
press CDfab
get Mass(19)
# Ten orbits: air 20 or 21, not enough for Terrestrial life (more than 33).
put Orbits 10
tick TimWheel
get AirLevel(19)
get WaterLevel(19)
get LifeCount(3,19)
get LifeCode
# Twenty orbits: Terrestrial life follows the air.
put Orbits 20
tick TimWheel
get AirLevel(19)
get LifeCount(3,19)
get LifeCode
get BodyKind(19)
show LaMount(3)
show txGG
show LaThing
# A comet brought Microbes: two kinds make 1 x 20 Celestials, and the log says so.
put LifeCount(1,19) 3
tick TimWheel
get LifeCount(5,19)
get LifeCode
get CelestialSum
get LifeTotals(0)
get LifeTotals(5)
get LastEvent
show CDsub
# Fabricate spends one; the next tick gives it back.
press CDfab
show Labill
get LifeCount(5,19)
tick TimWheel
get LifeCount(5,19)
# A hundred orbits: the air is full.
put Orbits 100
tick TimWheel
get AirLevel(19)
get LifeCount(3,19)
