#!/usr/bin/env bash
# Installs the Debian 12 packages the application needs to build and run (when
# missing), GStreamer's base and good plug-ins for live camera pictures included, so that
# everything is asked for once, before the build. With --test it also installs what only the tests use: GoogleTest, the
# virtual display, the PDF, database, spreadsheet and barcode checkers, openssl (the mail
# tests' certificates), the benchmark library and clang for the sanitizer build.
set -euo pipefail
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
PACKAGES=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev qt6-multimedia-dev qt6-image-formats-plugins
  libgl1-mesa-dev libxkbcommon-dev
  zlib1g-dev libminizip-dev libsqlite3-dev
  libplist-dev libpugixml-dev libxxhash-dev
  libopencv-dev opencv-data
  python3
  fonts-liberation2 fonts-dejavu-core
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good
)
TEST_PACKAGES=(
  libgtest-dev googletest
  xvfb xauth poppler-utils sqlite3
  python3-openpyxl libreoffice-calc-nogui libbenchmark-dev
  libzbar-dev libzxing-dev dmtx-utils libqrencode-dev libzint-dev
  openssl clang
)
case "${1:-}" in
  "") ;;
  --test) PACKAGES+=("${TEST_PACKAGES[@]}") ;;
  *) echo "usage: $0 [--test]" >&2; exit 2 ;;
esac
missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
