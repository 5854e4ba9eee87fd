#!/usr/bin/env bash
# Makes the README's pictures from the real program under Wine: the whole desktop, the
# tray enlarged, the tray of a desktop scaled to 300 per cent, and the week icon with the
# month calendar.
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
# The week icon turned on (ISO 8601 weeks), and the month calendar opened from it.
mkdir "$work/week"
cp build/windows/Datrelle.exe "$work/week/Datrelle.exe"
printf '[Settings]\r\nShow Month=1\r\nAuto hide=1\r\nSHOW WEEK=1\r\nWEEK RULE=1\r\n' \
  >"$work/week/Datrelle.ini"
scripts/with-wine.sh scripts/screenshot.sh "$work/week/Datrelle.exe" "$work/week.png" 6 week
convert "$work/week.png" -gravity SouthEast -crop 160x24+0+0 +repage -filter point \
  -resize 400% docs/tray-week.png
convert "$work/week.png" -gravity SouthEast -crop 300x240+0+0 +repage docs/calendar.png
echo "Updated docs/screenshot.png, docs/tray.png, docs/tray-300.png, docs/tray-week.png and" \
  "docs/calendar.png"
