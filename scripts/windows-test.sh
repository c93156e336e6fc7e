#!/usr/bin/env bash
# Runs the Windows x64 build of the window under wine, headless: every
# window test on the offscreen platform, each program once, as a Windows
# program with the Qt DLLs it ships with (the core's tests and the golden
# calculations run under wine in the cross stage, scripts/cross-test.sh).
# Then the package as an engineer meets it (scripts/windows-package.sh): the
# installer run silently in a fresh wine prefix, for the user alone; the
# installed program started on an Xvfb display at 96 and at 192 dots per
# inch, its window looked for and photographed; the silent uninstall, after
# which nothing of it may be left.
#   scripts/windows-test.sh [--screenshots <folder>]
# The photographs go to build-win64/screenshots/ (windows-96dpi.png,
# windows-192dpi.png), and also to <folder> when one is given.
# Builds what it lacks first: the Qt for Windows that scripts/windows-qt.sh
# keeps outside the work tree (about 25 minutes, once), the static libraries
# of scripts/windows-deps.sh, the program and its window tests.
# JOBS: parallel compile jobs (default: all cores).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
. scripts/shared.sh windows-test
keep_screenshots=
if [ "${1:-}" = --screenshots ] && [ -n "${2:-}" ]; then
  keep_screenshots=$(realpath "$2")
elif [ $# -gt 0 ]; then
  echo "usage: $0 [--screenshots <folder>]" >&2
  exit 2
fi

scripts/install-deps.sh windows
qt=$(scripts/windows-qt.sh)
build=$(scripts/windows-build.sh naklon_window_tests)

# The DLLs come from where they were built: Qt's bin folder and the
# compiler's runtime. wine does not hand QT_* variables to a program, so the
# platform is an argument.
runtime=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name=libstdc++-6.dll)")
pthread=$(dirname "$(x86_64-w64-mingw32-gcc-posix -print-file-name=libwinpthread-1.dll)")
wine_env_in "$build/wine" \
  "WINEPATH=$(windows_path "$qt/bin");$(windows_path "$runtime");$(windows_path "$pthread")"
# A path of the drive wine maps the root folder to, without its letter: a
# colon would end the platform's argument.
platform="offscreen:configfile=$root/tests/support/screen-1280x1024.json"
fonts=/usr/share/fonts/truetype/liberation2

# Qt's Russian catalogue where Qt looks for it, the bundled face where the
# program looks for it (beside each test program).
mkdir -p "$qt/translations"
[ -f "$qt/translations/qtbase_ru.qm" ] || cp /usr/share/qt6/translations/qtbase_ru.qm "$qt/translations/"

"${wine_env[@]}" wineserver -k 2>/dev/null || true
"${wine_env[@]}" wine cmd /c exit >/dev/null 2>&1
# One wine server for the whole run, started once the prefix is made: a
# server ending just as the next program starts can leave that program
# unstarted.
"${wine_env[@]}" wineserver -w
"${wine_env[@]}" wineserver -p
trap '"${wine_env[@]}" wineserver -k 2>/dev/null || true' EXIT

# Runs one program from its folder: run_under_wine <dir> <name> <sign> <args...>.
# Its console goes to <name>.console beside it. <sign> is a file the
# program writes as soon as it runs, or "console:<text>" for a line it
# prints first. A program that leaves no such sign never ran (wine could not
# start it): it is started once more, and the log says so. A program that
# ran and failed is not.
run_under_wine() {
  local dir=$1 name=$2 sign=$3 attempt
  shift 3
  for attempt in 1 2; do
    case "$sign" in console:*) ;; *) rm -f "$dir/$sign" ;; esac
    (cd "$dir" && "${wine_env[@]}" wine "./$name.exe" "$@" >"$dir/$name.console" 2>&1) && return 0
    case "$sign" in
      console:*) grep -qF "${sign#console:}" "$dir/$name.console" && break ;;
      *) [ -e "$dir/$sign" ] && break ;;
    esac
    [ "$attempt" = 1 ] && log "$name: wine did not start it; starting it once more"
  done
  return 1
}

# Runs one QtTest program: run_qtest <dir> <name> <log name> <args...>.
# Shows its summary and failures from the log it writes under wine (and the
# console's end when it failed), and counts it among the failed under
# <log name>.
run_qtest() {
  local dir=$1 name=$2 log_name=$3
  shift 3
  if ! run_under_wine "$dir" "$name" "$log_name.log" "$@" -o "$log_name.log,txt"; then
    failed+=("$log_name")
    tail -n 20 "$dir/$name.console" >&2
  fi
  log "$log_name: $(grep -E '^Totals:' "$dir/$log_name.log" 2>/dev/null || echo 'no totals')"
  grep -E '^(FAIL|XPASS)!' -A3 "$dir/$log_name.log" 2>/dev/null || true
}

failed=()
while IFS= read -r program; do
  dir=$(dirname "$program")
  name=$(basename "$program" .exe)
  mkdir -p "$dir/fonts"
  cp "$fonts/LiberationSans-Regular.ttf" "$fonts/LiberationSans-Bold.ttf" "$dir/fonts/"
  # A test without a GUI application object takes no platform.
  platform_option=(-platform "$platform")
  grep -q QTEST_GUILESS_MAIN "$root/tests/${dir#"$build/tests/"}/$name.cpp" && platform_option=()
  run_qtest "$dir" "$name" "$name" "${platform_option[@]}"
done < <(find "$build/tests" -name '*_test.exe' -not -path '*/wine/*' | sort)

# The window's place and the group boxes' frames at 150 % and 200 %: the
# scale goes in through the environment wine keeps in its registry.
for scale in 1.5 2; do
  name=main_window_test_at_$scale
  "${wine_env[@]}" wine reg add 'HKCU\Environment' /v QT_SCALE_FACTOR /d "$scale" /f >/dev/null 2>&1
  run_qtest "$build/tests/main_window" main_window_test "$name" -platform "$platform" \
    windowsStartOnTheScreen groupBoxFramesClearTheirTexts
  "${wine_env[@]}" wine reg delete 'HKCU\Environment' /v QT_SCALE_FACTOR /f >/dev/null 2>&1
done

"${wine_env[@]}" wineserver -k || true

# "Хомуты" in the installed program, from the keyboard as an engineer works:
# B20, A300, spacing 15, area 0.57, width 20, depth 40, "Считать", then
# "Сохранить" into the build folder. The file must hold, byte for byte, the
# lines every other build gives for that check (golden_calculations.txt, in
# Windows-1251 with CR LF) after the empty line a history starts with, in
# the separators of wine's English locale.
worked_example() {
  local window=$1 saved=$build/screenshots/stirrups.txt expected=$build/screenshots/stirrups-expected.txt
  rm -f "$saved"
  awk -v head='#9 Хомуты проверка |20|300|15|0.57|20|40|' \
    'BEGIN { printf "\r\n" } $0 == head { on = 1; next } /^#/ { on = 0 } on && /^ > ?/ { printf "%s\r\n", substr($0, 4) }' \
    tests/golden/golden_calculations.txt | iconv -f UTF-8 -t CP1251 >"$expected"
  (
    export DISPLAY=$display
    xdotool windowfocus --sync "$window"
    # From the tab strip: the history box, the first option, the two class
    # lists, the four fields, "Открыть", "Считать", "Отчистить", "Сохранить".
    xdotool key --delay 100 Tab Tab Tab 2 Tab 3 Tab
    for text in 15 0.57 20 40; do
      xdotool type --delay 50 "$text"
      xdotool key Tab
    done
    xdotool key --delay 300 Tab space Tab Tab space
    sleep 2
    xdotool key ctrl+a
    xdotool type --delay 20 "$(windows_path "$build/screenshots")\\stirrups.txt"
    xdotool key Return
  )
  for _ in $(seq 1 20); do
    [ -s "$saved" ] && break
    sleep 0.5
  done
  if cmp "$saved" "$expected"; then
    log "the installed program saved the stirrups check byte for byte as every build computes it"
  else
    echo "the installed program's saved stirrups check differs from the golden lines" >&2
    return 1
  fi
}

# The installed program. The window is found by its caption; without a
# window manager on the display, the program is ended with its prefix.
installed_program() {
  local package setup prefix user_dir installed display xvfb dpi status=0
  package=$(scripts/windows-package.sh) || return 1
  setup=$(find "$package" -maxdepth 1 -name 'naklon-*-setup.exe' | head -n1)
  [ -n "$setup" ] || { echo "windows-package made no installer in $package" >&2; return 1; }
  prefix=$build/wine-installed
  rm -rf "$prefix" "$build/screenshots"
  mkdir -p "$build/screenshots"
  # Every wine program of the prefix sees the display: a wine server
  # started without one would leave the program without a window. The X
  # server takes a free display and names it once it accepts clients.
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -noreset 3>"$build/screenshots/display" >/dev/null 2>&1 &
  xvfb=$!
  for _ in $(seq 1 100); do
    [ -s "$build/screenshots/display" ] && break
    sleep 0.1
  done
  display=:$(head -n1 "$build/screenshots/display")
  [ "$display" != : ] || { echo "Xvfb did not start" >&2; kill "$xvfb" 2>/dev/null; return 1; }
  local wine_env # the installed program's prefix, for this function alone
  wine_env_in "$prefix" DISPLAY="$display"
  # Called where errexit does not hold (installed_program || ...): every
  # step that can fail says so and ends the check.
  "${wine_env[@]}" wine cmd /c exit >/dev/null 2>&1 || true
  if ! { "${wine_env[@]}" wine "$setup" /S && "${wine_env[@]}" wineserver -w; }; then
    echo "installer: $setup /S failed" >&2
    kill "$xvfb"
    return 1
  fi
  user_dir=$(find "$prefix/drive_c/users" -mindepth 1 -maxdepth 1 -type d ! -name Public | head -n1)
  installed=$user_dir/AppData/Local/Programs/Naklon
  [ -f "$installed/naklon.exe" ] || { echo "installer: no $installed/naklon.exe" >&2; kill "$xvfb"; return 1; }
  "${wine_env[@]}" wine reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Naklon' \
    /v UninstallString >/dev/null || { echo "installer: no uninstall entry for the user" >&2; kill "$xvfb"; return 1; }
  log "installed for the user into $installed"

  for dpi in 96 192; do
    if ! "${wine_env[@]}" wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1; then
      echo "wine did not take $dpi dpi" >&2
      status=1
      continue
    fi
    "${wine_env[@]}" wine "$installed/naklon.exe" >/dev/null 2>&1 &
    if window=$(DISPLAY=$display timeout 60 xdotool search --sync --onlyvisible --name 'Расчет наклонных сечений' |
      head -n1) && [ -n "$window" ]; then
      sleep 3
      if [ "$dpi" = 96 ]; then
        worked_example "$window" || status=1
      fi
      if DISPLAY=$display import -window "$window" "$build/screenshots/windows-${dpi}dpi.png"; then
        log "window shown at $dpi dpi: $build/screenshots/windows-${dpi}dpi.png"
      else
        echo "the window at $dpi dpi could not be photographed" >&2
        status=1
      fi
    else
      echo "the installed program showed no window at $dpi dpi" >&2
      status=1
    fi
    "${wine_env[@]}" wineserver -k || true
    wait $! 2>/dev/null || true
  done
  if ! { "${wine_env[@]}" wine "$installed/uninstall.exe" /S && "${wine_env[@]}" wineserver -w; }; then
    echo "uninstaller: $installed/uninstall.exe /S failed" >&2
    status=1
  fi
  kill "$xvfb" 2>/dev/null || true
  if [ -e "$installed" ] || "${wine_env[@]}" wine reg query \
    'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Naklon' >/dev/null 2>&1 ||
    find "$user_dir" -name '*.lnk' -path '*Programs*' | grep -q .; then
    echo "uninstaller: something of the program is left" >&2
    status=1
  else
    log "uninstalled: nothing of the program is left"
  fi
  if [ -n "$keep_screenshots" ] && [ "$status" -eq 0 ]; then
    cp "$build/screenshots/"windows-*.png "$keep_screenshots/" || status=1
  fi
  return "$status"
}
installed_program || failed+=(installed_program)

if [ ${#failed[@]} -gt 0 ]; then
  echo "windows-test: failed under wine: ${failed[*]}" >&2
  exit 1
fi
log "all passed under wine"
