#!/usr/bin/env bash
# What the page control holds, read back as Unicode, equals the book page for page, in every paging mode, on
# books shaped like real ones: LF and CR LF, paragraphs of up to 3,000 bytes, rare GBK characters, characters
# GBK lacks and private-use characters in the Unicode books; GBK, UTF-8 with and without byte-order mark,
# UTF-16. The reference comes from Python's codecs over the raw file. One reader start: the further books are
# dropped on it. In the first book and the GBK book every 4,096-byte piece of every line page (the pieces the
# page control is filled in) ends between the two bytes of a double-byte character.
source "$(dirname "$0")/lib.sh"
e2e_setup

gen="$PEL_SOURCE_DIR/tools/bookgen/bookgen.py"
ref="$PEL_SOURCE_DIR/tests/e2e/pages_reference.py"
books=(
    "utf8 lf 2 --straddle-chunks"
    "utf16le crlf 3"
    "gbk lf 4 --straddle-chunks"
    "utf8bom lf 5"
)

# check_pages WHAT BOOK ENCODING MODE FILE: the read-back in FILE against the reference.
check_pages() {
    local out
    if out="$(python3 "$ref" "$2" "$3" "$4" "$5" 2>&1)"; then
        pass "$1"
    else
        fail "$1"
        printf '%s\n' "$out" | head -n 8 | sed 's/^/      /'
    fi
}

started=0
for shape in "${books[@]}"; do
    read -r encoding eol seed extra <<<"$shape"
    book="$E2E_DIR/books/书$seed-$encoding-$eol.txt"
    python3 "$gen" "$book" --encoding "$encoding" --eol "$eol" --seed "$seed" --chapters 6 --paragraphs 12 \
        ${extra:+"$extra"}
    name="$encoding $eol"
    if ((started == 0)); then
        start_reader "$(winpath "$book")"
        started=1
    else
        drv drop "$(winpath "$book")" >/dev/null
    fi
    wait_match "$name: the book is open" "*$(basename "$book")*" drv title
    drv command 32798 >/dev/null
    drv set-text 1015 1 >/dev/null && drv key return --to 1015 >/dev/null
    wait_eq "$name: line mode on page 1" "1" drv text 1015
    pages="$(drv text 1014)"
    t0=$SECONDS; drv read-pages "$pages" >"$E2E_DIR/lines-$seed.txt"
    echo "read-pages $pages: $((SECONDS - t0)) s"; check_pages "$name: every line page equals the book" "$book" "$encoding" lines "$E2E_DIR/lines-$seed.txt"

    echo "lines done: $SECONDS s"; drv command 32830 >/dev/null
    wait_eq "$name: whole-book mode" "总行数" drv text 1021
    drv page-text >"$E2E_DIR/whole-$seed.txt"
    check_pages "$name: the whole-book page equals the book" "$book" "$encoding" whole "$E2E_DIR/whole-$seed.txt"

    echo "whole done: $SECONDS s"; drv command 32797 >/dev/null
    wait_eq "$name: chapter mode" "总章数" drv text 1021
    drv set-text 1015 1 >/dev/null && drv key return --to 1015 >/dev/null
    wait_eq "$name: chapter 1 shown" "1" drv text 1015
    chapters="$(drv text 1014)"
    check_eq "$name: six chapters" "6" "$chapters"
    drv read-pages "$chapters" >"$E2E_DIR/chapters-$seed.txt"
    check_pages "$name: the chapter pages equal the book" "$book" "$encoding" chapters "$E2E_DIR/chapters-$seed.txt"
done
stop_reader

e2e_finish
