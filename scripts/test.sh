#!/usr/bin/env bash
# Builds everything and runs every test; then builds the suite again with AddressSanitizer and
# UndefinedBehaviorSanitizer and runs it without the soak test, so a memory or UB fault fails too;
# then runs each fuzz target briefly and replays the inputs that once crashed them.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
bash scripts/layers.sh
jobs="$(nproc)"

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --parallel "$jobs"
(cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel "$jobs" --timeout 600)

# The sanitizer pass: no benchmarks, no soak and no load test (they are long or timed, and the
# plain pass ran them).
cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARNWICK_SANITIZE=ON \
      -DTARNWICK_BENCHMARKS=OFF >/dev/null
cmake --build build-sanitize --parallel "$jobs"
export ASAN_OPTIONS="abort_on_error=0:detect_stack_use_after_return=0:strict_string_checks=1"
export UBSAN_OPTIONS="print_stacktrace=1"
(cd build-sanitize && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel "$jobs" --timeout 600 \
     -E 'Soak|SimLoad')

# Fuzzing: 30 seconds per target plus every regression input (skipped, with a note, without clang's
# libFuzzer). scripts/fuzz.sh SECONDS runs them for long.
bash scripts/fuzz.sh --short 30
