#!/usr/bin/env bash
# Makes the package a user installs, checks it, and checks that it is reproducible.
#
#   bash scripts/package.sh
#
# Builds a Release of the Windows build (preset release, into build/release: the tool, the
# host's two libraries and the stand-in host, nothing else) and writes into build/package/:
#   ToDoList-<version>.zip         ToDoList.dll, stripped, and README.txt (installing, where the
#                                  lists are kept, removing; code page 932, CR LF)
#   ToDoList-<version>.zip.sha256  the zip's SHA-256 sum, as `sha256sum -c` reads it
#   ToDoList-<version>.dll.debug   the DLL's debug symbols; the DLL names this file in its
#                                  debug link, so a crash address reads back as a source line
# <version> is the CMake project's (the project() line of CMakeLists.txt).
#
# Then the package's own check: what the zip holds, the DLL's header, debug link, exports and
# imports (package/check_package.py, tests/plugin/check_module.cmake), and the host loading the
# unzipped DLL under Wine and naming the version in its info. Last, the same package is made
# again from a copy of the sources in another folder (build/package-twin), and the two must be
# the same bytes. Exits non-zero when anything fails.
set -euo pipefail
shopt -s inherit_errexit  # a failing step inside $(...) stops the command too
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

bash scripts/install-deps.sh
binutils=i686-w64-mingw32-

# The time the files in the zip carry: the commit's, so that the zip depends on nothing but
# the commit.
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
  SOURCE_DATE_EPOCH=$(git -C "$root" log -1 --format=%ct 2>/dev/null || echo 315532800)
fi
export SOURCE_DATE_EPOCH

# objcopy writes the PE header again, with the time SOURCE_DATE_EPOCH gives (else the time
# now) where the linker left none: 0 keeps the header without a time stamp.
objcopy_pe() { SOURCE_DATE_EPOCH=0 "${binutils}objcopy" "$@"; }

# make_package SOURCE OUTPUT: builds the Release of the sources in SOURCE (in
# SOURCE/build/release) and writes the package's files into OUTPUT; prints the version.
make_package() {
  local source=$1 output=$2 build=$1/build/release version name stage
  (
    cd "$source"
    cmake --preset release >/dev/null
    cmake --build build/release -j "$(nproc)" --target ToDoList Lumaplex >/dev/null
  )
  version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
  [ -n "$version" ] || {
    echo "error: no project version in $build/CMakeCache.txt" >&2
    return 1
  }
  name=ToDoList-$version
  stage=$build/package-stage
  rm -rf "$stage" "$output"
  mkdir -p "$stage" "$output"
  objcopy_pe --only-keep-debug "$build/bin/ToDoList.dll" "$output/$name.dll.debug"
  objcopy_pe --strip-all "$build/bin/ToDoList.dll" "$stage/ToDoList.dll"
  objcopy_pe --add-gnu-debuglink="$output/$name.dll.debug" "$stage/ToDoList.dll"
  sed "s/@VERSION@/$version/g" "$source/package/README.txt" | iconv -f UTF-8 -t CP932 |
    sed 's/$/\r/' >"$stage/README.txt"
  python3 "$source/package/make_zip.py" "$output/$name.zip" "$SOURCE_DATE_EPOCH" \
    "ToDoList.dll=$stage/ToDoList.dll" "README.txt=$stage/README.txt"
  (cd "$output" && sha256sum "$name.zip" >"$name.zip.sha256")
  printf '%s\n' "$version"
}

# copy_sources TO: the sources of this tree (tracked files and new ones git does not ignore,
# as they are now) copied into the folder TO.
copy_sources() {
  mkdir -p "$1"
  if git -C "$root" rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    git -C "$root" ls-files -z --cached --others --exclude-standard |
      while IFS= read -r -d '' file; do
        # A tracked file deleted in the work tree is left out.
        if [ -e "$file" ]; then printf '%s\0' "$file"; fi
      done |
      tar -C "$root" --null -T - -cf - | tar -C "$1" -xf -
  else
    tar -C "$root" --exclude=./build -cf - . | tar -C "$1" -xf -
  fi
}

echo "== Building the package (Release, build/release)"
output=$root/build/package
version=$(make_package "$root" "$output")
name=ToDoList-$version
zip=$output/$name.zip

echo "== Checking the package"
check=0
python3 package/check_package.py --zip "$zip" --debug "$output/$name.dll.debug" \
  --version "$version" --binutils "$binutils" --forbid "$root" || check=1
cmake -DOBJDUMP="${binutils}objdump" -DMODULE="$root/build/release/package-stage/ToDoList.dll" \
  -P tests/plugin/check_module.cmake >/dev/null || check=1

# The host loads the DLL from the zip beside the host's two libraries, and its info names the
# version as four numbers.
IFS=. read -r major minor patch tweak <<<"$version"
file_version=$major.${minor:-0}.${patch:-0}.${tweak:-0}
run=$root/build/release/package-run
rm -rf "$run"
mkdir -p "$run/data"
cp build/release/bin/Lumaplex.exe build/release/bin/QuarnCtrl.dll build/release/bin/Dirscan.dll \
  "$run/"
python3 -c 'import sys, zipfile; zipfile.ZipFile(sys.argv[1]).extractall(sys.argv[2])' "$zip" "$run"
source scripts/wine-env.sh
todo_prepare_prefix
info=$(DISPLAY='' wine "$run/Lumaplex.exe" --data "$(winepath -w "$run/data")" info 2>&1) || true
said=$(printf '%s\n' "$info" | sed -n 7p | tr -d '\r')
if [ "$said" != "$file_version" ]; then
  echo "package check: the host's info for the packaged DLL gives the version '$said', not" \
    "$file_version; it said:" >&2
  printf '%s\n' "$info" >&2
  check=1
fi
[ "$check" -eq 0 ] || {
  echo "FAILED: the package check failed (see above)" >&2
  exit 1
}

echo "== Making the package again from a copy of the sources in another folder"
twin=$root/build/package-twin
rm -rf "$twin"
copy_sources "$twin/ToDoList-source"
make_package "$twin/ToDoList-source" "$twin/package" >/dev/null
same=1
for file in "$name.zip" "$name.dll.debug"; do
  cmp "$output/$file" "$twin/package/$file" || same=0
done
if [ "$same" -ne 1 ]; then
  echo "FAILED: the package made in $twin/ToDoList-source differs from the one made here," \
    "so it is not reproducible" >&2
  exit 1
fi
rm -rf "$twin"

echo "Package: $zip ($(stat -c %s "$zip") bytes; the DLL in it" \
  "$(stat -c %s build/release/package-stage/ToDoList.dll) bytes)"
echo "  SHA-256: $(cut -d' ' -f1 "$zip.sha256") (in $name.zip.sha256)"
echo "  debug symbols: $output/$name.dll.debug ($(stat -c %s "$output/$name.dll.debug") bytes)"
echo "The package check passed, and the same package came from a copy in another folder."
