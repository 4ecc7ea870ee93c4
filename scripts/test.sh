#!/usr/bin/env bash
# Builds and runs every test: a Release build with the Qt window (its smoke test runs offscreen),
# then the core again under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/deps.sh
JOBS=$(nproc 2>/dev/null || echo 2)
if [ "$JOBS" -gt 2 ]; then JOBS=2; fi
export QT_QPA_PLATFORM=offscreen

echo "== Release build with the Qt window"
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release
cmake --build build -j"$JOBS"
ctest --test-dir build -j"$JOBS" --output-on-failure

echo "== Sanitizer build of the core"
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DQUORL_SANITIZE=ON -DQUORL_BUILD_QT=OFF -DQUORL_BUILD_BENCH=OFF
cmake --build build-asan -j"$JOBS"
ctest --test-dir build-asan -j"$JOBS" --output-on-failure
