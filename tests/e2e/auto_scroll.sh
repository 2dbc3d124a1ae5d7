#!/usr/bin/env bash
# Auto-scroll by pixel, by line and by screen, watched from the page control's first visible line over time:
# each page of the pixel and line modes stands still for TimeFirst seconds, moves down line after line (by
# pixel about a line height of ticks a line, by line one tick a line), stands still for TimeEnd seconds at the
# bottom and turns; by screen it jumps a screen a tick without waiting. Enter switches it on and off, and the
# tick of "自动滚屏" in the 拓展 menu follows it (read from a picture of the open menu: under Wine one process
# cannot read another's menus). At the end of the book the end is announced once and auto-scroll keeps
# running: scrolled back up by the reader, the page moves down again, and no second message comes.
source "$(dirname "$0")/lib.sh"
e2e_setup
ini="$E2E_APP/Config.ini"

# Two pages: 50 and 45 lines; the last page needs scrolling too.
lines=95
top_wait=2 # TimeFirst
end_wait=1 # TimeEnd

# run_with ROLLTYPE TIMESPAN BOOK: a fresh settings file with these auto-scroll values, the reader started on
# BOOK in a tall window, and auto-scroll switched on by Enter in the page control.
run_with() {
    printf '[Quote]\nRollType=%s\nTimeSpan=%s\nTimeFirst=%s\nTimeEnd=%s\nTimeSpanTip=0\n' \
        "$1" "$2" "$top_wait" "$end_wait" | write_ini "$ini"
    numbered_lines "$lines" | make_book "$3" gbk
    start_reader "$(winpath "$3")"
    wait_eq "$(basename "$3"): two pages" "2" drv text 1014
    drv move 100 0 850 1000
    wait_eq "$(basename "$3"): the tall window" "100 0 850 1000" drv rect
    drv focus 1018
}

# menu_shot NAME: a picture of the open 拓展 menu, where the tick of 自动滚屏 shows.
menu_shot() {
    local x y w h
    read -r x y w h < <(drv open-menu e)
    import -window root -crop "${w}x${h}+${x}+${y}" +repage "$E2E_DIR/$1.png"
    drv close-menu
    drv focus 1018
}
same_picture() {
    local n
    n="$(compare -metric AE "$E2E_DIR/$1.png" "$E2E_DIR/$2.png" null: 2>&1)"
    [[ "$n" == 0 ]] && echo same || echo "different ($n pixels)"
}

# page_facts TRACE PAGE: from a watch-scroll trace, "START MOVE TOP_LINE_MAX REACHED LEAVE STEPS BACK" of a
# page in ms and lines: when it was first shown at its top, when its first line first moved, its largest
# first line, when that was reached, when the next page or a box came, the number of moves and the moves up.
page_facts() {
    awk -F'\t' -v p="$2" '
        $2 == "box" { if (seen && leave == "") leave = $1; next }
        $2 == p && !seen && $3 == 0 { seen = 1; start = $1; last = 0; next }
        seen && leave == "" && $2 != p { leave = $1; next }
        seen && leave == "" && $2 == p {
            if (move == "") move = $1
            steps++
            if ($3 < last) back++
            if ($3 > max) { max = $3; reached = $1 }
            last = $3
        }
        END { printf "%s %s %d %s %s %d %d\n", start, move, max, reached, leave, steps, back }' "$1"
}

# check_line_page WHAT TRACE PAGE MS_PER_LINE_MIN MS_PER_LINE_MAX: one page of the pixel or line mode. The
# top wait of the first page is not measured: the watch begins a moment after Enter.
check_line_page() {
    local what="$1" trace="$2" page="$3" lo="$4" hi="$5" start move max reached leave steps back
    read -r start move max reached leave steps back < <(page_facts "$trace" "$page")
    if [[ -z "$start" || -z "$move" || -z "$leave" ]]; then
        fail "$what: page $page was shown, moved and left (start '$start' move '$move' leave '$leave')"
        cat "$trace"
        return
    fi
    ((page > 1)) && check_arith "$what: page $page stands still at its top for TimeFirst ($top_wait s, +1 for whole seconds): $((move - start)) ms" \
        "$move - $start >= $top_wait * 1000 - 300 && $move - $start <= ($top_wait + 2) * 1000 + $hi"
    check_arith "$what: page $page moves only down, one line at a time ($steps moves to line $max, $back up)" \
        "$back == 0 && $steps <= $max && $steps * 4 >= $max * 3 && $max >= 5"
    local per_line=$(((reached - move) / (max > 1 ? max - 1 : 1)))
    check_arith "$what: page $page takes $per_line ms a line (between $lo and $hi)" \
        "$per_line >= $lo && $per_line <= $hi"
    check_arith "$what: page $page stands still at its bottom for about TimeEnd ($end_wait s) before it turns: $((leave - reached)) ms" \
        "$leave - $reached >= $end_wait * 1000 - 300 && $leave - $reached <= ($end_wait + 2) * 1000 + 2 * $hi"
}

# check_end WHAT TRACE: the end of the book was announced exactly once, on the last page.
end_box='*box	Pelinreader|您已阅读完《*》！*本次阅读时间：*'
check_end() {
    check_eq "$1: the end of the book is announced once" 1 "$(grep -c $'\tbox\t' "$2")"
    check_match "$1: with the end-of-book message" "$end_box" "$(grep $'\tbox\t' "$2" | head -1)"
    check_eq "$1: on the last page" 2 "$(grep -v $'\tbox\t' "$2" | tail -1 | cut -f2)"
}

# check_keeps_running WHAT MS: after the end, three lines scrolled up by the reader come back down by
# themselves within MS, with no second message, and the menu ticks 自动滚屏. The driver reads the place right
# after its scrolling, before the ticks of the line mode bring the page back.
check_keeps_running() {
    local what="$1" bottom low trace="$E2E_DIR/$1-after.trace"
    drv scroll-back 3 "$2" >"$trace"
    bottom="$(head -1 "$trace" | cut -f3)"
    low="$(sed 1d "$trace" | grep -v $'\tbox\t' | cut -f3 | sort -n | head -1)"
    check_arith "$what: Up three times scrolls the last page back ($bottom -> $low)" "$low < $bottom"
    check_eq "$what: auto-scroll still runs and brings the page back down" "$bottom" \
        "$(tail -1 "$trace" | cut -f3)"
    check_eq "$what: no second end-of-book message" 0 "$(grep -c $'\tbox\t' "$trace")"
    menu_shot "$what-ticked"
    check_match "$what: 自动滚屏 is ticked while it runs" "different*" "$(same_picture "$what-ticked" unticked)"
}

# check_enter_stops WHAT: Enter switches it off: the tick goes, and the page no longer moves by itself.
check_enter_stops() {
    local what="$1" before
    drv key return
    menu_shot "$what-off"
    check_eq "$what: Enter switches it off and the tick goes" same "$(same_picture "$what-off" unticked)"
    drv key up
    before="$(drv first-line | cut -f1)"
    sleep 1.5
    check_eq "$what: switched off, the page stays where it is" "$before" "$(drv first-line | cut -f1)"
}

# ---- by pixel: TimeSpan 10 ms, one pixel a tick, so a line takes about a line height of ticks.
run_with 0 10 "$E2E_DIR/books/按像素.txt"
menu_shot unticked
drv key return
trace="$E2E_DIR/pixel.trace"
drv watch-scroll 40000 answer 1500 >"$trace"
# A line is 15 to 40 pixels high here (and the ticks of a busy machine come late).
check_line_page "by pixel" "$trace" 1 150 2000
check_line_page "by pixel" "$trace" 2 150 2000
check_end "by pixel" "$trace"
check_keeps_running "pixel" 4000
check_enter_stops "by pixel"
stop_reader

# ---- by line: TimeSpan 50 ms, one line a tick.
run_with 1 50 "$E2E_DIR/books/按行.txt"
drv key return
trace="$E2E_DIR/line.trace"
drv watch-scroll 30000 answer 1500 >"$trace"
check_line_page "by line" "$trace" 1 35 150
check_line_page "by line" "$trace" 2 35 150
check_end "by line" "$trace"
check_keeps_running "line" 2500
check_enter_stops "by line"
stop_reader

# ---- by screen: TimeSpan 1000 ms, a screen down each tick, no waits at the top or the bottom.
run_with 2 1000 "$E2E_DIR/books/按页.txt"
drv key return
trace="$E2E_DIR/screen.trace"
drv watch-scroll 9000 answer 3000 >"$trace"
moves="$(grep -v $'\tbox\t' "$trace" | awk -F'\t' 'NR > 1 { print $1, $2, $3 }')"
read -r t1 _ l1 < <(head -1 <<<"$moves")
# The watch starts some time after the key (a driver process starting under load), so only the upper bound
# is sure; the gaps below show the ticks a second apart.
check_arith "by screen: the first screen down comes at the first tick, without a wait at the top (${t1:-none} ms)" \
    "${t1:-99999} <= 2500"
check_arith "by screen: it moves by a screen of lines (line ${l1:-none})" "${l1:-0} >= 10"
# Each page: a screen down, then at the bottom the next page at the following tick; the last page then
# announces the end once.
pages_seen="$(grep -v $'\tbox\t' "$trace" | cut -f2 | uniq | tr '\n' ' ')"
check_eq "by screen: the pages come one after another" "1 2 " "$pages_seen"
# The moments the page moved (a page turn shows the page box a moment before the text: one move).
gaps="$(grep -v $'\tbox\t' "$trace" | awk -F'\t' 'NR > 1 && (last == "" || $1 - last > 300) { if (last != "") print $1 - last; last = $1 }')"
check_arith "by screen: about one screen a second ($(tr '\n' ' ' <<<"$gaps")ms)" \
    "$(awk 'BEGIN { ok = 0 } { ok = 1; if ($1 < 600 || $1 > 2500) { ok = 0; exit } } END { print ok }' <<<"$gaps") == 1"
check_end "by screen" "$trace" # three more ticks at the end of the book included
stop_reader

e2e_finish
