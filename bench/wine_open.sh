#!/usr/bin/env bash
# Times the whole program under Wine: from starting Pelinreader.exe on a book to the first page shown (boxes
# 1014 and 1015 filled, the page control holding text), by lines and by chapters, on books of 20 and 100 MB
# in GBK, UTF-8 and UTF-16; the time of a page turn (buttons 1012 "下一页" and 1013 "上一页", sent to the
# reader and timed until it has handled them) averaged over PEL_BENCH_TURNS turns; and, in the same run, the
# start of the program with no book, so that what the book costs is visible. A page turn must take as long
# on the 100 MB book as on the 20 MB one.
# Usage: bench/wine_open.sh [BUILD_DIR [DATA_DIR]]  (BUILD_DIR: the Windows build, default build/win)
#   PEL_BENCH_SIZES="20 100"  book sizes in MB;  PEL_BENCH_TURNS=20  turns each way
# The books are written once by tools/bookgen/bookgen.py into DATA_DIR and kept there.
set -uo pipefail

SRC="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="$(realpath "${1:-$SRC/build/win}")"
DATA="$(realpath -m "${2:-${PEL_BENCH_DATA:-/tmp/pel-wine-bench}}")"
SIZES="${PEL_BENCH_SIZES:-20 100}"
TURNS="${PEL_BENCH_TURNS:-20}"
export PEL_SOURCE_DIR="$SRC" PEL_E2E_WORK="$DATA/work"
export PEL_READER_EXE="$BUILD/src/app/Pelinreader.exe" PEL_DRIVER_EXE="$BUILD/tools/driver/pel_driver.exe"
for f in "$PEL_READER_EXE" "$PEL_DRIVER_EXE"; do
    [[ -f "$f" ]] || { echo "wine_open.sh: $f is missing (bash scripts/build.sh)" >&2; exit 2; }
done
mkdir -p "$DATA"
source "$SRC/tests/e2e/lib.sh"
e2e_setup
ini="$E2E_APP/Config.ini"

for mb in $SIZES; do
    for enc in gbk utf8 utf16le; do
        book="$DATA/book-$enc-${mb}m.txt"
        [[ -s "$book" ]] && continue
        echo "writing $book"
        python3 "$SRC/tools/bookgen/bookgen.py" "$book.part" --encoding "$enc" --megabytes "$mb" --chapters 1 \
            --seed "$mb" && mv "$book.part" "$book"
    done
done

now_ms() { date +%s%3N; }

# timed_start MODE [BOOK]: a fresh settings file with paging mode MODE (0 lines, 1 chapters), then the reader
# started on BOOK (or on nothing); leaves the milliseconds until the first page (or, without a book, the
# visible frame) in STARTED_MS. The waiting driver is started first, so that its own start is not counted.
timed_start() {
    local mode="$1" out="$E2E_DIR/wait-page.out" flag=() waiter t0 t1
    shift
    (($# == 0)) && flag=(--no-book)
    rm -f "$ini"
    printf '[Style]\nSortFlag=%s\n' "$mode" | write_ini "$ini"
    : >"$out"
    drv --timeout 600000 wait-page "${flag[@]}" >"$out" 2>&1 &
    waiter=$!
    sleep 2 # the driver is up and polling
    READER_LOG="$E2E_DIR/reader-$((++E2E_RUNS)).log"
    t0=$(now_ms)
    (
        cd "$E2E_DIR" || exit 1
        exec "$PEL_WINE" "$E2E_APP/Pelinreader.exe" "$@" {PEL_USERS_FD}>&-
    ) >"$READER_LOG" 2>&1 &
    READER_PID=$!
    wait "$waiter"
    t1="$(tr -d '\r\n' <"$out")"
    if [[ ! "$t1" =~ ^[0-9]+$ ]]; then
        echo "no page shown: $t1" >&2
        STARTED_MS=-1
        return 1
    fi
    STARTED_MS=$((t1 - t0))
}

# mean: the mean of the numbers on stdin, one a line, with two decimals.
mean() { LC_ALL=C awk '{ s += $1; n++ } END { if (n) printf "%.2f", s / n; else print "-" }'; }
# turns ID: the mean milliseconds of $TURNS presses of page button ID.
turns() { drv --timeout 120000 time-turns "$1" "$TURNS" | tr -d '\r' | mean; }

rows=()
nobook=()
timed_start 0
nobook+=("$STARTED_MS")
stop_reader
for mb in $SIZES; do
    for enc in gbk utf8 utf16le; do
        book="$DATA/book-$enc-${mb}m.txt"
        size="$(LC_ALL=C awk -v b="$(stat -c %s "$book")" 'BEGIN { printf "%.1f", b / 1048576 }')"
        for mode in 0 1; do
            name=$([[ $mode == 0 ]] && echo lines || echo chapters)
            timed_start "$mode" "$(winpath "$book")"
            first="$STARTED_MS"
            settle drv text 1014
            total="$POLLED"
            # Away from the first page, so that both buttons turn.
            next="$(turns 1012)"
            prev="$(turns 1013)"
            stop_reader
            rows+=("$(printf '%-8s %7s %-9s %7s %10s %9s %9s' "$enc" "$size" "$name" "$total" "$first" "$next" "$prev")")
            echo "${rows[-1]}"
        done
    done
done
timed_start 0
nobook+=("$STARTED_MS")
stop_reader

echo
echo "start with no book (frame shown): ${nobook[*]} ms"
printf '%-8s %7s %-9s %7s %10s %9s %9s\n' book MB mode pages "first ms" "next ms" "prev ms"
printf '%s\n' "${rows[@]}"
e2e_finish
