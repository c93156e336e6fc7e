#!/usr/bin/env bash
# Builds the Windows x64 package of the program on this Debian machine:
#   build-win64/package/naklon-<version>-win64/       the program folder
#   build-win64/package/naklon-<version>-win64.zip    the same, portable
#   build-win64/package/naklon-<version>-setup.exe    the installer (NSIS)
# Installs what it needs (scripts/install-deps.sh windows), builds Qt for
# Windows when it is not there yet (scripts/windows-qt.sh, about 40 minutes
# once), builds the program (scripts/windows-build.sh), then lays out the
# folder: naklon.exe, the DLLs it loads (found by following the imports of
# each file), Qt's windows platform plugin, qt.conf, Qt's Russian texts, the
# Liberation Sans fonts the program registers at start, and the licences.
# Every binary in the folder is stripped.
#   scripts/windows-package.sh          prints the package folder
# JOBS: parallel compile jobs (default: all cores).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

. scripts/shared.sh windows-package

scripts/install-deps.sh windows >&2
log "Qt for Windows"
qt=$(scripts/windows-qt.sh)
log "the program"
build=$(scripts/windows-build.sh naklon)
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
[ -n "$version" ] || { echo "windows-package: no project version in $build" >&2; exit 1; }

host=x86_64-w64-mingw32
package=$build/package
name=naklon-$version-win64
folder=$package/$name
log "laying out $folder"
rm -rf "$package"
mkdir -p "$folder/platforms" "$folder/translations" "$folder/fonts" "$folder/licenses"

# Where the DLLs come from: Qt's own, and the compiler's runtime (libstdc++,
# libgcc_s_seh, winpthread) wherever this compiler keeps them.
search=("$qt/bin")
for runtime in libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll; do
  found=$("$host-g++-posix" -print-file-name="$runtime")
  [ -f "$found" ] || { echo "windows-package: the compiler has no $runtime" >&2; exit 1; }
  found=$(cd "$(dirname "$found")" && pwd -P)
  [[ " ${search[*]} " == *" $found "* ]] || search+=("$found")
done
# A DLL of Windows itself is one MinGW has an import library for
# (KERNEL32.dll: libkernel32.a, WINSPOOL.DRV: libwinspool.a), or an API set
# (api-ms-win-core-synch-l1-2-0.dll), which Windows resolves itself; it is
# not shipped.
system_lib=$(dirname "$("$host-gcc-posix" -print-file-name=libkernel32.a)")

declare -A shipped=()
# Copies the DLLs a file imports into the folder, and theirs in turn.
ship_imports() {
  local dll lower path dir
  while read -r dll; do
    lower=${dll,,}
    [ -n "${shipped[$lower]:-}" ] && continue
    path=
    for dir in "${search[@]}"; do
      if [ -f "$dir/$dll" ]; then
        path=$dir/$dll
        break
      fi
    done
    if [ -z "$path" ]; then
      if [ -f "$system_lib/lib${lower%.*}.a" ] || [[ $lower == api-ms-win-* || $lower == ext-ms-win-* ]]; then
        shipped[$lower]=windows
        continue
      fi
      echo "windows-package: $1 needs $dll, found neither in ${search[*]} nor in Windows" >&2
      exit 1
    fi
    shipped[$lower]=$path
    cp "$path" "$folder/$dll"
    ship_imports "$path"
  done < <("$host-objdump" -p "$1" | sed -n 's/^[[:space:]]*DLL Name: //p')
}

cp "$build/src/naklon.exe" "$folder/"
ship_imports "$folder/naklon.exe"
# Loaded by Qt at run time, so no import names it. No other plugin: the
# style is Fusion, built into QtWidgets; the icon is a PNG, read by QtGui
# itself; the reference picture is decoded by libjpeg, linked in; printing
# on Windows is in QtPrintSupport.
cp "$qt/plugins/platforms/qwindows.dll" "$folder/platforms/"
ship_imports "$folder/platforms/qwindows.dll"

# Qt looks for its plugins and translations relative to its prefix, which a
# relocated Qt takes to be one folder above Qt6Core.dll, outside the
# program's folder; qt.conf makes the program folder the prefix.
printf '[Paths]\r\nPrefix = .\r\nPlugins = .\r\nTranslations = translations\r\n' >"$folder/qt.conf"
# Qt's texts of its own dialogs and menus; the .qm files are the same on
# every system.
cp /usr/share/qt6/translations/qtbase_ru.qm "$folder/translations/"
fonts=/usr/share/fonts/truetype/liberation2
cp "$fonts/LiberationSans-Regular.ttf" "$fonts/LiberationSans-Bold.ttf" "$folder/fonts/"

# Licences as Windows editors read them (CR LF): the program's, the fonts'
# beside them, and those of what the folder and naklon.exe carry (Qt,
# the compiler's runtime and winpthreads; GMP, MPFR and libjpeg-turbo,
# linked into naklon.exe), with the GNU licences they refer to.
text() { sed 's/\r*$/\r/' "$1" >"$2"; }
text LICENSE "$folder/LICENSE.txt"
text /usr/share/doc/fonts-liberation2/copyright "$folder/fonts/LICENSE.txt"
for pair in qt:libqt6core6 gcc-runtime:gcc-mingw-w64-base mingw-w64:mingw-w64-common \
  gmp:libgmp10 mpfr:libmpfr6 libjpeg-turbo:libjpeg62-turbo; do
  text "/usr/share/doc/${pair#*:}/copyright" "$folder/licenses/${pair%%:*}.txt"
done
for licence in GPL-2 GPL-3 LGPL-3; do
  text "/usr/share/common-licenses/$licence" "$folder/licenses/$licence.txt"
done

# The time of the last commit stands for every time the package records:
# the binaries' link time, which strip writes anew, and the files' times.
stamp=$(git log -1 --format=%ct 2>/dev/null || date +%s)
find "$folder" -type f \( -name '*.exe' -o -name '*.dll' \) -print0 |
  SOURCE_DATE_EPOCH=$stamp xargs -0 "$host-strip" --strip-unneeded
chmod -R u=rwX,go=rX "$folder"

# The portable zip: the folder under its own name, files in a fixed order,
# no owners or extra fields.
find "$folder" -exec touch -h -d "@$stamp" {} +
(cd "$package" && find "$name" -print | LC_ALL=C sort | TZ=UTC zip -q -X -9 "$name.zip" -@)

# The installer's lists of files: File lines folder by folder, and the
# Delete lines with the folders, deepest first, for the uninstaller. A "$"
# in a path is doubled, as NSIS reads it; $INSTDIR is NSIS's own.
nsis_path() {
  local path=${1//\$/\$\$}
  printf '%s' "${path//\//\\}"
}
instdir=\$INSTDIR
files=$package/files.nsh
remove=$package/remove.nsh
: >"$files"
: >"$remove"
while read -r dir; do
  printf 'SetOutPath "%s%s"\n' "$instdir" "$(nsis_path "${dir#"$folder"}")" >>"$files"
  while read -r file; do
    printf 'File "%s"\n' "${file//\$/\$\$}" >>"$files"
    printf 'Delete "%s\\%s"\n' "$instdir" "$(nsis_path "${file#"$folder"/}")" >>"$remove"
  done < <(find "$dir" -maxdepth 1 -type f -print | LC_ALL=C sort)
done < <(find "$folder" -type d -print | LC_ALL=C sort)
while read -r dir; do
  printf 'RMDir "%s\\%s"\n' "$instdir" "$(nsis_path "${dir#"$folder"/}")" >>"$remove"
done < <(find "$folder" -mindepth 1 -type d -print | LC_ALL=C sort -r)

setup=$package/naklon-$version-setup.exe
size_kb=$(du -sk --apparent-size "$folder" | cut -f1)
SOURCE_DATE_EPOCH=$stamp makensis -V2 -INPUTCHARSET UTF8 \
  -DVERSION="$version" -DFILES="$files" -DREMOVE="$remove" \
  -DSIZE_KB="$size_kb" -DICON="$root/resources/naklon.ico" -DOUTFILE="$setup" \
  packaging/windows/naklon.nsi >&2

log "$(du -h --apparent-size "$setup" "$package/$name.zip" | tr '\t\n' ' ')"
echo "$package"
