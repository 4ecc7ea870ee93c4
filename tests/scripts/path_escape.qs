# The path preview of a starship: aimed from its Earth world before the launch, then its own path once
# selected, the same to the bit. Five presses of d raise the thrust and keep the course closed; the next
# push of c turns it into an escape, and the path's text beside the status line warns in red; one more
# and the path leaves the field. The Path box is on by itself for an aimed launch and a craft, off for a
# world; the player's choice holds until the selection changes.
clock 2026-01-01 10:00:00
type TXran 33333
press CDp(5)
passes 200
press CmdMars(1)
put Orbits 20
tick TimWheel
set ScrAngle 1571
tick TimWheel
path
press Command12
set Hcelest 51
path
key d
key d
key d
key d
key d
path
key c
path
key c
path
press ChPath
path
# A lifeless world: no path unless asked for; back on the craft, its path again.
set Hcelest 12
path
set Hcelest 51
path
