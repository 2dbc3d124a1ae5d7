#!/usr/bin/env bash
# Find and replace on the page in edit mode: Replace All in the replace dialog changes every match of the page
# and counts them ("总计完成 50 次替换！"), a text that is not there is reported, and a save writes the
# replaced page only. Auto-scroll: Enter outside edit mode moves the page on by itself until Enter again.
source "$(dirname "$0")/lib.sh"
e2e_setup

book="$E2E_DIR/books/替换.txt"
text="$(numbered_lines 120)" # three pages
printf '%s\n' "$text" | make_book "$book" gbk
start_reader "$(winpath "$book")"
wait_eq "three pages" "3" drv text 1014
drv command 108
drv key h ctrl
wait_eq "Ctrl+H opens the replace dialog" "替换" drv --box title
check_eq "with nothing selected, nothing to find yet" "" "$(drv --box text 1152)"
drv --box set-text 1152 "江南"
drv --box set-text 1153 "塞北"
drv --box click 1025 # Replace All
check_eq "Replace All counts the page's matches" "总计完成 50 次替换！" "$(drv --timeout 5000 msgbox | sed -n 2p)"
drv answer ok >/dev/null
wait_eq "the page shows the replacement" "第1行，塞北的雨下了一整天。|第50行，塞北的雨下了一整天。" \
    eval 'drv text 1018 | tr -d "\r" | sed -n "1p;50p" | paste -sd"|"'
drv --box set-text 1152 "江南"
drv --box click 1025
check_eq "nothing left to replace is reported" '找不到 "江南"' "$(drv --timeout 5000 msgbox | sed -n 2p)"
drv answer ok >/dev/null
drv --box dismiss
drv command 57603
expected="$E2E_DIR/expected.txt"
{ sed -n '1,50p' <<<"$text" | sed 's/江南/塞北/' && sed -n '51,$p' <<<"$text"; } | sed 's/$/\r/' |
    iconv -f UTF-8 -t GBK >"$expected"
poll 0 eval "cmp -s '$expected' '$book'; echo \$?"
check_eq "the save writes page 1 replaced and the rest as it was" 0 "$POLLED"
drv command 108
drv --timeout 1000 msgbox >/dev/null 2>&1 && drv answer no >/dev/null

drv focus 1018
drv key return
sleep 2
drv key return
settle drv first-line
scrolled="$POLLED"
check_match "Enter starts auto-scroll: the page has moved on" "[1-9]*"$'\t'"第*行，塞北的雨下了一整天。" "$scrolled"
sleep 1
check_eq "Enter again stops it" "$scrolled" "$(drv first-line)"
stop_reader

e2e_finish
