#!/usr/bin/env bash
# Resuming: a book opened from the command line, read to page 37 and scrolled 12 lines, comes back at the
# next start without a command line: same book, same page, same first line (restored by a timer about
# 200 ms after start), same window placement.
source "$(dirname "$0")/lib.sh"
e2e_setup
ini="$E2E_APP/Config.ini"

book="$E2E_DIR/books/续读.txt"
numbered_lines 3000 | make_book "$book" gbk # 60 pages of 50 lines
start_reader "$(winpath "$book")"
wait_eq "60 pages" "60" drv text 1014
wait_eq "the default placement is applied first" "100 100 850 600" drv rect

drv set-text 1015 37
drv key return --to 1015
wait_eq "Enter in the page box shows page 37" "37" drv text 1015
wait_eq "page 37 starts with line 1801" $'0\t第1801行，江南的雨下了一整天。' drv first-line
drv focus 1018
for ((i = 0; i < 12; i++)); do drv key down; done
wait_eq "twelve Downs scroll twelve lines (KeyUD 1)" $'12\t第1813行，江南的雨下了一整天。' drv first-line
check_eq "scrolling stays on page 37" "37" "$(drv text 1015)"
drv move 160 120 900 640
wait_eq "the window is moved and resized" "160 120 900 640" drv rect
stop_reader
check_clean_exit "the first run ends cleanly"

check_match "BookMark/0: file name, page 37, time, path" \
    "续读.txt,P37,[0-2][0-9]:[0-5][0-9],[0-3][0-9]/[A-Z][a-z]* >$(glob_escape "$(winpath "$book")")" "$(ini_get "$ini" BookMark 0)"
check_eq "Style/MarkLine: the first visible line" "12" "$(ini_get "$ini" Style MarkLine)"
read -r _ _ _ _ _ _ _ left top right bottom <<<"$(placement_fields "$(ini_get "$ini" Interface RemWndPlace)")"
check_eq "RemWndPlace: the moved window" "160 120 1060 760" "$left $top $right $bottom"

start_reader
wait_eq "the last book is opened again" "续读.txt" drv title
wait_eq "at page 37" "37" drv text 1015
wait_eq "with line 12 of the page at the top" $'12\t第1813行，江南的雨下了一整天。' drv first-line
wait_eq "in the remembered placement" "160 120 900 640" drv rect
drv --timeout 500 msgbox >/dev/null 2>&1
check_eq "the last book is reopened without the resume prompt" 1 $?
stop_reader
check_clean_exit "the second run ends cleanly"

e2e_finish
