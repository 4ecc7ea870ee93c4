# exit 2
# put writes a value of any declared type; get reads it back as written.
put BodyCount 12
get BodyCount
put Mass(7) 0.000125
get Mass(7)
put LifeCount(3,7) 5
get LifeCount(3,7)
put Gone(9) 1
get Gone(9)
put ColorR(9) 12.5
get ColorR(9)
put BodyName(4) Zorbax Minor
get BodyName(4)
put CreatedAt 2026-02-03 04:05:06
get CreatedAt
put FirstCreationDone 1
get FirstCreationDone
put CraftWords(2,3) USS
get CraftWords(2,3)
put FusionPair(5) 7
get FusionPair(5)
put Orbits 2147483647
get Orbits
# A value the field's type cannot hold stops the script.
put ImpactCount(5) 40000
get ImpactCount(5)
