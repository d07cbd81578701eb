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

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) of scripts/install-deps.sh failed"
  exit 1
fi
echo "The install script's checks passed."
