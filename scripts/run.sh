#!/usr/bin/env bash
# Installs, builds and starts the application.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
exec ./build/dozo-idcard "$@"
