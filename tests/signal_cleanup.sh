#!/usr/bin/env bash
# Ctrl+C or SIGTERM while quorl-cli runs a script, a replay or the bench: the temporary folder it made goes,
# and the process ends by that signal.
# Usage: signal_cleanup.sh QUORL_CLI REPLAY_FILE
set -uo pipefail
cli=$1
replay=$2
set -m  # background commands take SIGINT as a terminal would send it
failed=0
for signal in INT TERM; do
  for command in script replay bench; do
    tmp=$(mktemp -d)
    lines=$(mktemp -d)/script
    mkfifo "$lines"
    exec 3<>"$lines"  # a script that never ends: the driver waits for its next line
    case $command in
      script) TMPDIR=$tmp "$cli" "$lines" >/dev/null 2>&1 & ;;
      replay) TMPDIR=$tmp "$cli" replay "$replay" >/dev/null 2>&1 & ;;
      bench) TMPDIR=$tmp "$cli" bench >/dev/null 2>&1 & ;;
    esac
    job=$!
    for _ in $(seq 100); do  # until the folder is there, 10 s at most
      [ -n "$(ls -A "$tmp")" ] && break
      sleep 0.1
    done
    made=$(ls -A "$tmp")
    sleep 0.3
    kill -s "$signal" "$job"
    wait "$job" 2>/dev/null
    status=$?
    exec 3>&-
    rm -rf "$(dirname "$lines")"
    left=$(ls -A "$tmp")
    if [ -z "$made" ] || [ -n "$left" ]; then
      echo "FAIL: $command, SIG$signal: made '${made}', left '${left}'"
      failed=1
    else
      echo "ok: $command, SIG$signal: $made removed (exit $status)"
    fi
    rm -rf "$tmp"
  done
done
exit $failed
