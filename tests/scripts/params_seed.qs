# The seed: frozen by the Random box, limited to 16 bits when left, read again on entering.
press CHran
show Tr
tick Tr 3
get SeedTick
type TXran 99999999999
leave TXran
get SeedValue
type TXran -40000
leave TXran
get SeedValue
type TXran 1234
enter TXran
get SeedValue
# A number typed without entering the box is refused when the box is entered.
type TXran 70000
enter TXran
get SeedValue
show Labill
press CHran
show Tr
