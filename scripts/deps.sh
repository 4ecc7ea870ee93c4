#!/usr/bin/env bash
# Installs what building, playing and testing need on Debian 12, skipping apt when all is there.
set -euo pipefail

PACKAGES=(build-essential cmake qt6-base-dev libgtest-dev libbenchmark-dev fonts-dejavu-core xvfb xauth
  desktop-file-utils appstream locales xdotool imagemagick)
# Locales whose decimal comma the tests write numbers under.
LOCALES=(de_DE fr_FR)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -q
  $SUDO apt-get install -y -q "${missing[@]}"
fi

for l in "${LOCALES[@]}"; do
  if ! locale -a 2>/dev/null | grep -qx "$l.utf8"; then
    echo "Generating $l.UTF-8"
    $SUDO localedef -i "$l" -c -f UTF-8 "$l.UTF-8"
  fi
done
