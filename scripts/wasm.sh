#!/usr/bin/env bash
# Builds the core and quorl-cli for WebAssembly into build-wasm/ with Debian's emscripten, installing it
# when it is missing (its package brings its system libraries prebuilt, so nothing else is fetched).
#   bash scripts/wasm.sh          builds build-wasm/quorl-cli.js (run it as: node build-wasm/quorl-cli.js ...)
#   bash scripts/wasm.sh test     builds and runs its tests under node
#   bash scripts/wasm.sh bench    also builds the native driver and times both passes at 1000 and 6668 bodies,
#                                 under node and, when chromium is installed, in the browser
#                                 (ROUNDS=N rounds, 3 when unset; each form keeps its best)
set -euo pipefail
cd "$(dirname "$0")/.."

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
if ! dpkg-query -W -f='${Status}' emscripten 2>/dev/null | grep -q "install ok installed"; then
  echo "Installing: emscripten"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -q
  $SUDO apt-get install -y -q --no-install-recommends emscripten
fi
JOBS=$(nproc 2>/dev/null || echo 2)
if [ "$JOBS" -gt 2 ]; then JOBS=2; fi

emcmake cmake -S . -B build-wasm -DCMAKE_BUILD_TYPE=Release
cmake --build build-wasm -j"$JOBS"

case "${1:-}" in
  "") ;;
  test)
    ctest --test-dir build-wasm -j"$JOBS" --output-on-failure
    ;;
  bench)
    bash scripts/deps.sh
    cmake -S . -B build -DCMAKE_BUILD_TYPE=Release
    cmake --build build -j"$JOBS" --target quorl-cli
    # In headless chromium too, when it is installed.
    browser=""
    if command -v chromium >/dev/null; then
      browser=yes
      cmake --build build-wasm -j"$JOBS" --target site
    fi
    out=$(mktemp -d)
    trap 'rm -rf "$out"' EXIT
    run() {  # NAME SIMD THREADS COMMAND...: the bench's pass lines, added to NAME's
      local name=$1 simd=$2 threads=$3
      shift 3
      echo "== $name"
      env ${simd:+QUORL_SIMD=$simd} ${threads:+QUORL_THREADS=$threads} "$@" bench 1000 6668 | tee -a "$out/$name"
    }
    # Machines shared with other work: every form runs in each round, and each keeps its best round.
    for round in $(seq "${ROUNDS:-3}"); do
      run native-scalar scalar 1 build/quorl-cli
      run native-best-1-thread "" 1 build/quorl-cli
      run native-best "" "" build/quorl-cli
      run wasm-scalar scalar "" node build-wasm/quorl-cli.js
      run wasm-wasm128 wasm128 "" node build-wasm/quorl-cli.js
      if [ -n "$browser" ]; then
        node tests/web/bench.js build-wasm/site scalar wasm128 >"$out/browser"
        for form in scalar wasm128; do
          echo "== browser-$form"
          sed -n "/^== browser-$form/,/^==/p" "$out/browser" | grep '^bodies=' | tee -a "$out/browser-$form"
        done
      fi
    done
    rate() { sed -nE "s/^bodies=$2 .* fast=([0-9.]+)\/s.*/\1/p" "$out/$1" | sort -g | tail -1; }
    ratio() { awk "BEGIN{printf \"%.2f\", $1/$2}"; }
    echo
    echo "passes a second of the pass (100 passes of preset 1 at seed 33333, best of ${ROUNDS:-3}), node $(node --version);"
    echo "the WebAssembly forms also as a share of native scalar and of native best on one thread"
    printf "%-7s %14s %14s %12s %20s %26s\n" bodies native-scalar best-1-thread native-best wasm-scalar wasm128
    for n in 1000 6668; do
      s=$(rate native-scalar $n) b1=$(rate native-best-1-thread $n) b=$(rate native-best $n)
      ws=$(rate wasm-scalar $n) w=$(rate wasm-wasm128 $n)
      printf "%-7s %14s %14s %12s %20s %26s\n" "$n" "$s" "$b1" "$b" "$ws ($(ratio "$ws" "$s"))" \
        "$w ($(ratio "$w" "$s"), $(ratio "$w" "$b1"))"
    done
    if [ -n "$browser" ]; then
      echo "in headless $(chromium --version 2>/dev/null | head -1)"
      printf "%-7s %20s %26s\n" bodies browser-scalar browser-wasm128
      for n in 1000 6668; do
        s=$(rate native-scalar $n) b1=$(rate native-best-1-thread $n)
        ws=$(rate browser-scalar $n) w=$(rate browser-wasm128 $n)
        printf "%-7s %20s %26s\n" "$n" "$ws ($(ratio "$ws" "$s"))" "$w ($(ratio "$w" "$s"), $(ratio "$w" "$b1"))"
      done
    fi
    ;;
  *)
    echo "usage: bash scripts/wasm.sh [test|bench]" >&2
    exit 2
    ;;
esac
