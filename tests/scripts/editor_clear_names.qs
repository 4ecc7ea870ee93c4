# Clear wipes the names with the trails and asks the zoom view to print them again on its next tick.
type TXran 33333
press CDp(3)
passes 2
tick TimZkrol
get ZoomLabelRequest
press Command4
get ZoomLabelRequest
tick TimZkrol
get ZoomLabelRequest
