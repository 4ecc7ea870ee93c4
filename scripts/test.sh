#!/usr/bin/env bash
# Builds and runs every test: a Release build with the Qt window (its smoke test runs offscreen),
# then the core again under AddressSanitizer and UndefinedBehaviorSanitizer, then the core and the
# driver as WebAssembly under node (scripts/wasm.sh) and the page in headless chromium. Every suite runs
# even when one before it fails; the script fails when any does.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/deps.sh
JOBS=$(nproc 2>/dev/null || echo 2)
if [ "$JOBS" -gt 2 ]; then JOBS=2; fi
export QT_QPA_PLATFORM=offscreen

failed=0
passed_total=0
failed_total=0
LOG=$(mktemp)
trap 'rm -f "$LOG"' EXIT

# Runs one suite and adds its counts from ctest's summary line.
run_suite() {
  local status=0
  ctest --test-dir "$1" -j"$JOBS" --output-on-failure 2>&1 | tee "$LOG" || status=1
  local line total bad
  line=$(grep -E "tests passed, [0-9]+ tests? failed out of [0-9]+" "$LOG" | tail -1 || true)
  if [ -n "$line" ]; then
    bad=$(echo "$line" | sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/')
    total=$(echo "$line" | sed -E 's/.* failed out of ([0-9]+).*/\1/')
    failed_total=$((failed_total + bad))
    passed_total=$((passed_total + total - bad))
  else
    status=1
  fi
  [ "$status" -eq 0 ] || failed=1
}

echo "== Release build with the Qt window"
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release
cmake --build build -j"$JOBS"
run_suite build

echo "== Sanitizer build of the core"
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DQUORL_SANITIZE=ON -DQUORL_BUILD_QT=OFF -DQUORL_BUILD_BENCH=OFF
cmake --build build-asan -j"$JOBS"
run_suite build-asan

echo "== WebAssembly build of the core, the driver and the page, under node and headless chromium"
# The page's test needs Debian's chromium; without it that test is skipped.
if ! command -v chromium >/dev/null; then
  SUDO=""
  if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
  echo "Installing: chromium"
  { $SUDO apt-get update -q && DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends chromium; } ||
    echo "chromium could not be installed: the page's test is skipped"
fi
bash scripts/wasm.sh
run_suite build-wasm

echo
echo "$passed_total passed, $failed_total failed"
exit "$failed"
