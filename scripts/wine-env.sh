#!/usr/bin/env bash
# Sourced by the scripts that run Windows programs: the project's own Wine prefix, a Japanese
# locale (so that Wine's ANSI code page is 932) and quiet Wine.
#
# The prefix is a 32-bit one (build/wineprefix), or with TODO_WINE_ARCH=64 a 64-bit one
# (build/wineprefix64), where the same 32-bit programs run under WoW64, as a 32-bit host does on
# 64-bit Windows. Making the 64-bit prefix needs Wine's 64-bit half (package wine64) as well.
#
# Some virtual machines run 64-bit programs only; Wine's 32-bit loader then fails with
# "Exec format error". On those, scripts/install-deps.sh hands 32-bit Linux programs to qemu's
# user-mode emulator through binfmt_misc, which is slower but runs the same Wine; here they are
# only checked to run.

TODO_ROOT=${TODO_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
export TODO_WINE_ARCH=${TODO_WINE_ARCH:-32}
case $TODO_WINE_ARCH in
  32)
    export WINEPREFIX=${WINEPREFIX:-$TODO_ROOT/build/wineprefix}
    export WINEARCH=win32
    ;;
  64)
    export WINEPREFIX=${WINEPREFIX:-$TODO_ROOT/build/wineprefix64}
    export WINEARCH=win64
    ;;
  *)
    echo "error: TODO_WINE_ARCH is '$TODO_WINE_ARCH'; it must be 32 or 64" >&2
    return 1
    ;;
esac
export WINEDEBUG=${WINEDEBUG:--all}
export LANG=ja_JP.UTF-8
export LC_ALL=ja_JP.UTF-8
# No Mono or Gecko installers: the project needs neither.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}

todo_can_run_i386() {
  /lib/ld-linux.so.2 --version >/dev/null 2>&1
}

# Fails, saying what to run, when this machine cannot run 32-bit Linux programs (Wine's loader
# is one). scripts/install-deps.sh sets up qemu for that where needed; its registration with
# binfmt_misc does not survive a restart, and running the install script again renews it.
todo_check_i386() {
  todo_can_run_i386 && return 0
  local misc=/proc/sys/fs/binfmt_misc why
  if [ ! -e /lib/ld-linux.so.2 ]; then
    why="32-bit Wine is not installed"
  elif [ ! -e "$misc/qemu-i386" ]; then
    why="qemu-i386 is not registered with binfmt_misc (a restart undoes that)"
  else
    why="qemu-i386 is registered with binfmt_misc but does not run them (see $misc/qemu-i386)"
  fi
  echo "error: this machine cannot run 32-bit programs such as Wine's loader: $why." >&2
  echo "  Run as root (or with sudo): bash $TODO_ROOT/scripts/install-deps.sh" >&2
  return 1
}

# Wine's own fonts (package fonts-wine) hold the symbols it draws the title-bar buttons with;
# without them it draws letters such as "r" instead. This Wine looks for them under its data
# folder by a path that does not resolve (the folder joined with "../fonts"), so they are
# copied into the prefix's Fonts folder, which Wine always reads.
todo_prefix_fonts() {
  local to="$WINEPREFIX/drive_c/windows/Fonts" from
  [ -f "$to/marlett.ttf" ] && return 0
  from=$(dpkg-query -L fonts-wine 2>/dev/null | sed -n 's|/marlett\.ttf$||p' | head -n 1)
  if [ -z "$from" ] || [ ! -f "$from/marlett.ttf" ]; then
    echo "error: Wine's own fonts (package fonts-wine) are missing. Run: bash $TODO_ROOT/scripts/install-deps.sh" >&2
    return 1
  fi
  mkdir -p "$to"
  cp -n "$from"/* "$to"/
}

# Makes the prefix once; later calls only check the marker and the fonts.
todo_prepare_prefix() {
  todo_check_i386 || return 1
  if [ ! -f "$WINEPREFIX/.todo-ready" ]; then
    echo "Preparing the Wine prefix in $WINEPREFIX (once; slow where Wine runs emulated)"
    rm -rf "$WINEPREFIX"
    mkdir -p "$(dirname "$WINEPREFIX")"
    DISPLAY='' wine wineboot -i >/dev/null 2>&1 || true
    wineserver -w
    [ -f "$WINEPREFIX/system.reg" ] || { echo "error: Wine prefix was not made" >&2; return 1; }
    if ! grep -qx "#arch=$WINEARCH" "$WINEPREFIX/system.reg"; then
      echo "error: the Wine prefix $WINEPREFIX was not made for $WINEARCH" \
        "(is wine64 missing? Run: bash $TODO_ROOT/scripts/install-deps.sh)" >&2
      return 1
    fi
    touch "$WINEPREFIX/.todo-ready"
  fi
  todo_prefix_fonts
}
