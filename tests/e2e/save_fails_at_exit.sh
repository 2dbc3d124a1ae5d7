#!/usr/bin/env bash
# A save that fails at exit stops the exit: with edit mode on, the exit asks "是否保存文本？"; when Yes
# cannot write the book (here it was made read-only after it was opened), the error is shown and the reader
# stays open with the edit on the page. A second exit answered No ends it, the book unchanged.
source "$(dirname "$0")/lib.sh"
e2e_setup

book="$E2E_DIR/books/只读.txt"
numbered_lines 150 | make_book "$book" gbk
cp "$book" "$E2E_DIR/original.txt"
start_reader "$(winpath "$book")"
wait_eq "three pages" "3" drv text 1014
drv command 108
drv type 1018 "ro"
wait_eq "the typed text is on the page" "0"$'\t'"ro第1行，江南的雨下了一整天。" drv first-line
chmod a-w "$book"
drv command 57665
check_eq "exit in edit mode asks to save" "是否保存文本？" "$(drv --timeout 5000 msgbox | sed -n 2p)"
drv answer yes >/dev/null
check_eq "Yes cannot write the book" "对 $(winpath "$book") 的存取被拒绝。" "$(drv --timeout 5000 msgbox | sed -n 2p)"
drv answer ok >/dev/null
drv --timeout 1500 gone
check_eq "the failed save stops the exit" 1 $?
check_eq "the edit is still on the page" "0"$'\t'"ro第1行，江南的雨下了一整天。" "$(drv --timeout 1000 first-line 2>&1)"
drv --timeout 1000 command 57665 && drv --timeout 5000 msgbox >/dev/null && drv answer no >/dev/null
drv --timeout 10000 gone
check_eq "a second exit answered No ends the reader" 0 $?
stop_reader
cmp -s "$E2E_DIR/original.txt" "$book"
check_eq "the book is unchanged" 0 $?
chmod u+w "$book"

e2e_finish
