#!/usr/bin/env bash
# Checks the C and C++ files' format and the scripts' own checks, then builds both builds and
# runs every test: the portable code natively (with sanitizers), the parsers' fuzz targets
# briefly, then everything under Wine with the 32-bit Windows build in a 32-bit Wine prefix,
# and the programs that load the tool into the host and drive its window once more in a 64-bit
# prefix (WoW64, as on 64-bit Windows). Exits non-zero when a check or a test fails.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

bash scripts/install-deps.sh
jobs=$(nproc)

# A new Wine prefix takes a while to make and waits on Wine more than it works: both prefixes
# are made while the builds run, and the Windows tests wait for them.
mkdir -p build
(source scripts/wine-env.sh && todo_prepare_prefix) >build/wineprefix.log 2>&1 &
prefix_job=$!
(export TODO_WINE_ARCH=64 && source scripts/wine-env.sh && todo_prepare_prefix) \
  >build/wineprefix64.log 2>&1 &
prefix64_job=$!

echo "== Format of the C and C++ files (clang-format)"
format=0
bash scripts/check_format.sh || format=$?

echo "== The scripts' own checks (install script, Xvfb)"
scripts=0
bash scripts/test_install_deps.sh || scripts=$?
bash scripts/test_xvfb.sh || scripts=$?

echo "== Native build"
cmake --preset native >/dev/null
cmake --build build/native -j "$jobs"
native=0
ctest --test-dir build/native --output-on-failure -j "$jobs" || native=$?

echo "== Fuzzing the stored-file parsers (saved corpus, then a short run)"
fuzz=0
bash scripts/fuzz.sh || fuzz=$?

echo "== Windows build (32-bit), tests under Wine"
cmake --preset win32 >/dev/null
cmake --build build/win32 -j "$jobs"
# The Wine prefix, a private display and one Wine server around CTest.
win32=0
if ! wait "$prefix_job"; then
  echo "error: the Wine prefix could not be made; what Wine said:" >&2
  cat build/wineprefix.log >&2
  win32=1
fi
[ "$win32" -ne 0 ] || bash scripts/wine-ctest.sh || win32=$?

# A few programs, not all: the host loading the tool (its console commands), the tool window's
# commands, and host processes with the window open, driven as a user drives them.
echo "== The same Windows build in a 64-bit Wine prefix (WoW64): the host and the tool window"
win64=0
if ! wait "$prefix64_job"; then
  echo "error: the 64-bit Wine prefix could not be made; what Wine said:" >&2
  cat build/wineprefix64.log >&2
  win64=1
fi
[ "$win64" -ne 0 ] || bash scripts/wine-ctest.sh --64 -R '^(host_tests|tool_command_tests|tool_sync_tests)$' ||
  win64=$?

if [ "$format" -ne 0 ] || [ "$scripts" -ne 0 ] || [ "$native" -ne 0 ] || [ "$fuzz" -ne 0 ] ||
  [ "$win32" -ne 0 ] || [ "$win64" -ne 0 ]; then
  echo "FAILED: format check exit $format, script checks exit $scripts, native ctest exit" \
    "$native, fuzzing exit $fuzz, win32 ctest exit $win32, win32 in the 64-bit prefix exit $win64"
  exit 1
fi
echo "All tests passed in both builds (the Windows one in both Wine prefixes); the format and" \
  "the scripts' checks passed too."
