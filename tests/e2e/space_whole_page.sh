#!/usr/bin/env bash
# A page that the page control shows whole has its bottom in view from the start, so Space (screen down)
# turns it at once, as the button "翻屏" does; on the last page it announces the end of the book.
source "$(dirname "$0")/lib.sh"
e2e_setup

book="$E2E_DIR/books/整页.txt"
numbered_lines 120 | make_book "$book" gbk # pages of 50, 50 and 20 lines
# A small font without extra line spacing, so that a page of 50 lines fits the tall window below.
printf '[Style]\ntxtsize=180\ntxthj=0\n' | write_ini "$E2E_APP/Config.ini"
start_reader "$(winpath "$book")"
wait_eq "three pages" "3" drv text 1014
wait_eq "the default placement is applied" "100 100 850 600" drv rect
drv move 100 20 850 990 # tall enough for 50 lines
drv focus 1018
drv key space
wait_eq "Space on a page shown whole turns it" "2" drv text 1015
check_eq "the next page starts at its top" $'0\t第51行，江南的雨下了一整天。' "$(drv first-line)"
drv command 1052 # the button 翻屏
wait_eq "翻屏 on a page shown whole turns it too" "3" drv text 1015
drv focus 1018
drv key space
check_match "Space on the last page, shown whole, announces the end of the book" '*您已阅读完《整页》！*' \
    "$(drv --timeout 5000 msgbox)"
drv answer ok >/dev/null
stop_reader

e2e_finish
