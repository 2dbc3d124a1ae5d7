#!/usr/bin/env bash
# Books that cannot be read: a missing file and an empty one are reported, and the reader stays without a book.
source "$(dirname "$0")/lib.sh"
e2e_setup
default_title="Pelin阅读器——Pelinreader"

start_reader "$(winpath "$E2E_DIR/books/不存在.txt")"
box="$(drv --timeout 15000 msgbox)"
check_eq "a missing book is reported" "文件已删除！" "$(printf '%s\n' "$box" | sed -n 2p)"
drv answer ok >/dev/null
drv --timeout 15000 wait-window --visible
check_eq "no page count is shown" "" "$(drv text 1014 | tr -d '0')"
drv command 32830
wait_eq "with no book open the refreshed title is the program's" "$default_title" drv title
stop_reader

empty="$E2E_DIR/books/空白.txt"
: >"$empty"
start_reader "$(winpath "$empty")"
box="$(drv --timeout 15000 msgbox)"
check_eq "an empty book is reported" "警告！空文档！" "$(printf '%s\n' "$box" | sed -n 2p)"
drv answer ok >/dev/null
drv --timeout 15000 wait-window --visible
check_eq "no page count is shown after the empty book" "" "$(drv text 1014 | tr -d '0')"
stop_reader

e2e_finish
