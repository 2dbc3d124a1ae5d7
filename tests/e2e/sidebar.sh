#!/usr/bin/env bash
# The library sidebar: shown at first with the opened book's name in it; F1 hides it and the page control
# takes its room; a restart keeps it hidden (orgrectFlag=1) until F1 shows it again.
source "$(dirname "$0")/lib.sh"
e2e_setup
ini="$E2E_APP/Config.ini"

width() {
    local w
    read -r _ _ w _ <<<"$(drv rect "$1")"
    echo "$w"
}
book="$E2E_DIR/books/侧栏.txt"
numbered_lines 20 | make_book "$book" gbk

start_reader "$(winpath "$book")"
drv --timeout 15000 wait-window --visible
wait_eq "the default placement is applied" "100 100 850 600" drv rect
wait_eq "the sidebar is shown, 160 pixels wide" "160" width 1000
check_eq "it lists the opened book" "侧栏.txt" "$(drv rows 1000)"
settle width 1018
with_sidebar="$POLLED"
drv key f1
wait_eq "F1 hides the sidebar (no width left)" "0" width 1000
settle width 1018
without_sidebar="$POLLED"
check_arith "the page control gets wider ($with_sidebar -> $without_sidebar pixels)" \
    "$without_sidebar >= $with_sidebar + 150"
stop_reader
check_eq "orgrectFlag=1 at exit" "1" "$(ini_get "$ini" Style orgrectFlag)"

start_reader
drv --timeout 15000 wait-window --visible
wait_eq "the last book is open again" "侧栏.txt" drv title
wait_eq "the sidebar stays hidden after a restart" "0" width 1000
wait_eq "the page control keeps the room" "$without_sidebar" width 1018
drv key f1
wait_eq "F1 shows it again" "160" width 1000
wait_eq "the page control has its first width again" "$with_sidebar" width 1018
stop_reader
check_eq "orgrectFlag=0 at exit" "0" "$(ini_get "$ini" Style orgrectFlag)"

e2e_finish
