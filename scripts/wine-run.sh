#!/usr/bin/env bash
# Runs one Windows program under the project's Wine prefix; CTest uses it for every test
# program of the Windows build.
# shellcheck source=scripts/wine-env.sh
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
todo_check_i386 || exit 1
exec wine "$@"
