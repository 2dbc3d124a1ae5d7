#!/usr/bin/env bash
# A chapter rule of the reader's own, applied from the dialog "自定义分章规则设置", splits the book at its
# headings and is still the rule in use after a restart.
source "$(dirname "$0")/lib.sh"
e2e_setup

book="$E2E_DIR/books/六幕.txt"
{
    echo "序幕之前的话"
    for ((k = 1; k <= 6; k++)); do
        echo "第${k}幕 灯火"
        for ((i = 1; i <= 12; i++)); do echo "第${i}行，江南的雨下了一整天。"; done
    done
} | make_book "$book" gbk
ini="$E2E_APP/Config.ini"
rule="[第][0-9][幕][40]"

start_reader "$(winpath "$book")"
wait_eq "by lines first" "总页数" drv text 1021
drv command 32859
wait_eq "the rule dialog opens" "自定义分章规则设置" drv --box title
drv --box set-text 1069 "$rule"
drv answer ok >/dev/null
wait_eq "the custom rule gives chapter mode" "总章数/当前章数" eval 'echo "$(drv text 1021)/$(drv text 1022)"'
wait_eq "six chapters by the rule" "6" drv text 1014
stop_reader
check_eq "the rule in use is saved" "$rule" "$(ini_get "$ini" RuleDiy 0)"
check_eq "rule 10 is saved" "10" "$(ini_get "$ini" Style SortRuleFlag)"
check_eq "chapter mode is saved" "1" "$(ini_get "$ini" Style SortFlag)"

start_reader
wait_eq "after a restart the book is split by the same rule" "总章数/6" eval 'echo "$(drv text 1021)/$(drv text 1014)"'
stop_reader

e2e_finish
