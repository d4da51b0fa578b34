#!/usr/bin/env bash
# Installs the dependencies (when missing) and builds into build/.
# With --test: also the test-only packages, and every target: the application, its tests,
# the developer tools (each run by a test) and, when Google Benchmark is found, the benchmarks.
# JOBS sets the parallel build jobs (default: Ninja's own choice).
set -euo pipefail
cd "$(dirname "$0")/.."
if [ "${1:-}" = "--test" ]; then
  bash scripts/install-deps.sh --test
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON -DBUILD_TOOLS=ON -DBUILD_BENCHMARKS=ON
  cmake --build build ${JOBS:+-j "$JOBS"}
else
  bash scripts/install-deps.sh
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
  cmake --build build ${JOBS:+-j "$JOBS"} --target dozo-idcard
fi
