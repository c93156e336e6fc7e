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
#                wine, and the installed package (scripts/windows-test.sh);
#                it needs the Qt for Windows that scripts/windows-qt.sh keeps
#                outside the work tree
# First installs what they need: scripts/install-deps.sh hardening, cross
# and windows. Stops at the first stage that fails, and ends by listing the
# stages that passed (with their times), the one that failed and those that
# did not run.
# When no Qt for Windows is kept yet, CI's run (CI=true) builds it in the
# background from the start, at the lowest priority, so that it takes the
# time the other stages leave a core idle; the windows stage waits for it
# (build-win64/qt-build.log). A run by hand without CI=true skips the windows
# stage instead, and says so.
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

stages=(install format fuzz sanitize static cross windows)
declare -A took=() not_run=()
running=
qt_build=

summary() {
  local name
  echo "== gate: summary"
  for name in "${stages[@]}"; do
    if [ -n "${took[$name]:-}" ]; then
      printf '  %-9s passed (%s)\n' "$name" "${took[$name]}"
    elif [ "$name" = "$running" ]; then
      printf '  %-9s FAILED\n' "$name"
    elif [ -n "${not_run[$name]:-}" ]; then
      printf '  %-9s NOT RUN: %s\n' "$name" "${not_run[$name]}"
    else
      printf '  %-9s not reached\n' "$name"
    fi
  done
  [ -z "$qt_build" ] || kill -- "-$qt_build" 2>/dev/null || true
}
trap summary EXIT

# run_stage <name> <function>: a failure ends the gate (errexit), and the
# summary names the stage.
run_stage() {
  local start=$SECONDS
  running=$1
  printf '== gate: %s (%s)\n' "$1" "$(date -u +%T)"
  "$2"
  took[$1]="$(((SECONDS - start) / 60)) min $(((SECONDS - start) % 60)) s"
  running=
}

stage_install() {
  scripts/install-deps.sh hardening
  scripts/install-deps.sh cross
  scripts/install-deps.sh windows
  if scripts/windows-qt.sh --where >/dev/null; then
    return
  fi
  if [ "${CI:-}" = true ]; then
    mkdir -p build-win64
    echo "no Qt for Windows is kept yet: building it in the background (build-win64/qt-build.log)"
    # In a session of its own, so that a gate that stops ends all of it. A
    # new session is a scheduling group of its own where the kernel groups
    # by session, and such a group takes its even share whatever its
    # programs' niceness: the group's own niceness is set too.
    setsid sh -c 'echo 19 >/proc/self/autogroup 2>/dev/null; exec nice -n 19 scripts/windows-qt.sh' \
      >build-win64/qt-build.log 2>&1 &
    qt_build=$!
  else
    not_run[windows]="no Qt for Windows is kept yet; scripts/windows-qt.sh builds it once (about 25 minutes), and a CI run (CI=true) always does"
  fi
}
stage_format() {
  scripts/format-check.sh
  scripts/include-order.sh
}
stage_fuzz() { scripts/fuzz.sh "${FUZZ_SECONDS:-10}"; }
stage_sanitize() { scripts/sanitize.sh; }
stage_static() { scripts/static-analysis.sh; }
stage_cross() { scripts/cross-test.sh; }
stage_windows() {
  if [ -n "$qt_build" ]; then
    echo "waiting for the Qt for Windows being built"
    if ! wait "$qt_build"; then
      qt_build=
      tail -n 40 build-win64/qt-build.log >&2
      return 1
    fi
    qt_build=
    cat build-win64/qt-build.log
  fi
  scripts/windows-test.sh
}

for name in "${stages[@]}"; do
  [ -n "${not_run[$name]:-}" ] || run_stage "$name" "stage_$name"
done
