#!/usr/bin/env bash
# Runs every test executable of a build folder twice over in one process, in shuffled
# order, once per seed, several at once; each run has a timeout. A failing run prints
# its command and the end of its log (kept as <test>.repeat-<seed>.log in the folder).
# Usage: scripts/repeat-shuffled.sh <build folder>
# JOBS sets how many run at once (default: every core), SEEDS the shuffle seeds,
# REPEAT_TIMEOUT the seconds one run may take, REPEAT_SKIP the gtest patterns left out of
# the repeats.
set -euo pipefail
cd "$1"
export REPEAT_TIMEOUT="${REPEAT_TIMEOUT:-900}" BUILD_NAME="$(basename "$PWD")"
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
# No run reaches a printer of this machine: the CUPS client is pointed at no server, and
# each run offers the virtual PDF printer, writing a file of its own (as ctest's runs do;
# tests/CMakeLists.txt).
export CUPS_SERVER=/dev/null/no-print-server CUPS_SERVERROOT=/dev/null/no-print-server
# The group walk over a few of its seeds in each repeat (the plain run walks 300).
export GROUP_WALKS="${GROUP_WALKS:-4}"
# Left out of the repeats (ctest runs each once): the memory budgets, the fuzz tables,
# the size limits and the runs of LibreOffice, the mail sink and two desks at once. Each
# makes its own input and keeps nothing between tests, and together they took most of
# a repeat's time.
REPEAT_SKIP="${REPEAT_SKIP-UndoMemory.*:*Fuzz.*:SpreadsheetLimits.*:SeriesFile.LargeFilesRefused:QrDecoding.*:\
ChainOnAPool.ManyCallersGetTheSingleThreadResults:LibreOffice.*:\
MailScript.PasswordsDeadlinesAndAnswersAfterTheData:MailRun.WhatTheWindowCountsIsWhatIsMailed:\
VisitorRecordStore.TwoDesksAddingAtOnceStoreEveryVisit:DeskBatchExportTest.AClerksRoadOfThreeHundredCardsThenPrinting}"
export REPEAT_SKIP
repeat_shuffled() {
  local test="$1" seed="$2" log="$1.repeat-$2.log"
  if ! DOZO_PDF_PRINTER_FILE="$PWD/$1.repeat-$2.pdf" timeout "$REPEAT_TIMEOUT" "./$test" --gtest_repeat=2 --gtest_shuffle --gtest_random_seed="$seed" \
      ${REPEAT_SKIP:+--gtest_filter="-$REPEAT_SKIP"} --gtest_brief=1 >"$log" 2>&1; then
    echo "FAILED: $test --gtest_repeat=2 --gtest_shuffle --gtest_random_seed=$seed ($BUILD_NAME/$log)"
    tail -n 30 "$log"
    return 1
  fi
}
export -f repeat_shuffled
for test in test_*; do
  [ -x "$test" ] && [ -f "$test" ] || continue
  for seed in ${SEEDS:-1}; do echo "$test $seed"; done
done | xargs -P "${JOBS:-$(nproc)}" -n 2 bash -c 'repeat_shuffled "$0" "$1"'
