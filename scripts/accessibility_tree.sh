#!/usr/bin/env bash
# Builds the Windows build, starts Lumaplex.exe under Wine on a private Xvfb display with the
# tool window open on sample lists (scripts/sample_data.sh), picks the second list through its
# accessible default action (as a screen reader user would), and prints what a screen reader
# reads of that window: each control's role and name, and the rows of both list boxes, as
# tools/accessibility_tree.cpp reads them from a process of its own. Then the host is
# closed again.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

source scripts/wine-env.sh
export TODO_FORCE_XVFB=1  # a display of its own: the tree is the same whatever else runs
source scripts/xvfb.sh

cmake --preset win32 >/dev/null
cmake --build build/win32 -j "$(nproc)" --target Lumaplex ToDoList accessibility_tree >/dev/null
todo_prepare_prefix
todo_start_xvfb

data="$root/build/accessibility-data"
rm -rf "$data"
bash scripts/sample_data.sh "$data"
log="$root/build/accessibility-host.log"
bin="$root/build/win32/bin"
wine "$bin/Lumaplex.exe" --data "$(winepath -w "$data")" --open >"$log" 2>&1 &
host=$!
trap 'kill "$host" 2>/dev/null || true; wineserver -k 2>/dev/null || true;
      kill "${TODO_XVFB_PID:-}" 2>/dev/null || true' EXIT

# The host prints 1131 once the tool reports its window ready.
ready=0
for _ in $(seq 360); do
  if grep -q '^1131' "$log" 2>/dev/null; then ready=1; break; fi
  kill -0 "$host" 2>/dev/null || break
  sleep 0.5
done
if [ "$ready" -ne 1 ]; then
  echo "error: the tool window did not open within 3 minutes (see $log)" >&2
  exit 1
fi
sleep 1  # let the window finish setting up its lists
wine "$bin/accessibility_tree.exe" --select 2
