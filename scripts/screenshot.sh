#!/usr/bin/env bash
# Starts Datrelle.exe in a Wine desktop with a taskbar on the current display, waits
# until it has hidden itself in the tray, brings the window back with a double click
# on the day icon, saves a screenshot of the whole screen and ends the program.
# Usage: scripts/screenshot.sh PATH/TO/Datrelle.exe OUTPUT.png [SECONDS]
set -euo pipefail
exe=$1
output=$2
seconds=${3:-6}

wine explorer /desktop=shell,1280x800 "$exe" </dev/null >/dev/null 2>&1 &
sleep "$seconds"
# The day icon is the rightmost one in the taskbar's tray.
xdotool mousemove 1269 789 click --repeat 2 --delay 80 1 || true
sleep 2
import -window root -display "$DISPLAY" "$output"
wineserver -k >/dev/null 2>&1 || true
echo "Screenshot saved to $output"
