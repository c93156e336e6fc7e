#!/usr/bin/env bash
# Builds the program, its window tests, the core's tests and the golden
# calculations for Windows x64 into build-win64/, against the Qt for Windows
# that scripts/windows-qt.sh keeps (it is not built here: without it this
# script says so and exits with 3) and the static libraries of
# scripts/windows-deps.sh.
#   scripts/windows-build.sh             builds everything, prints the build folder
#   scripts/windows-build.sh naklon ...  builds only these targets
# JOBS: parallel compile jobs (default: all cores).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
jobs=${JOBS:-$(nproc)}
build=$root/build-win64

if ! qt=$(scripts/windows-qt.sh --where); then
  echo "windows-build: no Qt for Windows in $qt yet (scripts/windows-qt.sh builds it)" >&2
  exit 3
fi
deps=$(scripts/windows-deps.sh --jpeg)
mkdir -p "$build"
# GoogleTest's test lists are read when CTest runs, not under wine at build
# time. The core's second build with the software format is the cross
# stage's to test; the program has one. Optimised as the Linux program and
# the cross stage are, with -O2 (GCC 12's -O3 also warns, wrongly, of
# overlapping copies in std::string's operator+).
cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw64-qt.cmake" \
  -DCMAKE_PREFIX_PATH="$qt;$deps" -DQT_HOST_PATH=/usr \
  -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -DNDEBUG" \
  -DNAKLON_WERROR=ON -DNAKLON_BUILD_BENCH=OFF \
  -DNAKLON_SOFT_EXTENDED_TWIN=OFF \
  -DCMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE=PRE_TEST >"$build/configure.log" 2>&1 ||
  { tail -n 40 "$build/configure.log" >&2; exit 1; }
cmake --build "$build" -j"$jobs" ${1:+--target "$@"} >&2
echo "$build"
