#!/usr/bin/env bash
# Installs what is missing (scripts/install-deps.sh, through scripts/build.sh), builds
# and starts the application.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
exec ./build/dozo-idcard "$@"
