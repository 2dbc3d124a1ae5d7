#!/usr/bin/env bash
# A save that fails stops what asked for it. With the book held open by another program, every way of
# leaving the edited page asks to save, reports the sharing violation on Yes, and then stays: the next and
# previous page buttons, a bookmark, a reading record, the library sidebar and the jump dialog. The edit
# stays on the page in edit mode, the file is unchanged, and once the other program lets go Ctrl+S saves.
source "$(dirname "$0")/lib.sh"
e2e_setup

text="$(numbered_lines 150)"
book="$E2E_DIR/books/正在编辑.txt"
other="$E2E_DIR/books/另一本.txt"
printf '%s\n' "$text" | make_book "$book" gbk
printf '%s\n' "$text" | sed 's/江南/塞北/' | make_book "$other" gbk
cp "$book" "$E2E_DIR/original.txt"

start_reader "$(winpath "$other")"
wait_eq "the other book is open" "3" drv text 1014
drv command 32775 # a bookmark on it
drv wait-gone-msgbox >/dev/null
drv drop "$(winpath "$book")"
wait_match "the edited book is open" "*正在编辑*" drv title
drv focus 1018
drv key right
wait_eq "page 2" "2" drv text 1015
drv command 108
drv type 1018 "X"
edited="0"$'\t'"X第51行，江南的雨下了一整天。"
wait_eq "the edit is on the page" "$edited" drv first-line
hold_file "$book"
violation="在存取 $(winpath "$book") 时发生共享违例。"

# stays_after WHAT QUESTION: the action just started asks QUESTION; Yes fails and nothing moves.
stays_after() {
    check_eq "$1 asks to save" "$2" "$(drv --timeout 5000 msgbox | sed -n 2p)"
    drv answer yes >/dev/null
    check_eq "$1: the failed save is reported" "$violation" "$(drv --timeout 5000 msgbox | sed -n 2p)"
    drv answer ok >/dev/null
    check_eq "$1 stays on the edited page" "$edited" "$(drv first-line)"
}

drv click 1012
stays_after "the next-page button" "是否保存文本？"
drv click 1013
stays_after "the previous-page button" "是否保存文本？"
drv command 32781
stays_after "opening a bookmark" "是否保存文本？"
drv command 32813
wait_match "the records dialog" "*阅读时间记录*" drv --box title
drv --box select-row 1041 1
drv --box click 1
stays_after "opening a reading record" "是否保存当前文本？"
drv select-row 1000 0
drv double-click 1000
stays_after "opening from the library sidebar" "是否保存文本？"
drv command 32847
drv --box set-text 1001 90
drv --box click 1
stays_after "the jump dialog" "是否保存当前文本？"
check_eq "after all of them: the same book, page and edit, in edit mode" \
    "$(printf '%s\n' "*正在编辑*" 2 pressed)" "$(drv title | sed 's/.*正在编辑.*/*正在编辑*/'; drv text 1015; drv toolbar-pressed 108)"
cmp -s "$E2E_DIR/original.txt" "$book"
check_eq "the held book is unchanged" 0 $?

release_file "$book"
drv key s ctrl
expected="$E2E_DIR/expected.txt"
{ sed -n '1,50p' <<<"$text" && printf 'X' && sed -n '51,$p' <<<"$text"; } | sed 's/$/\r/' |
    iconv -f UTF-8 -t GBK >"$expected"
poll 0 eval "cmp -s '$expected' '$book'; echo \$?"
check_eq "once the book is free, Ctrl+S saves the edit that stayed" 0 "$POLLED"
drv command 57665
drv --timeout 5000 msgbox >/dev/null && drv answer no >/dev/null
drv --timeout 10000 gone
stop_reader

e2e_finish
