#!/usr/bin/env bash
# Runs the real-window test on a virtual X server of its own. Usage: window_shot.sh BINARY OUT [SCREEN [fit]]
# (SCREEN as 1366x768, 1920x1080 when not given; "fit" runs the test of the window on that screen).
set -euo pipefail
BIN=$1 OUT=$2 SCREEN=${3:-1920x1080}
shift $(($# < 3 ? $# : 3))
exec bash "$(dirname "$0")/with_xvfb.sh" "$SCREEN" timeout 60 "$BIN" "$OUT" "$@"
