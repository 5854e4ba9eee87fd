#!/usr/bin/env bash
# Makes the README's pictures from the real program under Wine: the whole desktop, the
# tray enlarged, and the tray of a desktop scaled to 300 per cent.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake --preset windows >/dev/null
cmake --build --preset windows --target Datrelle
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp build/windows/Datrelle.exe "$work/Datrelle.exe"
scripts/with-wine.sh scripts/screenshot.sh "$work/Datrelle.exe" "$work/desktop.png"
mkdir -p docs
convert "$work/desktop.png" -resize 75% docs/screenshot.png
# The tray's corner of the taskbar, four times its size.
convert "$work/desktop.png" -gravity SouthEast -crop 120x24+0+0 +repage -filter point \
  -resize 400% docs/tray.png
# At 300 per cent the taskbar asks for 48-pixel icons, shown three times their size.
mkdir "$work/scaled"
cp build/windows/Datrelle.exe "$work/scaled/Datrelle.exe"
LOGPIXELS=288 scripts/with-wine.sh scripts/screenshot.sh "$work/scaled/Datrelle.exe" \
  "$work/desktop-300.png"
convert "$work/desktop-300.png" -gravity SouthEast -crop 104x52+0+0 +repage -filter point \
  -resize 300% docs/tray-300.png
echo "Updated docs/screenshot.png, docs/tray.png and docs/tray-300.png"
