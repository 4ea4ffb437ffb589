#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need.
# Skips apt entirely when every package is already there (real package names only:
# a virtual one, such as libqt6svg6-dev for qt6-svg-dev, never reads as installed).
set -euo pipefail
paquets=(
  build-essential cmake ninja-build pkg-config clang libclang-rt-14-dev
  qt6-base-dev libqt6opengl6-dev qt6-multimedia-dev qt6-translations-l10n
  qt6-qpa-plugins libqt6svg6 qt6-svg-dev libqt6sql6-sqlite libqt6sql6-psql
  libboost-math-dev postgresql ccache
  libglu1-mesa-dev libgl-dev libgl1-mesa-dri libegl-mesa0 mesa-utils
  libxcb1-dev libx11-dev libxtst-dev
  xvfb xauth x11-utils imagemagick
  fonts-liberation2 fontconfig
  pulseaudio pulseaudio-utils
  python3-pandas r-base-core dbus-daemon at-spi2-core python3-gi gir1.2-atspi-2.0
)
manquants=()
for p in "${paquets[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || manquants+=("$p")
done
[ ${#manquants[@]} -eq 0 ] && exit 0
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update
"${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${manquants[@]}"
