#!/usr/bin/env bash
# Installs into a temporary prefix, checks the desktop files, and runs both installed programs from a
# read-only prefix as a player would: their files must land in the per-user data folder.
# Usage: install_test.sh BUILD_DIR VERSION APP_ID
set -euo pipefail
BUILD=$1 VERSION=$2 ID=$3

fail() { echo "FAIL: $*" >&2; exit 1; }

WORK=$(mktemp -d /tmp/quorl-install-XXXXXX)
trap 'chmod -R u+w "$WORK"; rm -rf "$WORK"' EXIT
chmod 755 "$WORK"
PREFIX=$WORK/prefix
cmake --install "$BUILD" --prefix "$PREFIX" >/dev/null

DESKTOP=$PREFIX/share/applications/$ID.desktop
desktop-file-validate "$DESKTOP"
appstreamcli validate --no-net "$PREFIX/share/metainfo/$ID.metainfo.xml"
[ -s "$PREFIX/share/icons/hicolor/scalable/apps/$(sed -n 's/^Icon=//p' "$DESKTOP").svg" ] ||
  fail "the desktop entry's icon is not installed"
[ -x "$PREFIX/bin/$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$DESKTOP")" ] ||
  fail "the desktop entry does not start an installed program"
[ -s "$PREFIX/share/doc/quorl/README.md" ] && [ -s "$PREFIX/share/doc/quorl/docs/screenshot.png" ] ||
  fail "the README and docs/, the pages the game opens, are not installed"
for p in quorl quorl-cli; do
  [ -s "$PREFIX/share/man/man6/$p.6" ] || fail "no man page for $p"
  # No screen needed: a player may ask from a terminal without one.
  got=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$PREFIX/bin/$p" --version)
  [ "$got" = "$p $VERSION" ] || fail "$p --version printed '$got'"
  "$PREFIX/bin/$p" --help | grep -q "^usage: $p " || fail "$p --help prints no usage"
done

printf 'show Labill\npress CDp(3)\npasses 20\n' > "$WORK/play.qs"

# Runs a command with a clean environment whose home is $1; as root, as an unprivileged user.
as_player() {
  local home=$1; shift
  mkdir -p "$home"
  local who=()
  if [ "$(id -u)" -eq 0 ]; then
    chown 65534:65534 "$home"
    who=(setpriv --reuid=65534 --regid=65534 --clear-groups --)
  fi
  "${who[@]}" env -i PATH=/usr/bin:/bin HOME="$home" QT_QPA_PLATFORM=offscreen "$@"
}

# Installed but writable (root can write anywhere): still the per-user folder.
out=$(env XDG_DATA_HOME="$WORK/data" "$PREFIX/bin/quorl-cli" --dir "$PREFIX/bin" "$WORK/play.qs")
[ -s "$WORK/data/quorl/events.txt" ] || fail "quorl-cli wrote no events.txt to the per-user folder"
[ ! -e "$PREFIX/bin/events.txt" ] || fail "quorl-cli wrote beside the installed binary"
grep -q "$WORK/data/quorl" <<<"$out" || fail "the status line does not name the per-user folder: $out"

chmod -R a-w "$PREFIX"
out=$(as_player "$WORK/home1" XDG_DATA_HOME="$WORK/home1/data" "$PREFIX/bin/quorl-cli" --dir "$PREFIX/bin" "$WORK/play.qs")
[ -s "$WORK/home1/data/quorl/events.txt" ] || fail "read-only: quorl-cli wrote no events.txt to the per-user folder"
grep -q "$WORK/home1/data/quorl" <<<"$out" || fail "read-only: the status line does not name the per-user folder: $out"

# The game itself, until timeout stops it; with XDG_DATA_HOME unset its folder is under the home.
rc=0
as_player "$WORK/home2" timeout 4 "$PREFIX/bin/quorl" >"$WORK/game.log" 2>&1 || rc=$?
[ "$rc" -eq 124 ] || fail "the installed game stopped with status $rc: $(cat "$WORK/game.log")"
[ -d "$WORK/home2/.local/share/quorl" ] || fail "the installed game made no per-user folder"
echo "installed, validated and ran from $PREFIX"
