#!/usr/bin/env bash
# The advanced settings dialog (F2, "高级设置"): every control shows its setting when the dialog opens and
# stores it on OK; OK is refused while no tray button is chosen, and Cancel after that keeps what the refused
# OK had stored already; a plain Cancel keeps everything. Texts typed into the two lists survive a radio
# click and a browse. The values reach Config.ini at exit.
source "$(dirname "$0")/lib.sh"
e2e_setup
ini="$E2E_APP/Config.ini"
book="$E2E_DIR/books/设置.txt"
numbered_lines 150 | make_book "$book" gbk
quotes="$E2E_DIR/books/名言.txt"
quotes2="$E2E_DIR/books/名言2.txt"
printf '第一句\n第二句\n' | make_book "$quotes" gbk
printf '另一句\n' | make_book "$quotes2" gbk
custom=(1032 1053 1036 1001 1037) # the controls of the quote file, enabled with "自定义"

dlg() { drv --box "$@"; }
open_dialog() {
    drv command 32809
    wait_eq "$1: the dialog opens" "高级设置" dlg title
}
ids=(1029 1030 1031 1001 1032 1053 1037 1044 1048 1054 1055 1049 1056 1057 1058 1059 1045 1065)
# expect_controls WHAT RADIO LOOP SCROLL PATH SPAN END FIRST TIP L R U D ROLL TRAY TITLE: the whole dialog,
# one "id enabled|disabled value" line a control; RADIO 0 默认, 1 自定义, 2 关闭; the quote file's controls
# are enabled with 自定义.
expect_controls() {
    local what="$1" radio="$2" loop="$3" scroll="$4" path="$5" roll="${14}" tray="${15}" title="${16}"
    local i id en=disabled out="" numbers=("${@:6:8}")
    [[ $radio == 1 ]] && en=enabled
    for i in 0 1 2; do out+="$((1029 + i)) enabled $([[ $i == "$radio" ]] && echo checked || echo unchecked)"$'\n'; done
    out+="1001 $en $path"$'\n'"1032 $en 浏览..."$'\n'"1053 $en $loop"$'\n'"1037 $en $scroll"$'\n'
    out+="1044 enabled $roll"$'\n'
    i=0
    for id in 1048 1054 1055 1049 1056 1057 1058 1059; do out+="$id enabled ${numbers[i++]}"$'\n'; done
    out+="1045 enabled $tray"$'\n'"1065 enabled $title"
    check_eq "$what" "$out" "$(dlg dialog-state "${ids[@]}")"
}
custom_state() { dlg dialog-state "${custom[@]}" | cut -d' ' -f2 | paste -sd' '; }
state_of() { dlg dialog-state "$@" | cut -d' ' -f2- | tr '\n' ' ' | sed 's/ $//'; }
exit_reader() {
    drv command 57665
    drv --timeout 15000 gone
    stop_reader
    check_clean_exit "$1: the reader ends normally"
}
ini_values() {
    local k out=""
    for k in Quote/QuoteFlag Quote/QuotePath Quote/LoopFlag Quote/ScrollFlag Quote/RollType Quote/TimeSpan \
        Quote/TimeEnd Quote/TimeFirst Quote/TimeSpanTip Style/BJL Style/BJR Style/BJU Style/BJD \
        Interface/TrayFlag Interface/DIYname; do
        out+="${k#*/}=$(ini_get "$ini" "${k%/*}" "${k#*/}")"$'\n'
    done
    printf '%s' "$out"
}

write_ini "$ini" <<EOF
[Quote]
QuoteFlag=2
QuotePath=$(winpath "$quotes")
LoopFlag=1
ScrollFlag=0
RollType=1
TimeSpan=3000
TimeEnd=4
TimeFirst=6
TimeSpanTip=25
[Style]
BJL=12
BJR=8
BJU=3
BJD=2
[Interface]
TrayFlag=-1
DIYname=
EOF

# 1. Every control shows its setting; OK refused without a tray button; Cancel keeps what it stored.
start_reader "$(winpath "$book")"
drv --timeout 15000 wait-window --visible
wait_eq "the book is open" "设置.txt" drv title
open_dialog "first"
expect_controls "each control shows its setting" 1 checked unchecked "$(winpath "$quotes")" \
    3000 4 6 25 12 8 3 2 $'1\t按行滚屏' $'-1\t' ""
drv --box press 1031
wait_eq "关闭 disables the quote file's controls" "disabled disabled disabled disabled disabled" \
    custom_state
dlg combo-type 1044 abc
wait_eq "a text typed into the scroll-mode list selects no item" $'-1\tabc' dlg combo 1044
drv --box press 1029
wait_eq "默认 is chosen" checked dlg checked 1029
check_eq "the typed text survives the radio click" $'-1\tabc' "$(dlg combo 1044)"
dlg set-text 1048 1234
dlg set-text 1049 -5
drv --box click 1
check_eq "OK without a tray button is refused" "请选择托盘按钮......" "$(drv --timeout 5000 msgbox | sed -n 2p)"
drv answer ok
wait_eq "the dialog stays open" "高级设置" dlg title
dlg set-text 1056 40
drv --box click 2
drv --timeout 5000 wait-window --visible
sleep 0.5
dlg --timeout 800 title >/dev/null 2>&1
check_eq "Cancel closes the dialog" 1 $?
exit_reader "refused, then Cancel"
check_eq "the values the refused OK had read are kept, the rest as before" "QuoteFlag=1
QuotePath=$(winpath "$quotes")
LoopFlag=1
ScrollFlag=0
RollType=-1
TimeSpan=1234
TimeEnd=4
TimeFirst=6
TimeSpanTip=25
BJL=12
BJR=8
BJU=3
BJD=2
TrayFlag=-1
DIYname=" "$(ini_values)"

# 2. A plain Cancel keeps everything; OK stores every control; the title follows DIYname at once.
start_reader "$(winpath "$book")"
drv --timeout 15000 wait-window --visible
wait_eq "the book is open again" "设置.txt" drv title
open_dialog "plain Cancel"
dlg set-text 1048 999
dlg combo-pick-index 1045 1
drv --box press 1030
wait_eq "自定义 enables the quote file's controls" enabled dlg enabled 1032
drv --box click 2
sleep 0.5
open_dialog "after Cancel"
expect_controls "Cancel changed nothing" 0 checked unchecked "$(winpath "$quotes")" \
    1234 4 6 25 12 8 3 2 $'0\t按像素滚屏' $'-1\t' ""
drv --box press 1030
wait_eq "自定义 again" enabled dlg enabled 1001
dlg combo-type 1045 xyz
drv --box click 1032
wait_eq "浏览... opens the file dialog" "打开小说或TXT文本" dlg title
dlg set-text 1148 "$(winpath "$quotes2")"
dlg click 1
wait_eq "the dialog shows the chosen file's name only" "名言2.txt" dlg text 1001
check_eq "the typed tray text survives the browse" $'-1\txyz' "$(dlg combo 1045)"
dlg combo-pick-index 1044 2
wait_eq "按页滚屏 puts 30000 into the interval" 30000 dlg text 1048
dlg combo-pick-index 1044 0
wait_eq "按像素滚屏 puts 30 there" 30 dlg text 1048
dlg combo-pick-index 1044 2
wait_eq "按页滚屏 again" 30000 dlg text 1048
dlg set-text 1048 25000
drv --box press 1053
drv --box press 1037
wait_eq "the two check boxes turned" "enabled unchecked enabled checked" state_of 1053 1037
dlg set-text 1049 -7
dlg set-text 1054 7
dlg set-text 1055 abc
dlg set-text 1056 15
dlg set-text 1057 9
dlg set-text 1058 4
dlg set-text 1059 5
dlg set-text 1065 "我的书房"
dlg combo-pick-index 1045 2
drv --box click 1
wait_eq "OK: the window takes the personal title" "我的书房" drv title
open_dialog "after OK"
expect_controls "every value was stored" 1 unchecked checked "$(winpath "$quotes2")" \
    25000 7 0 0 15 9 4 5 $'2\t按页滚屏' $'2\t关闭按钮' "我的书房"
# Back to 默认 with the check boxes changed: they keep their stored values.
drv --box press 1053
drv --box press 1037
drv --box press 1029
wait_eq "默认" checked dlg checked 1029
dlg set-text 1065 ""
drv --box click 1
wait_eq "an empty personal title shows the book's file name at once" "设置.txt" drv title
exit_reader "OK"
check_eq "Config.ini holds the values of the OKs" "QuoteFlag=1
QuotePath=$(winpath "$quotes2")
LoopFlag=0
ScrollFlag=1
RollType=2
TimeSpan=25000
TimeEnd=7
TimeFirst=0
TimeSpanTip=0
BJL=15
BJR=9
BJU=4
BJD=5
TrayFlag=2
DIYname=" "$(ini_values)"

e2e_finish
