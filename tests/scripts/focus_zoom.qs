# The zoom view's controls, and a focus that vanishes.
press CDp(3)
set ScaleScroll 500
get ZoomScale
type TXmoonzoom 12000
leave TXmoonzoom
get ZoomScale
show ScaleScroll
press OpZo(1)
get ZoomScale
type txZZ 0
leave txZZ
get Magnification
set Hippo 4
get Magnification
set ZkrolHorz 1000
set ZkrolVert 200
show FraMoon
press PicMoon
get ZoomLabelRequest
tick TimZkrol
get ZoomLabelRequest
get BlinkPhase
get ZoomFrame
# The selected world switched off: the view empties and shows "~".
type TXTOden 13
press Chon
tick TimZkrol
show LaLocal
