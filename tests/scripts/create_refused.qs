# A system that would not fit the table is refused and nothing changes; one that just fits is built.
type TXplanets 9898
press CDp(10)
get BodyCount
get Preset
get SpareWorlds
type TXplanets 9897
press CDp(10)
get BodyCount
get Preset
get SpareWorlds
get Gone(9999)
