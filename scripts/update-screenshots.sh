#!/usr/bin/env bash
# Makes the README's pictures from the real program under Wine: the whole desktop and
# the tray enlarged.
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
echo "Updated docs/screenshot.png and docs/tray.png"
