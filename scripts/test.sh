#!/usr/bin/env bash
# Builds everything and runs every test (window tests run headless), then
# the hardening stages: the layout check of the sources, a short fuzz run of
# every target over its seed corpus, the whole suite under AddressSanitizer
# and UndefinedBehaviorSanitizer,
# the static analysis of src/, and the core's tests and golden calculations
# cross-built for i386, arm64 and Windows x64 and run under emulators.
#   scripts/test.sh           everything (what CI runs)
#   scripts/test.sh --quick   the plain suite only
set -euo pipefail
cd "$(dirname "$0")/.."
quick=0
[ "${1:-}" = --quick ] && quick=1
scripts/install-deps.sh
[ "$quick" -eq 1 ] || scripts/install-deps.sh hardening
build_dir=${BUILD_DIR:-build}
cmake -S . -B "$build_dir" -DNAKLON_WERROR=ON
cmake --build "$build_dir" -j"$(nproc)"
QT_QPA_PLATFORM=offscreen ctest --test-dir "$build_dir" --output-on-failure -j"$(nproc)"
[ "$quick" -eq 1 ] && exit 0

scripts/format-check.sh
scripts/fuzz.sh "${FUZZ_SECONDS:-10}"
scripts/sanitize.sh
scripts/static-analysis.sh
scripts/cross-test.sh
