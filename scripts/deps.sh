#!/usr/bin/env bash
# Installs what building, playing and testing need on Debian 12, skipping apt when all is there.
set -euo pipefail

PACKAGES=(build-essential cmake qt6-base-dev libgtest-dev libbenchmark-dev fonts-dejavu-core xvfb xauth
  desktop-file-utils appstream xdotool imagemagick)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
$SUDO apt-get install -y -q "${missing[@]}"
