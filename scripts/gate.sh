#!/usr/bin/env bash
# CI's hardening and cross stages, run after scripts/test.sh, in this order:
#   1. format    the layout of the sources against .clang-format
#                (scripts/format-check.sh), and the includes between the
#                folders of src/ pointing one way (scripts/include-order.sh)
#   2. fuzz      every libFuzzer target over its seed corpus for FUZZ_SECONDS
#                seconds each, default 10 (scripts/fuzz.sh)
#   3. sanitize  the whole suite under AddressSanitizer and
#                UndefinedBehaviorSanitizer (scripts/sanitize.sh)
#   4. static    clang-tidy and cppcheck over src/ (scripts/static-analysis.sh)
#   5. cross     the core's tests and golden calculations cross-built for
#                i386 and arm64 (run under qemu) and Windows x64 (run under
#                wine) (scripts/cross-test.sh)
#   6. windows   the Windows x64 build of the window with its tests under
#                wine (scripts/windows-test.sh); it needs the Qt for Windows
#                that scripts/windows-qt.sh keeps outside the work tree and
#                says plainly that it did not run when there is none
# First installs what they need: scripts/install-deps.sh hardening and
# scripts/install-deps.sh cross. Stops at the first stage that fails.
# Each stage builds in its own folder (build-hard-fuzz, build-hard-asan,
# build-hard-tidy, build-i386, build-arm64, build-mingw64), so BUILD_DIR is
# not passed on. The cross stage fetches GMP's and MPFR's Debian sources with
# its own apt set-up in build-mingw64/deps/src/apt/ (scripts/debian-source.sh);
# the machine's apt sources stay as they are.
#   scripts/gate.sh
set -euo pipefail
cd "$(dirname "$0")/.."
if [ $# -gt 0 ]; then
  echo "usage: scripts/gate.sh (no arguments)" >&2
  exit 2
fi
unset BUILD_DIR

stage() { printf '== gate: %s (%s)\n' "$1" "$(date -u +%T)"; }

stage install
scripts/install-deps.sh hardening
scripts/install-deps.sh cross
stage format
scripts/format-check.sh
scripts/include-order.sh
stage fuzz
scripts/fuzz.sh "${FUZZ_SECONDS:-10}"
stage sanitize
scripts/sanitize.sh
stage static
scripts/static-analysis.sh
stage cross
scripts/cross-test.sh
stage windows
scripts/windows-test.sh
stage passed
