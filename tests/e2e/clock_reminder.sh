#!/usr/bin/env bash
# The clock and the rest reminder over one run of two minutes with a reminder every minute (TimeSpanTip=1):
# status pane 1 shows the date, the time and the weekday of the second it is read; pane 0 keeps the idle
# prompt for the first two minutes and then shows the reading time, counting on; one minute in, the reminder
# "温馨提示！" comes in its minutes form. The reader leaves it open (away), so at two minutes it is replaced by
# the away box "新消息！" with the next reminder and "嗯？主人已离开..."; answered, the welcome-back box follows,
# and then no box is left; each of the three boxes shows the exclamation icon. Two minutes is the least this
# takes: reminders come a whole minute apart, the away box needs a second one while the first is open, and the
# reading time shows after two minutes.
source "$(dirname "$0")/lib.sh"
e2e_setup
ini="$E2E_APP/Config.ini"
book="$E2E_DIR/books/提醒.txt"
numbered_lines 60 | make_book "$book" gbk
printf '[Quote]\nTimeSpanTip=1\n' | write_ini "$ini"
weekdays=(日 一 二 三 四 五 六)
idle="小提示：空格翻屏自动下一页，【F5】添加书签，【←】上一页，【→】下一页"

# clock_at SECONDS: the clock pane's text for that moment, from the system's own calendar.
clock_at() {
    printf '%s   星期%s' "$(date -d "@$1" '+%Y/%-m/%-d   %H:%M:%S')" "${weekdays[$(date -d "@$1" +%w)]}"
}
# check_clock: pane 1 holds the clock text of a second between just before and just after it was read.
check_clock() {
    local before after shown s ok=""
    before="$(date +%s)"
    shown="$(drv status 1)"
    after="$(date +%s)"
    for ((s = before - 1; s <= after; s++)); do [[ "$shown" == "$(clock_at "$s")" ]] && ok="$s"; done
    if [[ -n "$ok" ]]; then pass "$1: pane 1 is the clock ($shown)"; else
        fail "$1: pane 1 is the clock"
        printf '      expected: [%s] (or a second either side)\n      actual:   [%s]\n' "$(clock_at "$after")" "$shown"
    fi
}

# check_exclamation WHAT: the open box shows the exclamation icon, a yellow warning sign under Wine (the
# information, question and error icons are blue or red).
check_exclamation() {
    local x y w h yellow
    if ! read -r x y w h < <(drv box-icon-rect); then
        fail "$1: the box shows an icon"
        return
    fi
    sleep 0.3
    import -window root -crop "${w}x${h}+${x}+${y}" +repage "$E2E_DIR/$2.png"
    yellow="$(convert "$E2E_DIR/$2.png" -depth 8 txt:- |
        awk -F'[(),]+' 'NR > 1 && $3 > 180 && $4 > 140 && $5 < 110 { n++ } END { print n + 0 }')"
    check_arith "$1: the box shows the exclamation icon ($yellow yellow pixels)" "$yellow >= 30"
}

launched="$(date +%s)"
start_reader "$(winpath "$book")"
wait_eq "the book is open" "提醒.txt" drv title
check_clock "at the start"
check_eq "at the start pane 0 has the idle prompt" "$idle" "$(drv status 0)"
shown="$(drv status 1)"
wait_match "the clock ticks" "*   星期*" eval '[[ "$(drv status 1)" != "$shown" ]] && drv status 1'
check_clock "a moment later"

# One minute of reading: the reminder.
box="$(drv --timeout 75000 msgbox)"
first_box="$(date +%s)"
came=$((first_box - launched))
check_eq "one minute in: the reminder" "温馨提示！"$'\n'"你已经阅读 1 分钟，请注意保护眼睛，适当的休息！" "$box"
# The start under Wine takes a few seconds of its own.
check_arith "it comes a minute after the start (${came} s)" "$came >= 59 && $came <= 80"
check_exclamation "the reminder" reminder-icon
check_clock "while the reminder is open"
check_eq "before two minutes pane 0 still has the idle prompt" "$idle" "$(drv status 0)"

# The reader is away: the next reminder replaces the open one.
E2E_WAIT_MS=75000 poll "新消息！*" drv --timeout 1000 msgbox
came=$(($(date +%s) - first_box))
check_eq "two minutes in, the first box still open: the away box" \
    "新消息！"$'\n'"你已经阅读 2 分钟，请注意保护眼睛，适当的休息！"$'\r'"嗯？主人已离开..." "$POLLED"
check_arith "it comes a minute after the first (${came} s)" "$came >= 58 && $came <= 63"
check_exclamation "the away box" away-icon
reading='^-->阅读时间：0 小时 2 分 ([0-9]) 秒 <--$'
poll "-->*" drv status 0
check_regex "after two minutes pane 0 shows the reading time" "$reading" "$POLLED"
first="$POLLED"
wait_match "the reading time counts on" "-->阅读时间：0 小时 2 分 * 秒 <--" \
    eval '[[ "$(drv status 0)" != "$first" ]] && drv status 0'
drv answer ok >/dev/null
check_eq "answered: the welcome back" "新消息！"$'\n'"嗨！欢迎主人回来，请继续阅读..." "$(drv --timeout 5000 msgbox)"
check_exclamation "the welcome back" welcome-icon
drv answer ok >/dev/null
drv --timeout 1500 msgbox >/dev/null 2>&1
check_eq "then no box is left (the first reminder was closed)" 1 $?
check_clock "after the boxes"
stop_reader
check_clean_exit "the reader ends cleanly"

e2e_finish
