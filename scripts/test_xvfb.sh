#!/usr/bin/env bash
# Checks scripts/xvfb.sh: a display already taken is passed over, none free is a clear error,
# and the caller's own EXIT trap still runs, before Xvfb is stopped. Uses three free displays
# in a row from :191 on, as candidates of its own. The test command runs it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
free() { [ ! -e "/tmp/.X$1-lock" ] && [ ! -e "/tmp/.X11-unix/X$1" ]; }
first=""
for n in $(seq 191 297); do
  if free "$n" && free $((n + 1)) && free $((n + 2)); then
    first=$n
    break
  fi
done
[ -n "$first" ] || {
  echo "error: no three free X displays in a row between :191 and :299" >&2
  exit 1
}
second=$((first + 1))
third=$((first + 2))

failures=0
fail() {
  echo "FAILED: $*"
  failures=$((failures + 1))
}
work=$(mktemp -d)
blocker=""
cleanup() {
  if [ -n "$blocker" ]; then
    kill "$blocker" 2>/dev/null || true
    wait "$blocker" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT

# An Xvfb on the first candidate display, started here.
Xvfb ":$first" -screen 0 64x64x24 -nolisten tcp >/dev/null 2>&1 &
blocker=$!
for _ in $(seq 100); do
  [ -e "/tmp/.X11-unix/X$first" ] && break
  sleep 0.1
done
[ -e "/tmp/.X11-unix/X$first" ] || {
  echo "error: the Xvfb of this check did not start on :$first" >&2
  exit 1
}

# A caller with its own EXIT trap, which starts a display and exits.
cat >"$work/caller.sh" <<'EOF'
set -euo pipefail
trap 'echo "caller trap ran" >>"$OUT/log"' EXIT
source "$ROOT/scripts/xvfb.sh"
unset DISPLAY
todo_start_xvfb
echo "display $DISPLAY" >>"$OUT/log"
echo "pid $TODO_XVFB_PID" >>"$OUT/log"
EOF
OUT=$work ROOT=$root TODO_XVFB_DISPLAYS="$first $second $third" bash "$work/caller.sh" ||
  fail "the caller exited with $?"
log=$(cat "$work/log" 2>/dev/null || true)
[[ $log == *"display :$second"* ]] || fail "the display taken was not passed over: $log"
[[ $log == *"caller trap ran"* ]] || fail "the caller's EXIT trap did not run: $log"
pid=$(sed -n 's/^pid //p' "$work/log")
if [ -z "$pid" ]; then
  fail "no Xvfb was started"
else
  for _ in $(seq 50); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  if kill -0 "$pid" 2>/dev/null; then
    fail "the Xvfb on :$second still runs after its caller exited"
    kill "$pid" 2>/dev/null || true
  fi
  [ ! -e "/tmp/.X$second-lock" ] || fail "display :$second is still locked after its Xvfb stopped"
fi

# Every candidate taken: a clear error, and nothing started.
set +e
message=$(
  unset DISPLAY
  TODO_XVFB_DISPLAYS=$first
  source "$root/scripts/xvfb.sh"
  todo_start_xvfb 2>&1
)
status=$?
set -e
[ "$status" -ne 0 ] || fail "a start with every display taken succeeded"
[[ $message == "error: no free X display for Xvfb among :$first "* ]] ||
  fail "the error with every display taken was: $message"

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) of scripts/xvfb.sh failed"
  exit 1
fi
echo "The Xvfb script's checks passed."
