#!/usr/bin/env bash
# Runs CTest on the Windows build with what its test programs need around them: the project's
# Wine prefix, a display (a private Xvfb one when none is set) and one Wine server kept
# between the programs. The programs run side by side, twice as many at once as the machine
# has processors (they spend most of their time waiting on Wine), unless CTEST_PARALLEL_LEVEL
# or a -j among the arguments says otherwise. They share nothing but the display: each window
# test program keeps its windows, focus and keys on a desktop of its own
# (tests/support/own_desktop.cpp).
# The arguments go to CTest, so one program runs alone with
#   bash scripts/wine-ctest.sh -R plugin_tests
# and all of them one after another with -j1. With --64 (before the CTest arguments) the
# programs run in the 64-bit Wine prefix (build/wineprefix64) under WoW64, as a 32-bit host runs
# on 64-bit Windows, instead of the 32-bit one:
#   bash scripts/wine-ctest.sh --64 -R tool_sync_tests
# Build first (cmake --preset win32 && cmake --build build/win32).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

if [ "${1:-}" = --64 ]; then
  export TODO_WINE_ARCH=64
  shift
fi
source scripts/wine-env.sh
source scripts/xvfb.sh
[ -f build/win32/CTestTestfile.cmake ] || {
  echo "error: build/win32 is not built; run: cmake --preset win32 && cmake --build build/win32" >&2
  exit 1
}
todo_prepare_prefix
todo_start_xvfb
# Keep one Wine server between the test programs; one that runs already (a run left behind)
# is used as it is.
wineserver -p 60 2>/dev/null || true
# Start Wine's background processes now, detached from CTest's output pipes: if the first test
# program started them, they would hold its output open and CTest would wait for them.
wine cmd.exe /c exit 0 </dev/null >/dev/null 2>&1 || true
export CTEST_PARALLEL_LEVEL=${CTEST_PARALLEL_LEVEL:-$(($(nproc) * 2))}
status=0
ctest --test-dir build/win32 --output-on-failure "$@" || status=$?
wineserver -k 2>/dev/null || true
exit "$status"
