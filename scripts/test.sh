#!/usr/bin/env bash
# Installs, builds and runs every test, then every test executable twice over in one
# process, in shuffled order (scripts/repeat-shuffled.sh, seed 4 unless SEEDS says). With
# --sanitizers it runs the suite again under AddressSanitizer and
# UndefinedBehaviorSanitizer instead of that repeat, with a shuffled repeat of its own
# (scripts/test-sanitizers.sh).
# JOBS sets the parallel jobs (default: every core), SEEDS the shuffle seeds.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh --test
(cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --timeout 300 -j "${JOBS:-$(nproc)}")
case "${1:-}" in
  # One seed here.
  "") SEEDS="${SEEDS:-4}" bash scripts/repeat-shuffled.sh build ;;
  # The sanitizer run repeats the suite shuffled in its own build instead.
  --sanitizers) bash scripts/test-sanitizers.sh ;;
  *) echo "usage: $0 [--sanitizers]" >&2; exit 2 ;;
esac
