#!/usr/bin/env bash
# Cross-builds the Qt-free core, the page calculations and their tests for
# other machines and runs them there under an emulator: the core and page
# tests, the file layer's tests and the golden calculations, whose output
# must match the checked-in file byte for byte on every machine.
#   i386     Debian's i686 cross compiler, run under qemu-i386
#   arm64    Debian's AArch64 cross compiler, run under qemu-aarch64
#   mingw64  MinGW-w64 for Windows x64, run under wine
#
#   scripts/cross-test.sh [target...]     default: all three
#   JOBS: parallel compile jobs (default: all cores)
# Each target builds in build-<target>/. GoogleTest, GMP and MPFR for i386
# and arm64 are Debian's multiarch packages; for Windows GoogleTest is built
# from Debian's /usr/src/googletest and GMP and MPFR from Debian's source
# packages, into build-mingw64/deps/, which later runs reuse
# (scripts/windows-deps.sh); the machine's apt configuration is left as it is.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
jobs=${JOBS:-$(nproc)}
targets=(i386 arm64 mingw64)
[ $# -gt 0 ] && targets=("$@")
# Each test program (the core's, the file layer's; paths below tests/) runs
# once under the target's emulator (the same command as its toolchain file's
# CMAKE_CROSSCOMPILING_EMULATOR); started
# through CTest, every test case would start the emulator anew (a minute for
# qemu, far more for wine). The golden comparisons, one for each build of the
# core, are CTest tests: they bring their checked-in file as an argument.
test_programs=(naklon_core_tests files/naklon_files_tests)
golden_tests='^golden_calculations'
. scripts/shared.sh cross
wine_env_in "$root/build-mingw64/wine"

scripts/install-deps.sh cross

# Configures, builds and tests one target; prints its timings. The build
# drops the debug information (a sixth of the compile time), nothing else.
cross_test() {
  local target=$1 build=$root/build-$1 start=$SECONDS
  local prefix=() run=() suffix='' goldens=() status=0
  case "$target" in
    i386) run=(qemu-i386) ;;
    arm64) run=(qemu-aarch64) ;;
    mingw64)
      run=("${wine_env[@]}" wine) suffix=.exe
      prefix=(-DCMAKE_PREFIX_PATH="$build/deps/prefix")
      ;;
  esac
  mkdir -p "$build"
  # GoogleTest's test lists are read when CTest runs, not by running the
  # programs under the emulator at build time.
  cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-$target.cmake" \
    "${prefix[@]}" -DNAKLON_WERROR=ON -DNAKLON_BUILD_UI=OFF -DNAKLON_BUILD_BENCH=OFF \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -DNDEBUG" \
    -DCMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE=PRE_TEST >"$build/configure.log" || return 1
  mapfile -t goldens < <(ctest --test-dir "$build" -N -R "$golden_tests" | sed -n 's/^ *Test *#[0-9]*: //p')
  [ ${#goldens[@]} -gt 0 ] || { echo "$target: no golden comparison configured" >&2; return 1; }
  cmake --build "$build" -j"$jobs" --target "${test_programs[@]##*/}" "${goldens[@]}" || return 1
  log "$target: built ($((SECONDS - start)) s)"
  local program
  for program in "${test_programs[@]}"; do
    (cd "$build/tests" && "${run[@]}" "./$program$suffix" --gtest_brief=1) || status=1
  done
  local names
  names="^($(IFS='|'; echo "${goldens[*]}"))\$"
  ctest --test-dir "$build" --output-on-failure -R "$names" | tee "$build/ctest.log" || status=1
  log "$target: tests run ($((SECONDS - start)) s)"
  return "$status"
}

for target in "${targets[@]}"; do
  case "$target" in
    i386 | arm64 | mingw64) ;;
    *) echo "unknown target $target (i386, arm64, mingw64)" >&2; exit 2 ;;
  esac
done

# Windows needs GMP, MPFR and GoogleTest built first and wine set up (it
# makes its Windows folders on its first start): that starts in the
# background while the other targets build.
mingw_prepared=
for target in "${targets[@]}"; do
  if [ "$target" = mingw64 ]; then
    mkdir -p build-mingw64/deps
    (scripts/windows-deps.sh && "${wine_env[@]}" wine cmd /c exit) \
      >build-mingw64/deps/prepare.log 2>&1 &
    mingw_prepared=$!
  fi
done

failed=()
for target in "${targets[@]}"; do
  if [ "$target" = mingw64 ]; then
    start=$SECONDS
    if ! wait "$mingw_prepared"; then
      tail -n 30 build-mingw64/deps/prepare.log build-mingw64/deps/*.log >&2
      failed+=("$target")
      continue
    fi
    log "mingw64: GMP, MPFR, GoogleTest and wine ready (waited $((SECONDS - start)) s)"
  fi
  cross_test "$target" || failed+=("$target")
done
# wine's server ends a few seconds after its last program.
[ -d build-mingw64/wine ] && { "${wine_env[@]}" wineserver -w || true; }

if [ ${#failed[@]} -gt 0 ]; then
  echo "cross tests failed on: ${failed[*]}" >&2
  exit 1
fi
log "all passed: ${targets[*]}"
