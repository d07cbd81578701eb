#!/usr/bin/env bash
# Checks that every tracked C and C++ file is formatted as .clang-format says, and names each
# one that is not (after clang-format's first complaints). The test command runs it.
# To format a file: clang-format -i FILE
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

command -v clang-format >/dev/null ||
  { echo "error: clang-format is missing; run scripts/install-deps.sh first" >&2; exit 1; }

mapfile -t files < <(git ls-files '*.c' '*.cc' '*.cpp' '*.h' '*.hpp')
if [ ${#files[@]} -eq 0 ]; then
  echo "error: no C or C++ files found by git ls-files in $root" >&2
  exit 1
fi

# One run over every file; each complaint begins with FILE:LINE:COLUMN.
report=$(clang-format --style=file --dry-run --Werror "${files[@]}" 2>&1) && status=0 || status=$?
mapfile -t unformatted < <(printf '%s\n' "$report" |
  sed -n 's/^\(.*\):[0-9]*:[0-9]*: error: code should be clang-formatted.*/\1/p' | uniq)
if [ "$status" -ne 0 ] && [ ${#unformatted[@]} -eq 0 ]; then
  printf '%s\n' "$report" | head -n 20 >&2
  echo "error: clang-format failed (exit $status)" >&2
  exit 1
fi

if [ ${#unformatted[@]} -ne 0 ]; then
  printf '%s\n' "$report" | head -n 12 | sed 's/^/  /'
  echo "Not formatted as .clang-format says (${#unformatted[@]} of ${#files[@]} files):"
  printf '  %s\n' "${unformatted[@]}"
  echo "Format them with: clang-format -i FILE..."
  exit 1
fi
echo "All ${#files[@]} C and C++ files are formatted."
