#!/usr/bin/env bash
# Installs what building, running and testing Rekentol needs on Debian/Ubuntu,
# and the packages named as arguments (what packaging or fuzzing needs besides).
# Asks apt only for what is missing, so a second run costs nothing.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev libgl-dev
  fonts-liberation2 fonts-dejavu-core
  xvfb xauth
  openbox x11-utils xdotool
  desktop-file-utils appstream
  dbus at-spi2-core python3-pyatspi
  "$@"
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then sudo=(); else sudo=(sudo); fi
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
