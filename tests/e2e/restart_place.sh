#!/usr/bin/env bash
# The reader's place survives restarts in every paging mode: by lines at a page in the middle and some lines
# down it, by chapters on chapter 1 of a book with a preface (and once on a later chapter), and in whole-book
# mode at a line in the middle. After each of three starts in a row (no command line: the last book is reopened) the
# page number, the first visible line and the page text are those the reader left, and the page text equals
# the book's own (Python's codecs over the raw file). The book: UTF-8 without mark, LF, long paragraphs.
source "$(dirname "$0")/lib.sh"
e2e_setup
ini="$E2E_APP/Config.ini"
ref="$PEL_SOURCE_DIR/tests/e2e/pages_reference.py"

book="$E2E_DIR/books/归处.txt"
python3 "$PEL_SOURCE_DIR/tools/bookgen/bookgen.py" "$book" --encoding utf8 --eol lf --seed 5 --chapters 6 \
    --paragraphs 36

# check_reference WHAT MODE FILE: a page read back against the reference.
check_reference() {
    local out
    if out="$(python3 "$ref" "$book" utf8 "$2" "$3" 2>&1)"; then
        pass "$1"
    else
        fail "$1"
        printf '%s\n' "$out" | head -n 4 | sed 's/^/      /'
    fi
}

# cycle NAME REFMODE STARTS: the place now shown is read, then the reader exits and starts STARTS times. After
# each start the box and the first line are read again a second after they came right: a line restored twice
# passes through the right one on its way further down.
cycle() {
    local name="$1" refmode="$2" starts="$3" box line run
    settle drv first-line
    line="$POLLED"
    box="$(drv text 1015)"
    drv page-text >"$E2E_DIR/$name-0.txt"
    check_reference "$name: the page left equals the book" "$refmode" "$E2E_DIR/$name-0.txt"
    echo "$name: box $box, first line ${line%%$'\t'*} ($SECONDS s)"
    for ((run = 1; run <= starts; run++)); do
        stop_reader
        check_eq "$name, start $run: MarkLine saved" "${line%%$'\t'*}" "$(ini_get "$ini" Style MarkLine)"
        start_reader
        wait_eq "$name, start $run: the book again" "$(basename "$book")" drv title
        poll "$(glob_escape "$box")" drv text 1015
        poll "$(glob_escape "$line")" drv first-line
        sleep 1
        check_eq "$name, start $run: box 1015" "$box" "$(drv text 1015)"
        check_eq "$name, start $run: first visible line" "$line" "$(drv first-line)"
        drv page-text >"$E2E_DIR/$name-$run.txt"
        if cmp -s "$E2E_DIR/$name-0.txt" "$E2E_DIR/$name-$run.txt"; then
            pass "$name, start $run: the same page text"
        else
            fail "$name, start $run: the same page text"
        fi
    done
}

# go_to_page LABEL PAGE DOWNS: in the mode whose counter label is LABEL, page PAGE and DOWNS lines down it.
go_to_page() {
    drv set-text 1015 "$2" >/dev/null && drv key return --to 1015 >/dev/null
    wait_eq "$1 $2 shown" "$2" drv text 1015
    drv focus 1018 >/dev/null
    local i
    for ((i = 0; i < $3; i++)); do drv key down >/dev/null; done
    wait_match "$1 $2: $3 lines down" "$3"$'\t'"*" drv first-line
}

start_reader "$(winpath "$book")"
wait_match "the book is open" "*$(basename "$book")*" drv title

drv command 32798 >/dev/null
wait_eq "line mode" "总页数" drv text 1021
pages="$(drv text 1014)"
check_arith "the book has pages to be in the middle of ($pages)" "$pages >= 4"
go_to_page 页 3 7
cycle lines lines:3 3

drv command 32797 >/dev/null
wait_eq "chapter mode" "总章数" drv text 1021
go_to_page 章 1 4
cycle chapter1 chapter:1 3
go_to_page 章 4 6
cycle chapter4 chapter:4 1

kept="$(drv first-line)"
drv command 32830 >/dev/null
wait_eq "whole-book mode" "总行数" drv text 1021
# The switch keeps the line that was on top, brought there once the whole book is in the control; the jump to
# line 25 waits for that, or the late move would undo it.
wait_match "whole book: the line on top is kept" "*"$'\t'"$(glob_escape "${kept#*$'\t'}")" drv first-line
drv set-text 1015 25 >/dev/null && drv key return --to 1015 >/dev/null
wait_match "whole book: line 25 on top" $'25\t*' drv first-line
cycle whole whole 3
stop_reader
check_clean_exit "the last run ends cleanly"

e2e_finish
