#!/usr/bin/env bash
# Builds Datrelle.exe and runs it under Wine in a desktop window with a taskbar and
# its tray. Without a display it uses a virtual one instead, saves a screenshot of
# that desktop to build/screenshot.png and ends the program.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target Datrelle

# The program keeps its settings beside itself: run a copy, so they stay out of the
# build and survive rebuilds.
mkdir -p build/run
cp build/windows/Datrelle.exe build/run/Datrelle.exe

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  export WINEPREFIX="${WINEPREFIX:-$PWD/build/wineprefix}"
  export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  exec wine explorer /desktop=Datrelle,1280x800 build/run/Datrelle.exe
else
  echo "No display: running on a virtual one."
  scripts/with-wine.sh scripts/screenshot.sh build/run/Datrelle.exe build/screenshot.png
fi
