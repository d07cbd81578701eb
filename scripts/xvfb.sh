#!/usr/bin/env bash
# Sourced: starts a private Xvfb display for window tests when none is given (or always, with
# TODO_FORCE_XVFB set), on the first free display of TODO_XVFB_DISPLAYS (91 to 120 unless
# given), and stops it when the calling script exits. The caller's own EXIT trap is kept: it
# runs first, while the display is still there, and then Xvfb is stopped.

# Succeeds when display $1 is taken: its lock file or its socket is there.
todo_display_taken() {
  [ -e "/tmp/.X$1-lock" ] || [ -e "/tmp/.X11-unix/X$1" ]
}

todo_stop_xvfb() {
  if [ -n "${TODO_XVFB_PID:-}" ]; then
    kill "$TODO_XVFB_PID" 2>/dev/null || true
    wait "$TODO_XVFB_PID" 2>/dev/null || true
    TODO_XVFB_PID=
  fi
}

# Makes the EXIT trap run its present commands and then stop Xvfb.
todo_chain_exit_trap() {
  local previous words
  previous=$(trap -p EXIT)
  # `trap -p` prints: trap -- 'COMMANDS' EXIT, quoted for the shell.
  if [ -n "$previous" ]; then
    eval "words=($previous)"
    previous=${words[2]}
  fi
  case $previous in
    *todo_stop_xvfb*) ;;  # already there
    "") trap 'todo_stop_xvfb' EXIT ;;
    *) trap -- "$previous"$'\n''todo_stop_xvfb' EXIT ;;
  esac
}

todo_start_xvfb() {
  if [ -n "${DISPLAY:-}" ] && [ -z "${TODO_FORCE_XVFB:-}" ]; then return 0; fi
  if [ -n "${TODO_XVFB_PID:-}" ] && kill -0 "$TODO_XVFB_PID" 2>/dev/null; then return 0; fi
  local n pid _ tried=""
  for n in ${TODO_XVFB_DISPLAYS:-$(seq 91 120)}; do
    tried="$tried :$n"
    todo_display_taken "$n" && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    pid=$!
    # Another program may take the same display at the same moment; the display is ours only
    # when our Xvfb holds its lock and is serving its socket.
    for _ in $(seq 100); do
      if ! kill -0 "$pid" 2>/dev/null; then break; fi
      if [ -e "/tmp/.X11-unix/X$n" ] &&
        [ "$(tr -d ' ' <"/tmp/.X$n-lock" 2>/dev/null)" = "$pid" ]; then
        TODO_XVFB_PID=$pid
        todo_chain_exit_trap
        export DISPLAY=":$n"
        return 0
      fi
      sleep 0.1
    done
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  echo "error: no free X display for Xvfb among$tried" \
    "(each has a lock file /tmp/.X<n>-lock or a socket /tmp/.X11-unix/X<n>, or Xvfb did not" \
    "start on it)" >&2
  return 1
}
