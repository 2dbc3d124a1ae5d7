#!/usr/bin/env bash
# A book that is one 50 MB line without a line feed opens at once: the line is read in pieces of at most
# 32 KiB, a page each, each ending before the first character that would not fit. Page 1, the next page and the last
# page show exactly their bytes of the book, reading leaves the file unchanged, an edit of a page that
# begins inside the line saves back exactly that edit, and the reader goes on to another book.
source "$(dirname "$0")/lib.sh"
e2e_setup
b="$E2E_DIR/books"
numbered_lines 120 | make_book "$b/正常.txt" gbk
book="$b/一行.txt"
largest=$((32 * 1024))
# One odd byte, then double-byte characters only: every cut at 32 KiB would fall inside a character.
python3 - "$book" <<'EOF'
import sys
piece = "江南的雨下了一整天，河上的船慢慢地走着。".encode("gbk")
size = 50 * 1024 * 1024
body = piece * (size // len(piece) + 1)
with open(sys.argv[1], "wb") as f:
    f.write(b"x" + body[: (size - 1) // 2 * 2])
EOF
size="$(stat -c %s "$book")"
# The page starts: 0, then one byte short of every 32 KiB (the odd byte moves each character boundary).
starts=(0)
while ((size - starts[-1] > largest)); do starts+=($((${#starts[@]} * largest - 1))); done
pages=${#starts[@]}
cp "$book" "$E2E_DIR/original.txt"
sum="$(sha256sum <"$book")"

# check_page WHAT N: the control's text is page N's bytes of the original file, decoded.
check_page() {
    local from=${starts[$(($2 - 1))]} to=$size
    (($2 < pages)) && to=${starts[$2]}
    drv page-text >"$E2E_DIR/page.txt"
    if head -c "$to" "$E2E_DIR/original.txt" | tail -c +"$((from + 1))" | iconv -f GBK -t UTF-8 |
        cmp -s - "$E2E_DIR/page.txt"; then
        pass "$1"
    else
        fail "$1 ($(stat -c %s "$E2E_DIR/page.txt") bytes read back)"
    fi
}

t0=$SECONDS
start_reader "$(winpath "$book")"
drv --timeout 60000 wait-window --visible
E2E_WAIT_MS=60000 wait_eq "the one-line book opens" "一行.txt" drv --timeout 5000 title
E2E_WAIT_MS=60000 wait_eq "in pages of 32 KiB pieces" "$pages" drv --timeout 5000 text 1014
echo "open: $((SECONDS - t0)) s"
drv --timeout 1000 msgbox
check_eq "no message box" 1 $?
check_page "page 1 is the first 32 KiB less the character across them" 1
drv focus 1018
drv key right
wait_eq "the next page" "2" drv text 1015
check_page "page 2 begins with that character" 2
drv set-text 1015 "$pages" && drv key return --to 1015
wait_eq "the last page" "$pages" drv text 1015
check_page "the last page ends with the book" "$pages"
check_eq "reading leaves the file unchanged" "$sum" "$(sha256sum <"$book")"

drv set-text 1015 2 && drv key return --to 1015
wait_eq "back on page 2" "2" drv text 1015
drv command 108
wait_eq "edit mode" "pressed" drv toolbar-pressed 108
drv type 1018 "Ab"
wait_match "the typed text is on the page" "0"$'\t'"Ab*" drv first-line
drv key s ctrl
at=${starts[1]}
{ head -c "$at" "$E2E_DIR/original.txt" && printf 'Ab' && tail -c +"$((at + 1))" "$E2E_DIR/original.txt"; } \
    >"$E2E_DIR/expected.txt"
same_as_expected() { cmp -s "$E2E_DIR/expected.txt" "$book" && echo same || echo differs; }
poll same same_as_expected
check_eq "the save inserts the text where page 2 begins and changes no other byte" same "$POLLED"
drv command 108
wait_eq "edit mode off" "raised" drv toolbar-pressed 108

drv drop "$(winpath "$b/正常.txt")"
E2E_WAIT_MS=60000 wait_eq "another book opens after it" "正常.txt" drv --timeout 5000 title
wait_eq "with its pages" "3" drv text 1014
stop_reader
check_clean_exit "the reader ends normally"
rm -f "$book" "$E2E_DIR/original.txt" "$E2E_DIR/expected.txt" "$E2E_DIR/page.txt"

e2e_finish
