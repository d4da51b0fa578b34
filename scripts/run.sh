#!/usr/bin/env bash
# Installs, builds and starts the application.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
# Live camera pictures go through GStreamer; its plug-ins are needed only to run.
camera_packages=(gstreamer1.0-plugins-base gstreamer1.0-plugins-good)
missing=()
for p in "${camera_packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
exec ./build/dozo-idcard "$@"
