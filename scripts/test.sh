#!/usr/bin/env bash
# Builds and runs every test: the portable logic natively, plain and under
# AddressSanitizer and UndefinedBehaviorSanitizer, and its parsers under libFuzzer; the
# 32-bit Windows build as a compile check; the Windows program and its tests under Wine.
# The benchmark programs are compiled too (not run), so that they keep building.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

for preset in native native-sanitize; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  ctest --preset "$preset"
done
cmake --build --preset native --target LoaderBench

# The parsers under libFuzzer, a few seconds each over the committed corpus.
scripts/fuzz.sh --short

cmake --preset windows-i686 >/dev/null
cmake --build --preset windows-i686

cmake --preset windows >/dev/null
cmake --build --preset windows
cmake --build --preset windows --target MinimalTray StartupBench
scripts/with-wine.sh ctest --preset windows
