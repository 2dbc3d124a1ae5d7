#!/usr/bin/env bash
# Boss key and tray: the hot key hides the window behind an icon whose tip names the book and brings it
# back; a left click on the icon shows it, a right click opens the menu of 关于V2.8, 阅读记录 and 退出. The
# window is hidden only when its icon is there, and a taskbar that restarts gets the icon again. The first
# minimise or close asks "托盘按钮选择"; each answer is kept in TrayFlag and decides what the two buttons
# do. The boss-key dialog shows and stores the key, and 恢复默认 brings back Alt+Space. Time spent hidden is
# not reading time.
source "$(dirname "$0")/lib.sh"
e2e_setup
ini="$E2E_APP/Config.ini"
WM_SYSCOMMAND=274 SC_MINIMIZE=61472 SC_CLOSE=61536 SC_RESTORE=61728
WM_HOTKEY=786 TRAY=1025 WM_LBUTTONUP=514 WM_RBUTTONUP=517
tip_of() { printf 'Pelin阅读器 V2.8\\r\\n正在阅读：%s' "$1"; }
ms() { date +%s%3N; }

hot_key() { drv post-frame $WM_HOTKEY 0 0; }
tray_click() { drv post-frame $TRAY 0 "$1"; }
question_box() {
    local box
    box="$(drv --timeout 5000 msgbox)"
    check_eq "$1: the question" "托盘按钮选择
首次使用，请选择托盘按钮：
【是】：最小化按钮托盘；
【否】：关闭按钮托盘；
【取消】：始终不托盘。" "$box"
}
# open BOOK WHAT: starts the reader with the book, waits for its page.
open() {
    start_reader "$(winpath "$1")"
    drv --timeout 15000 wait-window --visible
    wait_eq "$2: the book is open" "$(basename "$1")" drv title
}

book="$E2E_DIR/books/老板.txt"
numbered_lines 200 | make_book "$book" gbk

# 1. TrayFlag not chosen yet; the hot key, the icon's clicks and menu, and the reading clock.
t0="$(ms)"
open "$book" "first run"
drv --timeout 1500 msgbox >/dev/null 2>&1
check_eq "the boss key is registered without a conflict message" 1 $?
check_eq "no icon while the window is shown" "" "$(drv tray-tips)"
sleep 2
hot_key
wait_eq "the hot key hides the window" hidden drv frame-state
wait_eq "the icon's tip names the book" "$(tip_of 老板)" drv tray-tips
hidden_from="$(ms)"
sleep 8
hot_key
wait_eq "the hot key again shows the window" normal drv frame-state
hidden_ms=$(($(ms) - hidden_from))
wait_eq "and takes the icon away" "" drv tray-tips
hot_key
wait_eq "hidden again" hidden drv frame-state
tray_click $WM_LBUTTONUP
wait_eq "a left click on the icon shows the window" normal drv frame-state
wait_eq "and the icon is gone" "" drv tray-tips

# The window is not hidden without its icon: another program holds the icon's place.
drv tray-icon add
hot_key
sleep 1
check_eq "without its icon the window stays shown" normal "$(drv frame-state)"
check_eq "the only icon is the other one" "stand-in" "$(drv tray-tips)"
drv tray-icon delete
hot_key
wait_eq "with the place free the hot key hides it" hidden drv frame-state
wait_eq "behind the reader's icon" "$(tip_of 老板)" drv tray-tips

# A restarted taskbar has forgotten the icon and says "TaskbarCreated": the icon comes back.
drv tray-icon delete
wait_eq "the taskbar has forgotten the icon" "" drv tray-tips
drv post-frame TaskbarCreated
wait_eq "TaskbarCreated puts the icon back" "$(tip_of 老板)" drv tray-tips
check_eq "the window stays hidden" hidden "$(drv frame-state)"
drv post-frame TaskbarCreated
sleep 0.5
check_eq "a taskbar that still has the icon keeps it" "$(tip_of 老板)" "$(drv tray-tips)"
check_eq "and the window stays hidden" hidden "$(drv frame-state)"
tray_click $WM_LBUTTONUP
wait_eq "shown by a click after the taskbar's restart" normal drv frame-state

# The first minimise asks; Cancel: never to the tray, the window is minimised.
drv post-frame $WM_SYSCOMMAND $SC_MINIMIZE 0
question_box "first minimise"
drv answer cancel
wait_eq "Cancel: minimised as usual" minimised drv frame-state
hot_key
wait_eq "the hot key hides a minimised window too" hidden drv frame-state
hot_key
wait_match "and brings it back" "minimised" drv frame-state
drv post-frame $WM_SYSCOMMAND $SC_RESTORE 0
wait_eq "restored" normal drv frame-state
drv post-frame $WM_SYSCOMMAND $SC_MINIMIZE 0
drv --timeout 1000 msgbox >/dev/null 2>&1
check_eq "the question is asked once" 1 $?
wait_eq "minimised without a question" minimised drv frame-state
drv post-frame $WM_SYSCOMMAND $SC_RESTORE 0
wait_eq "restored again" normal drv frame-state

# The icon's menu: 关于V2.8, 阅读记录, 退出.
hot_key
wait_eq "hidden for the menu" hidden drv frame-state
tray_click $WM_RBUTTONUP
drv popup-choose 0
wait_match "its first item opens the About box" "关于*" drv --box title
drv dismiss
tray_click $WM_RBUTTONUP
drv popup-choose 1
wait_match "its second the reading records" "小说阅读时间记录*" drv --box title
drv dismiss
check_eq "the window is still hidden" hidden "$(drv frame-state)"
tray_click $WM_RBUTTONUP
drv popup-choose 2
drv --timeout 15000 gone
check_eq "its third exits" 0 $?
t1="$(ms)"
stop_reader
check_clean_exit "the reader ends normally"
check_eq "Cancel stored TrayFlag=0" 0 "$(ini_get "$ini" Interface TrayFlag)"
total="$(ini_get "$ini" TimePad 1 | cut -d, -f2)"
most=$(((t1 - t0 - hidden_ms) / 1000 + 1))
check_arith "the hidden time is not reading time ($total s read, at most $most s shown)" \
    "$total >= 2 && $total <= $most"

# 2. Yes: the minimise button hides to the tray; the close button closes. A title that makes the tip
# longer than 62 bytes leaves the name out.
sed -i 's/^TrayFlag=.*/TrayFlag=-1\r/' "$ini"
title17="一二三四五六七八九十甲乙丙丁戊己庚"
numbered_lines 50 | make_book "$E2E_DIR/books/$title17.txt" gbk
numbered_lines 50 | make_book "$E2E_DIR/books/${title17}a.txt" gbk
open "$E2E_DIR/books/$title17.txt" "answer Yes"
drv post-frame $WM_SYSCOMMAND $SC_MINIMIZE 0
question_box "answer Yes"
drv answer yes
wait_eq "Yes: the minimise button hides the window" hidden drv frame-state
wait_eq "a tip of 62 bytes names the book" "$(tip_of "$title17")" drv tray-tips
tray_click $WM_LBUTTONUP
wait_eq "shown by a click" normal drv frame-state
drv drop "$(winpath "$E2E_DIR/books/${title17}a.txt")"
wait_eq "a book with a longer title" "${title17}a.txt" drv title
drv post-frame $WM_SYSCOMMAND $SC_MINIMIZE 0
wait_eq "hidden by the minimise button, no question" hidden drv frame-state
wait_eq "a tip of 63 bytes is the program's name alone" "Pelin阅读器 V2.8" drv tray-tips
tray_click $WM_LBUTTONUP
wait_eq "shown again" normal drv frame-state
drv post-frame $WM_SYSCOMMAND $SC_CLOSE 0
drv --timeout 15000 gone
check_eq "with TrayFlag 1 the close button exits" 0 $?
stop_reader
check_eq "Yes stored TrayFlag=1" 1 "$(ini_get "$ini" Interface TrayFlag)"

# 3. No: the minimise button minimises this time and the close button hides; 退出 of the icon's menu exits.
sed -i 's/^TrayFlag=.*/TrayFlag=-1\r/' "$ini"
open "$book" "answer No"
drv post-frame $WM_SYSCOMMAND $SC_MINIMIZE 0
question_box "answer No"
drv answer no
wait_eq "No: this minimise minimises" minimised drv frame-state
drv post-frame $WM_SYSCOMMAND $SC_RESTORE 0
wait_eq "restored" normal drv frame-state
# The boss key is chosen in "老板键设置": the check boxes and the key field.
boss_keys() { drv --box dialog-state 1064 1065 1066 1067 1058 | cut -d' ' -f3- | paste -sd' '; }
drv command 32846
wait_eq "the boss-key dialog opens" "老板键设置" drv --box title
check_eq "Alt+Space as it starts" "unchecked checked unchecked unchecked 32 0" "$(boss_keys)"
drv --box press 1064
drv --box set-hotkey 1058 123
wait_eq "Ctrl ticked, F12 in the key field" "checked checked unchecked unchecked 123 0" boss_keys
drv --box click 1
drv --timeout 1500 msgbox >/dev/null 2>&1
check_eq "Ctrl+Alt+F12 is registered without a conflict" 1 $?
drv command 32846
wait_eq "the dialog shows the new key" "checked checked unchecked unchecked 123 0" boss_keys
drv --box click 1062
wait_eq "恢复默认: Alt+Space" "unchecked checked unchecked unchecked 32 0" boss_keys
drv --box click 2
sleep 0.5
drv post-frame $WM_SYSCOMMAND $SC_CLOSE 0
wait_eq "the close button hides the window" hidden drv frame-state
wait_eq "behind its icon" "$(tip_of 老板)" drv tray-tips
check_eq "the reader still runs" yes "$(kill -0 "$READER_PID" 2>/dev/null && echo yes)"
tray_click $WM_RBUTTONUP
drv popup-choose 2
drv --timeout 15000 gone
check_eq "退出 of the icon's menu exits" 0 $?
stop_reader
check_clean_exit "the reader ends normally"
check_eq "No stored TrayFlag=2" 2 "$(ini_get "$ini" Interface TrayFlag)"
check_eq "the dialog's OK stored the key, its Cancel nothing" "3 123" \
    "$(ini_get "$ini" Style KeyA) $(ini_get "$ini" Style KeyV)"

e2e_finish
