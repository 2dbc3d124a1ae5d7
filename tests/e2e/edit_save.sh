#!/usr/bin/env bash
# Edit mode and saving: text typed at the start of page 2 and saved with Ctrl+S lands in the book file at the
# offset where page 2 begins, every other byte unchanged, and the page comes back in edit mode. A UTF-8 book
# is saved as GBK (after the notice on entering edit mode). A book made read-only while it is open is not
# written: the save reports that access was denied, and the file stays as it was.
source "$(dirname "$0")/lib.sh"
e2e_setup

# edit_page_two BOOK TEXT: opens BOOK, turns to page 2, enters edit mode, answers a notice if one comes, and
# types TEXT (ASCII) at the start of the page.
edit_page_two() {
    local book="$1" text="$2"
    start_reader "$(winpath "$book")"
    wait_eq "$(basename "$book"): three pages" "3" drv text 1014
    drv focus 1018
    drv key right
    wait_eq "page 2" "2" drv text 1015
    drv command 108
    NOTICE="$(drv --timeout 1500 msgbox 2>/dev/null | sed -n 2p)"
    [[ -n "$NOTICE" ]] && drv answer ok >/dev/null
    drv type 1018 "$text"
    wait_eq "the typed text is on the page" "0"$'\t'"${text}第51行，江南的雨下了一整天。" drv first-line
}

# exit_answering ANSWER: exits while edit mode is on, answering the question "是否保存文本？".
exit_answering() {
    drv command 57665
    check_eq "exit in edit mode asks to save" "是否保存文本？" "$(drv --timeout 5000 msgbox | sed -n 2p)"
    drv answer "$1" >/dev/null
    drv --timeout 10000 gone
    check_eq "the reader ends after $1" 0 $?
    stop_reader
}

# expected_gbk UTF8-TEXT INSERT: the book's GBK bytes with INSERT at the start of line 51 (page 2).
expected_gbk() {
    { sed -n '1,50p' <<<"$1" && printf '%s' "$2" && sed -n '51,$p' <<<"$1"; } | sed 's/$/\r/' | iconv -f UTF-8 -t GBK
}

text="$(numbered_lines 150)" # three pages of 50 lines

book="$E2E_DIR/books/编辑.txt"
printf '%s\n' "$text" | make_book "$book" gbk
edit_page_two "$book" "Ab12"
check_eq "an ANSI book gives no notice" "" "$NOTICE"
drv key s ctrl
poll "*Ab12*" eval "iconv -f GBK -t UTF-8 '$book'"
expected_gbk "$text" "Ab12" >"$E2E_DIR/expected.txt"
cmp "$E2E_DIR/expected.txt" "$book"
check_eq "Ctrl+S writes the text at page 2's start, every other byte as it was" 0 $?
wait_eq "the reloaded book shows page 2 again" "2" drv text 1015
check_eq "with the saved text" "0"$'\t'"Ab12第51行，江南的雨下了一整天。" "$(drv first-line)"
drv type 1018 "Z"
wait_match "and edit mode still on: typing goes on" "0"$'\t'"ZAb12第51行*" drv first-line
drv command 108
check_eq "leaving edit mode with an edit asks" "是否保存文本？" "$(drv --timeout 5000 msgbox | sed -n 2p)"
drv answer no >/dev/null
wait_eq "No drops the edit" "0"$'\t'"Ab12第51行，江南的雨下了一整天。" drv first-line
stop_reader
cmp -s "$E2E_DIR/expected.txt" "$book"
check_eq "the dropped edit never reaches the file" 0 $?

book="$E2E_DIR/books/编码.txt"
printf '%s\n' "$text" | make_book "$book" utf8
edit_page_two "$book" "u8"
check_eq "a UTF-8 book warns that it will be saved as ANSI" "注意！此文本编码为UTF-8，将默认保存为ANSI编码！" "$NOTICE"
drv command 57603
poll "*u8*" eval "iconv -f GBK -t UTF-8 '$book' 2>/dev/null"
expected_gbk "$text" "u8" >"$E2E_DIR/expected.txt"
cmp "$E2E_DIR/expected.txt" "$book"
check_eq "the saved UTF-8 book is the whole text in GBK" 0 $?
wait_match "and is read back as ANSI" "*[[]ANSI]" drv status 2
exit_answering yes
cmp -s "$E2E_DIR/expected.txt" "$book"
check_eq "a Yes at exit with nothing edited since writes nothing" 0 $?

book="$E2E_DIR/books/只读.txt"
printf '%s\n' "$text" | make_book "$book" gbk
cp "$book" "$E2E_DIR/original.txt"
edit_page_two "$book" "ro"
chmod a-w "$book"
denied="对 $(winpath "$book") 的存取被拒绝。"
drv key s ctrl
check_eq "saving a read-only book reports it" $'Pelinreader\n'"$denied" "$(drv --timeout 5000 msgbox)"
drv answer ok >/dev/null
check_eq "the page keeps the edit" "0"$'\t'"ro第51行，江南的雨下了一整天。" "$(drv first-line)"
exit_answering no
cmp -s "$E2E_DIR/original.txt" "$book"
check_eq "the read-only book is unchanged" 0 $?
check_eq "no temporary file is left beside it" "" "$(compgen -G "$E2E_DIR/books/*~sav*")"
chmod u+w "$book"

e2e_finish
