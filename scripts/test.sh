#!/usr/bin/env bash
# Builds with AddressSanitizer and UndefinedBehaviorSanitizer, runs the fuzz
# targets briefly, then every test; any sanitizer report or finding fails
# the run. The test runner's summary is the last thing printed.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${BUILD:-build-asan}
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DXREF_SANITIZE=ON -DXREF_BENCH=OFF >/dev/null
ninja -C "$BUILD"
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-print_suppressions=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
if [ -x fuzz/run.sh ]; then fuzz/run.sh "${FUZZ_SECONDS:-60}"; fi
ctest --test-dir "$BUILD" --output-on-failure -j "$(nproc)"
