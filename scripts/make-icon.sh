#!/usr/bin/env bash
# Draws src/platform/windows/app/icon/numvora.ico from the SVG beside it: every size
# Windows asks for, from the 16-pixel title-bar icon to the 256-pixel tile (stored as
# PNG, as Windows expects it at that size); and the installer's side picture,
# packaging/installer-side.bmp. Both are committed; run this after changing the SVG.
set -euo pipefail
cd "$(dirname "$(realpath "$0")")/.."
for p in librsvg2-bin icoutils imagemagick; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || {
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$p" >/dev/null
  }
done
icon=src/platform/windows/app/icon
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
small=()
for size in 16 20 24 32 40 48 64; do
  rsvg-convert -w "$size" -h "$size" "$icon/numvora-icon.svg" -o "$work/$size.png"
  small+=("$work/$size.png")
done
rsvg-convert -w 256 -h 256 "$icon/numvora-icon.svg" -o "$work/256.png"
icotool -c -o "$icon/numvora.ico" "${small[@]}" -r "$work/256.png"
icotool -l "$icon/numvora.ico"

# The welcome and finish pages' picture: 164 by 314 pixels, uncompressed 24-bit BMP.
rsvg-convert -w 112 -h 112 "$icon/numvora-icon.svg" -o "$work/side-icon.png"
convert -size 164x314 xc:white "$work/side-icon.png" -geometry +26+48 -composite \
  -alpha off -type TrueColor BMP3:packaging/installer-side.bmp
