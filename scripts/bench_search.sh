#!/usr/bin/env bash
# Builds and runs the search benchmark natively (Release, without sanitizers): 2,000 generated
# list files searched by the tool's search and by grep in the same run, with the ratio of
# their times printed for two words that occur and for two that occur nowhere.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
build=${TODO_BENCH_SEARCH_DIR:-$root/build/bench-search}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DTODO_SANITIZE=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" --target search_bench >/dev/null
"$build/bench/search/search_bench"
