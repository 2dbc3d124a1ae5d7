#!/usr/bin/env bash
# Appearance and clock: status pane 1 shows the date, the time and the weekday and ticks every second; two
# "增大字体" give txtsize 350 at exit; night mode paints the page grey and is kept (NightFlag=1) and
# restored at the next start; the "字体大小" and line-spacing commands set their values.
source "$(dirname "$0")/lib.sh"
e2e_setup
ini="$E2E_APP/Config.ini"

book="$E2E_DIR/books/外观.txt"
numbered_lines 20 | make_book "$book" gbk
# page_colour: a pixel of the page control right of the short lines and left of its scroll bar.
page_colour() {
    local x y w h
    read -r x y w h <<<"$(drv rect 1018)"
    pixel $((x + w - 40)) $((y + h - 12))
}
weekdays=(日 一 二 三 四 五 六)

start_reader "$(winpath "$book")"
drv --timeout 15000 wait-window --visible
wait_eq "the book is open" "外观.txt" drv title
clock='^[0-9]{4}/[0-9]{1,2}/[0-9]{1,2}   [0-9]{2}:[0-9]{2}:[0-9]{2}   星期[日一二三四五六]$'
before="$(date +%s)"
shown="$(drv status 1)"
after="$(date +%s)"
check_regex "status pane 1 is the clock" "$clock" "$shown"
read -r day time weekday <<<"$shown"
check_eq "today's date and weekday" "$(date +%Y/%-m/%-d) 星期${weekdays[$(date +%w)]}" "$day $weekday"
at="$(date -d "$(date +%F) $time" +%s 2>/dev/null || echo 0)"
check_arith "the time of day, within two seconds ($time)" "$at >= before - 2 && $at <= after + 1"
wait_match "it ticks" "*   星期*" eval '[[ "$(drv status 1)" != "$shown" ]] && drv status 1'

wait_eq "the default page background" "204,232,207" page_colour
drv command 32806
drv command 32806
drv command 32774
wait_eq "night mode paints the page RGB(60, 60, 60)" "60,60,60" page_colour
stop_reader
check_eq "two 增大字体 from 270: txtsize=350" "350" "$(ini_get "$ini" Style txtsize)"
check_eq "NightFlag=1" "1" "$(ini_get "$ini" Style NightFlag)"

start_reader
drv --timeout 15000 wait-window --visible
wait_eq "the last book is open again" "外观.txt" drv title
wait_eq "night mode is on again after the restart" "60,60,60" page_colour
drv command 32774
wait_eq "32774 turns it off: the page background again" "204,232,207" page_colour
drv command 32794 # 字体大小: 大
drv command 32805 # 减小字体
drv command 61302 # 行距 1.5
drv command 32808 # 增大行距
stop_reader
check_eq "大 then 减小字体: txtsize=320" "320" "$(ini_get "$ini" Style txtsize)"
check_eq "1.5 then 增大行距: txthj=200" "200" "$(ini_get "$ini" Style txthj)"
check_eq "NightFlag=0" "0" "$(ini_get "$ini" Style NightFlag)"

e2e_finish
