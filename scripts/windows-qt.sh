#!/usr/bin/env bash
# Qt for Windows x64, built once from Debian's own qt6-base source package
# with the MinGW-w64 compilers and kept outside the work tree:
#   <cache>/qt-<Debian's Qt version>-<options' hash>/
# <cache> is NAKLON_WINDOWS_CACHE, else $XDG_CACHE_HOME/naklon-windows, else
# ~/.cache/naklon-windows. The host tools (moc, rcc, uic) are those of the
# machine's Qt, so the source is the same version as qt6-base-dev.
#   scripts/windows-qt.sh            builds it if missing, prints its folder
#   scripts/windows-qt.sh --where    prints the folder, builds nothing
#                                    (exit 1 when it is not there yet)
# The build takes about 25 minutes on 2 cores and 1.4 GB of disk, which are
# freed afterwards; the installed Qt takes about 80 MB.
# JOBS: parallel compile jobs (default: all cores).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
jobs=${JOBS:-$(nproc)}

# Only what the program links (Core, Gui, Widgets, PrintSupport; Test for
# its window tests) and loads (the windows and offscreen platforms). Windows
# has no D-Bus; the program has no SQL, network, OpenGL, Vulkan, Concurrent
# or Xml; it decodes its one JPEG itself and reads PNG alone, so no image
# format plugin; its style is Fusion, so no Windows Vista style; the
# Direct2D platform plugin is never loaded (Direct2D itself stays on:
# without it PrintSupport and the windows platform plugin do not link).
# Tablet support needs the wintab header, which Debian's source lacks. docs/packaging.md has what each option saves.
options=(
  -DBUILD_SHARED_LIBS=ON -DCMAKE_BUILD_TYPE=Release
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
  -DQT_QMAKE_TARGET_MKSPEC=win32-g++
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF
  -DFEATURE_opengl=OFF -DINPUT_opengl=no -DFEATURE_dbus=OFF -DFEATURE_sql=OFF
  -DFEATURE_network=OFF -DFEATURE_tabletevent=OFF -DFEATURE_icu=OFF
  -DFEATURE_vulkan=OFF -DFEATURE_zstd=OFF -DFEATURE_pkg_config=OFF
  -DFEATURE_system_zlib=OFF -DFEATURE_androiddeployqt=OFF
  -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF
  -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF -DFEATURE_ico=OFF
  -DFEATURE_style_windowsvista=OFF -DFEATURE_direct2d1_1=OFF
)

cache=${NAKLON_WINDOWS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/naklon-windows}
version=$(dpkg-query -W -f='${Version}' qt6-base-dev 2>/dev/null || true)
if [ -z "$version" ]; then
  echo "windows-qt: qt6-base-dev is not installed (scripts/install-deps.sh)" >&2
  exit 1
fi
key=$(printf '%s\n' "$version" "${options[@]}" | sha256sum | cut -c1-12)
prefix=$cache/qt-${version%%+*}-$key

if [ -f "$prefix/.complete" ]; then
  echo "$prefix"
  exit 0
fi
if [ "${1:-}" = --where ]; then
  echo "$prefix"
  exit 1
fi

work=$cache/work-$key
. scripts/shared.sh windows-qt
log "building Qt $version for Windows x64 into $prefix (log: $work/build.log)"
rm -rf "$work" "$prefix"
mkdir -p "$work/src"
"$root/scripts/debian-source.sh" "$work/src" qt6-base >"$work/source.log" 2>&1 ||
  { tail -n 20 "$work/source.log" >&2; exit 1; }
source_dir=$(find "$work/src" -maxdepth 1 -type d -name 'qt6-base-*' | head -n1)
cmake -S "$source_dir" -B "$work/build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw64.cmake" \
  -DCMAKE_INSTALL_PREFIX="$prefix" \
  "${options[@]}" >"$work/build.log" 2>&1 ||
  { tail -n 40 "$work/build.log" >&2; exit 1; }
cmake --build "$work/build" -j"$jobs" >>"$work/build.log" 2>&1 ||
  { tail -n 40 "$work/build.log" >&2; exit 1; }
cmake --install "$work/build" >>"$work/build.log" 2>&1 ||
  { tail -n 40 "$work/build.log" >&2; exit 1; }
cp "$work/build.log" "$prefix/build.log"
# Each step's start and end in milliseconds, for what an option costs.
cp "$work/build/.ninja_log" "$prefix/ninja-log.txt"
rm -rf "$work"
touch "$prefix/.complete"
log "done: $(du -sh "$prefix" | cut -f1)"
echo "$prefix"
