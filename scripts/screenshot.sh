#!/usr/bin/env bash
# Starts Datrelle.exe in a Wine desktop with a taskbar on the current display, waits
# until it has hidden itself in the tray, brings the window back with a double click
# on the day icon, saves a screenshot of the whole screen and ends the program.
# Usage: scripts/screenshot.sh PATH/TO/Datrelle.exe OUTPUT.png [SECONDS] [week]
# With "week" (and a settings file that turns the week icon on), a click on the week icon
# opens the month calendar instead.
# With LOGPIXELS set (120, 144, 192, 240, 288, ...), the desktop is scaled to that DPI
# (96 is 100 per cent), as Windows' display scaling does.
set -euo pipefail
exe=$1
output=$2
seconds=${3:-6}
target=${4:-day}

if [ -n "${LOGPIXELS:-}" ]; then
  # Wine reads the scaling when a program starts, so before the desktop does.
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$LOGPIXELS" /f \
    </dev/null >/dev/null 2>&1
fi
wine explorer /desktop=shell,1280x800 "$exe" </dev/null >/dev/null 2>&1 &
sleep "$seconds"
# The day icon is the rightmost one in the taskbar's tray, at the middle of its height;
# the week icon, added last, the third from the right.
scale=${LOGPIXELS:-96}
if [ "$target" = week ]; then
  xdotool mousemove $((1280 - 51 * scale / 96)) $((800 - 11 * scale / 96)) click 1 || true
else
  xdotool mousemove $((1280 - 11 * scale / 96)) $((800 - 11 * scale / 96)) \
    click --repeat 2 --delay 80 1 || true
fi
sleep 2
import -window root -display "$DISPLAY" "$output"
wineserver -k >/dev/null 2>&1 || true
echo "Screenshot saved to $output"
