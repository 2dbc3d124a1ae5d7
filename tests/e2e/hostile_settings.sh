#!/usr/bin/env bash
# Settings files a reader can leave behind: a Config.ini of a megabyte, one a text editor saved as UTF-16,
# a folder named Config.ini, and one that cannot be written when the reader exits (held open by another
# program, or read-only). The reader starts with the
# book, reads what it can, and at exit either writes its settings or says "设置无法保存：" and the file's
# path; it ends normally every time and never changes the book.
source "$(dirname "$0")/lib.sh"
e2e_setup
ini="$E2E_APP/Config.ini"
book="$E2E_DIR/books/设置.txt"
numbered_lines 150 | make_book "$book" gbk
book_sum="$(sha256sum <"$book")"
refused="设置无法保存：$(winpath "$ini")"

# open_book WHAT: starts the reader with the book and waits until it shows the book's first page.
open_book() {
    start_reader "$(winpath "$book")"
    drv --timeout 20000 wait-window --visible
    E2E_WAIT_MS=30000 wait_eq "$1: the book opens" "设置.txt" drv title
    wait_eq "$1: its three pages" "3" drv text 1014
}

# exit_reader WHAT EXPECTED: exits through the menu; EXPECTED is "" (no message) or the message's text.
exit_reader() {
    local box="" i
    drv command 57665
    if [[ -z "$2" ]]; then
        # With nothing to say the reader ends by itself; a message would hold it until answered.
        for ((i = 0; i < 200; i++)); do
            kill -0 "$READER_PID" 2>/dev/null || break
            sleep 0.1
        done
    fi
    if kill -0 "$READER_PID" 2>/dev/null; then box="$(drv --timeout 20000 msgbox 2>/dev/null | sed -n 2p)"; fi
    check_eq "$1: the message at exit" "$2" "$box"
    [[ -n "$box" ]] && drv answer ok >/dev/null
    drv --timeout 20000 gone >/dev/null
    stop_reader
    check_clean_exit "$1: the reader ends normally"
}

# 1. A megabyte of settings: the values in it are used, the padding is kept, the exit writes its keys.
{
    echo "[Interface]"
    echo "RemWndPlace=$(placement_hex 120 90 820 590)"
    echo "[Padding]"
    for ((k = 0; k < 23000; k++)); do printf 'key%05d=江南的雨下了一整天，河上的船都停着。\n' "$k"; done
} | write_ini "$ini"
check_arith "the file holds over a megabyte" "$(stat -c %s "$ini") > 1048576"
open_book "a megabyte of settings"
wait_eq "its window placement is used" "120 90 700 500" drv rect
exit_reader "a megabyte of settings" ""
check_eq "the padding is kept" "江南的雨下了一整天，河上的船都停着。" "$(ini_get "$ini" Padding key22999)"
check_match "the place in the book is written" "设置.txt,P1,*" "$(ini_get "$ini" BookMark 0)"

# 2. Saved as UTF-16 with a byte-order mark: read as text, not as bytes of code page 936.
rm -f "$ini"
{
    printf '\xff\xfe'
    printf '[Interface]\r\nRemWndPlace=%s\r\n' "$(placement_hex 140 110 840 610)" | iconv -f UTF-8 -t UTF-16LE
} >"$ini"
open_book "UTF-16 settings"
wait_eq "its window placement is used" "140 110 700 500" drv rect
exit_reader "UTF-16 settings" ""

# 3. A folder where the file should be: the defaults are used and the exit says so.
rm -f "$ini"
mkdir "$ini"
open_book "a folder named Config.ini"
wait_eq "the default window" "100 100 850 600" drv rect
exit_reader "a folder named Config.ini" "$refused"
check_eq "the folder is still a folder" yes "$([[ -d "$ini" ]] && echo yes)"
rmdir "$ini"

# 4. Held open without sharing by another program at exit (a synchronising tool, an editor): the reader is
# told, the file keeps its bytes.
printf '[Interface]\ntoolflag=1\n' | write_ini "$ini"
open_book "settings held by another program"
hold_file "$ini"
ini_sum="$(sha256sum <"$ini")"
exit_reader "settings held by another program" "$refused"
release_file "$ini"
check_eq "the held file is unchanged" "$ini_sum" "$(sha256sum <"$ini")"

# 5. Read-only at exit. The file system lets the super-user write a read-only file anyway, so as root the
# file is also made immutable (where the file system has that attribute).
immutable=0
if (($(id -u) == 0)); then
    if chattr +i "$ini" 2>/dev/null && chattr -i "$ini"; then immutable=1; fi
fi
if (($(id -u) != 0 || immutable)); then
    open_book "read-only settings"
    chmod a-w "$ini"
    if ((immutable)); then
        trap 'chattr -i "$ini" 2>/dev/null; e2e_teardown' EXIT
        chattr +i "$ini"
    fi
    ini_sum="$(sha256sum <"$ini")"
    exit_reader "read-only settings" "$refused"
    check_eq "the read-only file is unchanged" "$ini_sum" "$(sha256sum <"$ini")"
    if ((immutable)); then
        chattr -i "$ini"
        trap e2e_teardown EXIT
    fi
    chmod u+w "$ini"
else
    echo "note: chattr cannot make files immutable here; the read-only case is left out for the super-user"
fi
check_eq "the book is unchanged" "$book_sum" "$(sha256sum <"$book")"

e2e_finish
