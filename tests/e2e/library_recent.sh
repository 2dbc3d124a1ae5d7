#!/usr/bin/env bash
# Recent folders and the library sidebar together: a recent folder lists exactly its .txt books (no other
# files, no subfolders) and moves to the front of File Dir; a recent folder that is gone asks whether to
# delete it (Cancel keeps it, OK deletes it and FileNum counts down); the tooltip names the selected book,
# its folder and its size in B, KB and MB (the form itself puts the hint back); a double-click opens the
# row's book, and a book deleted after the listing gives a message, leaves the open book as it was and is not
# remembered as the row read; shukuflag brings the folder and its row back at the next start; F1 hides and
# shows the listed sidebar, and a recent folder shows it again; clearing the list empties every key of
# File Dir.
source "$(dirname "$0")/lib.sh"
e2e_setup
ini="$E2E_APP/Config.ini"
east="$E2E_DIR/books/东 书库"
west="$E2E_DIR/books/西书库"
gone="$E2E_DIR/books/已搬走"
mkdir -p "$east/子目录.txt" "$west"

# book PATH WORD: a book of 20 lines (one page) whose lines name WORD.
book() {
    local i
    for ((i = 1; i <= 20; i++)); do printf '第%d行，%s的雨下了一整天。\n' "$i" "$2"; done | make_book "$1" gbk
}
book "$east/甲书.txt" 甲地
book "$east/乙书.txt" 乙地
book "$east/丙书.txt" 丙地
book "$west/丁书.txt" 丁地
printf 'not a book\n' >"$east/封面.jpg"
printf 'not a book either\n' >"$east/说明.txt.bak"
# Books of exactly 1023, 1024 and 1048576 bytes: 1023 B, 1.0 KB and 1.00 MB.
head -c 1023 /dev/zero | tr '\0' 'a' >"$east/差一.txt"
head -c 1024 /dev/zero | tr '\0' 'a' >"$east/整千.txt"
head -c 1048576 /dev/zero | tr '\0' 'a' >"$east/一兆.txt"
east_rows="$(printf '%s\n' 丙书.txt 乙书.txt 整千.txt 甲书.txt 差一.txt 一兆.txt | LC_ALL=C sort)"
printf '[File Dir]\nFileNum=3\n1=%s\n2=%s\n3=%s\n' "$(winpath "$west")" "$(winpath "$gone")" \
    "$(winpath "$east")" | write_ini "$ini"

shows() {
    wait_eq "$1: the page is the book of $2" "$(printf '0\t第1行，%s的雨下了一整天。' "$2")" drv first-line
}
file_dir() {
    local k out=""
    for k in FileNum 1 2 3 4 5; do out+="$k=$(ini_get "$ini" 'File Dir' "$k" || echo '(none)')"$'\n'; done
    printf '%s' "$out"
}
# tip ROW: the tooltip text after row ROW is selected and the pointer moves over the list.
tip() {
    drv select-row 1000 "$1" >/dev/null
    drv focus 1000 >/dev/null
    drv hover 1000 >/dev/null
    drv hover-at 1 1 >/dev/null
    drv hover 1000 >/dev/null
    drv tooltip 1000
}
# The submenu of recent folders as the reader's own process reads it: "ID TEXT" lines.
recent_menu() {
    local out
    out="$(drv menu-items '文件(&F)/最近文件夹')" || {
        echo "(the menu could not be read)"
        return
    }
    printf '%s' "$out"
}
# menu_of FOLDER...: the items the submenu has for these folders, in this order.
menu_of() {
    local k=0 f
    for f in "$@"; do
        k=$((k + 1))
        printf '%d %d %s\n' $((57616 + k)) "$k" "$(winpath "$f")"
    done
}
row_of() { drv rows 1000 | grep -nxF -- "$1" | cut -d: -f1 | awk '{ print $1 - 1 }'; }

t0=$SECONDS
start_reader "$(winpath "$west/丁书.txt")"
drv --timeout 15000 wait-window --visible >/dev/null
shows "the command line" 丁地
check_eq "the submenu lists the three folders (the placeholder is gone)" "$(menu_of "$west" "$gone" "$east")" \
    "$(recent_menu)"

# Recent folder 3 lists its .txt books, sorted, and becomes folder 1.
drv command 57619 >/dev/null
sorted_rows() { drv rows 1000 | LC_ALL=C sort; }
wait_eq "recent folder 3 lists exactly its .txt books" "$east_rows" sorted_rows
check_eq "File Dir: the folder moved to the front" \
    "$(printf 'FileNum=3\n1=%s\n2=%s\n3=%s\n4=(none)\n5=(none)\n' "$(winpath "$east")" "$(winpath "$west")" \
        "$(winpath "$gone")")" "$(file_dir)"
check_eq "and the submenu is rebuilt in that order" "$(menu_of "$east" "$west" "$gone")" "$(recent_menu)"

# The tooltip of a selected row; over the form itself (off the list) it is the hint again, and the list
# brings the row's details back.
tip_of() { printf '小说：%s\n位置：%s\n大小：%s' "$1" "$(winpath "$east")" "$2"; }
wait_eq "the tooltip of the 1023-byte book" "$(tip_of 差一.txt '1023 B')" tip "$(row_of 差一.txt)"
wait_eq "the tooltip of the 1048576-byte book" "$(tip_of 一兆.txt '1.00 MB')" tip "$(row_of 一兆.txt)"
big=$(row_of 整千.txt)
wait_eq "the tooltip of the 1024-byte book" "$(tip_of 整千.txt '1.0 KB')" tip "$big"
drv hover-form >/dev/null
wait_eq "the pointer over the form: the hint" "单击文件名可查看详细信息！" drv tooltip 1000
wait_eq "back on the list: the same row's details" "$(tip_of 整千.txt '1.0 KB')" tip "$big"
yi=$(row_of 乙书.txt)
size=$(stat -c %s "$east/乙书.txt")
check_arith "乙书 is below 1 KB ($size bytes)" "$size < 1024"
wait_eq "the tooltip of 乙书 ($size bytes)" \
    "$(printf '小说：乙书.txt\n位置：%s\n大小：%s' "$(winpath "$east")" "$size B")" \
    tip "$yi"

# A double-click opens the row's book.
drv select-row 1000 "$yi" >/dev/null
drv double-click 1000 >/dev/null
shows "a double-click on 乙书" 乙地

# A book deleted after the listing: a message, and the open book stays.
jia=$(row_of 甲书.txt)
rm "$east/甲书.txt"
drv select-row 1000 "$jia" >/dev/null
drv double-click 1000 >/dev/null
box="$(drv --timeout 10000 msgbox)"
check_eq "the deleted book gives a message" "文件已删除！" "$(printf '%s\n' "$box" | sed -n 2p)"
drv answer ok >/dev/null 2>&1
drv --timeout 300 msgbox >/dev/null 2>&1
check_eq "one message only" 1 $?
shows "the book open before stays" 乙地
check_eq "the title still names it" "乙书.txt" "$(drv title)"
# The book comes back, so that the next start lists the same rows.
book "$east/甲书.txt" 甲地

# The folder that is gone (now folder 3): Cancel keeps it, OK deletes it.
drv command 57619 >/dev/null
check_eq "a folder that is gone: the question" "路径不存在！是否删除？" "$(drv --timeout 10000 msgbox | sed -n 2p)"
drv answer cancel >/dev/null
check_eq "Cancel keeps it" "3 $(winpath "$gone")" "$(ini_get "$ini" 'File Dir' FileNum) $(ini_get "$ini" 'File Dir' 3)"
check_eq "and in the submenu" "$(menu_of "$east" "$west" "$gone")" "$(recent_menu)"
drv command 57619 >/dev/null
check_eq "asked again" "路径不存在！是否删除？" "$(drv --timeout 10000 msgbox | sed -n 2p)"
drv answer ok >/dev/null
wait_eq "OK deletes it: FileNum 2, key 3 empty" \
    "$(printf 'FileNum=2\n1=%s\n2=%s\n3=\n4=(none)\n5=(none)\n' "$(winpath "$east")" "$(winpath "$west")")" file_dir
check_eq "the sidebar still lists the folder" "$east_rows" "$(sorted_rows)"
check_eq "the submenu without it" "$(menu_of "$east" "$west")" "$(recent_menu)"
stop_reader
check_eq "shukuflag: the row double-clicked last, counted from 1" "$((yi + 1))" "$(ini_get "$ini" Interface shukuflag)"

# The next start lists the folder again with that row selected.
start_reader
drv --timeout 15000 wait-window --visible >/dev/null
shows "the restart" 乙地
wait_eq "the folder is listed again at the start" "$east_rows" sorted_rows
drv focus 1000 >/dev/null
drv hover 1000 >/dev/null
drv hover-at 1 1 >/dev/null
drv hover 1000 >/dev/null
wait_eq "the tooltip names the selected row, the book read last" \
    "$(printf '小说：乙书.txt\n位置：%s\n大小：%s' "$(winpath "$east")" "$size B")" \
    drv tooltip 1000

# F1 hides the listed sidebar and shows it again with its rows.
width() {
    local w
    read -r _ _ w _ <<<"$(drv rect "$1")"
    echo "$w"
}
drv key f1 >/dev/null
wait_eq "F1 hides the sidebar" 0 width 1000
drv key f1 >/dev/null
wait_eq "F1 shows it again, 160 pixels wide" 160 width 1000
check_eq "with the folder's rows" "$east_rows" "$(sorted_rows)"
drv key f1 >/dev/null
wait_eq "F1 hides it once more" 0 width 1000

# Recent folder 2 (west), chosen while the sidebar is hidden, shows it and moves to the front; clearing
# empties every key.
drv command 57618 >/dev/null
wait_eq "recent folder 2 lists its book" "丁书.txt" drv rows 1000
wait_eq "and shows the sidebar" 160 width 1000
check_eq "and is folder 1" "$(printf 'FileNum=2\n1=%s\n2=%s\n3=\n4=(none)\n5=(none)\n' "$(winpath "$west")" "$(winpath "$east")")" \
    "$(file_dir)"
check_eq "the submenu at the next start, after the move" "$(menu_of "$west" "$east")" "$(recent_menu)"
drv command 57631 >/dev/null
wait_eq "clearing writes FileNum and keys 1 to 5 empty" "$(printf 'FileNum=\n1=\n2=\n3=\n4=\n5=\n')" file_dir
check_eq "and empties the submenu" "" "$(recent_menu)"
check_eq "the sidebar keeps its rows" "丁书.txt" "$(drv rows 1000)"
stop_reader
check_eq "File Dir stays empty at exit" "$(printf 'FileNum=\n1=\n2=\n3=\n4=\n5=\n')" "$(file_dir)"
check_eq "orgrectFlag: the sidebar was shown at exit" 0 "$(ini_get "$ini" Style orgrectFlag)"
echo "library_recent: $((SECONDS - t0)) s"

e2e_finish
