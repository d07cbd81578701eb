#!/usr/bin/env bash
# Builds the fuzz targets with clang, replays the saved corpus through each, then fuzzes all of
# them side by side for a short while (FUZZ_SECONDS, 10 by default), each from a copy of its
# corpus. Exits non-zero when a target crashes or breaks a property; the input that caused it
# is left in build/fuzz.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
seconds=${FUZZ_SECONDS:-10}
targets=(list_file list_order find_separator)

cmake --preset fuzz >/dev/null
cmake --build build/fuzz -j "$(nproc)"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for target in "${targets[@]}"; do
  corpus=fuzz/corpus/$target
  echo "== fuzz_$target: replay of $(find "$corpus" -type f | wc -l) saved inputs"
  "build/fuzz/fuzz/fuzz_$target" -runs=0 "$corpus" 2>&1 | tail -1
  mkdir "$work/$target"
  cp "$corpus"/* "$work/$target"/
done

echo "== ${seconds}s of fuzzing, the targets side by side"
pids=()
for target in "${targets[@]}"; do
  (cd build/fuzz && "fuzz/fuzz_$target" -max_total_time="$seconds" -max_len=4096 \
    "$work/$target" >"$work/$target.log" 2>&1) &
  pids+=($!)
done
status=0
for i in "${!targets[@]}"; do
  result=0
  wait "${pids[$i]}" || result=$?
  echo "fuzz_${targets[$i]}: $(tail -1 "$work/${targets[$i]}.log")"
  if [ "$result" -ne 0 ]; then
    status=1
    echo "fuzz_${targets[$i]} failed; its output ends:" >&2
    tail -n 40 "$work/${targets[$i]}.log" >&2
  fi
done
[ "$status" -eq 0 ] && echo "Fuzzing found nothing."
exit "$status"
