#!/usr/bin/env bash
# Saving changes the edited page and nothing else of the file. A GBK book with blank lines between its
# paragraphs and a paragraph of 1,400 characters: text typed at the start of page 2 and saved with Ctrl+S
# leaves every other byte as it was, and so does a save with "自动删除空行" on (the blank lines stay in the
# file). The edit-mode button shows pressed while edit mode is on. A book in a folder that cannot be written
# is refused and unchanged. An archive dropped while editing does not become the book: Ctrl+S then writes the
# book, and the archive keeps every byte; reading the book again (after the offer to save the edit) reads the
# book.
source "$(dirname "$0")/lib.sh"
e2e_setup

# The file $2 is the file $1 with the text $3 inserted at one place and nothing else changed; prints the
# byte offset of the insertion.
insertion_at() {
    local at
    at="$(LC_ALL=C cmp "$1" "$2" 2>/dev/null | sed -n 's/.* \(byte\|char\) \([0-9]*\),.*/\2/p')"
    [[ -n "$at" ]] || return 1
    at=$((at - 1))
    { head -c "$at" "$1" && printf '%s' "$3" && tail -c +"$((at + 1))" "$1"; } | cmp -s - "$2" || return 1
    echo "$at"
}

book="$E2E_DIR/books/空行.txt"
{
    for ((i = 1; i <= 80; i++)); do
        if ((i == 30)); then
            printf '第30段，'
            for ((k = 0; k < 70; k++)); do printf '长长的一段话里有二十个字的句子。。'; done
            printf '\n\n'
        else
            printf '第%d段，江南的雨下了一整天。\n\n' "$i"
        fi
    done
} | sed 's/$/\r/' | iconv -f UTF-8 -t GBK >"$book"
cp "$book" "$E2E_DIR/original.txt"
page2="$(line_offset "$book" 51)" # 50 lines a page, the blank ones counted

start_reader "$(winpath "$book")"
wait_eq "four pages" "4" drv text 1014
drv focus 1018
drv key right
wait_eq "page 2" "2" drv text 1015
check_eq "the edit-mode button is raised while reading" "raised" "$(drv toolbar-pressed 108)"
drv command 108
wait_eq "and pressed in edit mode" "pressed" drv toolbar-pressed 108
drv type 1018 "Ab12"
wait_match "the typed text is on the page" "0"$'\t'"Ab12第26段*" drv first-line
drv key s ctrl
poll "*Ab12*" eval "iconv -c -f GBK -t UTF-8 '$book'"
check_eq "Ctrl+S inserts the text at page 2's start and changes no other byte" "$page2" \
    "$(insertion_at "$E2E_DIR/original.txt" "$book" "Ab12")"
check_eq "edit mode is still on after the save" "pressed" "$(drv toolbar-pressed 108)"

cp "$book" "$E2E_DIR/saved1.txt"
drv command 108
wait_eq "leaving edit mode raises the button" "raised" drv toolbar-pressed 108
drv command 32848 # 自动删除空行
settle drv text 1014
drv command 108
drv type 1018 "Cd"
wait_match "the second edit is on the page" "Cd*" eval 'drv text 1018 | head -n 1' 
drv command 57603
poll "*Cd*" eval "iconv -c -f GBK -t UTF-8 '$book'"
at="$(insertion_at "$E2E_DIR/saved1.txt" "$book" "Cd")"
check_regex "with blank lines deleted the save still only inserts the text" '^[0-9]+$' "$at"
check_eq "every blank line of the file is still there" "$(tr -d '\r' <"$E2E_DIR/original.txt" | grep -c '^$')" \
    "$(tr -d '\r' <"$book" | grep -c '^$')"
cp "$book" "$E2E_DIR/saved2.txt"

# An archive dropped while editing: the extractor is not set up, the reader says so and the browse is
# cancelled; the book stays the book.
archive="$E2E_DIR/books/小说.zip"
head -c 3000 /dev/urandom >"$archive"
cp "$archive" "$E2E_DIR/archive.orig"
drv type 1018 "Ef"
wait_match "a third edit" "EfCd*" eval 'drv text 1018 | head -n 1' 
drv drop "$(winpath "$archive")"
drv --timeout 5000 msgbox >/dev/null && drv answer ok >/dev/null
poll "*" drv --timeout 3000 --box title && drv --box dismiss
drv key s ctrl
poll "*EfCd*" eval "iconv -c -f GBK -t UTF-8 '$book'"
cmp -s "$E2E_DIR/archive.orig" "$archive"
check_eq "Ctrl+S after the drop leaves the archive byte for byte" 0 $?
check_regex "and saves the book" '^[0-9]+$' "$(insertion_at "$E2E_DIR/saved2.txt" "$book" "Ef")"
check_match "the title still names the book" "*空行*" "$(drv title)"

# A folder that cannot be written (immutable, which holds even for root): the save is refused.
drv type 1018 "Gh"
wait_match "a fourth edit" "GhEfCd*" eval 'drv text 1018 | head -n 1' 
cp "$book" "$E2E_DIR/saved3.txt"
if chattr +i "$E2E_DIR/books" 2>/dev/null; then
    drv key s ctrl
    check_eq "saving into a folder that cannot be written is refused" \
        "对 $(winpath "$book") 的存取被拒绝。" "$(drv --timeout 5000 msgbox | sed -n 2p)"
    drv answer ok >/dev/null
    chattr -i "$E2E_DIR/books"
    cmp -s "$E2E_DIR/saved3.txt" "$book"
    check_eq "the book in it is unchanged" 0 $?
    check_match "the edit stays on the page" "GhEfCd*" "$(drv text 1018 | head -n 1)"
else
    echo "note: chattr is not available here; the read-only folder case is left out"
fi

# "自动删除空行" reads the book again: the edited page is offered for saving first, and the book read again
# is the book, not the archive dropped before.
check_eq "reading the book again asks to save the edited page" "是否保存文本？" \
    "$(drv command 32848 && drv --timeout 5000 msgbox | sed -n 2p)"
drv answer yes >/dev/null
poll "*GhEfCd*" eval "iconv -c -f GBK -t UTF-8 '$book'"
check_regex "Yes saves it first" '^[0-9]+$' "$(insertion_at "$E2E_DIR/saved3.txt" "$book" "Gh")"
wait_match "then the book is read again, with the page saved" "*GhEfCd*" eval 'drv text 1018'
check_match "the book, not the archive" "*空行*" "$(drv title)"
cmp -s "$E2E_DIR/archive.orig" "$archive"
check_eq "the archive still keeps every byte" 0 $?
drv command 57665
drv --timeout 5000 msgbox >/dev/null && drv answer no >/dev/null
drv --timeout 10000 gone
stop_reader

e2e_finish
