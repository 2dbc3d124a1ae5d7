#!/usr/bin/env bash
# Reading records: opening a book creates its TimePad record at once; reading for about five seconds and
# closing adds the time and stores the progress and the position of the first visible line. The next
# command-line open offers that position ("发现上次进度 …"), and OK goes there. F3 lists the record; the
# records dialog deletes the selected row, and asks before deleting all.
source "$(dirname "$0")/lib.sh"
e2e_setup
ini="$E2E_APP/Config.ini"

book="$E2E_DIR/books/记录.txt"
numbered_lines 200 | make_book "$book" gbk # four pages of 50 lines
size="$(stat -c %s "$book")"
path="$(winpath "$book")"
folder="$(glob_escape "$(winpath "$E2E_DIR/books")")"
ms() { date +%s%3N; }
record_time='[12][0-9][0-9][0-9]/[1-9]*/[1-9]* [0-2][0-9]:[0-5][0-9]'

t0="$(ms)"
start_reader "$path"
t1="$(ms)"
wait_eq "four pages" "4" drv text 1014
poll 1 ini_get "$ini" TimePad TimePadNum
check_eq "the new book's record is written at once" "1" "$POLLED"
new_record="$(ini_get "$ini" TimePad 1)"
check_match "a new record: name, no time yet, first read now, 0.00, 0, folder" \
    "记录.txt, ,$record_time, ,0.00,0,$folder" "$new_record"
first_read="$(cut -d, -f3 <<<"$new_record")"
drv --timeout 800 msgbox >/dev/null 2>&1
check_eq "no resume prompt for a position of 0" 1 $?

drv focus 1018
drv key right
drv key right
wait_eq "page 3" "3" drv text 1015
for ((i = 0; i < 7; i++)); do drv key down; done
wait_eq "seven lines down" $'7\t第108行，江南的雨下了一整天。' drv first-line
at="$(line_offset "$book" 108)"
sleep "$(awk -v t="$(($(ms) - t1))" 'BEGIN { s = (5000 - t) / 1000; print (s > 0 ? s : 0) }')"
t2="$(ms)"
stop_reader
t3="$(ms)"
check_clean_exit "the reader ends cleanly"

record="$(ini_get "$ini" TimePad 1)"
IFS=, read -r name total first last progress chars rest <<<"$record"
low=$(((t2 - t1) / 1000 - 1))
high=$(((t3 - t0 + 999) / 1000 + 1))
check_eq "the record keeps its name and first reading" "记录.txt $first_read" "$name $first"
check_arith "the total is the time read ($total s, between $low and $high)" "$total >= $low && $total <= $high"
check_match "the last reading is now" "$record_time" "$last"
check_eq "progress and position of the first visible line" "$(percent_of "$at" "$size"),$at" "$progress,$chars"
check_match "the folder" "$folder" "$rest"
check_eq "still one record" "1" "$(ini_get "$ini" TimePad TimePadNum)"

start_reader "$path"
box="$(drv --timeout 5000 msgbox)"
check_eq "a command-line open offers the stored position" \
    "发现上次进度 $(percent_of "$at" "$size")%, 是否继续阅读？" "$(sed -n 2p <<<"$box")"
drv answer ok >/dev/null
wait_eq "OK goes to its page" "3" drv text 1015
wait_eq "with its line at the top" $'7\t第108行，江南的雨下了一整天。' drv first-line

drv key f3
wait_match "F3 opens the records dialog" "小说阅读时间记录 *提示：1.双击直接打开文件*" drv --box title
check_match "one row: number, name, time, progress, last, first, characters, folder" \
    "1"$'\t'"记录.txt"$'\t'"0时  0分 [ 1-5][0-9]秒 "$'\t'"$progress"$'\t'"$last"$'\t'"$first"$'\t'"$chars"$'\t'"$folder" \
    "$(drv --box rows 1041)"
drv --box click 1042
check_eq "deleting with no row selected asks for one" "请选择要删除的记录！" "$(drv --timeout 5000 msgbox | sed -n 2p)"
drv answer ok >/dev/null
drv --box click 1043
check_eq "deleting all asks first" "警告！确认是否删除所有阅读时间记录？" "$(drv --timeout 5000 msgbox | sed -n 2p)"
drv answer cancel >/dev/null
check_eq "Cancel keeps the record" "1" "$(drv --box rows 1041 | wc -l)"
drv --box select-row 1041 0
drv --box click 1042
wait_eq "the selected record is deleted without a question" "" drv --box rows 1041
check_eq "TimePadNum=0, key 1 empty" "0|" "$(ini_get "$ini" TimePad TimePadNum)|$(ini_get "$ini" TimePad 1)"
drv --box click 1043
check_eq "deleting all asks also when the list is empty" "警告！确认是否删除所有阅读时间记录？" \
    "$(drv --timeout 5000 msgbox | sed -n 2p)"
drv answer ok >/dev/null
wait_eq "the count is written empty" "" ini_get "$ini" TimePad TimePadNum
drv --box dismiss
stop_reader
check_eq "the time of a deleted record is not written back at exit" "|" \
    "$(ini_get "$ini" TimePad TimePadNum)|$(ini_get "$ini" TimePad 1)"

e2e_finish
