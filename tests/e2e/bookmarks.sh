#!/usr/bin/env bash
# Bookmarks: F5 on three pages stores three lines in BookMark, the newest at key 1, each naming the book, the
# progress, the time, the page, the paging mode, the position of the first visible line and the path; the
# "提示" box closes itself. After a restart bookmark 3 opens on its page with its line at the top and moves
# to key 1; deleting bookmark 2 and clearing them all leave key 0, the last book, alone.
source "$(dirname "$0")/lib.sh"
e2e_setup
ini="$E2E_APP/Config.ini"

book="$E2E_DIR/books/书签.txt"
numbered_lines 200 | make_book "$book" gbk # four pages of 50 lines
size="$(stat -c %s "$book")"
path="$(winpath "$book")"
start_reader "$path"
wait_eq "four pages" "4" drv text 1014
drv focus 1018

# add_bookmark PAGE DOWNS: turns to PAGE, scrolls DOWNS lines and presses F5. Leaves in MARK_AT the offset of
# the first visible line (line 50 x (PAGE - 1) + DOWNS + 1 of the book).
add_bookmark() {
    local page="$1" downs="$2" i
    drv key right
    wait_eq "page $page" "$page" drv text 1015
    for ((i = 0; i < downs; i++)); do drv key down; done
    local line=$((50 * (page - 1) + downs + 1))
    wait_eq "page $page scrolled $downs lines" "$downs"$'\t'"第${line}行，江南的雨下了一整天。" drv first-line
    local caught took
    caught="$(drv --timeout 5000 key f5 --catch-box)"
    check_eq "F5 on page $page: the confirmation" $'提示\n已添加书签！' "$(head -n2 <<<"$caught")"
    took="$(sed -n 3p <<<"$caught")"
    check_arith "the confirmation closes itself within 2 s (${took:-never} ms)" "${took:-9999} <= 2000"
    MARK_AT="$(line_offset "$book" "$line")"
}
# mark_pattern PAGE OFFSET: the stored line "%s, %.2f%%, [%s] >P%d,%s,p%d, <%s" of a bookmark in line mode.
mark_pattern() {
    printf '书签, %s%%, [[]%s %s] >P%d,0,p%d, <%s' "$(percent_of "$2" "$size")" "$today" \
        '[0-2][0-9]:[0-5][0-9]' "$1" "$2" "$(glob_escape "$path")"
}
today="$(date +%-m-%d)"

add_bookmark 2 3
at2="$MARK_AT"
check_eq "MarkNum=1 is written at once" "1" "$(ini_get "$ini" BookMark MarkNum)"
add_bookmark 3 5
at3="$MARK_AT"
add_bookmark 4 0
at4="$MARK_AT"
check_eq "MarkNum=3" "3" "$(ini_get "$ini" BookMark MarkNum)"
check_match "key 1: the newest, page 4 at its first line" "$(mark_pattern 4 "$at4")" "$(ini_get "$ini" BookMark 1)"
check_match "key 2: page 3, five lines down" "$(mark_pattern 3 "$at3")" "$(ini_get "$ini" BookMark 2)"
check_match "key 3: the oldest, page 2, three lines down" "$(mark_pattern 2 "$at2")" "$(ini_get "$ini" BookMark 3)"
key1="$(ini_get "$ini" BookMark 1)"
key2="$(ini_get "$ini" BookMark 2)"
key3="$(ini_get "$ini" BookMark 3)"
stop_reader
last="$(ini_get "$ini" BookMark 0)"
check_match "key 0 holds the last book" "书签.txt,P4,*" "$last"

start_reader
wait_eq "the last book is open again on page 4" "4" drv text 1015
drv command 32783
wait_eq "bookmark 3 opens page 2" "2" drv text 1015
wait_eq "with its line at the top" $'3\t第54行，江南的雨下了一整天。' drv first-line
check_eq "bookmark 3 moves to key 1 unchanged" "$key3" "$(ini_get "$ini" BookMark 1)"
check_eq "the others move down" "$key1|$key2" "$(ini_get "$ini" BookMark 2)|$(ini_get "$ini" BookMark 3)"
check_eq "MarkNum stays 3" "3" "$(ini_get "$ini" BookMark MarkNum)"

drv command 61205
poll 2 ini_get "$ini" BookMark MarkNum
check_eq "deleting bookmark 2 leaves MarkNum=2" "2" "$POLLED"
check_eq "keys 1 and 2 keep the rest, key 3 is empty" "$key3|$key2|" \
    "$(ini_get "$ini" BookMark 1)|$(ini_get "$ini" BookMark 2)|$(ini_get "$ini" BookMark 3)"

drv command 32780
poll "" ini_get "$ini" BookMark MarkNum
check_eq "clearing all empties MarkNum" "" "$POLLED"
check_eq "and keys 1 and 2" "|" "$(ini_get "$ini" BookMark 1)|$(ini_get "$ini" BookMark 2)"
check_eq "key 0 is left alone" "$last" "$(ini_get "$ini" BookMark 0)"
drv command 32781
drv --timeout 1000 msgbox >/dev/null 2>&1
check_eq "opening bookmark 1 after clearing does nothing" "1 2" "$? $(drv text 1015)"
stop_reader

e2e_finish
