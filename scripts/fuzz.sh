#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build-fuzz, replays every kept regression input, then
# fuzzes each target for SECONDS (default 3600) from its seed corpus and the corpus earlier runs
# grew in build-fuzz/corpus/<target>.
#
#   bash scripts/fuzz.sh [--short] [SECONDS] [TARGET...]
#
# TARGET is receive_path, settings_store or sim_cli (default: all three). --short is the test
# command's run: without clang and libFuzzer it says so and succeeds instead of failing.
# A crash leaves its input in build-fuzz/crashes/<target>/ and fails the run; once the fault is
# fixed, copy the input to fuzz/regressions/<target>/ so every later run replays it.
# Figures (executions, corpus size, crashes) go to build-fuzz/fuzz-report.txt.
set -euo pipefail
cd "$(dirname "$0")/.."

short=0
if [ "${1:-}" = "--short" ]; then
  short=1
  shift
fi
seconds=3600
if [[ "${1:-}" =~ ^[0-9]+$ ]]; then
  seconds=$1
  shift
fi
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(receive_path settings_store sim_cli)

skip() {
  echo "fuzz: $1" >&2
  [ "$short" -eq 1 ] && { echo "fuzz: skipped (install clang and libclang-rt-14-dev to run the fuzz targets)"; exit 0; }
  exit 1
}

# clang with the libFuzzer runtime: a one-line target must link.
command -v clang++ >/dev/null || skip "clang++ not found"
probe=$(mktemp -d)
trap 'rm -rf "$probe"' EXIT
echo 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char *, unsigned long) { return 0; }' >"$probe/p.cpp"
clang++ -fsanitize=fuzzer,address,undefined "$probe/p.cpp" -o "$probe/p" 2>/dev/null ||
  skip "clang++ cannot link a libFuzzer target (libclang-rt-14-dev missing?)"

build=build-fuzz
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARNWICK_FUZZ=ON \
  -DTARNWICK_TESTS=OFF -DTARNWICK_BENCHMARKS=OFF "${launcher[@]}" >/dev/null
bash fuzz/make_corpus.sh "$build/seeds" >/dev/null

# Leaks are real faults too; a slow input (over 10 s) counts as a hang.
export ASAN_OPTIONS="abort_on_error=0:detect_leaks=1:strict_string_checks=1"
export UBSAN_OPTIONS="print_stacktrace=1"
flags=(-timeout=10 -rss_limit_mb=3072 -print_final_stats=1)
report="$build/fuzz-report.txt"
: >"$report"
failed=0

for t in "${targets[@]}"; do
  bin="$build/fuzz/fuzz_$t"
  # One target that does not build (clang is stricter than gcc here and there) stops only itself.
  if ! cmake --build "$build" --parallel "$(nproc)" --target "fuzz_$t" >"$build/build-$t.log" 2>&1; then
    echo "fuzz $t: does not build with clang:" >&2
    grep -E 'error' "$build/build-$t.log" | head -n 20 >&2
    echo "fuzz $t: not built" >>"$report"
    failed=1
    continue
  fi
  regressions=(fuzz/regressions/"$t"/*)
  if [ -e "${regressions[0]}" ]; then
    if "$bin" "${flags[@]}" "${regressions[@]}" >"$build/regressions-$t.log" 2>&1; then
      echo "fuzz $t: ${#regressions[@]} regression inputs pass"
    else
      echo "fuzz $t: a regression input fails again:" >&2
      grep -E 'ERROR|SUMMARY|check failed|Running:' "$build/regressions-$t.log" | tail -n 20 >&2
      failed=1
    fi
  fi

  corpus="$build/corpus/$t"
  crashes="$build/crashes/$t"
  mkdir -p "$corpus" "$crashes"
  log="$build/fuzz-$t.log"
  status=0
  "$bin" "${flags[@]}" -max_total_time="$seconds" -artifact_prefix="$crashes/" "$corpus" "$build/seeds/$t" \
    >"$log" 2>&1 || status=$?
  execs=$(grep -oE 'stat::number_of_executed_units: +[0-9]+' "$log" | grep -oE '[0-9]+$' || echo '?')
  rate=$(grep -oE 'stat::average_exec_per_sec: +[0-9]+' "$log" | grep -oE '[0-9]+$' || echo '?')
  units=$(find "$corpus" -type f | wc -l)
  found=$(find "$crashes" -type f | wc -l)
  line="fuzz $t: ${seconds}s, $execs executions ($rate/s), corpus $units inputs, $found crash inputs in $crashes"
  echo "$line" | tee -a "$report"
  if [ "$status" -ne 0 ]; then
    echo "fuzz $t: failed (exit $status); the end of $log:" >&2
    grep -E '==[0-9]+==|SUMMARY|check failed|#[0-9]+ 0x| in |Test unit written' "$log" | head -n 40 >&2
    echo "fuzz $t: reproduce with $bin <crash file>" >&2
    failed=1
  fi
done
exit "$failed"
