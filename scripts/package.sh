#!/usr/bin/env bash
# Builds the game (Release) and packs it as a Debian package in build/.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/deps.sh
JOBS=$(nproc 2>/dev/null || echo 2)
if [ "$JOBS" -gt 2 ]; then JOBS=2; fi
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DQUORL_BUILD_BENCH=OFF
cmake --build build -j"$JOBS"
(cd build && cpack -G DEB)
