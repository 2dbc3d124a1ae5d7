#!/usr/bin/env bash
# The end of the book: the book got a reading record when it was opened, so Right on the last page announces
# the end with this time's and the total reading time, once; a screen down clears the flag, so Space at the
# bottom of the last page announces it again. The window is made low so that the last page (20 lines) needs
# scrolling; a page that fits the control is the scenario space_whole_page.
source "$(dirname "$0")/lib.sh"
e2e_setup

book="$E2E_DIR/books/读完.txt"
numbered_lines 120 | make_book "$book" gbk # three pages
start_reader "$(winpath "$book")"
wait_eq "three pages" "3" drv text 1014
wait_eq "the default placement is applied" "100 100 850 600" drv rect
drv move 100 100 850 300
drv focus 1018
drv key right
drv key right
wait_eq "Right twice: the last page" "3" drv text 1015
drv key right
# "%d小时 %2d分 %2d秒 " for this time and the total; the scenario reads for well under a minute.
end_of_book='*您已阅读完《读完》！'$'\n''本次阅读时间：0小时  0分 [ 1-5][0-9]秒 ！'$'\n''总计阅读时间：0小时  0分 [ 1-5][0-9]秒 ！'
check_match "Right on the last page announces the end of the book" "$end_of_book" "$(drv --timeout 5000 msgbox)"
drv answer ok >/dev/null
check_eq "the last page stays" "3" "$(drv text 1015)"
drv focus 1018
drv key right
drv --timeout 1000 msgbox >/dev/null 2>&1
check_eq "a second Right shows nothing" 1 $?
for ((i = 0; i < 8; i++)); do
    drv key space
    drv --timeout 300 msgbox >/dev/null 2>&1 && break
done
check_match "Space at the bottom announces it again" "$end_of_book" "$(drv --timeout 5000 msgbox)"
drv answer ok >/dev/null
check_eq "still the last page" "3" "$(drv text 1015)"
stop_reader

e2e_finish
