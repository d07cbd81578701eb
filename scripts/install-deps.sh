#!/usr/bin/env bash
# Installs what building and testing need on a Debian machine, only what is missing.
# Safe to run again: it does nothing when everything is already there.
set -euo pipefail

need=()
have_cmd() { command -v "$1" >/dev/null 2>&1; }
have_pkg() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

have_cmd cmake || need+=(cmake)
have_cmd g++ || need+=(g++)
have_cmd i686-w64-mingw32-g++-posix || need+=(g++-mingw-w64-i686)
have_pkg googletest || need+=(googletest)
have_pkg libgtest-dev || need+=(libgtest-dev)
have_pkg libbenchmark-dev || need+=(libbenchmark-dev)
have_cmd clang++ || need+=(clang)
have_pkg libclang-rt-14-dev || need+=(libclang-rt-14-dev)
have_cmd Xvfb || need+=(xvfb)
have_cmd xdotool || need+=(xdotool)
have_cmd import || need+=(imagemagick)
have_pkg fonts-ipafont-gothic || need+=(fonts-ipafont-gothic)
have_pkg locales || need+=(locales)
have_cmd python3 || need+=(python3)
have_cmd ninja || need+=(ninja-build)
have_cmd clang-format || need+=(clang-format)
have_cmd rg || need+=(ripgrep)  # a baseline of scripts/bench.sh
wine_missing=0
# wine64 brings a native wineserver, which serves the 32-bit programs too.
if ! have_cmd wine || ! have_pkg wine32:i386 || ! have_pkg wine64; then
  wine_missing=1
  need+=(wine wine32:i386 wine64)
fi

sudo_if() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

if [ ${#need[@]} -gt 0 ]; then
  echo "Installing: ${need[*]}"
  if [ "$wine_missing" -eq 1 ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    sudo_if dpkg --add-architecture i386
  fi
  sudo_if apt-get update -qq
  DEBIAN_FRONTEND=noninteractive sudo_if apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
fi

# Some virtual machines cannot run 32-bit Linux programs ("Exec format error"), and Wine's
# 32-bit loader is one. There, qemu's user-mode emulator runs them; releases before 8.1
# handle Wine's address-space reservations so slowly that a program takes a minute to start,
# so the newer one from the backports suite is taken.
if ! /lib/ld-linux.so.2 --version >/dev/null 2>&1; then
  qemu_version=$( (qemu-i386 --version 2>/dev/null || true) | sed -n 's/^qemu-i386 version \([0-9]*\).*/\1/p')
  if [ "${qemu_version:-0}" -lt 9 ]; then
    echo "Installing qemu's i386 user-mode emulator (this machine runs no 32-bit programs)"
    codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
    if [ "$codename" = bookworm ]; then
      if ! grep -rqs 'bookworm-backports' /etc/apt/sources.list /etc/apt/sources.list.d/; then
        printf 'Types: deb\nURIs: http://deb.debian.org/debian\nSuites: bookworm-backports\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' |
          sudo_if tee /etc/apt/sources.list.d/todo-backports.sources >/dev/null
      fi
      sudo_if apt-get update -qq
      DEBIAN_FRONTEND=noninteractive sudo_if apt-get install -y -qq --no-install-recommends -t bookworm-backports qemu-user-static >/dev/null
    else
      DEBIAN_FRONTEND=noninteractive sudo_if apt-get install -y -qq --no-install-recommends qemu-user-static >/dev/null
    fi
  fi
fi

# Wine must see code page 932 as the ANSI code page, which needs the Japanese locale.
if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
  echo "Generating the ja_JP.UTF-8 locale"
  sudo_if sed -i 's/^# *\(ja_JP.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' | sudo_if tee -a /etc/locale.gen >/dev/null
  sudo_if locale-gen >/dev/null
fi
