#!/usr/bin/env bash
# A game played in the real window replays to the state it ended in: headless with one and with two
# worker threads in every vector form, and in the window itself. Runs on an X server (with_xvfb.sh gives
# it one of its own). Usage: replay_window.sh RECORDER QUORL QUORL_CLI
set -euo pipefail
REC=$1 QUORL=$2 CLI=$3
command -v xdotool >/dev/null || { echo "xdotool is missing (scripts/deps.sh installs it)" >&2; exit 1; }
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

mkdir -p "$WORK/game"
timeout 120 "$REC" "$WORK/game" >"$WORK/window.txt"
cat "$WORK/window.txt"
want=$(sed -n 's/^window passes=[0-9]* hash=\([0-9a-f]*\)$/\1/p' "$WORK/window.txt")
[ -n "$want" ] || fail "the window printed no final state"
FILE="$WORK/game/replay.qr"
echo "recorded $(wc -c <"$FILE") bytes"
# Every kind of input the window takes is in the file.
for entry in " press CDp(5)" " press CmdMars(1)" " press Command11" " press Command5" " press Command12" " type TXTp(4)" \
  " set Hcelest" " enter TXTp(4)" " leave TXTp(4)" " key q" "read tallyho.txt 1"; do
  grep -qF -- "$entry" "$FILE" || fail "no '$entry' in the recording"
done
grep -qE '^[A-Z]' "$FILE" || fail "no timer ticks in the recording"

hash_of() { sed -n 's/^passes=[0-9]* hash=\([0-9a-f]*\) .*/\1/p' <<<"$1"; }
for threads in 1 2; do
  for simd in scalar avx2 avx512; do
    out=$(QUORL_THREADS=$threads QUORL_SIMD=$simd "$CLI" replay "$FILE") || fail "replay with $threads threads, $simd"
    [ "$(hash_of "$out")" = "$want" ] || fail "$threads threads, $simd: $out, the window ended in $want"
    echo "ok: headless, $threads threads, $simd: $out"
  done
done

# The window plays it back at Max and closes at its end.
mkdir -p "$WORK/home/.config/Quorl"
printf '[General]\npace=Max\n' >"$WORK/home/.config/Quorl/Quorl.conf"
out=$(HOME="$WORK/home" XDG_CONFIG_HOME="$WORK/home/.config" timeout 120 "$QUORL" --replay "$FILE" --quit-at-end) ||
  fail "the window's replay: $out"
[ "$(hash_of "$out")" = "$want" ] || fail "the window's replay: $out, the window ended in $want"
echo "ok: in the window: $out"
