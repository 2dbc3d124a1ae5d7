#!/usr/bin/env bash
# An extractor that works long: a short wait shows nothing; past four seconds a notice with a 取消 button
# comes up over the reader, and 取消 ends the wait and the extractor with it, leaving the reader as it was.
# The extractor is the stand-in HaoZipC.exe of the archive tests, whose "archives" say how long to work.
source "$(dirname "$0")/lib.sh"
e2e_setup
fake="$(cd "$(dirname "${PEL_READER_EXE:?}")/../.." && pwd)/tests/archive/HaoZipC.exe"
[[ -f $fake ]] || { fail "the stand-in extractor $fake is not built"; e2e_finish; }
cp "$fake" "$E2E_APP/HaoZipC.exe"
mkdir -p "$E2E_DIR/arc"
printf '#sleep 600\r\n卷一\\快的书.txt\t快的书的一行。\r\n' | iconv -f UTF-8 -t GBK >"$E2E_DIR/arc/快.zip"
printf '#sleep 120000\r\n慢的书.txt\t慢的书的一行。\r\n' | iconv -f UTF-8 -t GBK >"$E2E_DIR/arc/慢.zip"
notice=(--class PelinreaderWaitNotice)

# The interpreter and the extractor at work on the slow archive (their command lines name it).
extractors() { ps -eo args | grep -v grep | grep -c -F '慢.zip'; }

start_reader
drv --timeout 15000 wait-window --visible >/dev/null
drv drop "$(winpath "$E2E_DIR/arc/快.zip")" >/dev/null
wait_eq "a short listing fills the sidebar" "快的书.txt" drv rows 1000
box="$(drv --timeout 300 msgbox 2>/dev/null)"
check_eq "no message box after it" "" "$box"
drv "${notice[@]}" --timeout 300 wait-window >/dev/null 2>&1
check_eq "no notice for a short wait" 1 $?

t0=$SECONDS
drv drop "$(winpath "$E2E_DIR/arc/慢.zip")" >/dev/null
# Asked a second at a time, so that one driver that failed to start does not end the wait.
E2E_WAIT_MS=15000 poll 0 eval 'drv "${notice[@]}" --timeout 1000 wait-window --visible >/dev/null 2>&1; echo $?'
check_eq "a long wait shows the notice" 0 "$POLLED"
waited=$((SECONDS - t0))
check_arith "not before four seconds of work ($waited s)" "$waited >= 4"
wait_eq "the notice says why the reader waits" \
    $'正在解压，请稍候……\n压缩包较大时需要较长时间；按“取消”结束解压。' eval 'drv "${notice[@]}" text 100 | tr -d "\r"'
check_eq "its button is 取消" "取消" "$(drv "${notice[@]}" text 2)"
check_arith "the extractor is working ($(extractors) processes)" "$(extractors) >= 1"
sleep 1
drv "${notice[@]}" --timeout 2000 wait-window >/dev/null
check_eq "the notice stays while the extractor works" 0 $?
drv "${notice[@]}" click 2 >/dev/null
drv "${notice[@]}" --timeout 5000 gone >/dev/null
check_eq "取消 takes the notice away" 0 $?
poll 0 extractors
check_eq "and ends the extractor" 0 "$POLLED"
check_arith "long before the extractor would have finished ($((SECONDS - t0)) s)" "$((SECONDS - t0)) < 60"
drv --timeout 1000 msgbox >/dev/null 2>&1
check_eq "no message box after giving up" 1 $?
check_eq "the sidebar keeps the books it listed" "快的书.txt" "$(drv rows 1000)"

# The reader is itself again: the listed book opens.
drv select-row 1000 0 >/dev/null
drv double-click 1000 >/dev/null
wait_eq "a listed book opens afterwards" "快的书.txt" drv title
check_eq "with its text" "快的书的一行。" "$(drv page-text | tr -d '\r\n')"
stop_reader
check_clean_exit "the reader exits cleanly"

e2e_finish
