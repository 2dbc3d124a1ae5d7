#!/usr/bin/env bash
# The tool bar and the status bar: every button the size of the first, a band ten buttons wide; the prompt
# of the button under the mouse in status pane 0 and the idle text back when the mouse leaves; panes 2 and
# 3 sized from "字数：10000000" measured with the frame's own font; F5's confirmation "已添加书签！" carries
# the exclamation icon and closes by itself.
source "$(dirname "$0")/lib.sh"
e2e_setup
book="$E2E_DIR/books/工具.txt"
numbered_lines 200 | make_book "$book" gbk
idle="小提示：空格翻屏自动下一页，【F5】添加书签，【←】上一页，【→】下一页"

start_reader "$(winpath "$book")"
drv --timeout 15000 wait-window --visible
wait_eq "the book is open" "工具.txt" drv title
layout="$(drv toolbar-layout)"
read -r _ bw bh <<<"$(grep '^button ' <<<"$layout")"
check_eq "the buttons take the first button's size" "first $bw $bh" "$(grep '^first ' <<<"$layout")"
check_arith "a button of some size ($bw x $bh)" "$bw >= 40 && $bw <= 80 && $bh >= 20"
check_eq "the band and its ideal width are ten buttons, its least width one" \
    "band $((10 * bw)) $((10 * bw)) $bw" "$(grep '^band ' <<<"$layout")"
check_eq "fifteen buttons" 15 "$(grep -c '^centre ' <<<"$layout")"

# The fly-by prompts: 书库 and 小说, then off the tool bar.
wait_eq "the idle text in pane 0" "$idle" drv status 0
for button in "0 打开文件夹" "1 打开一本小说"; do
    read -r i prompt <<<"$button"
    read -r _ _ x y <<<"$(grep "^centre $i " <<<"$layout")"
    drv hover-at "$x" "$y"
    wait_eq "over button $i its prompt stands in pane 0" "$prompt" drv status 0
done
read -r x y _ _ <<<"$(drv rect 1018)"
drv hover-at $((x + 200)) $((y + 200))
wait_eq "off the tool bar the idle text is back" "$idle" drv status 0

# Panes 2 and 3.
parts="$(drv status-parts "字数：10000000")"
read -r p0 p1 p2 p3 <<<"$(sed -n 1p <<<"$parts")"
read -r _ client grip <<<"$(sed -n 2p <<<"$parts")"
read -r _ sample <<<"$(sed -n 3p <<<"$parts")"
check_eq "pane 2 is 1.7 samples wide" "$(awk -v s="$sample" 'BEGIN { print int(1.7 * s) }')" "$((p2 - p1))"
check_eq "pane 3 is four samples wide, up to the size grip" "$((4 * sample))" "$((client - grip - p2))"
check_eq "pane 3 ends at the bar's end" "-1" "$p3"
check_arith "the clock pane before them ($p0 < $p1)" "$p0 < $p1"
drv move 60 40 700 500
wait_eq "the window made narrower" "60 40 700 500" drv rect
read -r _ q1 q2 _ <<<"$(drv status-parts "字数：10000000" | sed -n 1p)"
check_eq "the panes keep their widths" "$((p2 - p1))" "$((q2 - q1))"

# F5: the bookmark is confirmed by a box that closes itself after about a second.
caught="$(drv key f5 --catch-box)"
check_eq "F5 confirms the bookmark" $'提示\n已添加书签！' "$(sed -n 1,2p <<<"$caught")"
check_arith "the box closes by itself ($(sed -n 3p <<<"$caught") ms)" "$(sed -n 3p <<<"$caught") < 5000"
drv focus 1018
drv key right
wait_eq "the next page" 2 drv text 1015
drv key f5
icon="$(drv box-icon)"
read -r _ yellow _ blue _ red <<<"$icon"
check_arith "the confirmation carries the exclamation icon, drawn on yellow ($icon)" \
    "$yellow > 50 && $blue < 10 && $red < 10"
drv --timeout 5000 wait-gone-msgbox >/dev/null
stop_reader
check_clean_exit "the reader ends normally"
e2e_finish
