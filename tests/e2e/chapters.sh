#!/usr/bin/env bash
# Chapter mode: command 32797 splits a novel at its 第…章 headings (the preface becomes page 0), the counters
# are labelled by chapters and the progress pane names the chapter; F4 opens the table of contents. A text
# with fewer than five headings falls back to lines with a "提示" box that closes itself.
source "$(dirname "$0")/lib.sh"
e2e_setup

numerals=(零 一 二 三 四 五 六)
titles=(序 初到小镇 雨夜来客 旧书 渡口 茶馆里的故事 书院)
# novel FILE CHAPTERS: a preface and CHAPTERS chapters of 15 lines (well over 300 bytes each). Only the
# headings hold 章.
novel() {
    local file="$1" chapters="$2" k i
    {
        echo "序言"
        for ((i = 1; i <= 4; i++)); do echo "这是序言的第${i}段，写在一切开始之前。"; done
        for ((k = 1; k <= chapters; k++)); do
            echo "第${numerals[k]}章 ${titles[k]}"
            for ((i = 1; i <= 15; i++)); do echo "第${i}行，江南的雨下了一整天。"; done
        done
    } | make_book "$file" gbk
}
# The progress of a heading in the table of contents: its byte offset x 100 / the text's length.
percent() {
    local file="$1" heading offset
    heading="$(printf '%s' "$2" | iconv -f UTF-8 -t GBK)"
    offset="$(LC_ALL=C grep -abo -- "$heading" "$file" | head -n1 | cut -d: -f1)"
    LC_ALL=C awk -v o="$offset" -v n="$(stat -c %s "$file")" 'BEGIN { printf "%.2f", o * 100.0 / n }'
}

book="$E2E_DIR/books/六章.txt"
novel "$book" 6
start_reader "$(winpath "$book")"
wait_eq "by lines first" "总页数/当前页数" eval 'echo "$(drv text 1021)/$(drv text 1022)"'

drv command 32854
box="$(drv --timeout 5000 msgbox)"
check_eq "F4's command outside chapter mode only explains" "非章节分页模式，无法查看目录！请先切换分页方式！ " \
    "$(printf '%s\n' "$box" | sed -n 2p)"
drv answer ok >/dev/null

drv command 32797
wait_eq "chapter mode: labels" "总章数/当前章数" eval 'echo "$(drv text 1021)/$(drv text 1022)"'
wait_eq "six chapters" "6" drv text 1014
wait_eq "the preface is page 0" "0" drv text 1015
wait_eq "page 0 starts with the preface" $'0\t序言' drv first-line
wait_match "the progress pane of page 0 names no chapter" '[[]*%]->[[]章 0/6] 正在阅读：' drv status 3
drv set-text 1015 1
drv key return --to 1015
wait_eq "page 1 is the first chapter" $'0\t第一章 初到小镇' drv first-line
wait_match "the progress pane names the first chapter" '[[]*%]->[[]章 1/6] 正在阅读：第一章 初到小镇' drv status 3

drv key f4
wait_eq "F4 opens the table of contents" "查看目录" drv --box title
expected=""
for ((k = 1; k <= 6; k++)); do
    heading="第${numerals[k]}章 ${titles[k]}"
    expected+="${expected:+$'\n'}$k"$'\t'"$heading"$'\t'"$(percent "$book" "$heading")"
done
check_eq "one row per chapter: number, title, progress" "$expected" "$(drv --box rows 1067)"
drv dismiss
check_eq "closing the table of contents keeps the page" "1" "$(drv text 1015)"

few="$E2E_DIR/books/四章.txt"
novel "$few" 4
drv command 32798
wait_eq "back to lines" "总页数" drv text 1021
drv drop "$(winpath "$few")"
wait_eq "the four-chapter book is open" "四章.txt" drv title
caught="$(drv --timeout 5000 command 32797 --catch-box)"
check_eq "the box closes itself" 0 $?
check_eq "four headings are too few: a 提示 box says so" $'提示\n普通文本或章数小于5！按章节分页失败！正在返回！' \
    "$(head -n2 <<<"$caught")"
took="$(sed -n 3p <<<"$caught")"
check_arith "within two seconds (${took} ms after it was seen)" "${took:-99999} <= 2000"
wait_eq "the book is shown by lines again" "总页数/当前页数" eval 'echo "$(drv text 1021)/$(drv text 1022)"'
wait_match "the progress pane counts pages" '[[]*%]->[[]页 1/*] 正在阅读：四章.txt' drv status 3
stop_reader

e2e_finish
