#!/usr/bin/env bash
# Books no reader should have to meet: empty, one byte, only a byte-order mark, a mark and one odd byte, only
# NULs, UTF-8 that turns invalid, more than 10,000 pages or chapters, binary data, a path
# longer than 260 characters, a name the ANSI code page cannot spell, a folder the reader may not write.
# Each gives a clear message or a sound page, the reader keeps answering, and no file is changed.
source "$(dirname "$0")/lib.sh"
e2e_setup
b="$E2E_DIR/books"
limit_box="章节页数已超上限1万！请先切换分页方式！"

numbered_lines 120 | make_book "$b/正常.txt" gbk
: >"$b/零字节.txt"
printf 'a' >"$b/一字节.txt"
printf '\xef\xbb\xbf' >"$b/只有标记.txt"
printf '\xef\xbb\xbf\xff' >"$b/标记加一字节.txt"
printf '\xff\xfe\x41' >"$b/半个字符.txt"
head -c 65536 /dev/zero >"$b/全是零.txt"
{ printf '第一行，江南的雨。\n第二行，河上的船。\n' && printf '\xe6\xb1\x9f\xff\xfe\n'; } >"$b/坏的UTF8.txt"
# 10,001 pages of 50 short lines (a page starts after every 50th line feed), and 10,001 chapters, each far
# enough from the one before (300 bytes) to count as a chapter of its own.
seq 500050 >"$b/一万页.txt"
body='江南的雨下了一整天，河上的船都停着，岸边的人撑着伞走过石桥，远处传来钟声。'
{ for ((c = 1; c <= 10001; c++)); do printf '第%d章\n%s\n%s\n%s\n%s\n' "$c" "$body" "$body" "$body" "$body"; done; } |
    iconv -f UTF-8 -t GBK | sed 's/$/\r/' >"$b/一万章.txt"
LC_ALL=C awk 'BEGIN { srand(12); for (i = 0; i < 65536; i++) printf "%c", int(rand() * 256) }' >"$b/二进制.txt"
deep="$b/$(printf 'd%.0s' {1..120})/$(printf 'e%.0s' {1..120})"
mkdir -p "$deep"
numbered_lines 60 | make_book "$deep/长路径.txt" gbk
numbered_lines 60 | make_book "$b/한글😀.txt" gbk
mkdir -p "$b/只读"
numbered_lines 60 | make_book "$b/只读/只读文件夹.txt" gbk
chmod a-w "$b/只读"
(cd "$b" && find . -type f -print0 | sort -z | xargs -0 sha256sum) >"$E2E_DIR/before.sum"

start_reader "$(winpath "$b/正常.txt")"
drv --timeout 15000 wait-window --visible
wait_eq "a sound book opens" "正常.txt" drv title

# drop_book FILE: drops the book and waits until the reader shows it or a message box; OUTCOME is
# "page" or the box's text (the box is answered).
OUTCOME=""
drop_book() {
    local name deadline box
    name="$(basename "$1")"
    drv drop "$(winpath "$1")" >/dev/null
    deadline=$((SECONDS + 60))
    while ((SECONDS < deadline)); do
        if box="$(drv --timeout 200 msgbox 2>/dev/null)" && [[ -n "$box" ]]; then
            OUTCOME="$(printf '%s\n' "$box" | sed -n 2p)"
            drv answer ok >/dev/null
            return
        fi
        if [[ "$(drv --timeout 2000 title 2>/dev/null)" == "$name" ]]; then
            OUTCOME=page
            return
        fi
        sleep 0.2
    done
    OUTCOME="nothing within a minute"
}

# A dropped book is shown or refused: the title tells which, and the reader answers afterwards.
check_book() {
    local what="$1" file="$2" expected="$3"
    drop_book "$file"
    check_eq "$what" "$expected" "$OUTCOME"
    check_match "the reader answers after: $what" "*.txt" "$(drv --timeout 5000 title)"
}

check_book "an empty file is reported" "$b/零字节.txt" "警告！空文档！"
check_book "a one-byte book is a page" "$b/一字节.txt" page
check_eq "its one byte is on the page" "a" "$(drv text 1018 | tr -d '\r\n')"
check_book "only a byte-order mark gives an empty page" "$b/只有标记.txt" page
check_book "a mark and one odd byte give a page" "$b/标记加一字节.txt" page
check_book "a UTF-16 mark and half a character give a page" "$b/半个字符.txt" page
check_book "only NULs give an empty page" "$b/全是零.txt" page
check_eq "nothing of the NULs is shown" "" "$(drv text 1018 | tr -d '\r\n')"
check_book "UTF-8 that turns invalid gives a page" "$b/坏的UTF8.txt" page
check_book "a binary file named .txt gives a page" "$b/二进制.txt" page
check_book "10,001 pages of lines are refused with the limit" "$b/一万页.txt" "$limit_box"
check_book "a sound book opens after the refusal" "$b/正常.txt" page
wait_eq "its page count is back" "3" drv text 1014
drop_book "$b/一万章.txt"
check_eq "10,001 chapters open by lines" page "$OUTCOME"
drv command 32797
box="$(drv --timeout 30000 msgbox | sed -n 2p)"
check_eq "chapter paging of 10,001 chapters is refused with the limit" "$limit_box" "$box"
drv answer ok >/dev/null
drv --timeout 20000 command 32798
# The ANSI file functions stop at 260 characters: the book is refused with the message of a book that
# cannot be opened, and the reader goes on.
drop_book "$deep/长路径.txt"
check_regex "a book beyond 260 characters of path is shown or refused" "^(page|文件已删除！)$" "$OUTCOME"
check_match "the reader answers after the long path" "*.txt" "$(drv --timeout 5000 title)"
drop_book "$b/한글😀.txt"
check_eq "a name the code page cannot spell is reported" "文件已删除！" "$OUTCOME"
check_book "a book in a read-only folder opens" "$b/只读/只读文件夹.txt" page
wait_match "its first line is shown" $'0\t第1行*' drv first-line
stop_reader
check_clean_exit "the reader ends normally"
chmod u+w "$b/只读"
(cd "$b" && find . -type f -print0 | sort -z | xargs -0 sha256sum) >"$E2E_DIR/after.sum"
check_eq "no book file was changed" "" "$(diff "$E2E_DIR/before.sum" "$E2E_DIR/after.sum")"
rm -f "$b/一万页.txt" "$b/一万章.txt"

e2e_finish
