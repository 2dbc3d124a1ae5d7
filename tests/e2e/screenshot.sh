#!/usr/bin/env bash
# A picture of the reading window with the sample book open, for the README: PEL_E2E_OUT/reading.png.
source "$(dirname "$0")/lib.sh"
e2e_setup

cp "$PEL_SOURCE_DIR/samples/sample.txt" "$E2E_DIR/books/sample.txt"
start_reader "$(winpath "$E2E_DIR/books/sample.txt")"
drv --timeout 15000 wait-window --visible
wait_eq "the sample book is open" "sample.txt" drv title
wait_match "its page count is shown" '[1-9]*' drv text 1014
wait_match "the progress pane is filled" '[[]*正在阅读：sample.txt' drv status 3
sleep 1

read -r x y w h < <(drv rect)
out="${PEL_E2E_OUT:-$E2E_DIR}/reading.png"
import -window root -crop "${w}x${h}+${x}+${y}" +repage "$out"
check_eq "the screenshot is saved" 0 $?
check_eq "the screenshot has the window's size" "${w}x${h}" "$(identify -format '%wx%h' "$out" 2>/dev/null)"
colours="$(convert "$out" -format '%k' info: 2>/dev/null)"
check_match "the screenshot is not blank (at least 100 colours)" '[1-9][0-9][0-9]*' "${colours:-0}"
echo "screenshot: $out"
stop_reader

e2e_finish
