#!/usr/bin/env bash
# Full-screen reading: command 32803 (and Ctrl+Enter) makes the window larger than the screen so that the
# reading form alone covers it; Escape brings back the previous placement and does nothing otherwise.
source "$(dirname "$0")/lib.sh"
e2e_setup

book="$E2E_DIR/books/全屏.txt"
numbered_lines 120 | make_book "$book" gbk
start_reader "$(winpath "$book")"
wait_eq "the book is open" "3" drv text 1014
wait_eq "the default placement is applied" "100 100 850 600" drv rect
before="$(drv rect)"
read -r sw sh <<<"$(drv screen)"

check_full_screen() {
    local how="$1" x y w h
    poll "[-]*" drv rect
    read -r x y w h <<<"$POLLED"
    check_arith "$how: the window ($POLLED) is larger than the screen ($sw x $sh)" \
        "$x < 0 && $y < 0 && $x + $w > $sw && $y + $h > $sh"
    # The form's area runs from 2 pixels before the top left corner to 20 pixels past the right edge and 2
    # past the bottom; the page control fills its width, the bottom bar ends at its bottom.
    read -r x y w h <<<"$(drv rect 1018)"
    check_eq "$how: the page control spans the screen" "-2 -2 $((sw + 22))" "$x $y $w"
    read -r x y w h <<<"$(drv rect 1019)"
    check_eq "$how: the bottom bar ends 2 pixels below the screen" "$((sh + 2))" "$((y + h))"
}

drv command 32803
check_full_screen "command 32803"
drv key escape
wait_eq "Escape returns to the previous placement" "$before" drv rect
drv key escape
sleep 1
check_eq "Escape outside full screen changes nothing" "$before" "$(drv rect)"

drv key return ctrl
check_full_screen "Ctrl+Enter"
drv command 32803
wait_eq "command 32803 again leaves full screen" "$before" drv rect
stop_reader
check_clean_exit "the reader ends cleanly"
read -r _ _ _ _ _ _ _ left top right bottom <<<"$(placement_fields "$(ini_get "$E2E_APP/Config.ini" Interface RemWndPlace)")"
check_eq "the placement saved at exit is the one before full screen" "100 100 950 700" "$left $top $right $bottom"

e2e_finish
