#!/usr/bin/env bash
# The window title: the custom title when one is set, else the open book's file name, else the program's name.
source "$(dirname "$0")/lib.sh"
e2e_setup

start_reader
drv --timeout 15000 wait-window --visible
check_eq "no book: the window starts with the custom title, here empty" "" "$(drv title)"
drv command 32830
wait_eq "no book, no custom title, once the title is refreshed: the program's name" "Pelin阅读器——Pelinreader" \
    drv title
stop_reader
rm -f "$E2E_APP/Config.ini"

book="$E2E_DIR/books/标题 测试.txt"
numbered_lines 10 | make_book "$book" gbk
start_reader "$(winpath "$book")"
wait_eq "a book: its file name, extension included" "标题 测试.txt" drv title
stop_reader
rm -f "$E2E_APP/Config.ini"

plain="$E2E_DIR/books/无扩展名"
numbered_lines 10 | make_book "$plain" gbk
start_reader "$(winpath "$plain")"
wait_eq "a file name without extension stays whole" "无扩展名" drv title
stop_reader

printf '[Interface]\nDIYname=我的书房\n' | sed 's/$/\r/' | iconv -f UTF-8 -t GBK >"$E2E_APP/Config.ini"
start_reader "$(winpath "$book")"
wait_eq "a custom title wins over the book's name" "我的书房" drv title
stop_reader

e2e_finish
