#!/usr/bin/env bash
# The keyboard table with the page control focused: Right and Left turn pages (Left stays on page 1 in line
# mode), Up and Down scroll by the amount KeyUD chooses and never turn the page, Space pages a screen down and
# turns the page at the bottom. The window is made low so that a page holds several screens.
source "$(dirname "$0")/lib.sh"
e2e_setup

line() { printf '第%d行，江南的雨下了一整天。' "$1"; }
book="$E2E_DIR/books/按键.txt"
numbered_lines 300 | make_book "$book" gbk # six pages
start_reader "$(winpath "$book")"
wait_eq "six pages" "6" drv text 1014
wait_eq "the default placement is applied" "100 100 850 600" drv rect
drv move 100 100 850 300
drv focus 1018
check_eq "the page control has the focus" "1018" "$(drv focused)"

drv key right
wait_eq "Right shows the next page" "2" drv text 1015
wait_eq "page 2 begins with line 51" $'0\t'"$(line 51)" drv first-line
drv key left
wait_eq "Left shows the previous page" "1" drv text 1015
wait_eq "page 1 begins with line 1" $'0\t'"$(line 1)" drv first-line
# Keys are handled in order: once the Down after it has scrolled, the Left has been handled too.
drv key left
drv key down
wait_eq "Down scrolls one line" $'1\t'"$(line 2)" drv first-line
check_eq "Left on page 1 stays on page 1 in line mode" "1" "$(drv text 1015)"
drv key up
wait_eq "Up scrolls one line back" $'0\t'"$(line 1)" drv first-line

for ((i = 0; i < 60; i++)); do drv key down; done
settle drv first-line
check_eq "sixty Downs do not turn the page" "1" "$(drv text 1015)"
read -r bottom _ <<<"$(drv first-line)"
check_arith "sixty Downs scroll to the bottom of the page (line $bottom)" "${bottom:-0} > 10"
drv set-text 1015 1
drv key return --to 1015
drv focus 1018
wait_eq "back to the top of page 1" $'0\t'"$(line 1)" drv first-line

drv key space
poll $'[1-9]*\t*' drv first-line
read -r screen _ <<<"$POLLED"
screen="${screen:-0}"
check_arith "Space pages one screen down (to line $screen)" "$screen > 5 && $screen < 20"
drv key space
wait_eq "the next Space moves as far again" "$((2 * screen))"$'\t'"$(line $((2 * screen + 1)))" drv first-line
check_eq "a screen down inside the page keeps the page" "1" "$(drv text 1015)"
presses=2
while [[ "$(drv text 1015)" == 1 ]] && ((presses < 12)); do
    drv key space
    presses=$((presses + 1))
    settle drv first-line
done
wait_eq "Space at the bottom of the page turns it" "2" drv text 1015
wait_eq "the turned page starts at its top" $'0\t'"$(line 51)" drv first-line

drv command 32852 # up/down keys by screen
drv key left
wait_eq "Left again: page 1" "1" drv text 1015
drv key down
wait_eq "KeyUD 2: Down pages a screen, as Space did" "$screen"$'\t'"$(line $((screen + 1)))" drv first-line
drv key up
wait_eq "KeyUD 2: Up pages the screen back" $'0\t'"$(line 1)" drv first-line
drv command 32849 # keep no line when paging a screen
drv key down
# The screen down after the toggle measures the step with the control's own page-down, which is its move.
wait_eq "after toggling KeepOne a screen down measures again" "$screen"$'\t'"$(line $((screen + 1)))" \
    drv first-line
drv key down
wait_eq "without the kept line the next screen down moves one line more" \
    "$((2 * screen + 1))"$'\t'"$(line $((2 * screen + 2)))" drv first-line
drv command 32849
drv key right
drv key left
wait_eq "Right and Left: the top of page 1" $'0\t'"$(line 1)" drv first-line
drv key down
wait_eq "with the kept line again a screen down measures anew" "$screen"$'\t'"$(line $((screen + 1)))" \
    drv first-line
drv key right
drv key left
wait_eq "the top of page 1 again" $'0\t'"$(line 1)" drv first-line

drv command 32853 # up/down keys by three lines
drv key down
wait_eq "KeyUD 3: Down scrolls three lines" $'3\t'"$(line 4)" drv first-line
drv key up
wait_eq "KeyUD 3: Up scrolls three lines back" $'0\t'"$(line 1)" drv first-line

drv command 32851 # back to one line
drv key down
wait_eq "KeyUD 1 again: Down scrolls one line" $'1\t'"$(line 2)" drv first-line
stop_reader
check_eq "KeyUD is kept at exit" "1" "$(ini_get "$E2E_APP/Config.ini" Style KeyUD)"

e2e_finish
