#!/usr/bin/env bash
# First run in a program folder without Config.ini: the default window with both bars; nothing is written
# while the reader runs, and at exit the settings file holds every key of the exit list, in the order of
# the writes, with the default values.
source "$(dirname "$0")/lib.sh"
e2e_setup
ini="$E2E_APP/Config.ini"

start_reader
drv --timeout 15000 wait-window --visible
# The work area of Wine's virtual desktop is the whole desktop, so the placement's rectangle is also the
# rectangle on the screen.
wait_eq "the window takes the default placement (100,100)-(950,700)" "100 100 850 600" drv rect
check_eq "the tool bar is shown" visible "$(drv visible 59392)"
check_eq "the status bar is shown" visible "$(drv visible 59393)"
check_eq "nothing is written before exit" "no Config.ini" "$([[ -e "$ini" ]] && echo "Config.ini" || echo "no Config.ini")"
stop_reader
check_clean_exit "the reader ends cleanly"

if [[ ! -f "$ini" ]]; then
    fail "the exit handler writes Config.ini"
    e2e_finish
fi
pass "the exit handler writes Config.ini"

# Sections appear in the order of their first write, keys inside a section in the order of theirs. With no
# book, no library folder and no chapter rule there is no TimePad, File Dir or RuleDiy key.
expected="[BookMark]
0
[Style]
bkcolor
txtcolor
txtfont
txtsize
txthj
SortFlag
MarkLine
delblank
KeyA
KeyV
BJL
BJR
BJU
BJD
UNDERLINE
ITALIC
BOLD
NightFlag
KeepOne
KeyUD
SortRuleFlag
orgrectFlag
QuoteBarFlag
picPath
[Interface]
DIYname
TrayFlag
RemWndPlace
toolflag
statusflag
shukuflag
[Quote]
QuoteFlag
LoopFlag
QuotePath
ScrollFlag
RollType
TimeSpan
TimeEnd
TimeFirst
TimeSpanTip"
check_eq "Config.ini holds the keys of the exit list in order" "$expected" "$(ini_layout "$ini")"

defaults=(
    Style/bkcolor=13625548 Style/txtcolor=0 Style/txtfont=宋体 Style/txtsize=270 Style/txthj=100
    Style/SortFlag=0 Style/MarkLine=0 Style/delblank=0 Style/KeyA=1 Style/KeyV=32
    Style/BJL=10 Style/BJR=10 Style/BJU=0 Style/BJD=0 Style/UNDERLINE=0 Style/ITALIC=0 Style/BOLD=0
    Style/NightFlag=0 Style/KeepOne=1 Style/KeyUD=1 Style/SortRuleFlag=1 Style/picPath=
    Interface/DIYname= Interface/TrayFlag=-1 Interface/toolflag=1 Interface/statusflag=1
    Interface/shukuflag=0
    Quote/QuoteFlag=1 Quote/LoopFlag=0 Quote/QuotePath= Quote/ScrollFlag=0 Quote/RollType=0
    Quote/TimeSpan=30 Quote/TimeEnd=3 Quote/TimeFirst=5 Quote/TimeSpanTip=30
)
for entry in "${defaults[@]}"; do
    name="${entry%%=*}"
    check_eq "default $name" "${entry#*=}" "$(ini_get "$ini" "${name%%/*}" "${name#*/}")"
done

check_match "BookMark/0 names no book, page 0, and the time of writing" \
    ',P0,[0-2][0-9]:[0-5][0-9],[0-3][0-9]/[A-Z][a-z]* >' "$(ini_get "$ini" BookMark 0)"
read -r length _ show _ _ _ _ left top right bottom <<<"$(placement_fields "$(ini_get "$ini" Interface RemWndPlace)")"
check_eq "RemWndPlace: a 44-byte placement, shown normally, at (100,100)-(950,700)" \
    "44 1 100 100 950 700" "$length $show $left $top $right $bottom"

e2e_finish
