#!/usr/bin/env bash
# Builds the fuzz targets with clang, replays the saved corpus through each, then fuzzes each
# for a short while (FUZZ_SECONDS, 10 by default) from a copy of the corpus. Exits non-zero
# on the first crash or broken property; the input that caused it is left in build/fuzz.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
seconds=${FUZZ_SECONDS:-10}

cmake --preset fuzz >/dev/null
cmake --build build/fuzz -j "$(nproc)"
for target in list_file list_order find_separator; do
  binary=build/fuzz/fuzz/fuzz_$target
  corpus=fuzz/corpus/$target
  echo "== fuzz_$target: replay of $(find "$corpus" -type f | wc -l) saved inputs, then ${seconds}s of fuzzing"
  "$binary" -runs=0 "$corpus" 2>&1 | tail -1
  work=$(mktemp -d)
  cp "$corpus"/* "$work"/
  (cd build/fuzz && "../../$binary" -max_total_time="$seconds" -max_len=4096 "$work" 2>&1 | tail -1)
  rm -rf "$work"
done
echo "Fuzzing found nothing."
