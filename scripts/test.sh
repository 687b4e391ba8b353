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
(cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest -LE wine --output-on-failure -j"$jobs")

scripts/windows.sh test
