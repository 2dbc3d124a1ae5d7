#!/usr/bin/env bash
# Every way of opening a book leaves the library sidebar naming books it opens: the command line, the
# open-file dialog (also after an open that failed, and for two books of the same name in two folders),
# a dropped file, a bookmark, a reading record, a recent folder and the sidebar itself. After each way,
# a double-click on every row opens exactly the book the row names: its title and its first line.
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
book "$east" 戊书 戊地
book "$east" 同名 东边
book "$west" 同名 西边
: >"$east/空书.txt"
printf '[File Dir]\nFileNum=1\n1=%s\n' "$(winpath "$west")" | write_ini "$ini"

first_line() { printf '0\t第1行，%s的雨下了一整天。' "$1"; }

# shows NAME WORD: the reader shows book NAME.txt whose lines name WORD.
shows() {
    wait_eq "$3: the title names $1.txt" "$1.txt" drv title
    wait_eq "$3: the page is $1's ($2)" "$(first_line "$2")" drv first-line
}

# rows_are WHAT NAME...: the sidebar lists exactly these file names, in this order.
rows_are() {
    local what="$1"
    shift
    check_eq "$what: the sidebar lists $*" "$(printf '%s\n' "$@")" "$(drv rows 1000)"
}

# open_rows ROW-SPEC...: double-clicks each row in turn; a spec is ROW:NAME:WORD. No message box may come
# up (a row that names a book opens that book), and the rows stay as they were.
open_rows() {
    local before spec row name word
    before="$(drv rows 1000)"
    for spec in "$@"; do
        IFS=: read -r row name word <<<"$spec"
        drv select-row 1000 "$row" >/dev/null
        drv double-click 1000 >/dev/null
        shows "$name" "$word" "double-click on row $row"
        drv --timeout 300 msgbox >/dev/null 2>&1
        if ! check_eq "double-click on row $row brings up no message box" 1 $?; then
            drv answer ok >/dev/null 2>&1
        fi
    done
    check_eq "the double-clicks leave the rows" "$before" "$(drv rows 1000)"
}

# dialog_open PATH: opens PATH through the open-file dialog.
dialog_open() {
    drv command 57601 >/dev/null
    wait_eq "the open-file dialog ($(basename "$1"))" "打开小说或TXT文本" drv --box title
    drv --box set-text 1148 "$(winpath "$1")" 2>/dev/null || drv --box set-text 1152 "$(winpath "$1")"
    drv --box click 1 >/dev/null
    wait_eq "the dialog opens $(basename "$1")" "$(basename "$1")" drv title
}

start_reader "$(winpath "$east/甲书.txt")"
drv --timeout 15000 wait-window --visible >/dev/null
shows 甲书 甲地 "the command line"
rows_are "the command line" 甲书.txt
open_rows 0:甲书:甲地

# A book that fails to open takes no row; the next good open starts the list.
drv command 57601 >/dev/null
wait_eq "the open-file dialog (the empty book)" "打开小说或TXT文本" drv --box title
drv --box set-text 1148 "$(winpath "$east/空书.txt")" 2>/dev/null || drv --box set-text 1152 "$(winpath "$east/空书.txt")"
drv --box click 1 >/dev/null
check_eq "the empty book is refused" "警告！空文档！" "$(drv --timeout 5000 msgbox | sed -n 2p)"
drv answer ok >/dev/null
shows 甲书 甲地 "after the failed open"
rows_are "after the failed open" 甲书.txt
dialog_open "$west/乙书.txt"
shows 乙书 乙地 "the dialog"
rows_are "the first good open after the failed one" 乙书.txt
dialog_open "$east/丙书.txt"
rows_are "a second dialog open" 乙书.txt 丙书.txt
open_rows 0:乙书:乙地 1:丙书:丙地 0:乙书:乙地

# Dropped: the dropped book is the one row.
drv drop "$(winpath "$west/丁书.txt")" >/dev/null
shows 丁书 丁地 "the drop"
rows_are "the drop" 丁书.txt
open_rows 0:丁书:丁地
dialog_open "$east/戊书.txt"
rows_are "a dialog open after the drop" 戊书.txt
dialog_open "$east/同名.txt"
dialog_open "$west/同名.txt"
rows_are "two books of one name" 戊书.txt 同名.txt 同名.txt
open_rows 1:同名:东边 2:同名:西边 0:戊书:戊地 2:同名:西边

# A bookmark of 甲, opened while the dialog's books are listed.
dialog_open "$east/甲书.txt"
drv focus 1018 >/dev/null
check_eq "F5 adds a bookmark of 甲书" $'提示\n已添加书签！' "$(drv --timeout 5000 key f5 --catch-box | head -n2)"
dialog_open "$west/乙书.txt"
rows_are "before the bookmark" 戊书.txt 同名.txt 同名.txt 甲书.txt 乙书.txt
drv command 32781 >/dev/null
shows 甲书 甲地 "the bookmark"
rows_are "the bookmark" 甲书.txt
open_rows 0:甲书:甲地

# A reading record of 丁, opened while 甲 is listed.
drv command 32813 >/dev/null
wait_match "the records dialog" "*阅读时间记录*" drv --box title
record="$(drv --box rows 1041 | awk -F'\t' '$2 == "丁书.txt" { print NR - 1; exit }')"
check_match "丁书 has a reading record" "[0-9]*" "${record:-none}"
drv --box select-row 1041 "${record:-0}" >/dev/null
drv --box click 1 >/dev/null
shows 丁书 丁地 "the reading record"
rows_are "the reading record" 丁书.txt
open_rows 0:丁书:丁地

# A recent folder lists the folder; its rows open the folder's books.
dialog_open "$east/丙书.txt"
drv command 57617 >/dev/null
sorted_rows() { drv rows 1000 | LC_ALL=C sort; }
wait_eq "the recent folder lists its books" "$(printf '%s\n' 丁书.txt 乙书.txt 同名.txt | LC_ALL=C sort)" sorted_rows
specs=()
row=0
while IFS= read -r name; do
    case "$name" in 丁书.txt) word=丁地 ;; 乙书.txt) word=乙地 ;; *) word=西边 ;; esac
    specs+=("$row:${name%.txt}:$word")
    row=$((row + 1))
done < <(drv rows 1000)
open_rows "${specs[2]}" "${specs[0]}" "${specs[1]}"
dialog_open "$east/戊书.txt"
rows_are "a dialog open after the folder" 戊书.txt
open_rows 0:戊书:戊地
stop_reader

e2e_finish
