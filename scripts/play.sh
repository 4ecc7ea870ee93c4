#!/usr/bin/env bash
# Builds the game (Release) and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/deps.sh
JOBS=$(nproc 2>/dev/null || echo 2)
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DQUORL_BUILD_BENCH=OFF
cmake --build build -j"$JOBS" --target quorl
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: starting the game on a virtual screen (xvfb-run)." >&2
  exec xvfb-run -a -s "-screen 0 1920x1080x24" build/quorl
fi
exec build/quorl
