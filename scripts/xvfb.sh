#!/usr/bin/env bash
# Sourced: starts a private Xvfb display for window tests when none is given, and stops it
# when the calling script exits.

todo_start_xvfb() {
  if [ -n "${DISPLAY:-}" ] && [ -z "${TODO_FORCE_XVFB:-}" ]; then return 0; fi
  local n
  for n in $(seq 91 120); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || break
  done
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  TODO_XVFB_PID=$!
  trap 'kill "$TODO_XVFB_PID" 2>/dev/null || true' EXIT
  export DISPLAY=":$n"
  for _ in $(seq 50); do
    [ -e "/tmp/.X11-unix/X$n" ] && return 0
    sleep 0.1
  done
  echo "error: Xvfb did not start on :$n" >&2
  return 1
}
