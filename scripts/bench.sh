#!/usr/bin/env bash
# Prints the benchmark figures; nothing here passes or fails on a time.
#   scripts/bench.sh [all|startup|loader|idle|size]
# Environment: RUNS (start-up runs of each program per series, default 15), SERIES
# (start-up series counted, after one thrown away, default 5), POLL_MS (how often the
# start-up benchmark asks the tray, default 2), BUSY (busy loops at the lowest priority
# beside the start-up measurement, default 0), IDLE_SECONDS (default 300), BENCH_BUILD
# (build folder root, default build/).
set -euo pipefail
cd "$(dirname "$0")/.."

what="${1:-all}"
runs="${RUNS:-15}"
series="${SERIES:-5}"
export POLL_MS="${POLL_MS:-2}"
busy="${BUSY:-0}"
idle_seconds="${IDLE_SECONDS:-300}"
root="${BENCH_BUILD:-$PWD/build}"
native="$root/bench-native"
windows="$root/bench-windows"

case "$what" in
  all | startup | loader | idle | size) ;;
  *) echo "usage: $0 [all|startup|loader|idle|size]" >&2; exit 2 ;;
esac

scripts/install-deps.sh

build_windows() {
  cmake -S . -B "$windows" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DDATRELLE_TESTS=OFF >/dev/null
  cmake --build "$windows" --target Datrelle MinimalTray StartupBench >/dev/null
}

echo "== $(date -u '+%Y-%m-%d %H:%M UTC'), $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //')"

if [ "$what" = all ] || [ "$what" = loader ]; then
  cmake -S . -B "$native" -G Ninja -DCMAKE_BUILD_TYPE=Release -DDATRELLE_TESTS=OFF >/dev/null
  cmake --build "$native" --target LoaderBench >/dev/null
  echo "-- Text file loader (native)"
  scratch=$(mktemp -d)
  "$native/LoaderBench" "$scratch"
  rm -rf "$scratch"
fi

if [ "$what" != loader ]; then
  build_windows
fi

if [ "$what" = all ] || [ "$what" = size ]; then
  echo "-- Size of Datrelle.exe"
  size=$(stat -c %s "$windows/Datrelle.exe")
  stripped=$(mktemp)
  x86_64-w64-mingw32-strip -o "$stripped" "$windows/Datrelle.exe"
  echo "as built: $size bytes; stripped (as packaged): $(stat -c %s "$stripped") bytes"
  rm -f "$stripped"
fi

if [ "$what" = all ] || [ "$what" = startup ]; then
  # An idle virtual processor is slow to wake; busy loops that yield to everything else
  # keep the processors awake, as other work on the machine would.
  busy_pids=()
  trap 'kill "${busy_pids[@]}" 2>/dev/null || true' EXIT
  for _ in $(seq "$busy"); do
    nice -n 19 sh -c 'while :; do :; done' &
    busy_pids+=("$!")
  done
  echo "-- Start-up under Wine, until the tray icons exist ($series series of $runs runs" \
    "each, alternating; polling every $POLL_MS ms; $busy busy loops beside)"
  (cd "$windows" && "$OLDPWD/scripts/with-wine.sh" wine StartupBench.exe startup "$runs" \
    "$series" Datrelle.exe MinimalTray.exe)
  if [ "$busy" -gt 0 ]; then
    kill "${busy_pids[@]}"
    wait "${busy_pids[@]}" 2>/dev/null || true
  fi
  trap - EXIT
fi

if [ "$what" = all ] || [ "$what" = idle ]; then
  echo "-- Idle CPU time under Wine ($idle_seconds s)"
  (cd "$windows" && "$OLDPWD/scripts/with-wine.sh" wine StartupBench.exe idle "$idle_seconds" \
    Datrelle.exe)
fi
