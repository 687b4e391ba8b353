#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite twice:
# in a Release build and under AddressSanitizer and UndefinedBehaviorSanitizer.
# Then it builds the Windows artifacts and runs their tests under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh

jobs=$(nproc)
# A call outside what the platform stand-in supports fails a test loudly.
export WINSIM_STRICT=1
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release
cmake --build build -j"$jobs"
(cd build && ctest -LE wine --output-on-failure -j"$jobs")

cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLORVANE_SANITIZE=ON -DLORVANE_BENCH=OFF
cmake --build build-asan -j"$jobs"

# Every process the tests start inherits these options and the test's
# output: the test programs, the program under test with the provider it
# loads, the portal and the test doubles. A sanitizer report from any of them
# fails the run, also when no test looked at how that process ended.
# AddressSanitizer and LeakSanitizer write each report to a file of its own.
# UndefinedBehaviorSanitizer is a run-time of its own beside them that can
# only write to the output, which ctest keeps whole for every test.
reports="$PWD/build-asan/sanitizer-reports"
rm -rf "$reports"
mkdir -p "$reports"
export ASAN_OPTIONS="detect_leaks=1:log_path=$reports/report:log_exe_name=1"
export UBSAN_OPTIONS=print_stacktrace=1
failed=0
(cd build-asan && ctest -LE wine --output-on-failure -j"$jobs") || failed=1
for report in "$reports"/*; do
  [ -e "$report" ] || continue
  echo "=== $(basename "$report")"
  cat "$report"
  failed=1
done
if grep -A12 ": runtime error: " build-asan/Testing/Temporary/LastTest.log; then failed=1; fi
if [ "$failed" -ne 0 ]; then
  echo "The sanitizer pass failed." >&2
  exit 1
fi

scripts/windows.sh test
