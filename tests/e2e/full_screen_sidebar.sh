#!/usr/bin/env bash
# Full screen hides the library sidebar (shown at first), and leaving full screen does not bring it back.
source "$(dirname "$0")/lib.sh"
e2e_setup

width() {
    local w
    read -r _ _ w _ <<<"$(drv rect "$1")"
    echo "$w"
}
start_reader
drv --timeout 15000 wait-window --visible
wait_eq "the default placement is applied" "100 100 850 600" drv rect
before="$(drv rect)"
wait_eq "the sidebar is shown, 160 pixels wide" "160" width 1000
drv command 32803
poll "[-]*" drv rect
check_match "full screen is on" "-*" "$POLLED"
wait_eq "full screen hides the sidebar" "0" width 1000
drv command 32803
wait_eq "out of full screen: the old placement" "$before" drv rect
check_eq "the sidebar stays hidden" "0" "$(width 1000)"
stop_reader

e2e_finish
