#!/usr/bin/env bash
# A book named on the command line that is not in the current folder is looked up in books\ beside the program.
source "$(dirname "$0")/lib.sh"
e2e_setup

name="藏书.txt"
numbered_lines 60 | make_book "$E2E_APP/books/$name" gbk
mkdir -p "$E2E_DIR/elsewhere"
E2E_CWD="$E2E_DIR/elsewhere" start_reader "$name"
wait_eq "the book from books\\ opens, titled by its file name" "$name" drv title
wait_eq "its 60 lines make two pages" "2" drv text 1014
check_eq "its first line is shown" $'0\t第1行，江南的雨下了一整天。' "$(drv first-line)"
drv --timeout 500 msgbox >/dev/null 2>&1
check_eq "no message box is shown" 1 $?
stop_reader

e2e_finish
