#!/usr/bin/env bash
# Builds the reader and runs it under Wine on BOOK, or on the bundled sample book when none is given.
#
#   scripts/run.sh [BOOK]
#
# The program folder is build/app: Pelinreader.exe, HaoZipC.exe and 7zz.exe are copied there; it keeps its Config.ini there between
# runs; the sample book goes to build/app/books/. Without an X display the reader runs on a private Xvfb,
# and a screenshot is saved to build/app/screenshot.png after a few seconds.
# PEL_RUN_SECONDS=N closes the reader after N seconds (for unattended runs).
set -uo pipefail

REPO="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_ROOT="${PEL_BUILD_ROOT:-$REPO/build}"
export PEL_BUILD_ROOT="$BUILD_ROOT"
APP="$BUILD_ROOT/app"

bash "$REPO/scripts/deps.sh" || exit 1
bash "$REPO/scripts/build.sh" || exit 1

exe="$BUILD_ROOT/win/src/app/Pelinreader.exe"
driver="$BUILD_ROOT/win/tools/driver/pel_driver.exe"
if [[ ! -f "$exe" ]]; then
    echo "run.sh: the build made no $exe" >&2
    exit 1
fi
mkdir -p "$APP/books"
# HaoZipC.exe and 7zz.exe come beside the program, so books in archives open on the first try.
source "$REPO/scripts/layout.sh"
pel_layout "$APP" || exit 1

if [[ $# -ge 1 ]]; then
    if [[ ! -e "$1" ]]; then echo "run.sh: note: $1 does not exist (the reader will say so)" >&2; fi
    book="$(realpath -m "$1")"
else
    [[ -f "$APP/books/sample.txt" ]] || cp "$REPO/samples/sample.txt" "$APP/books/sample.txt"
    book="$APP/books/sample.txt"
fi
winbook="Z:${book//\//\\}"

source "$REPO/scripts/wine-env.sh"
trap pel_wine_cleanup EXIT
trap 'exit 130' INT TERM HUP
pel_wine_setup || exit 1

echo "run.sh: Pelinreader $winbook"
(
    cd "$APP" || exit 1
    exec "$PEL_WINE" "$APP/Pelinreader.exe" "$winbook" {PEL_USERS_FD}>&-
) &
reader=$!

if [[ -n "$PEL_XVFB_PID" ]]; then
    echo "run.sh: no display was available, so the reader runs on Xvfb $DISPLAY (stop it with Ctrl+C)"
    sleep 5
    if import -window root "$APP/screenshot.png" 2>/dev/null; then
        echo "run.sh: screenshot saved to $APP/screenshot.png"
    fi
fi
if [[ -n "${PEL_RUN_SECONDS:-}" ]]; then
    sleep "$PEL_RUN_SECONDS"
    [[ -f "$driver" ]] && pel_exec "$PEL_WINE" "$driver" --timeout 10000 close
fi
wait "$reader"
rc=$?
echo "run.sh: the reader ended (exit code $rc)"
exit $rc
