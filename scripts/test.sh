#!/usr/bin/env bash
# Installs, builds and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh --test
bash scripts/build.sh
cd build
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --timeout 300 -j "$(nproc)"
