#!/usr/bin/env bash
# Fuzzes a reader with libFuzzer: the tallyho.txt reader and Val (params), or the replay reader (replay).
# Installs clang when missing, builds the target with -DQUORL_FUZZ=ON in build-fuzz/, and runs it on a copy
# of the target's seed corpus (tests/fuzz/corpus, tests/fuzz/replay_corpus).
# Usage: scripts/fuzz.sh [SECONDS [TARGET]] (default 300 params). New inputs go to build-fuzz/corpus-TARGET;
# a crash leaves its input in build-fuzz/ (crash-*), which belongs in the seed corpus once the fault is mended.
set -euo pipefail
cd "$(dirname "$0")/.."
SECONDS_TO_RUN=${1:-300}
TARGET=${2:-params}
case "$TARGET" in
  params) SEEDS=tests/fuzz/corpus MAX_LEN=8192 ;;
  replay) SEEDS=tests/fuzz/replay_corpus MAX_LEN=65536 ;;
  *) echo "no fuzz target '$TARGET' (params, replay)" >&2; exit 2 ;;
esac

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
cmake --build build-fuzz -j2 --target "${TARGET}_fuzz"

mkdir -p "build-fuzz/corpus-$TARGET"
cp -n "$SEEDS"/* "build-fuzz/corpus-$TARGET/" 2>/dev/null || true
cd build-fuzz
"tests/fuzz/${TARGET}_fuzz" -max_total_time="$SECONDS_TO_RUN" -max_len="$MAX_LEN" -timeout=5 -print_final_stats=1 \
  "corpus-$TARGET"
