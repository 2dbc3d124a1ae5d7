#!/usr/bin/env bash
# A book that is one 50 MB line without a line feed opens as one sound page, the reader keeps answering and
# turning to another book, and the file is not changed.
source "$(dirname "$0")/lib.sh"
e2e_setup
b="$E2E_DIR/books"
numbered_lines 120 | make_book "$b/正常.txt" gbk
head -c $((50 * 1024 * 1024)) /dev/zero | tr '\0' 'x' >"$b/一行.txt"
sum="$(sha256sum <"$b/一行.txt")"

start_reader "$(winpath "$b/一行.txt")"
drv --timeout 60000 wait-window --visible
E2E_WAIT_MS=60000 wait_eq "the one-line book opens" "一行.txt" drv --timeout 5000 title
E2E_WAIT_MS=60000 wait_eq "it is one page" "1" drv --timeout 5000 text 1014
drv --timeout 1000 msgbox
check_eq "no message box" 1 $?
drv drop "$(winpath "$b/正常.txt")"
E2E_WAIT_MS=60000 wait_eq "another book opens after it" "正常.txt" drv --timeout 5000 title
wait_eq "with its pages" "3" drv text 1014
stop_reader
check_clean_exit "the reader ends normally"
check_eq "the one-line book is unchanged" "$sum" "$(sha256sum <"$b/一行.txt")"
rm -f "$b/一行.txt"

e2e_finish
