#!/usr/bin/env bash
# A long session in one run: page turns, openings of different books, paging-mode switches and appearance
# changes. The reader's GDI and USER objects and its private bytes after the session stay within small fixed
# bounds of what they were after a warm-up round, and the reader still answers and ends normally.
# The CI run is scaled down; PEL_SOAK_FULL=1 runs the whole session (10,000 turns, 200 books, 100 mode
# switches, 100 appearance changes) with the same bounds, and prints the figures.
source "$(dirname "$0")/lib.sh"
e2e_setup

if [[ "${PEL_SOAK_FULL:-0}" == 1 ]]; then
    turns=10000 opens=200 modes=100 looks=100
else
    turns=600 opens=30 modes=30 looks=30
fi
gdi_bound=16 user_bound=4 bytes_bound=$((2 * 1024 * 1024))

# A book of chapters that every paging mode can split, and $opens+2 different books beside it.
chapter_book() {
    local tag="$1" c i
    for ((c = 1; c <= 8; c++)); do
        printf '第%d章 %s的第%d章\n' "$c" "$tag" "$c"
        for ((i = 1; i <= 40; i++)); do printf '%s第%d章第%d行，江南的雨下了一整天，河上的船都停着。\n' "$tag" "$c" "$i"; done
    done
}
shelf="$E2E_DIR/books/shelf"
mkdir -p "$shelf"
chapter_book 样书 | make_book "$E2E_DIR/books/soak.txt" gbk
template="$(chapter_book 书)"
for ((n = 0; n < opens + 2; n++)); do
    printf '%s\n' "${template//书/书$n}" | make_book "$shelf/$(printf 'book%03d.txt' "$n")" gbk
done

start_reader "$(winpath "$E2E_DIR/books/soak.txt")"
drv --timeout 15000 wait-window --visible
wait_eq "the book opens" "soak.txt" drv title
settle drv text 1014
modes_cycle=(32797 32830 32798)
looks_cycle=(32774 32806 32774 32808 32805 32807)

# A warm-up round: every kind of action once, so that what is made once and kept is counted in the baseline.
drv --timeout 20000 soak-turns 20 >/dev/null
drv --timeout 20000 open-books "$(winpath "$shelf")" 2 "$opens"
drv --timeout 20000 commands 6 "${modes_cycle[@]}" >/dev/null
drv --timeout 20000 commands 6 "${looks_cycle[@]}" >/dev/null
drv --timeout 20000 soak-turns 20 >/dev/null
sleep 1
read -r gdi0 user0 bytes0 <<<"$(drv resources)"
echo "before: GDI $gdi0, USER $user0, private bytes $bytes0"
check_regex "the object counts can be read" '^[0-9]+ [0-9]+ [0-9]+$' "$gdi0 $user0 $bytes0"

start=$SECONDS
out="$(drv --timeout 20000 soak-turns "$turns" 2>&1)"
check_match "$turns page turns each land on the next page" "$turns *" "$out"
echo "  resources: $(drv resources)"
out="$(drv --timeout 20000 open-books "$(winpath "$shelf")" "$opens" 2>&1)"
check_eq "$opens different books open one after another" "$opens" "$out"
echo "  resources: $(drv resources)"
out="$(drv --timeout 20000 commands "$modes" "${modes_cycle[@]}" 2>&1)"
check_eq "$modes paging-mode switches" "$modes" "$out"
echo "  resources: $(drv resources)"
drv --timeout 20000 commands 1 32798 >/dev/null
out="$(drv --timeout 20000 commands "$looks" "${looks_cycle[@]}" 2>&1)"
check_eq "$looks appearance changes" "$looks" "$out"
echo "  resources: $(drv resources)"
# Back to the look of the start: the cycle is balanced, and night mode was switched an even number of times.
drv --timeout 20000 soak-turns 20 >/dev/null
echo "session: $((SECONDS - start)) s"
sleep 1
read -r gdi1 user1 bytes1 <<<"$(drv resources)"
echo "after:  GDI $gdi1, USER $user1, private bytes $bytes1"
echo "growth: GDI $((gdi1 - gdi0)), USER $((user1 - user0)), private bytes $((bytes1 - bytes0))"
check_arith "GDI objects grow by at most $gdi_bound" "$gdi1 - $gdi0 <= $gdi_bound"
check_arith "USER objects grow by at most $user_bound" "$user1 - $user0 <= $user_bound"
check_arith "private bytes grow by at most $bytes_bound" "$bytes1 - $bytes0 <= $bytes_bound"

last="$(printf 'book%03d.txt' "$((opens - 1))")"
check_eq "the last book opened is shown" "$last" "$(drv title)"
page="$(drv text 1015)"
if ((page > 1)); then key=left next=$((page - 1)); else key=right next=2; fi
drv key "$key"
wait_eq "the reader still turns pages" "$next" drv text 1015
stop_reader
check_clean_exit "the reader ends normally after the session"

e2e_finish
