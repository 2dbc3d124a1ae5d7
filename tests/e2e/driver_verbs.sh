#!/usr/bin/env bash
# The driver's own scenario: every verb against pel_driver_target, a window with the reader's class name,
# control ids and status bar that reports in its panes what reached it.
source "$(dirname "$0")/lib.sh"
: "${PEL_TARGET_EXE:?}"
e2e_setup
cp "$PEL_TARGET_EXE" "$E2E_APP/Pelinreader.exe"

start_reader
drv --timeout 10000 wait-window --visible
check_eq "wait-window --visible finds the shown frame" 0 $?
check_eq "title" "sample.txt" "$(drv title)"
check_eq "text of a static (CP936 text read as UTF-8)" "总页数" "$(drv text 1021)"
check_eq "text of an edit" "12" "$(drv text 1014)"
check_eq "status pane 2 (remote buffer)" "字数：1.2345 万[ANSI]" "$(drv status 2)"
check_eq "status pane 3" "[0.00%]->[页 1/12] 正在阅读：sample.txt" "$(drv status 3)"
check_eq "first-line: number and text of the first visible line" $'7\t第7行 文字' "$(drv first-line)"
page="$(drv text 1018)"
check_eq "text of the rich edit, read line by line" 200 "$(printf '%s\n' "$page" | grep -c '^第[0-9]*行 文字')"
check_match "rect gives four numbers" '[0-9]* [0-9]* [0-9]* [0-9]*' "$(drv rect)"

drv key next
wait_match "a posted key reaches the message loop, aimed at the page control" 'key 34 ctrl=0 shift=0 to=1018' \
    drv status 1
drv key f5 ctrl
wait_eq "a key with Ctrl arrives with the Ctrl state set" "key 116 ctrl=1 shift=0 to=1018" drv status 1
drv key right shift --to 1015
wait_eq "a key with Shift goes to the control named by --to" "key 39 ctrl=0 shift=1 to=1015" drv status 1

drv set-text 1015 ""
drv type 1015 "305"
wait_eq "type sends characters to the control" "305" drv text 1015
drv set-text 1015 7
check_eq "set-text replaces the text" "7" "$(drv text 1015)"

drv command 1001
box="$(drv --timeout 5000 msgbox)"
check_eq "msgbox prints caption and text" $'Pelinreader\n文件已删除！' "$box"
drv answer ok
check_eq "answer ok closes the box" 0 $?
wait_eq "the program saw OK" "answer 1" drv status 0
drv command 1002
drv answer cancel
wait_eq "answer cancel presses Cancel" "answer 2" drv status 0
drv --timeout 500 msgbox >/dev/null 2>&1
check_eq "msgbox fails when no box is shown" 1 $?

drop="$E2E_DIR/拖入 的书.txt"
: >"$drop"
drv drop "$(winpath "$drop")"
wait_eq "drop hands the path to the window that accepts files" "drop $(winpath "$drop")" drv status 0

drv --timeout 10000 close
check_eq "close ends the program" 0 $?
drv --timeout 3000 gone
check_eq "gone: no window is left" 0 $?
drv --timeout 300 title >/dev/null 2>&1
check_eq "verbs fail when there is no window" 1 $?
READER_PID=""
e2e_finish
