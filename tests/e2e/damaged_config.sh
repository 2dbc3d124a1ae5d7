#!/usr/bin/env bash
# A damaged Config.ini: counts out of range, a line longer than the 260-byte read buffer, a font name longer
# than a font record holds, lines that are no settings, a placement with a wrong checksum, unknown paging and
# arrow-key modes. The reader starts cleanly with a book in the default window, keeps working, exits
# normally, and leaves the book's bytes alone.
source "$(dirname "$0")/lib.sh"
e2e_setup
ini="$E2E_APP/Config.ini"

line() { printf '第%d行，江南的雨下了一整天。' "$1"; }
book="$E2E_DIR/books/损坏设置.txt"
numbered_lines 300 | make_book "$book" gbk
book_sum="$(sha256sum <"$book")"

long_path="Z:\\$(printf '很长的目录名%.0s' {1..30})\\书.txt" # about 400 bytes in code page 936
long_font="$(printf '宋体%.0s' {1..80})"                      # 320 bytes
bookmark="书, 12.00%, [3-03 14:05] >P2,0,p5000, <$(winpath "$book")"
{
    echo "这一行既不是节也不是键"
    echo "[BookMark]"
    echo "MarkNum=99"
    echo "0=没有.txt,P5,12:00,01/May >Z:\\没有\\没有.txt"
    echo "1=长, 1.00%, [3-03 14:05] >P1,0,p0, <$long_path"
    for ((k = 2; k <= 14; k++)); do echo "$k=$bookmark"; done
    echo "=没有键名"
    echo "[TimePad]"
    echo "TimePadNum=-5"
    echo "1=乱七八糟"
    echo "[File Dir]"
    echo "FileNum=50"
    echo "1=Z:\\没有这个文件夹"
    echo "[Style"
    echo "[Style]"
    echo "SortFlag=7"
    echo "KeyUD=9"
    echo "KeepOne=abc"
    echo "txtsize=-1"
    echo "txtfont=$long_font"
    echo "MarkLine=99999"
    echo "[Interface]"
    echo "RemWndPlace=$(placement_hex 10 10 500 400 | sed 's/..$/00/')"
    echo "toolflag=5"
} | write_ini "$ini"
printf '\x81\x20\xfe\xff\x80=\x01\x02\r\n' >>"$ini" # bytes that are no code page 936 text
check_eq "the damaged placement has a wrong checksum" bad \
    "$(placement_fields "$(ini_get "$ini" Interface RemWndPlace)")"

start_reader "$(winpath "$book")"
drv --timeout 15000 wait-window --visible
wait_eq "the book opens" "损坏设置.txt" drv title
wait_eq "its first line is shown" $'0\t'"$(line 1)" drv first-line
wait_eq "an unknown paging mode reads the book by lines" "总页数 6" eval 'echo "$(drv text 1021) $(drv text 1014)"'
wait_eq "a placement with a wrong checksum gives the default window" "100 100 850 600" drv rect
drv --timeout 1000 msgbox
check_eq "no message box" 1 $?

drv focus 1018
drv key right
wait_eq "Right still turns the page" "2" drv text 1015
drv key down
drv key space
settle drv first-line
check_match "an unknown arrow-key mode leaves the reader working" $'[0-9]*\t第*行*' "$POLLED"
check_eq "the reader still answers" "损坏设置.txt" "$(drv title)"
stop_reader
check_clean_exit "the reader ends normally"
check_eq "the book file is untouched" "$book_sum" "$(sha256sum <"$book")"
read -r length _ show _ _ _ _ left top right bottom <<<"$(placement_fields "$(ini_get "$ini" Interface RemWndPlace)")"
check_eq "a valid placement is written back" "44 1 100 100 950 700" "$length $show $left $top $right $bottom"
check_eq "txtsize -1 is not written back" "-1" "$(ini_get "$ini" Style txtsize)"

e2e_finish
