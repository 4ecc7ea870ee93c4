#!/usr/bin/env bash
# Takes docs/screenshot.png of the real window on a virtual screen: starts the game, presses a preset
# button with the mouse, lets the system run, and grabs the window.
# Needs a Release build in build/, ImageMagick's import and xdotool (apt-get install imagemagick xdotool).
set -euo pipefail
cd "$(dirname "$0")/.."
PRESET=${1:-3}
WAIT=${2:-25}
OUT=${3:-docs/screenshot.png}
BUILD=${BUILD:-build}
mkdir -p "$(dirname "$OUT")"

# Where the preset button is: its place in window units (15 to a pixel), read through the driver.
read -r X Y < <(echo "show CDp($PRESET)" | "$BUILD"/quorl-cli |
  awk -F= '/\.left=/{l=$2} /\.top=/{t=$2} /\.width=/{w=$2} /\.height=/{h=$2}
           END{printf "%d %d\n", (l + w / 2) / 15, (t + h / 2) / 15}')

xvfb-run -a -s "-screen 0 1920x1080x24" bash -c '
  "$4"/quorl & GAME=$!
  sleep 3
  xdotool mousemove "$0" "$1" click 1
  sleep "$2"
  WIN=$(xdotool search --name "^Quorl$" | head -1)
  import -window "$WIN" "$3"
  kill $GAME' "$X" "$Y" "$WAIT" "$OUT" "$BUILD"
echo "wrote $OUT"
