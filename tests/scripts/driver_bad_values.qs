# exit 2
get Mass(9999)
get LifeCount(5,7)
get Mass(10000)
