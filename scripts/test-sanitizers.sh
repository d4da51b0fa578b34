#!/usr/bin/env bash
# Builds the application and its tests with clang under AddressSanitizer and
# UndefinedBehaviorSanitizer into build-asan/, runs the suite there, then runs every
# test executable twice over in one process, shuffled (seed 1 unless SEEDS says); last, the runs
# that share work between threads (the pool's helpers, the value engine, Crop All, export,
# mail, a refused second run) under ThreadSanitizer (build-tsan/).
# JOBS sets the parallel jobs (default: every core), SEEDS the shuffle seeds.
set -euo pipefail
cd "$(dirname "$0")/.."
JOBS="${JOBS:-$(nproc)}"
SEEDS="${SEEDS:-1}"
# Before anything is built or run: no test reaches a printer of this machine. The CUPS
# client is pointed at no server and the virtual PDF printer is offered (ctest's runs
# have the same from tests/CMakeLists.txt, the repeats from scripts/repeat-shuffled.sh).
export CUPS_SERVER=/dev/null/no-print-server CUPS_SERVERROOT=/dev/null/no-print-server
export DOZO_PDF_PRINTER_FILE="$PWD/build-asan/Testing/printed.pdf"
SANITIZE="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
LAUNCHER=()
if command -v ccache >/dev/null; then
  LAUNCHER=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
# Asserts on; -O1, as the sanitizers advise, with line tables for their reports; the
# benchmarks are built (and not run) by the ordinary build only. The libraries edited
# most are compiled file by file, so that a file that does not include what it uses
# stops the run (-DAPP_UNITY_BUILD=OFF must compile).
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DBUILD_TESTING=ON -DBUILD_BENCHMARKS=OFF \
  -DAPP_FILE_BY_FILE="mainwindow;data_ui;output;profile;photo_ui" \
  -DCMAKE_C_FLAGS_DEBUG="-O1 -gline-tables-only" -DCMAKE_CXX_FLAGS_DEBUG="-O1 -gline-tables-only" \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ "${LAUNCHER[@]}" \
  -DCMAKE_C_FLAGS="$SANITIZE" -DCMAKE_CXX_FLAGS="$SANITIZE" \
  -DCMAKE_EXE_LINKER_FLAGS="$SANITIZE" -DCMAKE_SHARED_LINKER_FLAGS="$SANITIZE"
cmake --build build-asan -j "$JOBS"

# Every finding, leaks included, stops the run.
# intercept_tls_get_addr=0: clang 14's leak checker misreads the dynamic TLS blocks of this
# glibc (a bogus range, then "Tracer caught signal 11" at exit); static TLS is still scanned.
export ASAN_OPTIONS="abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1:intercept_tls_get_addr=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan-suppressions.txt:print_suppressions=0"
export QT_QPA_PLATFORM=offscreen
# The photo walk takes 50 seeds in the ordinary build (about half a minute); here, where
# it runs three times over and slower, 10.
export PHOTO_WALKS="${PHOTO_WALKS:-10}"
# The group walk over a few of its seeds here (the plain run walks 300).
export GROUP_WALK_SEED="${GROUP_WALK_SEED:-1001}" GROUP_WALKS="${GROUP_WALKS:-4}"

cd build-asan
ctest --output-on-failure --timeout 600 -j "$JOBS"

# Every test executable passes twice in one process, in shuffled order (several
# executables and seeds at once).
cd ..
JOBS="$JOBS" SEEDS="$SEEDS" bash scripts/repeat-shuffled.sh build-asan

# The threaded runs under ThreadSanitizer: only test_runs_tsan is built into build-tsan/
# (its libraries compiled with -fsanitize=thread); each group of its suites is a ctest
# test of its own (tests/CMakeLists.txt), the suppressions in tests/tsan-suppressions.txt.
# Line tables only (-g1): enough for the reports' stacks.
cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON \
  -DCMAKE_C_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG" -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG" \
  -DAPP_THREAD_SANITIZER_TEST=ON "${LAUNCHER[@]}"
cmake --build build-tsan -j "$JOBS" --target test_runs_tsan
(cd build-tsan && ctest --output-on-failure --timeout 600 -j "$JOBS" -R _under_thread_sanitizer)
