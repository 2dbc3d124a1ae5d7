#!/usr/bin/env bash
# The quote line of the bottom bar (static 1028), read from outside as it changes: it starts as "名言警句",
# shows the built-in quotations from the first one on, one every 5 s; 名言警句栏 (32832) hides the bottom bar
# (its tick in the 界面 menu goes), and shows it again starting afresh at the first quotation; a run that ends
# with the bar hidden keeps QuoteBarFlag=1 and quotes off. From a quote file: an empty file, one of 10,000
# line feeds and a missing file are each reported and leave "名言警句" standing; a file of three lines shows
# them in order, one every 3 s, each with its own line end, and starts again after the last; a line of 150
# bytes or more is reported and turns the file into scrolling text, 18 characters moving on by 2 every
# 800 ms, which is kept at exit (ScrollFlag=1).
source "$(dirname "$0")/lib.sh"
e2e_setup
ini="$E2E_APP/Config.ini"
book="$E2E_DIR/books/名言.txt"
numbered_lines 60 | make_book "$book" gbk
initial="名言警句"
quote1="宝剑锋从磨砺出，梅花香自苦寒来！"
quote2="百学须先立志。(朱熹)"

# texts TRACE: the texts of a watch-text trace, one a line, without their times.
texts() { cut -f2- "$1"; }
# gaps TRACE: the ms between one text and the next, one a line.
gaps() { awk -F'\t' 'NR > 1 { print $1 - t } { t = $1 }' "$1"; }
# all_between LO HI: every number of stdin lies in [LO, HI] (and there is one).
all_between() { awk -v lo="$1" -v hi="$2" 'BEGIN { ok = 0 } { ok = 1; if ($1 < lo || $1 > hi) { ok = 0; exit } } END { print ok }'; }
menu_shot() {
    local x y w h
    read -r x y w h < <(drv open-menu d)
    import -window root -crop "${w}x${h}+${x}+${y}" +repage "$E2E_DIR/$1.png"
    drv close-menu
}
same_picture() {
    local n
    n="$(compare -metric AE "$E2E_DIR/$1.png" "$E2E_DIR/$2.png" null: 2>&1)"
    [[ "$n" == 0 ]] && echo same || echo "different ($n pixels)"
}
# bar_again: 32832 twice: the bottom bar hidden and shown again, which starts the quotes afresh.
bar_again() {
    drv command 32832
    drv command 32832
}
# box_then_still WHAT TEXT: a box with TEXT comes (answered), and the quote line keeps "名言警句" for 3.5 s.
box_then_still() {
    check_eq "$1: the reader is told" "Pelinreader"$'\n'"$2" "$(drv --timeout 5000 msgbox)"
    drv answer ok >/dev/null
    drv watch-text 1028 3500 >"$E2E_DIR/still.trace"
    check_eq "$1: the quote line keeps its first text" "$initial" "$(texts "$E2E_DIR/still.trace")"
}

# ---- built-in quotations, and the bottom bar hidden and shown
printf '[Quote]\nQuoteFlag=1\nTimeSpanTip=0\n' | write_ini "$ini"
start_reader "$(winpath "$book")"
poll "$initial" drv text 1028
drv watch-text 1028 11500 >"$E2E_DIR/builtin.trace"
check_eq "built-in: the line starts as 名言警句, then quotations 1 and 2" \
    "$initial"$'\n'"$quote1"$'\n'"$quote2" "$(texts "$E2E_DIR/builtin.trace" | head -3)"
check_arith "built-in: quotation 2 comes 5 s after quotation 1 ($(gaps "$E2E_DIR/builtin.trace" | sed -n 2p) ms)" \
    "$(gaps "$E2E_DIR/builtin.trace" | sed -n 2p | all_between 4500 6500) == 1"
read -r _ _ _ shown_height < <(drv rect 1018)
menu_shot bar-shown
drv command 32832
wait_eq "hidden: the quote line has no room" "0 0" eval 'drv rect 1028 | cut -d" " -f3-'
read -r _ _ _ hidden_height < <(drv rect 1018)
check_eq "hidden: the page takes the bottom bar's 30 pixels" "$((shown_height + 30))" "$hidden_height"
menu_shot bar-hidden
check_match "hidden: 名言警句栏 loses its tick" "different*" "$(same_picture bar-hidden bar-shown)"
drv command 32832
wait_match "shown again: the quote line has its room" "[1-9]*" eval 'drv rect 1028 | cut -d" " -f3'
drv watch-text 1028 6000 >"$E2E_DIR/again.trace"
check_eq "shown again: the quotations start afresh at the first" "$quote1" "$(texts "$E2E_DIR/again.trace" | tail -1)"
menu_shot bar-shown-again
check_eq "shown again: 名言警句栏 has its tick" same "$(same_picture bar-shown-again bar-shown)"
drv command 32832
stop_reader
check_eq "ended hidden: QuoteBarFlag=1" 1 "$(ini_get "$ini" Style QuoteBarFlag)"
check_eq "ended hidden: quotes are off for the next run (QuoteFlag=0)" 0 "$(ini_get "$ini" Quote QuoteFlag)"

# ---- the reader's quote file
quotes="$E2E_DIR/quotes/警句.txt"
mkdir -p "$(dirname "$quotes")"
: >"$quotes"
printf '[Quote]\nQuoteFlag=2\nQuotePath=%s\nLoopFlag=1\nScrollFlag=0\nTimeSpanTip=0\n' "$(winpath "$quotes")" |
    write_ini "$ini"
start_reader "$(winpath "$book")"
wait_eq "the quote line starts as 名言警句" "$initial" drv text 1028
box_then_still "an empty quote file" "警告！空文档！"

for ((i = 0; i < 10000; i++)); do printf 'x\n'; done >"$quotes"
bar_again
box_then_still "10,000 line feeds" "行数过多！大于1万！"

rm -f "$quotes"
bar_again
box_then_still "a missing quote file" "没有找到 $(winpath "$quotes")。"

printf '第一句：春眠不觉晓\n第二句 Spring 处处闻啼鸟\n第三句：夜来风雨声，花落知多少' | iconv -f UTF-8 -t GBK >"$quotes"
bar_again
drv watch-text 1028 13000 >"$E2E_DIR/lines.trace"
check_eq "three lines in order, each with its line end, then the first again" \
    "$initial"$'\n''第一句：春眠不觉晓\n'$'\n''第二句 Spring 处处闻啼鸟\n'$'\n''第三句：夜来风雨声，花落知多少'$'\n''第一句：春眠不觉晓\n' \
    "$(texts "$E2E_DIR/lines.trace" | head -5)"
check_arith "one line every 3 s ($(gaps "$E2E_DIR/lines.trace" | sed -n '2,4p' | tr '\n' ' ')ms)" \
    "$(gaps "$E2E_DIR/lines.trace" | sed -n '2,4p' | all_between 2500 4000) == 1"

# One line of over 150 bytes, and a second one: scrolled, its line feed becomes a blank.
long='读书破万卷，下笔如有神。Reading 2026 and more 旧书不厌百回读。书山有路勤为径，学海无涯苦作舟。纸上得来终觉浅，绝知此事要躬行。问渠那得清如许？为有源头活水来。'
printf '%s\n第二行\n' "$long" | iconv -f UTF-8 -t GBK >"$quotes"
bytes="$(head -1 "$quotes" | wc -c)"
check_arith "the first line is 150 bytes or more ($bytes)" "$bytes >= 150"
bar_again
check_eq "a long line is reported" "Pelinreader"$'\n'"文本单行字数过多！将改为滚动显示！" "$(drv --timeout 6000 msgbox)"
drv answer ok >/dev/null
drv watch-text 1028 5600 >"$E2E_DIR/scroll.trace"
# The reference: the file's characters with CR and LF as blanks; window k begins 2k characters in.
expected="$(iconv -f GBK -t UTF-8 "$quotes" | tr '\r\n' '  ' | python3 -c '
import sys
t = sys.stdin.read()
for k in range(6):
    print(t[2 * k:2 * k + 18])')"
check_eq "scrolling: 18 characters moving on by 2, from the beginning" "$expected" \
    "$(texts "$E2E_DIR/scroll.trace" | awk 'started && $0 != "" { print } $0 == "" { started = 1 }' | head -6)"
check_arith "scrolling: a step every 800 ms ($(gaps "$E2E_DIR/scroll.trace" | tail -4 | tr '\n' ' ')ms)" \
    "$(gaps "$E2E_DIR/scroll.trace" | tail -4 | all_between 600 1200) == 1"
stop_reader
check_eq "scrolling is kept for the next run (ScrollFlag=1)" 1 "$(ini_get "$ini" Quote ScrollFlag)"

e2e_finish
