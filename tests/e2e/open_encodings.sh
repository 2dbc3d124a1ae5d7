#!/usr/bin/env bash
# A book named on the command line opens in each of the encodings the reader detects: the title is its file
# name, the page boxes count its pages, the first line is its first line and the size pane names the encoding.
source "$(dirname "$0")/lib.sh"
e2e_setup

text="$(numbered_lines 120)"  # 120 lines: pages start after lines 50 and 100
first_line="第1行，江南的雨下了一整天。"

open_in() {
    local encoding="$1" shown="$2"
    local name="书-${encoding}.txt"
    local book="$E2E_DIR/books/$name"
    printf '%s\n' "$text" | make_book "$book" "$encoding"
    start_reader "$(winpath "$book")"
    wait_eq "$encoding: window title is the file name" "$name" drv title
    wait_eq "$encoding: box 1014 holds the page count" "3" drv text 1014
    check_eq "$encoding: box 1015 holds the current page" "1" "$(drv text 1015)"
    check_eq "$encoding: labels of line mode" "总页数/当前页数" "$(drv text 1021)/$(drv text 1022)"
    wait_eq "$encoding: the first visible line is the book's first line" $'0\t'"$first_line" drv first-line
    wait_eq "$encoding: size pane shows the character count and \"$shown\"" \
        "$(printf '%s\n' "$text" | size_pane_text "$shown")" drv status 2
    wait_match "$encoding: progress pane" '[[]*正在阅读：'"$name" drv status 3
    check_match "$encoding: progress pane names page 1 of 3" '*[[]页 1/3]*' "$POLLED"
    stop_reader
}

open_in gbk "ANSI"
open_in utf16le "Unicode"
open_in utf16be "Unicode Big"
open_in utf8bom "UTF-8"
open_in utf8 "UTF-8"

e2e_finish
