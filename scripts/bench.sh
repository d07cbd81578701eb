#!/usr/bin/env bash
# The benchmark command. Builds what it needs in build folders of its own (native Release
# without sanitizers in build/bench-native, Windows in build/bench-win32), generates its data
# in build/bench-data, runs under Wine in a prefix of its own (build/wineprefix-bench, unless
# WINEPREFIX is set) on a private Xvfb display, and prints one table: each row a ratio of two
# sides measured in this run, or a time against its goal, with the figures behind it and
# whether it is within its goal (bench/run_bench.py). Takes about five minutes, two of them
# for the 100 changes waited for on disk one after the other; exits non-zero only when a
# program failed or a search gave a wrong count.
#
#   bash scripts/bench.sh           the table
#   bash scripts/bench.sh --boxes   the list boxes' own figures instead: the model's row
#                                   operations natively, the window's painting under Wine
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
jobs=$(nproc)
native=${TODO_BENCH_NATIVE_DIR:-$root/build/bench-native}
win32=${TODO_BENCH_WIN32_DIR:-$root/build/bench-win32}
data=${TODO_BENCH_DATA_DIR:-$root/build/bench-data}
export WINEPREFIX=${WINEPREFIX:-$root/build/wineprefix-bench}
boxes=0
[ "${1:-}" = "--boxes" ] && boxes=1

# Runs a build step quietly; on failure shows the end of what it said.
quietly() {
  local log
  log=$(mktemp)
  if ! "$@" >"$log" 2>&1; then
    tail -n 40 "$log"
    rm -f "$log"
    echo "error: failed: $*" >&2
    exit 1
  fi
  rm -f "$log"
}

# A configuration without its compiler would leave a cache without optimisation flags.
for tool in cmake g++ i686-w64-mingw32-g++-posix wine python3; do
  command -v "$tool" >/dev/null || {
    echo "error: $tool is missing; run scripts/install-deps.sh first" >&2
    exit 1
  }
done

echo "== Building: native Release in $native, Windows in $win32"
# The presets bench-native and bench-win32 (CMakePresets.json); -B only matters when one of
# the folders is given.
quietly cmake --preset bench-native -B "$native"
quietly cmake --preset bench-win32 -B "$win32"
if [ "$boxes" -eq 1 ]; then
  quietly cmake --build "$native" -j "$jobs" --target quarnctrl_rows_bench
  quietly cmake --build "$win32" -j "$jobs" --target quarnctrl_window_bench
else
  quietly cmake --build "$native" -j "$jobs" --target search_native lists_native scan_probe
  quietly cmake --build "$win32" -j "$jobs" --target Lumaplex ToDoList search_floor scan_probe \
    tool_window_bench sync_window_bench
fi

source scripts/wine-env.sh
todo_prepare_prefix
# One Wine server for every run, so that no run pays for starting it; stopped at the end, before
# the display (xvfb.sh keeps this trap and stops Xvfb after it).
trap 'wineserver -k 2>/dev/null || true' EXIT
source scripts/xvfb.sh
TODO_FORCE_XVFB=1 todo_start_xvfb
wineserver -p 60
# Wine's background processes start now, outside every measured run.
wine cmd.exe /c exit 0 </dev/null >/dev/null 2>&1 || true

if [ "$boxes" -eq 1 ]; then
  echo "== List model, native (Google Benchmark)"
  "$native/bench/quarnctrl_rows_bench" --benchmark_counters_tabular=true
  echo
  echo "== List box window, under Wine"
  wine "$win32/bin/quarnctrl_window_bench.exe"
  exit 0
fi

mkdir -p "$data"
python3 bench/run_bench.py --native "$native" --win32 "$win32" --data "$data"
