#!/usr/bin/env bash
# Runs a Windows program under Wine with a clock of its own: libfaketime shifts the wall
# clock of the program, of what it starts and of their own Wine server (in a copy of the
# current prefix) by the offset in a file, which any of them may rewrite: each reads it
# again within a second. DATRELLE_CLOCK_SHIFT names that file for Windows programs;
# Wine's timers keep to the real, monotonic clock. Local time is universal time.
# Runs inside scripts/with-wine.sh. Usage: scripts/with-shifted-clock.sh COMMAND [ARGS...]
set -euo pipefail

work=$(mktemp -d "${TMPDIR:-/tmp}/datrelle-clock.XXXXXX")
cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  rm -rf "$work"
}
trap cleanup EXIT

# Linked, the copy takes a moment; the registry, which a server rewrites, is copied.
cp -al "$WINEPREFIX" "$work/prefix" 2>/dev/null || cp -a "$WINEPREFIX" "$work/prefix"
for registry in "$WINEPREFIX"/*.reg; do
  cp --remove-destination "$registry" "$work/prefix/"
done
echo +0 >"$work/shift"

export WINEPREFIX="$work/prefix"
export DATRELLE_CLOCK_SHIFT="Z:${work//\//\\}\\shift"
export TZ=UTC
export LD_PRELOAD=/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1
export FAKETIME_TIMESTAMP_FILE="$work/shift" FAKETIME_CACHE_DURATION=1
export FAKETIME_DONT_FAKE_MONOTONIC=1 NO_FAKE_STAT=1

# Under libfaketime a persistent server started in the foreground never returns.
(wineserver -p </dev/null >/dev/null 2>&1 &)
wine wineboot </dev/null >/dev/null 2>&1
"$@"
