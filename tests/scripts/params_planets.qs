# Planets and spare worlds are checked when their boxes are left; a large system shows in warning colours.
type TXplanets 2
leave TXplanets
show TXplanets
type TXplanets 5000
leave TXplanets
show TXplanets
type TXplanets 17
leave TXplanets
type TxTenner 100
leave TxTenner
get SpareWorlds
type TxTenner 4000
leave TxTenner
get SpareWorlds
# Fewer than 150 bodies in all is made up with spare worlds.
type TXplanets 40
leave TXplanets
type TxTenner 0
leave TxTenner
get SpareWorlds
