#!/usr/bin/env bash
# Builds the libFuzzer targets with clang, AddressSanitizer and UndefinedBehaviorSanitizer
# and runs each over its corpus in tests/fuzz/corpus/<target>.
#
#   scripts/fuzz.sh [SECONDS] [TARGET...]   run each target SECONDS (default 60), then
#                                           merge the inputs that found new coverage
#                                           into the corpus
#   scripts/fuzz.sh --short [TARGET...]     a few seconds each, corpus left unchanged
#                                           (the run inside scripts/test.sh)
#
# Targets: value_formats setting_keys text_file_loader mod_parse tooltip date_refresh.
# A crash or a failed property stops with an error; the input that caused it is kept
# in build/fuzz/artifacts/ and can be replayed with build/fuzz/tests/fuzz/fuzz_TARGET FILE.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=60
merge=1
if [ "${1:-}" = "--short" ]; then
  seconds=3
  merge=0
  shift
elif [[ "${1:-}" =~ ^[0-9]+$ ]]; then
  seconds=$1
  shift
fi

targets=("$@")
if [ "${#targets[@]}" -eq 0 ]; then
  targets=(value_formats setting_keys text_file_loader mod_parse tooltip date_refresh)
fi

build=${DATRELLE_FUZZ_BUILD:-build/fuzz}  # another folder for a side-by-side build
cmake -S . -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DDATRELLE_TESTS=OFF -DDATRELLE_FUZZ=ON >/dev/null
cmake --build "$build" --target "${targets[@]/#/fuzz_}"

artifacts=$build/artifacts
mkdir -p "$artifacts"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for target in "${targets[@]}"; do
  corpus=tests/fuzz/corpus/$target
  mkdir -p "$corpus" "$work/$target"
  echo "fuzz_$target: ${seconds}s"
  # New inputs go to the scratch folder, the first one named; the committed corpus is
  # only read here. A slow input (a parser gone quadratic) counts as a failure.
  if ! "$build/tests/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=5 \
      -rss_limit_mb=2048 -print_final_stats=0 -artifact_prefix="$artifacts/$target-" \
      "$work/$target" "$corpus" >"$work/$target.log" 2>&1; then
    tail -n 40 "$work/$target.log" >&2
    echo "fuzz_$target failed; the input is in $artifacts/" >&2
    exit 1
  fi
  grep -E '^Done' "$work/$target.log" || true
  if [ "$merge" -eq 1 ]; then
    "$build/tests/fuzz/fuzz_$target" -merge=1 "$corpus" "$work/$target" \
      >"$work/$target.merge.log" 2>&1
    grep -E 'MERGE-OUTER: [0-9]+ new files' "$work/$target.merge.log" || true
  fi
done
