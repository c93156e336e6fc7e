#!/usr/bin/env bash
# Builds the whole program and its tests with AddressSanitizer and
# UndefinedBehaviorSanitizer (every finding fatal) and runs the whole test
# suite, window tests included (headless).
#   scripts/sanitize.sh [extra cmake arguments, e.g. -DNAKLON_BUILD_UI=OFF]
#   BUILD_DIR (default build-hard-asan), JOBS (default: all cores)
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${BUILD_DIR:-build-hard-asan}
jobs=${JOBS:-$(nproc)}

cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DNAKLON_WERROR=ON \
  -DNAKLON_SANITIZE=ON -DNAKLON_SANITIZERS=address,undefined -DNAKLON_BUILD_BENCH=OFF "$@"
cmake --build "$build_dir" -j"$jobs"

export ASAN_OPTIONS=abort_on_error=1:detect_leaks=1:detect_stack_use_after_return=1:strict_string_checks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$PWD/scripts/lsan.supp:print_suppressions=0
# The exact formatResult reference runs on fewer doubles here; the plain
# suite runs the full million.
export NAKLON_REFERENCE_SAMPLES=${NAKLON_REFERENCE_SAMPLES:-200000}
# The package check belongs to the plain build: it packages what users get.
QT_QPA_PLATFORM=offscreen ctest --test-dir "$build_dir" --output-on-failure -j"$jobs" -LE package
