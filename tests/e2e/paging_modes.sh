#!/usr/bin/env bash
# Switching between pages of 50 lines (32798) and the whole book as one page (32830) keeps the first visible
# line, and the counters and their labels follow the mode.
# (The page is chosen through the page box, which belongs to the paging itself.)
source "$(dirname "$0")/lib.sh"
e2e_setup

book="$E2E_DIR/books/分页.txt"
numbered_lines 300 | make_book "$book" gbk  # six pages of 50 lines
start_reader "$(winpath "$book")"
wait_eq "six pages" "6" drv text 1014
wait_eq "page 1 is shown" $'0\t第1行，江南的雨下了一整天。' drv first-line

drv set-text 1015 3
check_eq "the page box takes the number" "3" "$(drv text 1015)"
drv key return --to 1015
wait_eq "Enter in the page box shows page 3" "3" drv text 1015
top="第101行，江南的雨下了一整天。"
wait_eq "page 3 starts with line 101" $'0\t'"$top" drv first-line

drv command 32830
wait_eq "whole-book mode: labels" "总行数/当前行数" eval 'echo "$(drv text 1021)/$(drv text 1022)"'
wait_eq "whole-book mode keeps line 101 at the top" $'100\t'"$top" drv first-line
wait_eq "whole-book mode: box 1015 counts lines from 0" "100" drv text 1015
wait_match "whole-book mode: box 1014 holds the line count" '30[01]' drv text 1014
wait_match "whole-book mode: progress pane counts lines" '[[]*->[[]行 100/30[01]] 正在阅读：分页.txt' drv status 3

drv command 32798
wait_eq "line mode again: labels" "总页数/当前页数" eval 'echo "$(drv text 1021)/$(drv text 1022)"'
wait_eq "line mode again: page 3 is shown" "3" drv text 1015
check_eq "line mode again: six pages" "6" "$(drv text 1014)"
wait_eq "line mode again keeps line 101 at the top" $'0\t'"$top" drv first-line
wait_match "line mode again: progress pane" '[[]*->[[]页 3/6] 正在阅读：分页.txt' drv status 3
stop_reader

e2e_finish
