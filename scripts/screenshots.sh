#!/bin/sh
# Starts naklon under a virtual X server and writes screenshots of its six
# pages to docs/screenshots/, in three looks:
#   page1.png ... page6.png            the desktop's light palette, 100 %
#   dark-page1.png ... dark-page6.png  a dark desktop: qt6ct with its "darker"
#                                      colours, the Windows style and DejaVu 12
#   200-page1.png ... 200-page6.png    the light palette at 200 % (QT_SCALE_FACTOR=2)
#   close-question.png                 the question on closing with that
#                                      result unsaved, light palette, 100 %
# On the first page the classes 20 and 300 are picked and one calculation is
# made, so a result stands in the history.
#   scripts/screenshots.sh [path to naklon]    (default: build/src/naklon)
# SCREENSHOT_DISPLAY picks the virtual display (default :99).
set -eu

here=$(cd "$(dirname "$0")/.." && pwd)
program=${1:-$here/build/src/naklon}
out=$here/docs/screenshots
display=${SCREENSHOT_DISPLAY:-:99}

need=
command -v xdotool >/dev/null 2>&1 || need="$need xdotool"
[ -e /usr/lib/x86_64-linux-gnu/qt6/plugins/platformthemes/libqt6ct.so ] || need="$need qt6ct"
[ -z "$need" ] || apt-get install -y $need >/dev/null
for tool in Xvfb import convert xdotool; do
    command -v "$tool" >/dev/null 2>&1 || { echo "screenshots: $tool is missing" >&2; exit 1; }
done
[ -x "$program" ] || { echo "screenshots: no program at $program" >&2; exit 1; }
mkdir -p "$out"

# A qt6ct set-up as a user of a dark desktop has it.
theme=$(mktemp -d)
mkdir -p "$theme/qt6ct"
cat >"$theme/qt6ct/qt6ct.conf" <<'CONF'
[Appearance]
color_scheme_path=/usr/share/qt6ct/colors/darker.conf
custom_palette=true
style=Windows

[Fonts]
general="DejaVu Sans,12,-1,5,50,0,0,0,0,0"
fixed="DejaVu Sans Mono,12,-1,5,50,0,0,0,0,0"
CONF

Xvfb "$display" -screen 0 1280x1024x24 -noreset >/dev/null 2>&1 &
xvfb=$!
naklon=
cleanup() {
    [ -n "$naklon" ] && kill "$naklon" 2>/dev/null || true
    kill "$xvfb" 2>/dev/null || true
    rm -rf "$theme"
}
trap cleanup EXIT INT TERM
sleep 1
export DISPLAY=$display

# Asks the window to close as a window manager does, with WM_DELETE_WINDOW
# (the virtual server runs no window manager that would send it).
request_close() {
    python3 - "$1" <<'PY'
import ctypes, sys
x = ctypes.cdll.LoadLibrary("libX11.so.6")
x.XOpenDisplay.restype = ctypes.c_void_p
x.XInternAtom.restype = ctypes.c_ulong
x.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
class ClientMessage(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                ("format", ctypes.c_int), ("data", ctypes.c_long * 5), ("pad", ctypes.c_long * 24)]
display = x.XOpenDisplay(None)
window = int(sys.argv[1])
event = ClientMessage(type=33, send_event=1, display=display, window=window, format=32,
                      message_type=x.XInternAtom(display, b"WM_PROTOCOLS", 0))
event.data[0] = x.XInternAtom(display, b"WM_DELETE_WINDOW", 0)
x.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long, ctypes.c_void_p]
x.XSendEvent(display, window, 0, 0, ctypes.byref(event))
x.XFlush.argtypes = [ctypes.c_void_p]
x.XFlush(display)
PY
}

# shoot PREFIX [environment assignments...]
shoot() {
    prefix=$1
    shift
    env "$@" "$program" &
    naklon=$!
    window=
    for _ in $(seq 1 50); do
        window=$(xdotool search --onlyvisible --name 'Расчет наклонных сечений' 2>/dev/null | head -n 1) || true
        [ -n "$window" ] && break
        sleep 0.2
    done
    [ -n "$window" ] || { echo "screenshots: the main window did not appear" >&2; exit 1; }
    xdotool windowfocus --sync "$window"
    sleep 0.5
    # From the tab strip: the history box, the first option, then the two
    # class lists, the four fields, "Открыть" and "Считать".
    xdotool key --window "$window" Tab Tab Tab 2 Tab 3 Tab
    xdotool type --window "$window" 15
    xdotool key --window "$window" Tab
    xdotool type --window "$window" 0.57
    xdotool key --window "$window" Tab
    xdotool type --window "$window" 20
    xdotool key --window "$window" Tab
    xdotool type --window "$window" 40
    xdotool key --window "$window" Tab Tab space
    sleep 0.4
    eval "$(xdotool getwindowgeometry --shell "$window")"
    for page in 1 2 3 4 5 6; do
        # The window alone.
        import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$out/$prefix$page.png"
        # Ctrl+Tab shows the next page from any control.
        xdotool key --window "$window" ctrl+Tab
        sleep 0.4
    done
    if [ "$prefix" = page ]; then
        # Back on the first page, the unsaved result makes closing ask.
        request_close "$window"
        sleep 1
        import -window root -crop "$((WIDTH + 80))x${HEIGHT}+$((X - 40))+${Y}" +repage "$out/close-question.png"
        xdotool key Escape
        sleep 0.3
    fi
    kill "$naklon"
    wait "$naklon" 2>/dev/null || true
    naklon=
}

shoot page
shoot dark-page XDG_CONFIG_HOME="$theme" QT_QPA_PLATFORMTHEME=qt6ct
shoot 200-page QT_SCALE_FACTOR=2
echo "screenshots: written to $out"
