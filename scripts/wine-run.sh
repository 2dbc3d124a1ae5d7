#!/usr/bin/env bash
# Runs one Windows program under Wine with the project's prefix and display; the exit code is the program's.
# CMake uses it as the emulator of the cross build: wine-run.sh PROGRAM ARGS...
set -u
if [[ $# -lt 1 ]]; then
    echo "usage: wine-run.sh PROGRAM [ARGS...]" >&2
    exit 2
fi
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
trap pel_wine_cleanup EXIT
trap 'exit 143' TERM INT HUP
pel_wine_setup || exit 125
pel_exec "$PEL_WINE" "$@"
exit $?
