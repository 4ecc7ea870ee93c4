#!/usr/bin/env bash
# Plants the one-line faults of scripts/mutants.txt one at a time in a scratch copy of the working tree,
# runs the tests that should catch each, and prints how many the suite kills. Not part of CI.
#
#   scripts/mutate.sh [-k] [-d DIR] [-f FILE] [-t SECONDS] [--check] [SELECT...]
#
#   SELECT     fault numbers (7), ranges (3-9) or words matched against a fault's file and title;
#              every fault when none is given
#   -k         keep the scratch copy and its build for the next run (it is brought up to date then)
#   -d DIR     the scratch folder (default ${TMPDIR:-/tmp}/quorl-mutate); never inside the repository
#   -f FILE    the list of faults (default scripts/mutants.txt)
#   -t SECONDS the time a test may take before it counts as failed (default 300)
#   --check    only check the list: every fault's text found exactly once, nothing built
#
# The copy builds once (Release, core, driver and tests, no Qt; through ccache when there is one) and its
# chosen faults' tests must pass there; then for each fault: plant it, build the targets of its tests, run
# them (ctest -R), put the line back. A fault is killed when a test fails or times out (the line names the
# first that failed); one that does not build counts as killed but is reported apart, since it tests the
# compiler rather than the suite.
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$(pwd)

SCRATCH=${TMPDIR:-/tmp}/quorl-mutate
LIST=scripts/mutants.txt
KEEP=0
CHECK=0
TIMEOUT=300
SELECT=()
while [ $# -gt 0 ]; do
  case "$1" in
    -k) KEEP=1 ;;
    -d) SCRATCH=$2; shift ;;
    -f) LIST=$2; shift ;;
    -t) TIMEOUT=$2; shift ;;
    --check) CHECK=1 ;;
    -h|--help) awk 'NR > 1 && /^#/ { sub(/^# ?/, ""); print; next } NR > 1 { exit }' "$0"; exit 0 ;;
    -*) echo "mutate.sh: unknown option $1" >&2; exit 2 ;;
    *) SELECT+=("$1") ;;
  esac
  shift
done
JOBS=$(nproc 2>/dev/null || echo 2)
if [ "$JOBS" -gt 2 ]; then JOBS=2; fi

# --- The list: records of "key: value" lines, a blank line between records, # for comments.
#   fault: a short title        file: path in the repository
#   from:  the line as it stands (blanks around it ignored)      to: the line that replaces it
#   line:  (optional) the line number where `from` must stand, when the text occurs more than once
#   tests: the ctest -R pattern of the tests that should catch it
TITLES=() FILES=() FROMS=() TOS=() LINES=() TESTS=()
parse_list() {
  local key value n=-1 lineno=0 raw
  local -A seen=()
  while IFS= read -r raw || [ -n "$raw" ]; do
    lineno=$((lineno + 1))
    if [[ -z "${raw//[[:space:]]/}" ]]; then seen=(); continue; fi
    [[ "$raw" =~ ^[[:space:]]*# ]] && continue
    if [[ ! "$raw" =~ ^([a-z]+):[[:space:]]?(.*)$ ]]; then
      echo "$LIST:$lineno: not a \"key: value\" line" >&2; exit 2
    fi
    key=${BASH_REMATCH[1]} value=${BASH_REMATCH[2]}
    if [ ${#seen[@]} -eq 0 ]; then
      n=$((n + 1))
      TITLES[n]="" FILES[n]="" FROMS[n]="" TOS[n]="" LINES[n]="" TESTS[n]=""
    fi
    seen[$key]=1
    case "$key" in
      fault) TITLES[n]=$value ;;
      file) FILES[n]=$value ;;
      from) FROMS[n]=$value ;;
      to) TOS[n]=$value ;;
      line) LINES[n]=$value ;;
      tests) TESTS[n]=$value ;;
      *) echo "$LIST:$lineno: unknown key $key" >&2; exit 2 ;;
    esac
  done < "$LIST"
  local i
  for i in "${!TITLES[@]}"; do
    if [ -z "${TITLES[i]}" ] || [ -z "${FILES[i]}" ] || [ -z "${FROMS[i]}" ] || [ -z "${TESTS[i]}" ]; then
      echo "$LIST: fault $((i + 1)) (${TITLES[i]:-untitled}) lacks fault, file, from or tests" >&2; exit 2
    fi
  done
}

trim() {
  local t=$1
  t=${t#"${t%%[![:space:]]*}"}
  t=${t%"${t##*[![:space:]]}"}
  printf '%s' "$t"
}

# The number of the line of fault $1 in file $2, or a message and status 1.
locate() {
  local i=$1 file=$2 want found=() lineno=0 raw
  want=$(trim "${FROMS[i]}")
  while IFS= read -r raw || [ -n "$raw" ]; do
    lineno=$((lineno + 1))
    [ "$(trim "$raw")" = "$want" ] && found+=("$lineno")
  done < "$file"
  if [ -n "${LINES[i]}" ]; then
    local l
    for l in "${found[@]}"; do
      if [ "$l" = "${LINES[i]}" ]; then echo "$l"; return 0; fi
    done
    echo "its text is not at line ${LINES[i]} of ${FILES[i]}"; return 1
  fi
  case ${#found[@]} in
    1) echo "${found[0]}" ;;
    0) echo "its text is not in ${FILES[i]}"; return 1 ;;
    *) echo "its text is in ${FILES[i]} ${#found[@]} times (lines ${found[*]}): give line:"; return 1 ;;
  esac
}

selected() {
  local i=$1 s n=$(($1 + 1))
  [ ${#SELECT[@]} -eq 0 ] && return 0
  for s in "${SELECT[@]}"; do
    if [[ "$s" =~ ^[0-9]+$ ]]; then [ "$n" -eq "$s" ] && return 0
    elif [[ "$s" =~ ^([0-9]+)-([0-9]+)$ ]]; then
      [ "$n" -ge "${BASH_REMATCH[1]}" ] && [ "$n" -le "${BASH_REMATCH[2]}" ] && return 0
    elif [[ "${FILES[i]} ${TITLES[i]}" == *"$s"* ]]; then return 0
    fi
  done
  return 1
}

parse_list
CHOSEN=()
for i in "${!TITLES[@]}"; do selected "$i" && CHOSEN+=("$i"); done
if [ ${#CHOSEN[@]} -eq 0 ]; then echo "mutate.sh: no fault matches ${SELECT[*]}" >&2; exit 2; fi

# Every chosen fault must find its line in the working tree, or the list has rotted.
bad=0
for i in "${CHOSEN[@]}"; do
  if [ ! -f "${FILES[i]}" ]; then
    echo "fault $((i + 1)) (${TITLES[i]}): no file ${FILES[i]}" >&2; bad=1; continue
  fi
  if ! where=$(locate "$i" "${FILES[i]}"); then
    echo "fault $((i + 1)) (${TITLES[i]}): $where" >&2; bad=1
  fi
done
[ "$bad" -eq 0 ] || { echo "mutate.sh: the list does not match the sources; nothing run" >&2; exit 2; }
if [ "$CHECK" -eq 1 ]; then
  echo "${#CHOSEN[@]} faults of ${#TITLES[@]} checked: each line found once"
  exit 0
fi

# --- The scratch copy: the files git would see (tracked, and new ones not ignored), copied only when they
# differ, so that the build there stays incremental between runs kept with -k.
case "$(realpath -m "$SCRATCH")/" in
  "$ROOT"/*) echo "mutate.sh: the scratch folder must lie outside the repository" >&2; exit 2 ;;
esac
SRC=$SCRATCH/src
BUILD=$SRC/build
if [ "$KEEP" -eq 0 ]; then trap 'rm -rf "$SCRATCH"' EXIT; fi
mkdir -p "$SRC"
git ls-files -z -co --exclude-standard | while IFS= read -r -d '' f; do
  [ -f "$f" ] || continue
  if ! cmp -s "$f" "$SRC/$f"; then
    mkdir -p "$SRC/$(dirname "$f")"
    cp "$f" "$SRC/$f"
  fi
done

START=$(date +%s)
LAUNCHER=()
if command -v ccache > /dev/null; then LAUNCHER=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
GEN=()
if [ ! -f "$BUILD/CMakeCache.txt" ] && command -v ninja > /dev/null; then GEN=(-G Ninja); fi
echo "== Building the scratch copy in $BUILD"
cmake -S "$SRC" -B "$BUILD" "${GEN[@]}" "${LAUNCHER[@]}" -DCMAKE_BUILD_TYPE=Release -DQUORL_BUILD_QT=OFF \
  -DQUORL_BUILD_BENCH=OFF > "$SCRATCH/configure.log" 2>&1 || { cat "$SCRATCH/configure.log"; exit 1; }
cmake --build "$BUILD" -j"$JOBS" > "$SCRATCH/build.log" 2>&1 || { tail -40 "$SCRATCH/build.log"; exit 1; }
echo "   built in $(($(date +%s) - START)) s"

# The build targets whose programs the tests matching a pattern run.
targets_for() {
  ctest --test-dir "$BUILD" -R "$1" --show-only=json-v1 2> /dev/null |
    jq -r '.tests[].command[]' | sed -E 's/^-D[A-Za-z_]+=//' | while IFS= read -r arg; do
      case "$arg" in "$BUILD"/*) [ -x "$arg" ] && basename "$arg" ;; esac
    done | sort -u
}

# Every chosen fault must name tests that exist, before anything is planted.
declare -A TARGETS=()
for i in "${CHOSEN[@]}"; do
  t=$(targets_for "${TESTS[i]}" | tr '\n' ' ')
  if [ -z "$t" ]; then echo "fault $((i + 1)) (${TITLES[i]}): no test matches ${TESTS[i]}" >&2; bad=1; fi
  TARGETS[$i]=$t
done
[ "$bad" -eq 0 ] || exit 2

# A fault only counts as caught when its tests pass without it.
declare -A PATTERNS=()
for i in "${CHOSEN[@]}"; do PATTERNS["${TESTS[i]}"]=1; done
ALL=""
for p in "${!PATTERNS[@]}"; do ALL+="${ALL:+|}($p)"; done
if ! ctest --test-dir "$BUILD" -R "$ALL" -j"$JOBS" --timeout "$TIMEOUT" > "$SCRATCH/clean.log" 2>&1; then
  grep -E "^[[:space:]]*[0-9]+ - |tests passed" "$SCRATCH/clean.log" >&2 || true
  echo "mutate.sh: the tests fail without any fault planted (see $SCRATCH/clean.log); nothing run" >&2
  exit 1
fi
echo "   the tests of these faults pass without them ($(($(date +%s) - START)) s)"

killed=0 broken=0 survived=0
SURVIVORS=()
LOG=$SCRATCH/last.log
for i in "${CHOSEN[@]}"; do
  file=$SRC/${FILES[i]}
  line=$(locate "$i" "$file")
  cp "$file" "$SCRATCH/original"
  indent=$(sed -n "${line}p" "$file" | sed -E 's/^([[:space:]]*).*/\1/')
  REPL="$indent$(trim "${TOS[i]}")" awk -v n="$line" 'NR == n { print ENVIRON["REPL"]; next } { print }' \
    "$SCRATCH/original" > "$file"
  t0=$(date +%s)
  # shellcheck disable=SC2086
  if ! cmake --build "$BUILD" -j"$JOBS" --target ${TARGETS[$i]} > "$LOG" 2>&1; then
    verdict="BUILD"; broken=$((broken + 1))
  elif ctest --test-dir "$BUILD" -R "${TESTS[i]}" -j"$JOBS" --timeout "$TIMEOUT" --stop-on-failure > "$LOG" 2>&1; then
    verdict="SURVIVED"; survived=$((survived + 1)); SURVIVORS+=("$((i + 1)). ${FILES[i]}: ${TITLES[i]}")
  else
    verdict="killed"; killed=$((killed + 1))
  fi
  cp "$SCRATCH/original" "$file"  # a new time: the next build compiles the file again
  # The first test that failed, to tell a real catch from a test that fails on its own now and then.
  by=""
  if [ "$verdict" = killed ]; then
    by=$(sed -n '/The following tests FAILED:/{n;p;q}' "$LOG" | sed -E 's/^[[:space:]]*[0-9]+ - //; s/ \(.*//')
    by=${by:+  [$by]}
  fi
  printf '%3d. %-8s %4ds  %s: %s%s\n' "$((i + 1))" "$verdict" "$(($(date +%s) - t0))" "${FILES[i]}" "${TITLES[i]}" "$by"
done

n=${#CHOSEN[@]}
dead=$((killed + broken))
echo
echo "killed $dead of $n ($((100 * dead / n))%)"
if [ "$broken" -gt 0 ]; then echo "   of which $broken did not build (better replaced by faults that do)"; fi
for s in "${SURVIVORS[@]}"; do echo "   survived: $s"; done
echo "   in $(($(date +%s) - START)) s"
