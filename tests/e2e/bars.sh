#!/usr/bin/env bash
# Tool bar and status bar: commands 59392 and 59393 hide them, the reading form takes the room, and a
# restart keeps them hidden (toolflag=0, statusflag=0) until they are shown again.
source "$(dirname "$0")/lib.sh"
e2e_setup
ini="$E2E_APP/Config.ini"

height() { local r; read -r _ _ _ r <<<"$(drv rect "$1")"; echo "$r"; }

start_reader
drv --timeout 15000 wait-window --visible
wait_eq "the default placement is applied" "100 100 850 600" drv rect
with_bars="$(height 1018)"
drv command 59392
wait_eq "59392 hides the tool bar" hidden drv visible 59392
drv command 59393
wait_eq "59393 hides the status bar" hidden drv visible 59393
settle height 1018
without_bars="$POLLED"
check_arith "the page control grows into the room ($with_bars -> $without_bars pixels)" "$without_bars > $with_bars"
stop_reader
check_eq "toolflag=0 at exit" "0" "$(ini_get "$ini" Interface toolflag)"
check_eq "statusflag=0 at exit" "0" "$(ini_get "$ini" Interface statusflag)"

start_reader
drv --timeout 15000 wait-window --visible
wait_eq "after a restart the tool bar stays hidden" hidden drv visible 59392
wait_eq "after a restart the status bar stays hidden" hidden drv visible 59393
wait_eq "the page control has the room again" "$without_bars" height 1018
drv command 59392
wait_eq "59392 shows the tool bar again" visible drv visible 59392
drv command 59393
wait_eq "59393 shows the status bar again" visible drv visible 59393
wait_eq "the page control has its first height again" "$with_bars" height 1018
stop_reader
check_eq "toolflag=1 at exit" "1" "$(ini_get "$ini" Interface toolflag)"
check_eq "statusflag=1 at exit" "1" "$(ini_get "$ini" Interface statusflag)"

e2e_finish
