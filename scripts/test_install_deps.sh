#!/usr/bin/env bash
# Checks what of scripts/install-deps.sh only machines without 32-bit support reach
# (the backports source derived from apt's configuration, the binfmt_misc rule, the version
# checks) on made-up configurations, changing nothing on this machine. The test command runs it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=scripts/install-deps.sh
source "$root/scripts/install-deps.sh"

failures=0
# check NAME EXPECTED ACTUAL
check() {
  if [ "$2" = "$3" ]; then
    return 0
  fi
  failures=$((failures + 1))
  printf 'FAILED: %s\n--- expected\n%s\n--- got\n%s\n' "$1" "$2" "$3"
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A made-up apt configuration: folder $1 with etc/ and lists/.
new_config() {
  mkdir -p "$work/$1/etc/sources.list.d" "$work/$1/lists"
  printf '%s\n' "$work/$1"
}
# release_file CONFIG STEM ORIGIN CODENAME: a fetched release file, signed as apt keeps it.
release_file() {
  printf -- '-----BEGIN PGP SIGNED MESSAGE-----\nHash: SHA512\n\nOrigin: %s\nLabel: %s\nSuite: x\nCodename: %s\n' \
    "$3" "$3" "$4" >"$1/lists/${2}_InRelease"
}
# derive CONFIG CODENAME: the source printed, or the error text after "error:".
derive() {
  todo_backports_source "$1/etc" "$2" "$1/lists" 2>&1 || echo "(failed)"
}

# deb822, as a Debian 12 machine has it: the release with its updates, and the security suite.
c=$(new_config deb822)
cat >"$c/etc/sources.list.d/debian.sources" <<'EOF'
Types: deb
# a comment inside the stanza
URIs: http://mirror.example/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg

Types: deb
URIs: http://mirror.example/debian-security
Suites: bookworm-security
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
release_file "$c" mirror.example_debian_dists_bookworm Debian bookworm
check "deb822 source" "Types: deb
URIs: http://mirror.example/debian
Suites: bookworm-backports
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg" "$(derive "$c" bookworm)"
check "no backports yet" 1 "$(todo_has_suite "$c/etc" bookworm-backports && echo 0 || echo 1)"

# Another archive that also names its suite after the release is not Debian's, even first.
printf 'deb [arch=amd64 signed-by=/etc/apt/keyrings/other.asc] https://other.example/linux/debian bookworm stable\n' \
  >"$c/etc/sources.list.d/other.list"
release_file "$c" other.example_linux_debian_dists_bookworm Other bookworm
check "another archive of the same suite" "URIs: http://mirror.example/debian" \
  "$(derive "$c" bookworm | sed -n 2p)"

# A backports source already there.
printf 'Types: deb\nURIs: http://mirror.example/debian\nSuites: bookworm-backports\nComponents: main\n' \
  >"$c/etc/sources.list.d/backports.sources"
check "backports already there" 0 "$(todo_has_suite "$c/etc" bookworm-backports && echo 0 || echo 1)"
# ... but not when it is switched off.
printf 'Enabled: no\n' >>"$c/etc/sources.list.d/backports.sources"
check "backports switched off" 1 "$(todo_has_suite "$c/etc" bookworm-backports && echo 0 || echo 1)"

# One-line sources.list naming the release by its alias, with options in brackets.
c=$(new_config oneline)
cat >"$c/etc/sources.list" <<'EOF'
# deb http://old.example/debian bookworm main
deb-src http://mirror.example/debian stable main
deb [ arch=amd64,i386 signed-by=/usr/share/keyrings/debian-archive-keyring.gpg ] http://mirror.example/debian/ stable main contrib # the release
deb http://mirror.example/debian-security stable-security main
EOF
release_file "$c" mirror.example_debian_dists_stable Debian bookworm
check "one-line source, alias suite" "Types: deb
URIs: http://mirror.example/debian/
Suites: bookworm-backports
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg" "$(derive "$c" bookworm)"

# Nothing fetched yet: the first source of the release with main, without a Signed-By.
c=$(new_config fresh)
printf 'deb http://user@mirror.example:8080/debian bookworm contrib\ndeb http://mirror.example:8080/debian bookworm main contrib\n' \
  >"$c/etc/sources.list"
check "nothing fetched yet" "Types: deb
URIs: http://mirror.example:8080/debian
Suites: bookworm-backports
Components: main" "$(derive "$c" bookworm)"

# apt's names of fetched release files.
touch "$c/lists/mirror.example:8080_debian_dists_bookworm_InRelease"
check "release file name" "$c/lists/mirror.example:8080_debian_dists_bookworm_InRelease" \
  "$(todo_release_file "$c/lists" http://user@mirror.example:8080/debian/ bookworm)"
touch "$c/lists/mirror.example_my%5fdebian_dists_bookworm_Release"
check "release file name, quoted" "$c/lists/mirror.example_my%5fdebian_dists_bookworm_Release" \
  "$(todo_release_file "$c/lists" https://mirror.example/my_debian bookworm)"

# A key written into Signed-By stays as it was.
c=$(new_config key)
cat >"$c/etc/sources.list.d/debian.sources" <<'EOF'
Types: deb deb-src
URIs: http://mirror.example/debian
Suites: trixie
Components: main
Signed-By:
 -----BEGIN PGP PUBLIC KEY BLOCK-----
 .
 mQINBGd
 -----END PGP PUBLIC KEY BLOCK-----
EOF
check "key in Signed-By" "Types: deb
URIs: http://mirror.example/debian
Suites: trixie-backports
Components: main
Signed-By:
 -----BEGIN PGP PUBLIC KEY BLOCK-----
 .
 mQINBGd
 -----END PGP PUBLIC KEY BLOCK-----" "$(derive "$c" trixie)"

# No source of the release itself: a clear failure.
c=$(new_config security)
printf 'Types: deb\nURIs: http://mirror.example/debian-security\nSuites: bookworm-security\nComponents: main\n' \
  >"$c/etc/sources.list.d/debian.sources"
check "only the security suite" "no package source in $c/etc/sources.list or $c/etc/sources.list.d/ is the Debian archive of bookworm, so its backports suite cannot be derived
(failed)" "$(derive "$c" bookworm)"
c=$(new_config empty)
check "no sources at all" "(failed)" "$(derive "$c" bookworm | tail -n 1)"

# The release from os-release.
printf 'PRETTY_NAME="Debian GNU/Linux 12 (bookworm)"\nID=debian\nVERSION_CODENAME=bookworm\n' >"$work/os-debian"
printf 'ID=ubuntu\nID_LIKE=debian\nVERSION_CODENAME=noble\n' >"$work/os-other"
printf 'ID="debian"\n' >"$work/os-nocode"
check "Debian codename" bookworm "$(todo_debian_codename "$work/os-debian")"
check "another system" "(failed)" "$(todo_debian_codename "$work/os-other" 2>/dev/null || echo "(failed)")"
check "no codename" "(failed)" "$(todo_debian_codename "$work/os-nocode" 2>/dev/null || echo "(failed)")"

# Versions.
check "qemu 7" 7 "$(echo 'qemu-i386 version 7.2.13 (Debian 1:7.2+dfsg-7+deb12u13)' | todo_qemu_major_from_version)"
check "qemu 10" 10 "$(printf 'qemu-i386 version 10.0.2\nCopyright\n' | todo_qemu_major_from_version)"
check "no qemu" 0 "$(: | todo_qemu_major_from_version)"
check "package 7" 7 "$(todo_major_of_package_version '1:7.2+dfsg-7+deb12u18+b3')"
check "package 9" 9 "$(todo_major_of_package_version '1:9.2.3+ds-1~bpo12+1')"
check "package 10" 10 "$(todo_major_of_package_version '10.0.2+ds-1')"
check "no package" 0 "$(todo_major_of_package_version '(none)')"
check "clang of the clang package" 19 "$(printf 'clang\n  Depends: clang-19\n  Breaks: <clang-3.2>\n' | todo_clang_major_from_depends)"

# The binfmt_misc rule for 32-bit x86 programs.
check "binfmt_misc rule" \
  ':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-i386-static:F' \
  "$(todo_qemu_i386_rule /usr/bin/qemu-i386-static)"

# The steps on a machine without 32-bit support, with apt, root and the kernel's binfmt_misc
# folder stood in for: each stand-in notes its call in $work/calls.
(
  calls=$work/calls
  : >"$calls"
  # Root's commands run as they are, but for what the kernel does with a rule's entry: "-1"
  # written to it removes it, "1" switches it on.
  todo_as_root() {
    if [ "$1" = tee ] && [ "$2" = "$TODO_BINFMT_DIR/qemu-i386" ]; then
      local word
      read -r word
      echo "$word written to the entry" >>"$calls"
      case $word in
        -1) rm -f "$2" ;;
        1) sed -i '1s/.*/enabled/' "$2" ;;
      esac
    else
      "$@"
    fi
  }
  todo_require_root() { :; }
  todo_apt_update() { echo "apt-get update" >>"$calls"; }
  apt-cache() { printf 'qemu-user-static:\n  Installed: (none)\n  Candidate: 1:7.2+dfsg-7+deb12u18\n'; }
  todo_qemu_command() { echo /usr/bin/qemu-i386-static; }
  qemu_major=0
  todo_installed_qemu_major() { echo "$qemu_major"; }
  runs_i386=0
  todo_can_run_i386() { [ "$runs_i386" -eq 1 ]; }

  c=$(new_config emulated)
  cp "$work/deb822/etc/sources.list.d/debian.sources" "$c/etc/sources.list.d/"
  release_file "$c" mirror.example_debian_dists_bookworm Debian bookworm
  TODO_APT_ETC=$c/etc TODO_APT_LISTS=$c/lists TODO_OS_RELEASE=$work/os-debian
  TODO_BACKPORTS_FILE=$c/etc/sources.list.d/todo-backports.sources
  TODO_BINFMT_DIR=$c/binfmt_misc
  mkdir -p "$TODO_BINFMT_DIR"
  touch "$TODO_BINFMT_DIR/register"

  # The release's qemu is too old: the backports source is added and qemu taken from there.
  # The stand-in qemu is release 9 once installed.
  todo_apt_install() {
    echo "apt-get install $*" >>"$calls"
    qemu_major=9
  }
  said=$(todo_install_qemu 2>&1)
  check "qemu from backports: what it said" "Adding the package source bookworm-backports to $TODO_BACKPORTS_FILE
Installing qemu-user-static from bookworm-backports (runs Wine's 32-bit programs here)" "$said"
  check "qemu from backports: the source" "$(derive "$work/deb822" bookworm)" \
    "$(cat "$TODO_BACKPORTS_FILE" 2>/dev/null)"
  check "qemu from backports: apt" "apt-get update
apt-get update
apt-get install -t bookworm-backports qemu-user-static" "$(cat "$calls")"
  : >"$calls"
  qemu_major=0
  said=$(todo_install_qemu 2>&1)
  check "backports there already: nothing added" \
    "Installing qemu-user-static from bookworm-backports (runs Wine's 32-bit programs here)" "$said"

  # The rule for 32-bit programs is registered once.
  said=$(todo_register_qemu 0)
  check "registering: what it said" \
    "Registering /usr/bin/qemu-i386-static with binfmt_misc for 32-bit programs" "$said"
  check "registering: the rule" "$(todo_qemu_i386_rule /usr/bin/qemu-i386-static)" \
    "$(cat "$TODO_BINFMT_DIR/register")"
  # The kernel makes the rule's entry; a stand-in is written here.
  printf 'enabled\ninterpreter /usr/bin/qemu-i386-static\nflags: F\n' >"$TODO_BINFMT_DIR/qemu-i386"
  : >"$TODO_BINFMT_DIR/register"
  check "registered already: nothing to say" "" "$(todo_register_qemu 0)"
  check "registered already: nothing written" "" "$(cat "$TODO_BINFMT_DIR/register")"
  # After an upgrade the entry is removed and the rule made again.
  : >"$calls"
  check "made again after an upgrade" \
    "Registering /usr/bin/qemu-i386-static with binfmt_misc for 32-bit programs" \
    "$(todo_register_qemu 1)"
  check "made again after an upgrade: the entry removed" "-1 written to the entry" "$(cat "$calls")"
  check "made again after an upgrade: the rule" "$(todo_qemu_i386_rule /usr/bin/qemu-i386-static)" \
    "$(cat "$TODO_BINFMT_DIR/register")"
  printf 'disabled\ninterpreter /usr/bin/qemu-i386-static\n' >"$TODO_BINFMT_DIR/qemu-i386"
  : >"$TODO_BINFMT_DIR/register"
  check "a rule switched off is switched on" "Enabling the binfmt_misc rule qemu-i386" \
    "$(todo_register_qemu 0)"
  check "a rule switched off: switched on, not made again" "enabled" \
    "$(head -n 1 "$TODO_BINFMT_DIR/qemu-i386")$(cat "$TODO_BINFMT_DIR/register")"

  # todo_setup_i386 decides: nothing where 32-bit programs run natively, ...
  rm -f "$TODO_BINFMT_DIR/qemu-i386"
  todo_install_qemu() { echo "install qemu" >>"$calls"; }
  todo_register_qemu() { echo "register $1" >>"$calls"; }
  : >"$calls"
  runs_i386=1
  todo_setup_i386
  check "native: nothing done" "" "$(cat "$calls")"
  # ... qemu installed and registered where they do not, ...
  runs_i386=0
  qemu_major=7
  todo_register_qemu() { echo "register $1" >>"$calls"; runs_i386=1; }
  (todo_setup_i386)
  check "no 32-bit programs, old qemu" "install qemu
register 1" "$(cat "$calls")"
  : >"$calls"
  qemu_major=9
  (todo_setup_i386)
  check "no 32-bit programs after a restart, qemu 9" "register 0" "$(cat "$calls")"
  # ... nothing where qemu 9 or later already runs them, and a failure when nothing helps.
  : >"$calls"
  printf '#!/bin/sh\necho "qemu-i386 version 9.2.3"\n' >"$work/qemu9"
  chmod +x "$work/qemu9"
  printf 'enabled\ninterpreter %s\nflags: F\n' "$work/qemu9" >"$TODO_BINFMT_DIR/qemu-i386"
  runs_i386=1
  todo_setup_i386
  check "emulated by qemu 9: nothing done" "" "$(cat "$calls")"
  rm -f "$TODO_BINFMT_DIR/qemu-i386"
  runs_i386=0
  todo_register_qemu() { echo "register $1" >>"$calls"; }
  said=$( (todo_setup_i386) 2>&1 || echo "(failed)")
  check "still no 32-bit programs: a clear failure" "error: 32-bit programs still do not run, even through qemu (/usr/bin/qemu-i386-static); see $TODO_BINFMT_DIR/qemu-i386
(failed)" "$said"
  exit "$failures"
) || failures=$((failures + $?))

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) of scripts/install-deps.sh failed"
  exit 1
fi
echo "The install script's checks passed."
