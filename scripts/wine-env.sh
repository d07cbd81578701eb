#!/usr/bin/env bash
# Sourced by the scripts that run Windows programs: the project's own 32-bit Wine prefix, a
# Japanese locale (so that Wine's ANSI code page is 932) and quiet Wine.
#
# Some virtual machines run 64-bit programs only; Wine's 32-bit loader then fails with
# "Exec format error". On those, 32-bit Linux programs are handed to qemu's user-mode
# emulator through binfmt_misc, which is slower but runs the same Wine.

TODO_ROOT=${TODO_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
export WINEPREFIX=${WINEPREFIX:-$TODO_ROOT/build/wineprefix}
export WINEARCH=win32
export WINEDEBUG=${WINEDEBUG:--all}
export LANG=ja_JP.UTF-8
export LC_ALL=ja_JP.UTF-8
# No Mono or Gecko installers: the project needs neither.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}

todo_can_run_i386() {
  /lib/ld-linux.so.2 --version >/dev/null 2>&1
}

todo_enable_i386() {
  todo_can_run_i386 && return 0
  local misc=/proc/sys/fs/binfmt_misc
  [ -e "$misc/register" ] || mount -t binfmt_misc binfmt_misc "$misc" 2>/dev/null || true
  if [ ! -e "$misc/qemu-i386" ] && [ -e "$misc/register" ]; then
    echo ':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-i386-static:F' \
      >"$misc/register" 2>/dev/null || true
  fi
  if ! todo_can_run_i386; then
    echo "error: this machine cannot run 32-bit programs, and qemu-i386 could not be set up" >&2
    return 1
  fi
}

# Makes the prefix once; later calls only check the marker.
todo_prepare_prefix() {
  todo_enable_i386 || return 1
  if [ ! -f "$WINEPREFIX/.todo-ready" ]; then
    echo "Preparing the Wine prefix in $WINEPREFIX (once; slow where Wine runs emulated)"
    rm -rf "$WINEPREFIX"
    mkdir -p "$(dirname "$WINEPREFIX")"
    DISPLAY= wine wineboot -i >/dev/null 2>&1 || true
    wineserver -w
    [ -f "$WINEPREFIX/system.reg" ] || { echo "error: Wine prefix was not made" >&2; return 1; }
    touch "$WINEPREFIX/.todo-ready"
  fi
}
