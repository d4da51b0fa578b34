#!/usr/bin/env bash
# Installs every Debian 12 package the application needs to build, run and test.
# With --test it adds the checkers the tests use and the benchmark library.
set -euo pipefail
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
PACKAGES=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6svg6-dev qt6-multimedia-dev qt6-image-formats-plugins
  libgl1-mesa-dev libxkbcommon-dev
  zlib1g-dev libminizip-dev libsqlite3-dev sqlite3
  libiec16022-dev libplist-dev libpugixml-dev
  libopencv-dev opencv-data
  libgtest-dev googletest
  fonts-liberation2 fonts-dejavu-core
  xvfb xauth poppler-utils
)
if [ "${1:-}" = "--test" ]; then
  PACKAGES+=(python3-openpyxl libreoffice-calc-nogui libbenchmark-dev)
fi
missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
