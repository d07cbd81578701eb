#!/usr/bin/env bash
# Builds the Windows build, opens the list-box demo under Wine on a private Xvfb display and
# saves a picture of both boxes to docs/list-boxes.png.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

source scripts/wine-env.sh
# The preset win32 (CMakePresets.json), in build/win32 unless TODO_BUILD_DIR names a folder.
build=${TODO_BUILD_DIR:-$root/build/win32}
cmake --preset win32 -B "$build" >/dev/null
cmake --build "$build" -j "$(nproc)" --target quarnctrl_demo_boxes
todo_prepare_prefix

export TODO_FORCE_XVFB=1  # always a private display: nothing else on the picture
source scripts/xvfb.sh
todo_start_xvfb

log="$build/demo_boxes.log"
shot="$root/docs/list-boxes.png"
mkdir -p "$root/docs"
# Wine's own desktop window draws the frame of the demo window; the picture is cut to it.
wine explorer /desktop=QuarnBoxes,800x450 "$build/bin/quarnctrl_demo_boxes.exe" 30 \
  >"$log" 2>&1 &
demo=$!
ready=0
for _ in $(seq 240); do
  if grep -q '^ready' "$log" 2>/dev/null; then ready=1; break; fi
  sleep 0.5
done
if [ "$ready" -ne 1 ]; then
  echo "error: the demo did not start within 2 minutes" >&2
  kill "$demo" 2>/dev/null || true
  exit 1
fi
sleep 2  # let every window finish painting
import -display "$DISPLAY" -window root -crop 800x450+0+0 +repage "$shot"
kill "$demo" 2>/dev/null || true
wait "$demo" 2>/dev/null || true
echo "Screenshot of both boxes: $shot"
