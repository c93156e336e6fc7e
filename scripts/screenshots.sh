#!/bin/sh
# Starts naklon under a virtual X server and writes a screenshot of each of
# its six pages to docs/screenshots/page1.png ... page6.png.
#   scripts/screenshots.sh [path to naklon]    (default: build-ui/src/naklon)
set -eu

here=$(cd "$(dirname "$0")/.." && pwd)
program=${1:-$here/build-ui/src/naklon}
out=$here/docs/screenshots
display=:99

if ! command -v xdotool >/dev/null 2>&1; then
    apt-get install -y xdotool >/dev/null
fi
for tool in Xvfb import convert xdotool; do
    command -v "$tool" >/dev/null 2>&1 || { echo "screenshots: $tool is missing" >&2; exit 1; }
done
[ -x "$program" ] || { echo "screenshots: no program at $program" >&2; exit 1; }
mkdir -p "$out"

Xvfb "$display" -screen 0 1280x1024x24 -noreset >/dev/null 2>&1 &
xvfb=$!
naklon=
cleanup() {
    [ -n "$naklon" ] && kill "$naklon" 2>/dev/null || true
    kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT INT TERM
sleep 1

DISPLAY=$display "$program" &
naklon=$!

# Wait for the main window to be mapped.
window=
for _ in $(seq 1 50); do
    window=$(DISPLAY=$display xdotool search --onlyvisible --name 'Расчет наклонных сечений' 2>/dev/null | head -n 1) || true
    [ -n "$window" ] && break
    sleep 0.2
done
[ -n "$window" ] || { echo "screenshots: the main window did not appear" >&2; exit 1; }
DISPLAY=$display xdotool windowfocus --sync "$window"
sleep 0.5

for page in 1 2 3 4 5 6; do
    DISPLAY=$display import -window root "$out/page$page.png"
    if [ "$page" = 1 ]; then
        # The window alone, for the README.
        eval "$(DISPLAY=$display xdotool getwindowgeometry --shell "$window")"
        convert "$out/page1.png" -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$out/main-window.png"
    fi
    # The focus starts on the tab strip; Ctrl+Tab shows the next page.
    DISPLAY=$display xdotool key --window "$window" ctrl+Tab
    sleep 0.4
done
echo "screenshots: written to $out"
