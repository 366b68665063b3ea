#!/usr/bin/env bash
# Builds everything and runs every test; then builds the suite again with AddressSanitizer and
# UndefinedBehaviorSanitizer and runs it without the soak test, so a memory or UB fault fails too.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
jobs="$(nproc)"

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --parallel "$jobs"
(cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel "$jobs" --timeout 600)

# The sanitizer pass: no benchmarks, no soak (it is long, and the plain pass ran it).
cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARNWICK_SANITIZE=ON \
      -DTARNWICK_BENCHMARKS=OFF >/dev/null
cmake --build build-sanitize --parallel "$jobs"
export ASAN_OPTIONS="abort_on_error=0:detect_stack_use_after_return=0:strict_string_checks=1"
export UBSAN_OPTIONS="print_stacktrace=1"
(cd build-sanitize && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel "$jobs" --timeout 600 \
     -E 'Soak')
