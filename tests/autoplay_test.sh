#!/usr/bin/env bash
# quorl-cli autoplay: 210 seconds of play at a known seed reach every milestone up to the three powers at the
# seconds pinned here (the survey, the plan, the aim, the steering and the powers each move them), the same
# seed plays the same game (the recordings are equal byte for byte), the recording replays to its end, and
# options out of range are refused.
# Usage: autoplay_test.sh QUORL_CLI
set -uo pipefail
cli=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
fail() { echo "FAIL: $*"; failed=1; }

expected='autoplay seed 1 preset 3: 210 s of play
system 2
selected 6
air 7
water 2
life 76
launch 81
carried 82
celestial 88
fabricate 92
sublimate 93
decimate 90
nova -
best -'
for run in a b; do
  mkdir "$work/$run"
  got=$("$cli" autoplay --seed 1 --preset 3 --seconds 210 --dir "$work/$run") || fail "run $run exited $?"
  [ "$got" = "$expected" ] || fail "run $run printed:"$'\n'"$got"
done
cmp -s "$work/a/replay.qr" "$work/b/replay.qr" || fail "the same seed recorded two different games"
"$cli" replay "$work/a/replay.qr" >/dev/null || fail "the recording does not replay to its end"

# Options: the presets 1 to 10, whole numbers only; a refusal says why and plays nothing.
"$cli" autoplay --preset 10 --seconds 0 >/dev/null || fail "preset 10 refused"
for args in "--preset 0" "--preset 11" "--seed 1.5" "--seconds -1" "--speed 3"; do
  # shellcheck disable=SC2086
  err=$("$cli" autoplay $args 2>&1 >/dev/null)
  status=$?
  [ $status -eq 2 ] && [ -n "$err" ] || fail "'autoplay $args' gave status $status, message '$err'"
done
exit $failed
