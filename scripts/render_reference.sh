#!/usr/bin/env bash
# Renders the reference picture of the local bearing page from its vector
# source and encodes it as the JPEG the program compiles in:
#   resources/reference.svg -> resources/reference.jpg
# 800 x 600, baseline JPEG, 8 bits per sample, three components (YCbCr),
# JFIF density 96 x 96 dpi, no metadata.
# Installs the tools from Debian when they are missing.
set -euo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
svg=${1:-$here/resources/reference.svg}
jpg=${2:-$here/resources/reference.jpg}

"$here/scripts/install-deps.sh" render >&2

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# White behind everything, exactly 800 x 600 whatever the viewBox says.
rsvg-convert --background-color=white --width=800 --height=600 \
  --output="$tmp/reference.png" "$svg"

# TrueColor keeps three components although the drawing is grey only;
# 1x1 sampling keeps the thin lines free of chroma smear; -strip drops
# every profile and comment, the JFIF density stays.
/usr/bin/convert "$tmp/reference.png" -alpha off -type TrueColor \
  -colorspace sRGB -depth 8 -sampling-factor 1x1 -interlace none \
  -quality 92 -strip -units PixelsPerInch -density 96 "$jpg"

echo "wrote $jpg ($(stat -c %s "$jpg") bytes)"
