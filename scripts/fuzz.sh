#!/usr/bin/env bash
# Builds the libFuzzer target of the parsers with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer and runs it over its corpus in tests/fuzz/corpus.
#
#   scripts/fuzz.sh [SECONDS]   run SECONDS (default 60), then merge the inputs that
#                               found new coverage into the corpus
#   scripts/fuzz.sh --short     a few seconds, corpus left unchanged (the run inside
#                               scripts/test.sh)
#
# A crash or a failed property stops with an error; the input that caused it is kept
# in build/fuzz/artifacts/ and can be replayed with build/fuzz/tests/fuzz/fuzz_parsers FILE.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
merge=1
if [ "$seconds" = "--short" ]; then
  seconds=10
  merge=0
fi

build=${DATRELLE_FUZZ_BUILD:-build/fuzz}  # another folder for a side-by-side build
cmake -S . -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DDATRELLE_TESTS=OFF -DDATRELLE_FUZZ=ON >/dev/null
cmake --build "$build" --target fuzz_parsers

fuzzer=$build/tests/fuzz/fuzz_parsers
artifacts=$build/artifacts
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$artifacts" "$work/new"
echo "fuzz_parsers: ${seconds}s"
# New inputs go to the scratch folder, named first; the committed corpus is only read
# here. A slow input (a parser gone quadratic) counts as a failure.
if ! "$fuzzer" -max_total_time="$seconds" -timeout=5 -rss_limit_mb=2048 -print_final_stats=0 \
    -artifact_prefix="$artifacts/" "$work/new" tests/fuzz/corpus >"$work/log" 2>&1; then
  tail -n 40 "$work/log" >&2
  echo "fuzz_parsers failed; the input is in $artifacts/" >&2
  exit 1
fi
grep -E '^Done' "$work/log" || true
if [ "$merge" -eq 1 ]; then
  "$fuzzer" -merge=1 tests/fuzz/corpus "$work/new" >"$work/merge.log" 2>&1
  grep -E 'MERGE-OUTER: [0-9]+ new files' "$work/merge.log" || true
fi
