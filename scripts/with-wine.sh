#!/usr/bin/env bash
# Runs a command with a fresh Wine prefix and a virtual X display of its own, then
# tears both down. Usage: scripts/with-wine.sh COMMAND [ARGS...]
set -euo pipefail

work=$(mktemp -d /tmp/datrelle-wine.XXXXXX)
export WINEPREFIX="$work/prefix"
export WINEDEBUG=-all
# No Mono or Gecko installer prompts: they cannot download here and nothing needs them.
export WINEDLLOVERRIDES="mscoree,mshtml="

display=""
for n in $(seq 90 190); do
  if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then
    display=":$n"
    break
  fi
done
[ -n "$display" ] || { echo "no free X display number" >&2; exit 1; }

Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!

cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  kill "$xvfb_pid" >/dev/null 2>&1 || true
  wait "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

export DISPLAY="$display"
for _ in $(seq 100); do
  xdpyinfo >/dev/null 2>&1 && break
  sleep 0.1
done

wine wineboot -i </dev/null >/dev/null 2>&1
# Without a window manager, hiding a managed window stalls for two seconds.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1
wineserver -w
# A persistent server: otherwise every test waits for the server to let go of its pipe.
wineserver -p </dev/null >/dev/null 2>&1
wine wineboot </dev/null >/dev/null 2>&1

"$@"
