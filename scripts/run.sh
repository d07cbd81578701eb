#!/usr/bin/env bash
# Builds what it runs (the tool, the host's two libraries and the host; the test command
# builds the rest) and starts Lumaplex.exe with the plug-in loaded and its tool window open,
# on the data folder build/run-data. With a display the host runs until you close it; without
# one it runs on a private Xvfb display with sample lists, a screenshot is saved, and the host
# is closed.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

bash scripts/install-deps.sh
source scripts/wine-env.sh
source scripts/xvfb.sh

cmake --preset win32 >/dev/null
cmake --build build/win32 -j "$(nproc)" --target ToDoList QuarnCtrl Dirscan Lumaplex
todo_prepare_prefix

data="$root/build/run-data"
mkdir -p "$data"
host="$root/build/win32/bin/Lumaplex.exe"

if [ -n "${DISPLAY:-}" ]; then
  exec wine "$host" --data "$(winepath -w "$data")" --open
fi

# The screenshot shows sample lists in a data folder of its own, the window at a known place.
data="$root/build/screenshot-data"
rm -rf "$data"
bash scripts/sample_data.sh "$data"

todo_start_xvfb
shot="$root/build/screenshot.png"
log="$root/build/run.log"
rm -f "$shot" "$root/build/screenshot-failed.png"
# Seconds to wait for the host to open the tool, and then for each answer to a click; both
# are far longer than natively needed, for machines where Wine runs emulated.
start_limit=${TODO_RUN_START_LIMIT:-240}
click_limit=${TODO_RUN_CLICK_LIMIT:-60}
# The tool window's title (todo::kDisplayName, plugin/tool_texts.h).
title='ToDoリスト'

# Wine's own desktop window draws the window frames, which bare Xvfb has no manager for.
wine explorer /desktop=Lumaplex,1280x1024 "$host" --data "$(winepath -w "$data")" --open \
  >"$log" 2>&1 &
wine_pid=$!

fail() {
  echo "error: $*" >&2
  if [ -s "$log" ]; then
    echo "The host's output ($log):" >&2
    tail -n 20 "$log" >&2
  fi
  import -display "$DISPLAY" -window root "$root/build/screenshot-failed.png" 2>/dev/null &&
    echo "What the display showed: $root/build/screenshot-failed.png" >&2
  wineserver -k 2>/dev/null || true
  exit 1
}

# wait_until SECONDS WHAT COMMAND...: runs COMMAND every fifth of a second until it succeeds;
# fails naming WHAT when SECONDS pass first.
wait_until() {
  local seconds=$1 what=$2
  shift 2
  local end=$((SECONDS + seconds))
  until "$@"; do
    [ "$SECONDS" -lt "$end" ] || fail "timed out after $seconds s waiting until $what"
    kill -0 "$wine_pid" 2>/dev/null || fail "Wine ended while waiting until $what"
    sleep 0.2
  done
}

tool_ready() { grep -q '^1131 ' "$log" 2>/dev/null; }  # WM_TOOL_READY, as the host logs it
window=""
find_window() { window=$(xdotool search --onlyvisible --name "^$title\$" 2>/dev/null | head -n 1); [ -n "$window" ]; }

# Places in the tool window, in pixels from its top left corner: Wine draws a frame of 3 pixels
# and a caption of 18 above the client area, whose layout is plugin/window_layout.h. Inside
# each box's 2-pixel edge, the list-name box has rows of 20 pixels; the item box a header row
# and rows of 18.
client_x=3
client_y=21
list_row() { # ROW: the row's rectangle as WxH+X+Y, and its point to click as X Y
  local top=$((client_y + 142 + 2 + 20 * $1))
  row_rect="216x20+$((client_x + 27))+$top"
  row_click="$((client_x + 67)) $((top + 10))"
}
item_row() {
  local top=$((client_y + 40 + 2 + 18 + 18 * $1))
  row_rect="456x18+$((client_x + 282))+$top"
  row_click="$((client_x + 497)) $((top + 9))"
}
# What a rectangle of the window (all of it for "all") shows, as a checksum, and how many
# colours it has.
crop() { [ "$1" = all ] || echo "-crop $1 +repage"; }
# shellcheck disable=SC2046  # crop's words are options
looks() { import -window "$window" $(crop "$1") -depth 8 rgb:- 2>/dev/null | md5sum; }
# shellcheck disable=SC2046
colours() { import -window "$window" $(crop "$1") -format '%k' info: 2>/dev/null || echo 0; }
drawn() { [ "$(colours "$1")" -gt 1 ]; }    # something is drawn on its background
changed() { [ "$(looks "$1")" != "$2" ]; }  # it looks different from before
settled() {                                 # it looks the same twice, a fifth of a second apart
  local first
  first=$(looks "$1")
  sleep 0.2
  [ "$(looks "$1")" = "$first" ]
}
click() { xdotool mousemove --window "$window" "$1" "$2" click 1; }

wait_until "$start_limit" "the host reported the tool ready (a line starting 1131 in $log)" tool_ready
wait_until "$click_limit" "the tool window \"$title\" was shown" find_window
list_row 1
list_rect=$row_rect
list_click=$row_click
wait_until "$click_limit" "the tool window drew its second list's row" drawn "$list_rect"

# Select the second list, then an item, as a user would. The first click, below the rows, only
# activates the window.
click $((client_x + 67)) $((client_y + 459))
before=$(looks "$list_rect")
read -r x y <<<"$list_click"
click "$x" "$y"
wait_until "$click_limit" "the second list was shown selected after a click on it" \
  changed "$list_rect" "$before"
item_row 2
wait_until "$click_limit" "the second list's items were shown" drawn "$row_rect"
wait_until "$click_limit" "the second list's row was drawn to the end" settled "$list_rect"
list_selected=$(looks "$list_rect")
before=$(looks "$row_rect")
read -r x y <<<"$row_click"
click "$x" "$y"
wait_until "$click_limit" "the third item was shown selected after a click on it" \
  changed "$row_rect" "$before"
# The list keeps its selection, drawn as in a box without the focus.
wait_until "$click_limit" "the list-name box showed that it lost the focus" \
  changed "$list_rect" "$list_selected"
wait_until "$click_limit" "the tool window was drawn to the end" settled all

import -display "$DISPLAY" -window root "$shot"
wineserver -k 2>/dev/null || true
echo "The host ran with the tool window open; screenshot: $shot"
