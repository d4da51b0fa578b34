#!/usr/bin/env bash
# Installs, builds and runs every test. With --sanitizers it then runs the suite again
# under AddressSanitizer and UndefinedBehaviorSanitizer (scripts/test-sanitizers.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh --test
(cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --timeout 300 -j "${JOBS:-$(nproc)}")
case "${1:-}" in
  "") ;;
  --sanitizers) bash scripts/test-sanitizers.sh ;;
  *) echo "usage: $0 [--sanitizers]" >&2; exit 2 ;;
esac
