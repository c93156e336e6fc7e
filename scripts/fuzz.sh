#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a given time,
# starting from the committed seed corpus (which stays untouched: new inputs
# go to the build folder). Prints executions and wall time per target; any
# crash or broken invariant fails the script and leaves the input in
# $BUILD_DIR/artifacts/.
#
#   scripts/fuzz.sh [seconds per target] [target...]
#     seconds: default 10, the short run of scripts/gate.sh
#     targets: default all
#   FUZZ_SANITIZERS: default address,undefined; "undefined" alone runs about
#     three times faster for long runs
#   BUILD_DIR: default build-hard-fuzz (build-hard-fuzz-<sanitizers> when
#     FUZZ_SANITIZERS is set)
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-10}
shift || true
all_targets=(read_number format_result history_file stirrups bent_up_bars no_reinforcement pull_off punching local_bearing)
targets=("${all_targets[@]}")
[ $# -gt 0 ] && targets=("$@")
sanitizers=${FUZZ_SANITIZERS:-address,undefined}
default_dir=build-hard-fuzz
[ -n "${FUZZ_SANITIZERS:-}" ] && default_dir=build-hard-fuzz-${sanitizers//,/-}
build_dir=${BUILD_DIR:-$default_dir}

CC=clang CXX=clang++ cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DNAKLON_WERROR=ON \
  -DNAKLON_FUZZ=ON -DNAKLON_SANITIZE=ON -DNAKLON_SANITIZERS="$sanitizers" \
  -DNAKLON_BUILD_UI=OFF -DNAKLON_BUILD_BENCH=OFF >/dev/null
cmake --build "$build_dir" -j"${JOBS:-$(nproc)}" --target "${targets[@]/%/_fuzzer}"

export ASAN_OPTIONS=abort_on_error=1:detect_leaks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
mkdir -p "$build_dir/artifacts"
failed=0
printf '%-18s %14s %10s %8s\n' target executions seconds result
for target in "${targets[@]}"; do
  corpus=$build_dir/corpus/$target
  mkdir -p "$corpus"
  max_len=4096
  # Long enough for digit strings that overflow the running number.
  [ "$target" = read_number ] && max_len=12000
  log=$build_dir/$target.log
  start=$(date +%s.%N)
  result=ok
  if ! "$build_dir/fuzz/${target}_fuzzer" "$corpus" "fuzz/corpus/$target" \
      -max_total_time="$seconds" -max_len="$max_len" -timeout=10 -rss_limit_mb=2048 \
      -print_final_stats=1 -artifact_prefix="$build_dir/artifacts/$target-" >"$log" 2>&1; then
    result=FAILED
    failed=1
  fi
  end=$(date +%s.%N)
  executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  printf '%-18s %14s %10.1f %8s\n' "$target" "${executions:-?}" "$(awk "BEGIN { print $end - $start }")" "$result"
  if [ "$result" = FAILED ]; then
    grep -E 'invariant failed|\*\*\*|ERROR|SUMMARY' "$log" | head -20 || true
    ls "$build_dir/artifacts/$target-"* 2>/dev/null || true
  fi
done
exit "$failed"
