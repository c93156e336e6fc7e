#!/usr/bin/env bash
# Builds the Debian package, unpacks it into a scratch root and checks it:
# its file list, its dependencies, that the installed program finds its
# libraries and starts, and what desktop-file-validate, appstreamcli and
# lintian say. Fails on any error; lintian's warnings are printed.
#   scripts/package-test.sh [build dir]      (default: build-package)
# A build dir that does not exist yet is configured to build the program
# alone; an existing one (CI's) is used as it is.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build_dir=$(realpath -m "${1:-$here/build-package}")

tools=(desktop-file-utils appstream lintian dpkg-dev file)
missing=()
for package in "${tools[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "package-test: installing ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

if [ ! -f "$build_dir/CMakeCache.txt" ]; then
  cmake -S "$here" -B "$build_dir" -DCMAKE_BUILD_TYPE=Release -DNAKLON_BUILD_BENCH=OFF \
    -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON >/dev/null
fi
cmake --build "$build_dir" --target naklon naklon_packaging_documents -j"${JOBS:-2}" >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$build_dir" && cpack -G DEB -B "$work/out" >/dev/null)
deb=$(ls "$work"/out/naklon_*.deb)
echo "package-test: built $(basename "$deb")"

failures=0
fail() { echo "package-test: FAIL: $*" >&2; failures=$((failures + 1)); }

# The files, exactly.
expected=$(cat <<'LIST'
./usr/bin/naklon
./usr/share/applications/naklon.desktop
./usr/share/doc/naklon/changelog.Debian.gz
./usr/share/doc/naklon/copyright
./usr/share/icons/hicolor/32x32/apps/naklon.png
./usr/share/icons/hicolor/scalable/apps/naklon.svg
./usr/share/man/man1/naklon.1.gz
./usr/share/metainfo/org.example.naklon.metainfo.xml
LIST
)
actual=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' | sort)
if [ "$actual" != "$expected" ]; then
  fail "file list differs:"
  diff <(echo "$expected") <(echo "$actual") >&2 || true
fi

# Dependencies: computed from the binary, plus the run-time plugin and fonts.
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6widgets6 libqt6gui6 libqt6core6 libjpeg62-turbo libc6 qt6-qpa-plugins fonts-liberation2 qt6-translations-l10n; do
  grep -q "\b$needed\b" <<<"$depends" || fail "Depends lacks $needed: $depends"
done

root="$work/root"
dpkg -x "$deb" "$root"
program="$root/usr/bin/naklon"
if ldd "$program" | grep -q 'not found'; then
  fail "unresolved libraries:"
  ldd "$program" | grep 'not found' >&2
fi
# It starts and keeps running until it is stopped.
status=0
QT_QPA_PLATFORM=offscreen timeout 3 "$program" >/dev/null 2>&1 || status=$?
[ "$status" -eq 124 ] || fail "the installed program ended with status $status instead of running"
icon=$(file -b "$root/usr/share/icons/hicolor/32x32/apps/naklon.png")
grep -q '32 x 32' <<<"$icon" || fail "the 32x32 icon is $icon"

desktop-file-validate "$root/usr/share/applications/naklon.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$root/usr/share/metainfo/org.example.naklon.metainfo.xml" ||
  fail "appstreamcli validate"

lintian_out="$work/lintian.txt"
lintian_status=0
lintian --fail-on error --suppress-tags-from-file /dev/null "$deb" >"$lintian_out" 2>&1 || lintian_status=$?
cat "$lintian_out"
[ "$lintian_status" -eq 0 ] || fail "lintian reported errors"

if [ "$failures" -ne 0 ]; then
  echo "package-test: $failures check(s) failed" >&2
  exit 1
fi
echo "package-test: all checks passed"
