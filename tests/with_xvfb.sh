#!/usr/bin/env bash
# Runs a command on a virtual X server of its own, with Qt on it; Xvfb says which display it took, so tests
# running side by side never meet. Usage: with_xvfb.sh WxH COMMAND [ARG...]
set -euo pipefail
SCREEN=$1
shift
command -v Xvfb >/dev/null || { echo "Xvfb is missing (scripts/deps.sh installs xvfb)" >&2; exit 1; }
DISPLAY_FILE=$(mktemp)
Xvfb -displayfd 3 -screen 0 "${SCREEN}x24" -nolisten tcp 3>"$DISPLAY_FILE" 2>/dev/null &
XVFB=$!
trap 'kill $XVFB 2>/dev/null || true; wait $XVFB 2>/dev/null || true; rm -f "$DISPLAY_FILE"' EXIT
for _ in $(seq 200); do
  [ -s "$DISPLAY_FILE" ] && break
  sleep 0.05
done
[ -s "$DISPLAY_FILE" ] || { echo "Xvfb did not start" >&2; exit 1; }
DISPLAY=":$(head -1 "$DISPLAY_FILE")" QT_QPA_PLATFORM=xcb "$@"
