# Input a box cannot hold is refused: the box shows the value in force, the status line says why,
# and nothing else changes.
type TxTenner 1e10
leave TxTenner
get SpareWorlds
show Labill
type TXmaster 99999
get MasterScale
type TXpower 20000
leave TXpower
show SCRpowER
type TXpower 5000.4
leave TXpower
show SCRpowER
type TXmo abc
leave TXmo
get TorqueSpinPower
show TXmo
# Text that is only partly a number is read as its leading number and the box shows it.
type TXplanets 12abc
leave TXplanets
show Labill
