#!/usr/bin/env bash
# Every way of opening a book leaves the library sidebar naming books that its rows open: the command line,
# the open-file dialog (also after an open that failed, and for two books of one name in two folders), a
# dropped file, a bookmark, a reading record, a recent folder and the sidebar itself. After each way, a
# double-click on a row opens exactly the book the row names, and leaves the rows as they were.
source "$(dirname "$0")/lib.sh"
e2e_setup
ini="$E2E_APP/Config.ini"
east="$E2E_DIR/books/东"
west="$E2E_DIR/books/西"

# book FOLDER NAME WORD: a book of 20 lines (one page) whose lines name WORD.
book() {
    local i
    for ((i = 1; i <= 20; i++)); do printf '第%d行，%s的雨下了一整天。\n' "$i" "$3"; done | make_book "$1/$2.txt" gbk
}
book "$east" 甲书 甲地
book "$west" 乙书 乙地
book "$east" 丙书 丙地
book "$west" 丁书 丁地
book "$east" 同名 东边
book "$west" 同名 西边
: >"$east/空书.txt"
printf '[File Dir]\nFileNum=1\n1=%s\n' "$(winpath "$west")" | write_ini "$ini"

# shows WHAT WORD: the page shown is the first page of the book whose lines name WORD.
shows() {
    wait_eq "$1: the page is the book of $2" "$(printf '0\t第1行，%s的雨下了一整天。' "$2")" drv first-line
}

# rows_are WHAT NAME...: the sidebar lists exactly these file names, in this order.
ROWS=""
rows_are() {
    local what="$1"
    shift
    ROWS="$(printf '%s\n' "$@")"
    check_eq "$what: the sidebar lists $*" "$ROWS" "$(drv rows 1000)"
}

# open_rows ROW:WORD...: double-clicks each row in turn; the row opens the book whose lines name WORD. At
# the end no message box is up (no row named a book that fails) and the rows are still ROWS.
open_rows() {
    local pair
    for pair in "$@"; do
        drv select-row 1000 "${pair%%:*}" >/dev/null
        drv double-click 1000 >/dev/null
        shows "double-click on row ${pair%%:*}" "${pair#*:}"
    done
    drv --timeout 300 msgbox >/dev/null 2>&1
    check_eq "the double-clicks bring up no message box" 1 $?
    check_eq "the double-clicks leave the rows" "$ROWS" "$(drv rows 1000)"
}

# dialog PATH: chooses PATH in the open-file dialog.
dialog() {
    drv command 57601 >/dev/null
    wait_eq "the open-file dialog for $(basename "$1")" "打开小说或TXT文本" drv --box title
    drv --box set-text 1148 "$(winpath "$1")" >/dev/null 2>&1 ||
        drv --box set-text 1152 "$(winpath "$1")" >/dev/null
    drv --box click 1 >/dev/null
}

start_reader "$(winpath "$east/甲书.txt")"
drv --timeout 15000 wait-window --visible >/dev/null
shows "the command line" 甲地
rows_are "the command line" 甲书.txt
drv focus 1018 >/dev/null
check_eq "F5 adds a bookmark of 甲书" $'提示\n已添加书签！' "$(drv --timeout 5000 key f5 --catch-box | head -n2)"

# A book that fails to open takes no row; the next good open through the dialog starts the rows.
dialog "$east/空书.txt"
check_eq "the empty book is refused" "警告！空文档！" "$(drv --timeout 5000 msgbox | sed -n 2p)"
drv answer ok >/dev/null
dialog "$west/乙书.txt"
shows "the dialog" 乙地
dialog "$east/丙书.txt"
shows "the dialog" 丙地
rows_are "two good opens after a failed one" 乙书.txt 丙书.txt
open_rows 0:乙地 1:丙地

# A dropped book is the one row; the next dialog open starts the rows again.
drv drop "$(winpath "$west/丁书.txt")" >/dev/null
shows "the drop" 丁地
rows_are "the drop" 丁书.txt
open_rows 0:丁地
dialog "$east/同名.txt"
shows "the dialog" 东边
dialog "$west/同名.txt"
shows "the dialog" 西边
rows_are "two books of one name after the drop" 同名.txt 同名.txt
open_rows 0:东边 1:西边

# The bookmark of 甲, opened while the dialog's books are listed.
drv command 32781 >/dev/null
shows "the bookmark" 甲地
rows_are "the bookmark" 甲书.txt
open_rows 0:甲地

# The reading record of 丁, opened while 甲 is listed.
drv command 32813 >/dev/null
wait_match "the records dialog" "*阅读时间记录*" drv --box title
record="$(drv --box rows 1041 | awk -F'\t' '$2 == "丁书.txt" { print NR - 1; exit }')"
check_match "丁书 has a reading record" "[0-9]*" "${record:-none}"
drv --box select-row 1041 "${record:-0}" >/dev/null
drv --box click 1 >/dev/null
shows "the reading record" 丁地
rows_are "the reading record" 丁书.txt
open_rows 0:丁地

# A recent folder lists its books (in the list's own order), each row opening its book; a dialog open then
# replaces the folder.
drv command 57617 >/dev/null
sorted_rows() { drv rows 1000 | LC_ALL=C sort; }
wait_eq "the recent folder lists its books" "$(printf '%s\n' 丁书.txt 乙书.txt 同名.txt | LC_ALL=C sort)" sorted_rows
ROWS="$(drv rows 1000)"
same=$(($(grep -n '^同名.txt$' <<<"$ROWS" | cut -d: -f1) - 1))
yi=$(($(grep -n '^乙书.txt$' <<<"$ROWS" | cut -d: -f1) - 1))
open_rows "$same:西边" "$yi:乙地"
dialog "$east/丙书.txt"
shows "the dialog" 丙地
rows_are "a dialog open after the folder" 丙书.txt
stop_reader

e2e_finish
