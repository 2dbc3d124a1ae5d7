#!/usr/bin/env bash
# A book dropped on the reading window replaces the open one.
source "$(dirname "$0")/lib.sh"
e2e_setup

first="$E2E_DIR/books/先开.txt"
second="$E2E_DIR/books/拖入 的书.txt"
numbered_lines 20 | make_book "$first" gbk
numbered_lines 130 | sed 's/江南/塞北/' | make_book "$second" utf16le
start_reader "$(winpath "$first")"
wait_eq "the first book is open" "先开.txt" drv title

drv drop "$(winpath "$second")"
wait_eq "the dropped book is open, titled by its file name" "拖入 的书.txt" drv title
wait_eq "its pages are counted" "3" drv text 1014
check_eq "its first line is shown" $'0\t第1行，塞北的雨下了一整天。' "$(drv first-line)"
wait_match "its encoding is named" '*[[]Unicode]' drv status 2
drv --timeout 500 msgbox >/dev/null 2>&1
check_eq "no message box is shown" 1 $?

drv drop "$(winpath "$E2E_DIR/books/没有这本.txt")"
box="$(drv --timeout 5000 msgbox)"
check_eq "a dropped missing file is reported" "文件已删除！" "$(printf '%s\n' "$box" | sed -n 2p)"
drv answer ok >/dev/null
check_eq "the dropped book stays on screen" "3" "$(drv text 1014)"
stop_reader

e2e_finish
