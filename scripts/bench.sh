#!/usr/bin/env bash
# Builds and runs the list-box benchmarks and prints their figures: the model's row operations
# natively (Release, without sanitizers), then the real window's painting and row operations
# under Wine on a private Xvfb display.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
jobs=$(nproc)

echo "== List model, native (Google Benchmark)"
native=${TODO_BENCH_NATIVE_DIR:-$root/build/bench-native}
cmake -S . -B "$native" -DCMAKE_BUILD_TYPE=Release -DTODO_SANITIZE=OFF >/dev/null
if cmake --build "$native" -j "$jobs" --target quarnctrl_rows_bench >/dev/null 2>&1; then
  "$native/bench/quarnctrl_rows_bench" --benchmark_counters_tabular=true
else
  echo "skipped: the native benchmark did not build (is libbenchmark-dev installed?)"
fi

echo
echo "== List box window, under Wine"
source scripts/wine-env.sh
win32=${TODO_BUILD_DIR:-$root/build/win32}
if [ ! -f "$win32/CMakeCache.txt" ]; then
  cmake -S . -B "$win32" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" \
    -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build "$win32" -j "$jobs" --target quarnctrl_window_bench >/dev/null
todo_prepare_prefix
source scripts/xvfb.sh
todo_start_xvfb
bash scripts/wine-run.sh "$win32/bin/quarnctrl_window_bench.exe"
