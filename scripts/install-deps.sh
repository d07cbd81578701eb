#!/usr/bin/env bash
# Installs what building and testing need on a Debian machine, only what is missing, with one
# line for each thing it does. Safe to run again: it prints nothing and changes nothing when
# everything is already there. Needs root (or sudo) only when something is missing.
#
#   bash scripts/install-deps.sh                           install what is missing
#   bash scripts/install-deps.sh --print-backports-source  print the backports source this
#                                                          machine would be given, change nothing
#
# Machines that cannot run 32-bit Linux programs at all ("Exec format error") run Wine's 32-bit
# loader through qemu's user-mode emulator, registered with binfmt_misc here. qemu releases
# before 9 handle Wine's address-space reservations so slowly that each program takes about a
# minute to start, so where the release's own qemu is older, the one from its backports suite
# is taken. That suite is found from the machine's own package sources: the same archive that
# serves the release, with the same keyring.
#
# The functions can be sourced and tried on their own (scripts/test_install_deps.sh does).

TODO_APT_ETC=${TODO_APT_ETC:-/etc/apt}
TODO_OS_RELEASE=${TODO_OS_RELEASE:-/etc/os-release}
TODO_APT_LISTS=${TODO_APT_LISTS:-/var/lib/apt/lists}
TODO_BINFMT_DIR=${TODO_BINFMT_DIR:-/proc/sys/fs/binfmt_misc}
# The file the backports source is written to, when one is needed.
TODO_BACKPORTS_FILE=${TODO_BACKPORTS_FILE:-$TODO_APT_ETC/sources.list.d/todo-backports.sources}

todo_die() {
  echo "error: $*" >&2
  exit 1
}

todo_have_cmd() { command -v "$1" >/dev/null 2>&1; }
todo_have_pkg() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep 'install ok installed' >/dev/null; }

# Runs a command as root: directly when root, else through sudo.
todo_as_root() {
  if [ "$(id -u)" -eq 0 ]; then
    "$@"
  else
    sudo "$@"
  fi
}

# Fails unless commands can be run as root; called before the first change.
todo_require_root() {
  [ "$(id -u)" -eq 0 ] && return 0
  todo_have_cmd sudo && return 0
  todo_die "installing needs root: run this script as root, or install sudo"
}

# Runs a command as root, quietly; on failure shows the end of what it said and stops.
todo_quietly_as_root() {
  local log
  log=$(mktemp)
  if ! todo_as_root "$@" >"$log" 2>&1; then
    tail -n 20 "$log" >&2
    rm -f "$log"
    todo_die "failed: $*"
  fi
  rm -f "$log"
}

todo_apt_updated=0
todo_apt_partial=0  # the last update could not read every index
todo_apt_update() {
  [ "$todo_apt_updated" -eq 1 ] && return 0
  # A mirror in the middle of a sync serves an index of the wrong size for a while, and apt-get
  # then fails although it read every other index. Tried twice more, a little later each time;
  # after that the indexes it did read are used, and the install that follows says whether
  # they hold what is needed.
  local try log
  log=$(mktemp)
  for try in 1 2 3; do
    if todo_as_root apt-get update >"$log" 2>&1; then
      rm -f "$log"
      todo_apt_updated=1
      return 0
    fi
    [ "$try" -lt 3 ] && sleep $((try * 10))
  done
  grep '^E:' "$log" | head -n 3 >&2
  echo "warning: apt-get update failed three times; going on with the indexes it read" >&2
  rm -f "$log"
  todo_apt_partial=1
  todo_apt_updated=1
}

# Installs packages (arguments after the apt-get options, e.g. -t SUITE PKG...).
todo_apt_install() {
  local log codename
  log=$(mktemp)
  if todo_as_root env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y --no-install-recommends "$@" >"$log" 2>&1; then
    rm -f "$log"
    return 0
  fi
  # An index that apt could not read can leave it knowing newer versions of a library for one
  # architecture than for the other (the security updates for amd64 but not for i386, say),
  # and 32-bit Wine then cannot be installed beside the 64-bit libraries: the release's own
  # versions are taken instead.
  if [ "$todo_apt_partial" -eq 1 ] &&
    codename=$(todo_debian_codename "$TODO_OS_RELEASE" 2>/dev/null); then
    echo "Installing again from $codename alone, as some indexes could not be read"
    if todo_as_root env DEBIAN_FRONTEND=noninteractive \
      apt-get install -y --no-install-recommends -t "$codename" "$@" >"$log" 2>&1; then
      rm -f "$log"
      return 0
    fi
  fi
  tail -n 20 "$log" >&2
  rm -f "$log"
  todo_die "failed: apt-get install $*"
}

# --- Package sources -----------------------------------------------------------------------

# The files apt reads its sources from, under the apt configuration folder $1.
todo_source_files() {
  local etc=$1 f
  for f in "$etc/sources.list" "$etc"/sources.list.d/*.list "$etc"/sources.list.d/*.sources; do
    [ -f "$f" ] && printf '%s\n' "$f"
  done
  return 0
}

# Prints one line per binary-package source that apt uses: URI, suite, components and
# Signed-By, separated by tabs (Signed-By may be empty; a key written into the field keeps its
# lines, joined by the character 0x1f). Reads deb822 .sources files and one-line .list files.
todo_apt_entries() {
  local f
  for f in "$@"; do
    case $f in
      *.sources)
        awk -v us=$'\037' '
          function flush(   nt, ts, nu, uu, ns, ss, i, j, deb) {
            if (enabled != "no" && types != "") {
              nt = split(types, ts, /[ \t]+/)
              deb = 0
              for (i = 1; i <= nt; i++) if (ts[i] == "deb") deb = 1
              if (deb) {
                nu = split(uris, uu, /[ \t]+/)
                ns = split(suites, ss, /[ \t]+/)
                for (i = 1; i <= nu; i++)
                  for (j = 1; j <= ns; j++)
                    if (uu[i] != "" && ss[j] != "")
                      print uu[i] "\t" ss[j] "\t" components "\t" signed
              }
            }
            types = uris = suites = components = signed = enabled = field = ""
          }
          function trim(s) { sub(/^[ \t]+/, "", s); sub(/[ \t\r]+$/, "", s); return s }
          /^#/ { next }
          /^[ \t\r]*$/ { flush(); next }
          /^[ \t]/ {
            # A continuation line: only Signed-By (a key written in place) is kept.
            if (field == "signed-by") signed = signed (signed == "" ? "" : us) trim($0)
            next
          }
          {
            colon = index($0, ":")
            if (colon == 0) next
            field = tolower(trim(substr($0, 1, colon - 1)))
            value = trim(substr($0, colon + 1))
            if (field == "types") types = value
            else if (field == "uris") uris = value
            else if (field == "suites") suites = value
            else if (field == "components") components = value
            else if (field == "signed-by") signed = value
            else if (field == "enabled") enabled = tolower(value)
          }
          END { flush() }
        ' "$f"
        ;;
      *)
        awk '
          {
            sub(/#.*/, "")
            sub(/[ \t\r]+$/, "")
            n = split($0, w, /[ \t]+/)
            i = 1
            if (w[i] == "") i++
            if (w[i] != "deb") next
            i++
            signed = ""
            if (substr(w[i], 1, 1) == "[") {
              # Options: [ key=value ... ], possibly with spaces inside the brackets.
              opts = ""
              while (i <= n) {
                opts = opts " " w[i]
                if (w[i] ~ /\]$/) { i++; break }
                i++
              }
              gsub(/[\[\]]/, " ", opts)
              m = split(opts, o, /[ \t]+/)
              for (k = 1; k <= m; k++)
                if (tolower(substr(o[k], 1, 10)) == "signed-by=") signed = substr(o[k], 11)
            }
            if (i + 1 > n || w[i] == "" || w[i + 1] == "") next
            components = ""
            for (k = i + 2; k <= n; k++) components = components (components == "" ? "" : " ") w[k]
            print w[i] "\t" w[i + 1] "\t" components "\t" signed
          }
        ' "$f"
        ;;
    esac
  done
}

# Every source apt uses under the apt configuration folder $1, as todo_apt_entries prints them.
todo_configured_entries() {
  local files
  mapfile -t files < <(todo_source_files "$1")
  [ ${#files[@]} -eq 0 ] || todo_apt_entries "${files[@]}"
}

# The file in apt's lists folder $1 that holds the release file of suite $3 at URI $2, named
# as apt names it (the URI without its scheme and user, slashes as underscores); fails when
# apt has not fetched it.
todo_release_file() {
  local lists=$1 uri=$2 suite=$3 host path stem f
  uri=${uri#*://}
  host=${uri%%/*}
  path=${uri#"$host"}
  host=${host##*@}
  stem="$host${path%/}/dists/$suite"
  stem=${stem//_/%5f}
  stem=${stem//\~/%7e}
  stem=${stem//\//_}
  for f in "$lists/${stem}_InRelease" "$lists/${stem}_Release"; do
    if [ -f "$f" ]; then
      printf '%s\n' "$f"
      return 0
    fi
  done
  return 1
}

# A field (Origin, Codename, ...) of a release file, from its head.
todo_release_field() {
  sed -n "/^-----BEGIN PGP SIGNATURE/q; s/^$2: *//p" "$1" | head -n 1
}

# The codename of a Debian release from an os-release file; fails for anything else.
todo_debian_codename() {
  local file=$1 id codename
  [ -r "$file" ] || {
    echo "cannot read $file" >&2
    return 1
  }
  id=$(sed -n 's/^ID=//p' "$file" | tr -d '"')
  codename=$(sed -n 's/^VERSION_CODENAME=//p' "$file" | tr -d '"')
  if [ "$id" != debian ] || [ -z "$codename" ]; then
    echo "this is not a Debian release with a codename (ID=${id:-none}," \
      "VERSION_CODENAME=${codename:-none} in $file)" >&2
    return 1
  fi
  printf '%s\n' "$codename"
}

# Succeeds when the apt configuration under $1 already has the suite $2.
todo_has_suite() {
  todo_configured_entries "$1" | awk -F'\t' -v s="$2" '$2 == s { found = 1 } END { exit !found }'
}

# Prints the deb822 source of the backports suite of the Debian release $2, from the apt
# configuration under $1 and apt's lists folder $3: the URI of the Debian archive that serves
# the release, with its Signed-By. That archive is the source whose fetched release file says
# Origin Debian and names the release (by its codename, or by an alias such as "stable"); when
# apt has fetched nothing yet, the first source of suite $2 with the component main. Fails,
# saying why, when no source fits.
todo_backports_source() {
  local etc=$1 codename=$2 lists=$3 uri suite components signed release chosen="" fallback=""
  while IFS=$'\t' read -r uri suite components signed; do
    if release=$(todo_release_file "$lists" "$uri" "$suite"); then
      if [ "$(todo_release_field "$release" Origin)" = Debian ] &&
        { [ "$suite" = "$codename" ] ||
          [ "$(todo_release_field "$release" Codename)" = "$codename" ]; }; then
        chosen="$uri"$'\t'"$signed"
        break
      fi
    elif [ -z "$fallback" ] && [ "$suite" = "$codename" ] && [[ " $components " == *" main "* ]]; then
      fallback="$uri"$'\t'"$signed"
    fi
  done < <(todo_configured_entries "$etc")
  chosen=${chosen:-$fallback}
  if [ -z "$chosen" ]; then
    echo "no package source in $etc/sources.list or $etc/sources.list.d/ is the Debian archive" \
      "of $codename, so its backports suite cannot be derived" >&2
    return 1
  fi
  IFS=$'\t' read -r uri signed <<<"$chosen"
  printf 'Types: deb\nURIs: %s\nSuites: %s-backports\nComponents: main\n' "$uri" "$codename"
  if [[ $signed == *$'\037'* ]]; then
    # A key written into the field: its lines follow, indented.
    printf 'Signed-By:\n %s\n' "${signed//$'\037'/$'\n' }"
  elif [ -n "$signed" ]; then
    printf 'Signed-By: %s\n' "$signed"
  fi
}

# --- Compilers --------------------------------------------------------------------------------

# The major version of the clang command, or of the clang that the clang package would install.
todo_clang_major() {
  local version
  if todo_have_cmd clang; then
    version=$(clang -dumpversion 2>/dev/null || true)
    version=${version%%.*}
  else
    version=$(apt-cache depends clang 2>/dev/null | todo_clang_major_from_depends || true)
  fi
  [[ $version =~ ^[0-9]+$ ]] || return 1
  printf '%s\n' "$version"
}

# Reads `apt-cache depends clang` and prints N of its "Depends: clang-N".
todo_clang_major_from_depends() {
  sed -n 's/^ *Depends: clang-\([0-9][0-9]*\)$/\1/p' | head -n 1
}

# --- 32-bit programs and qemu -----------------------------------------------------------------

todo_can_run_i386() { /lib/ld-linux.so.2 --version >/dev/null 2>&1; }

# The binfmt_misc rule that hands 32-bit x86 programs to the interpreter $1. The F flag opens
# the interpreter once, now, so that it is found inside containers and chroots too.
todo_qemu_i386_rule() {
  local magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
  local mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
  printf ':qemu-i386:M::%s:%s:%s:F\n' "$magic" "$mask" "$1"
}

# The major version from a "qemu-i386 version X.Y.Z ..." line on stdin; 0 when there is none.
todo_qemu_major_from_version() {
  local major
  major=$(sed -n 's/^qemu-i386 version \([0-9][0-9]*\).*/\1/p' | head -n 1)
  printf '%s\n' "${major:-0}"
}

# The major version of a Debian package version such as 1:7.2+dfsg-7; 0 for "(none)".
todo_major_of_package_version() {
  local v=$1
  v=${v#*:}
  v=${v%%[.+~-]*}
  [[ $v =~ ^[0-9]+$ ]] || v=0
  printf '%s\n' "$v"
}

todo_qemu_command() {
  local c
  for c in qemu-i386-static qemu-i386; do
    if todo_have_cmd "$c"; then
      command -v "$c"
      return 0
    fi
  done
  return 1
}

todo_installed_qemu_major() {
  local qemu
  qemu=$(todo_qemu_command) || {
    echo 0
    return 0
  }
  "$qemu" --version 2>/dev/null | todo_qemu_major_from_version || true
}

# Installs a qemu-i386 of release 9 or later: the release's own when it is new enough, else the
# one of its backports suite, adding that suite's source when the machine has none.
todo_install_qemu() {
  local candidate codename source installed
  todo_apt_update
  candidate=$(apt-cache policy qemu-user-static 2>/dev/null | sed -n 's/^ *Candidate: //p' || true)
  if [ "$(todo_major_of_package_version "${candidate:-none}")" -ge 9 ]; then
    echo "Installing qemu-user-static (runs Wine's 32-bit programs on this machine)"
    todo_apt_install qemu-user-static
  else
    codename=$(todo_debian_codename "$TODO_OS_RELEASE" 2>&1) ||
      todo_die "qemu 9 or later is needed and this release's is older (${candidate:-none}), but" \
        "no backports suite can be found: $codename"
    if ! todo_has_suite "$TODO_APT_ETC" "$codename-backports"; then
      source=$(todo_backports_source "$TODO_APT_ETC" "$codename" "$TODO_APT_LISTS" 2>&1) ||
        todo_die "qemu 9 or later is needed from $codename-backports: $source"
      echo "Adding the package source $codename-backports to $TODO_BACKPORTS_FILE"
      printf '%s\n' "$source" | todo_as_root tee "$TODO_BACKPORTS_FILE" >/dev/null
      todo_apt_updated=0
      todo_apt_update
    fi
    echo "Installing qemu-user-static from $codename-backports (runs Wine's 32-bit programs here)"
    todo_apt_install -t "$codename-backports" qemu-user-static
  fi
  installed=$(todo_installed_qemu_major)
  if [ "$installed" -lt 9 ]; then
    echo "warning: the qemu installed is release $installed; each Wine program will take" \
      "about a minute to start" >&2
  fi
}

# Hands 32-bit programs to qemu through binfmt_misc. $1 is 1 when qemu was just installed or
# upgraded: a rule made before then still holds the old interpreter open, so it is made again.
todo_register_qemu() {
  local renew=$1 misc=$TODO_BINFMT_DIR qemu
  qemu=$(todo_qemu_command) || todo_die "qemu-i386 is not installed"
  if [ ! -e "$misc/register" ]; then
    echo "Mounting binfmt_misc at $misc"
    todo_as_root mount -t binfmt_misc binfmt_misc "$misc" ||
      todo_die "cannot mount binfmt_misc at $misc (a container needs to be privileged for it)"
  fi
  if [ -e "$misc/qemu-i386" ] && [ "$renew" -eq 1 ]; then
    echo -1 | todo_as_root tee "$misc/qemu-i386" >/dev/null
  fi
  if [ -e "$misc/qemu-i386" ]; then
    if [ "$(head -n 1 "$misc/qemu-i386")" != enabled ]; then
      echo "Enabling the binfmt_misc rule qemu-i386"
      echo 1 | todo_as_root tee "$misc/qemu-i386" >/dev/null
    fi
  else
    echo "Registering $qemu with binfmt_misc for 32-bit programs"
    todo_qemu_i386_rule "$qemu" | todo_as_root tee "$misc/register" >/dev/null ||
      todo_die "binfmt_misc did not take the rule for $qemu"
  fi
}

# Leaves this machine able to run Wine's 32-bit loader: natively, or through qemu 9 or later.
todo_setup_i386() {
  local misc=$TODO_BINFMT_DIR interpreter major renew=0
  if [ -e "$misc/qemu-i386" ] && [ "$(head -n 1 "$misc/qemu-i386")" = enabled ]; then
    # 32-bit programs already go to qemu: only an old qemu needs anything.
    interpreter=$(sed -n 's/^interpreter //p' "$misc/qemu-i386")
    major=$("$interpreter" --version 2>/dev/null | todo_qemu_major_from_version || true)
    if [ "$major" -ne 0 ] && [ "$major" -lt 9 ]; then
      todo_require_root
      todo_install_qemu
      todo_register_qemu 1
    fi
  elif ! todo_can_run_i386; then
    todo_require_root
    if [ "$(todo_installed_qemu_major)" -lt 9 ]; then
      todo_install_qemu
      renew=1
    fi
    todo_register_qemu "$renew"
  fi
  todo_can_run_i386 || todo_die "32-bit programs still do not run, even through qemu" \
    "($(todo_qemu_command || echo 'no qemu-i386')); see $misc/qemu-i386"
}

# --- Everything -----------------------------------------------------------------------------

todo_install_main() {
  local names=() whys=()
  want() {
    names+=("$1")
    whys+=("$2")
  }
  todo_have_cmd cmake || want cmake "the build"
  todo_have_cmd g++ || want g++ "the native build"
  todo_have_cmd i686-w64-mingw32-g++-posix || want g++-mingw-w64-i686 "the 32-bit Windows build"
  todo_have_pkg googletest || want googletest "the tests of the Windows build"
  todo_have_pkg libgtest-dev || want libgtest-dev "the native tests"
  todo_have_pkg libdtl-dev || want libdtl-dev "the diff that merges list files changed on two sides"
  todo_have_pkg libbenchmark-dev || want libbenchmark-dev "the list boxes' benchmark"
  todo_have_cmd clang++ || want clang "the fuzz targets"
  todo_have_cmd Xvfb || want xvfb "a private display for the window tests"
  todo_have_cmd xdotool || want xdotool "finding and clicking windows for the screenshots"
  todo_have_cmd import || want imagemagick "the screenshots"
  todo_have_pkg fonts-ipafont-gothic || want fonts-ipafont-gothic "Japanese text under Wine"
  # Without Wine's own fonts its title-bar buttons are drawn as letters such as "r".
  todo_have_pkg fonts-wine || want fonts-wine "Wine's own fonts: title-bar buttons and symbols"
  todo_have_pkg locales || want locales "the Japanese locale"
  todo_have_cmd python3 || want python3 "the layer check and the benchmark table"
  todo_have_cmd clang-format || want clang-format "the format check of the test command"
  todo_have_cmd git || want git "the format check, which checks the tracked files"
  todo_have_cmd rg || want ripgrep "a baseline of scripts/bench.sh"
  # wine64 brings a native wineserver, which serves the 32-bit programs too, and the 64-bit half
  # of Wine that the 64-bit prefix (WoW64) is made with.
  local wine_missing=0
  todo_have_cmd wine || want wine "running the Windows build"
  todo_have_pkg wine32:i386 || {
    want wine32:i386 "Wine for 32-bit Windows programs"
    wine_missing=1
  }
  todo_have_pkg wine64 || want wine64 "Wine's native server and the 64-bit Wine prefix"

  # The fuzz targets link clang's own libFuzzer, packaged for each clang release.
  local clang_major runtime
  if ! clang_major=$(todo_clang_major); then
    todo_require_root
    todo_apt_update
    clang_major=$(todo_clang_major) ||
      todo_die "cannot tell which clang release the clang package installs (apt-cache depends clang)"
  fi
  runtime=libclang-rt-$clang_major-dev
  todo_have_pkg "$runtime" || want "$runtime" "libFuzzer for clang $clang_major"

  if [ ${#names[@]} -gt 0 ]; then
    todo_require_root
    if [ "$wine_missing" -eq 1 ] && ! dpkg --print-foreign-architectures | grep -x i386 >/dev/null; then
      echo "Adding the package architecture i386, for 32-bit Wine"
      todo_as_root dpkg --add-architecture i386
      todo_apt_updated=0
    fi
    local i
    for i in "${!names[@]}"; do
      echo "Installing ${names[$i]} (${whys[$i]})"
    done
    todo_apt_update
    todo_apt_install "${names[@]}"
  fi

  todo_setup_i386

  # Wine must see code page 932 as the ANSI code page, which needs the Japanese locale.
  if ! locale -a 2>/dev/null | grep -i '^ja_JP\.utf-\?8$' >/dev/null; then
    todo_require_root
    echo "Generating the locale ja_JP.UTF-8"
    todo_as_root sed -i 's/^# *\(ja_JP.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen ||
      echo 'ja_JP.UTF-8 UTF-8' | todo_as_root tee -a /etc/locale.gen >/dev/null
    todo_quietly_as_root locale-gen
  fi
}

# Prints the source that would be added for qemu's backports suite, changing nothing.
todo_print_backports_source() {
  local codename source
  codename=$(todo_debian_codename "$TODO_OS_RELEASE" 2>&1) || todo_die "$codename"
  if todo_has_suite "$TODO_APT_ETC" "$codename-backports"; then
    echo "# $codename-backports is already configured; nothing would be added"
    return 0
  fi
  source=$(todo_backports_source "$TODO_APT_ETC" "$codename" "$TODO_APT_LISTS" 2>&1) ||
    todo_die "$source"
  printf '# %s\n%s\n' "$TODO_BACKPORTS_FILE" "$source"
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
  set -euo pipefail
  case ${1:-} in
    "") todo_install_main ;;
    --print-backports-source) todo_print_backports_source ;;
    *) todo_die "unknown option $1 (see the top of $0)" ;;
  esac
fi
