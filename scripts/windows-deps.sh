#!/usr/bin/env bash
# The libraries the Windows x64 builds link statically, built once with the
# MinGW-w64 compilers into build-mingw64/deps/prefix, which later runs reuse:
#   GMP and MPFR     from Debian's source packages (the core)
#   GoogleTest       from Debian's /usr/src/googletest (the core's tests)
#   libjpeg-turbo    from Debian's source package, with --jpeg (the window)
# The sources come through scripts/debian-source.sh, whose apt set-up of
# deb-src entries stays in build-mingw64/deps/src/apt/: the machine's apt
# configuration is left as it is.
#   scripts/windows-deps.sh [--jpeg]     prints the prefix
# JOBS: parallel compile jobs (default: all cores).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
jobs=${JOBS:-$(nproc)}
deps=$root/build-mingw64/deps
toolchain=$root/cmake/toolchain-mingw64.cmake
mkdir -p "$deps/src"

fail() {
  tail -n 30 "$1" >&2
  exit 1
}

# Debian removes GMP's manual from its source and regenerates the build
# files; the two generated files are edited here the way Debian's patch
# edits their sources.
if [ ! -f "$deps/prefix/lib/libmpfr.a" ]; then
  options=(--host=x86_64-w64-mingw32 CC=x86_64-w64-mingw32-gcc-posix
    --enable-static --disable-shared --prefix="$deps/prefix")
  rm -rf "$deps/src/gmp-"* "$deps/src/mpfr4-"* "$deps/src/gmp-build" "$deps/src/mpfr-build"
  mkdir -p "$deps/src/gmp-build" "$deps/src/mpfr-build"
  "$root/scripts/debian-source.sh" "$deps/src" gmp mpfr4 >"$deps/source.log" 2>&1 || fail "$deps/source.log"
  gmp=$(find "$deps/src" -maxdepth 1 -type d -name 'gmp-[0-9]*' | head -n1)
  mpfr=$(find "$deps/src" -maxdepth 1 -type d -name 'mpfr4-[0-9]*' | head -n1)
  sed -i 's| doc/Makefile||' "$gmp/configure"
  sed -i 's/^\(SUBDIRS = .*\) doc$/\1/' "$gmp/Makefile.in"
  (cd "$deps/src/gmp-build" && "$gmp/configure" "${options[@]}" &&
    make -j"$jobs" && make install) >"$deps/gmp.log" 2>&1 || fail "$deps/gmp.log"
  (cd "$deps/src/mpfr-build" && "$mpfr/configure" "${options[@]}" --with-gmp="$deps/prefix" &&
    make -j"$jobs" && make install) >"$deps/mpfr.log" 2>&1 || fail "$deps/mpfr.log"
fi

if [ ! -f "$deps/prefix/lib/cmake/GTest/GTestConfig.cmake" ]; then
  { cmake -S /usr/src/googletest -B "$deps/googletest" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$deps/prefix" -DBUILD_GMOCK=OFF &&
    cmake --build "$deps/googletest" -j"$jobs" &&
    cmake --install "$deps/googletest"; } >"$deps/googletest.log" 2>&1 || fail "$deps/googletest.log"
fi

# Without its SIMD parts, which need nasm: the program decodes one picture.
if [ "${1:-}" = --jpeg ] && [ ! -f "$deps/prefix/lib/libjpeg.a" ]; then
  rm -rf "$deps/src/libjpeg-turbo-"* "$deps/jpeg-build"
  "$root/scripts/debian-source.sh" "$deps/src" libjpeg-turbo >"$deps/source-jpeg.log" 2>&1 ||
    fail "$deps/source-jpeg.log"
  jpeg=$(find "$deps/src" -maxdepth 1 -type d -name 'libjpeg-turbo-[0-9]*' | head -n1)
  { cmake -S "$jpeg" -B "$deps/jpeg-build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$deps/prefix" \
    -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_SIMD=OFF -DWITH_TURBOJPEG=OFF -DWITH_JPEG8=OFF &&
    cmake --build "$deps/jpeg-build" -j"$jobs" &&
    cmake --install "$deps/jpeg-build"; } >"$deps/jpeg.log" 2>&1 || fail "$deps/jpeg.log"
fi
echo "$deps/prefix"
