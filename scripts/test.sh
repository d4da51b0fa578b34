#!/usr/bin/env bash
# Installs, builds and runs every test, then every test executable twice over in one
# process, in shuffled order (scripts/repeat-shuffled.sh, seed 4 unless SEEDS says). With
# --sanitizers it runs the suite again under AddressSanitizer and
# UndefinedBehaviorSanitizer instead of that repeat, with a shuffled repeat of its own
# (scripts/test-sanitizers.sh).
# JOBS sets the parallel jobs (default: every core), SEEDS the shuffle seeds.
set -euo pipefail
cd "$(dirname "$0")/.."
# Before anything is built or run: no test reaches a printer of this machine. The CUPS
# client is pointed at no server and the virtual PDF printer is offered (each test
# program's ctest run has the same from tests/CMakeLists.txt).
export CUPS_SERVER=/dev/null/no-print-server CUPS_SERVERROOT=/dev/null/no-print-server
export DOZO_PDF_PRINTER_FILE="$PWD/build/Testing/printed.pdf"
bash scripts/build.sh --test
(cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --timeout 300 -j "${JOBS:-$(nproc)}")
case "${1:-}" in
  # One seed here.
  "") SEEDS="${SEEDS:-4}" bash scripts/repeat-shuffled.sh build ;;
  # The sanitizer run repeats the suite shuffled in its own build instead.
  --sanitizers) bash scripts/test-sanitizers.sh ;;
  *) echo "usage: $0 [--sanitizers]" >&2; exit 2 ;;
esac
