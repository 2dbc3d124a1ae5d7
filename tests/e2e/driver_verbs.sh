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
check_eq "screen: the size of the virtual desktop" "${PEL_DESKTOP_SIZE/x/ }" "$(drv screen)"
drv move 40 50 760 560
check_eq "move places and sizes the frame" "40 50 760 560" "$(drv rect)"
frame_rect="$(drv rect)"
read -r fx fy _ <<<"$frame_rect"
read -r cx cy cw ch <<<"$(drv rect 1021)"
check_eq "rect ID: a control's rectangle on the screen" "60 20" "$((cw)) $((ch))"
check_arith "rect ID: the control lies inside the frame" "$cx > $fx && $cy > $fy"
check_eq "visible: a shown control" "visible" "$(drv visible 1014)"
check_eq "visible: a hidden control" "hidden" "$(drv visible 1030)"
check_eq "rows of a list box" $'甲.txt\n乙.txt\n丙.txt' "$(drv rows 1000)"
check_eq "rows of a report list view, cells by tabs" \
    $'1\t第一章 初到小镇\t0.00\n2\t第二章 雨夜来客\t48.50' "$(drv rows 1067)"
drv click 1004
wait_eq "click presses a button; nothing is selected yet" "click 1004 selected -1 focused -1 shelf -1" drv status 0
drv select-row 1067 1
check_eq "select-row of a list view" 0 $?
drv select-row 1000 2
check_eq "select-row of a list box" 0 $?
drv click 1004
wait_eq "the rows are selected (and the list-view row focused)" "click 1004 selected 1 focused 1 shelf 2" \
    drv status 0
drv --timeout 300 select-row 1067 2 2>/dev/null
check_eq "select-row fails beyond the last row" 1 $?
drv focus 1015
check_eq "focus moves the keyboard focus to the control" "0 1015" "$? $(drv focused)"
drv focus 1018
check_eq "focused follows the focus" "1018" "$(drv focused)"

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

drv command 1001
check_eq "--box aims a verb at the message box" "Pelinreader" "$(drv --box title)"
# The box can be found before its text is set: wait for the text.
wait_match "--box controls lists the box's controls" '*文件已删除！*' drv --box controls
drv dismiss
check_eq "dismiss closes the box" 0 $?
# Windows reports a closed OK-only box as OK, Wine as Cancel.
wait_match "the program saw its box closed" 'answer [12]' drv status 0
drv command 1005
check_eq "msgbox waits for a message box beside a modeless dialog" $'Pelinreader\n找不到 "江南"' \
    "$(drv --timeout 5000 msgbox)"
drv answer ok
check_eq "answer presses the message box's button, not the dialog's" 0 $?
# The stand-in's box closes itself after a second; a busy machine only makes the wait longer.
shown_at=$(date +%s%3N)
drv command 1003
drv --timeout 3000 msgbox >/dev/null
drv --timeout 5000 wait-gone-msgbox >/dev/null
check_eq "wait-gone-msgbox returns once a box has closed itself" 0 $?
took=$(($(date +%s%3N) - shown_at))
check_arith "the self-closing box lasted about a second (${took} ms)" "${took} >= 900 && ${took} <= 6000"
wait_eq "the stand-in saw its box close" "box closed" drv status 0
drv --timeout 300 wait-gone-msgbox >/dev/null
check_eq "wait-gone-msgbox with no box returns at once" 0 $?

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
