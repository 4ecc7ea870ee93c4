#!/usr/bin/env bash
# Fuzzes the tallyho.txt reader and Val with libFuzzer: installs clang when missing, builds the target
# with -DQUORL_FUZZ=ON in build-fuzz/, and runs it on a copy of the seed corpus.
# Usage: scripts/fuzz.sh [SECONDS] (default 300). New inputs go to build-fuzz/corpus; a crash leaves its
# input in build-fuzz/ (crash-*), which belongs in tests/fuzz/corpus/ once the fault is mended.
set -euo pipefail
cd "$(dirname "$0")/.."
SECONDS_TO_RUN=${1:-300}

missing=()
for p in clang libclang-rt-14-dev; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then missing+=("$p"); fi
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -q
  $SUDO apt-get install -y -q "${missing[@]}"
fi

CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORL_FUZZ=ON \
  -DQUORL_BUILD_QT=OFF -DQUORL_BUILD_BENCH=OFF
cmake --build build-fuzz -j2 --target params_fuzz

mkdir -p build-fuzz/corpus
cp -n tests/fuzz/corpus/* build-fuzz/corpus/ 2>/dev/null || true
cd build-fuzz
tests/fuzz/params_fuzz -max_total_time="$SECONDS_TO_RUN" -max_len=8192 -timeout=5 -print_final_stats=1 corpus
