#!/usr/bin/env bash
# Makes the Windows icon file of the program, which the Windows build
# compiles into naklon.exe, from the icon's vector source:
#   resources/naklon.svg (+ resources/naklon.png) -> resources/naklon.ico
# Four pictures: 16, 48 and 256 px rendered from the SVG, and the 32 px
# window icon itself (resources/naklon.png), so that the file's icon in
# Explorer and the window's icon are the same pixels. 16, 32 and 48 are
# stored as 32-bit bitmaps, 256 as PNG, as Windows expects. The same source
# gives the same bytes: neither tool writes a time or a name.
#   scripts/render_icon.sh [svg png ico]
# Installs the tools from Debian when they are missing.
set -euo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
svg=${1:-$here/resources/naklon.svg}
png=${2:-$here/resources/naklon.png}
ico=${3:-$here/resources/naklon.ico}

"$here/scripts/install-deps.sh" render >&2

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

for size in 16 48 256; do
  rsvg-convert --width=$size --height=$size --output="$tmp/$size.png" "$svg"
done
icotool --create --output="$ico" "$tmp/16.png" "$png" "$tmp/48.png" --raw="$tmp/256.png"

echo "wrote $ico ($(stat -c %s "$ico") bytes)"
