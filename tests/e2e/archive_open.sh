#!/usr/bin/env bash
# Books inside archives, in the program folder the reader ships in (HaoZipC.exe and 7zz.exe beside it): a
# zip named on the command line, a 7z and an ISO dropped on the window, each member opened from the sidebar
# with its whole text equal to the book's; member names in code page 936 and in UTF-8 inside a folder with a
# Chinese name. An archive with no .txt and a damaged archive are reported and change nothing; the next
# start opens the archive's book at the page where reading ended. A cmd.exe planted beside the reader and in
# its start folder never runs in place of the system's.
source "$(dirname "$0")/lib.sh"
e2e_setup
e2e_layout_extractor
ini="$E2E_APP/Config.ini"
gen="$PEL_SOURCE_DIR/tools/bookgen/bookgen.py"
ref="$PEL_SOURCE_DIR/tests/e2e/pages_reference.py"
make_zip="$PEL_SOURCE_DIR/tests/e2e/archive_make.py"
src="$E2E_DIR/src"
mkdir -p "$src/小说集" "$E2E_DIR/arc"

python3 "$gen" "$src/小说集/第一部.txt" --encoding gbk --eol lf --seed 11 --chapters 4 --paragraphs 10
python3 "$gen" "$src/小说集/下卷 二.txt" --encoding gbk --eol lf --seed 12 --chapters 3 --paragraphs 8
printf '\xff\xd8\xff\xe0 not a book' >"$src/小说集/封面.jpg"
zip="$E2E_DIR/arc/藏书 集.zip"
python3 "$make_zip" "$zip" "gbk:小说集/第一部.txt=$src/小说集/第一部.txt" \
    "小说集/封面.jpg=$src/小说集/封面.jpg" "小说集/下卷 二.txt=$src/小说集/下卷 二.txt"
(cd "$src" && 7zz a -bso0 -bsp0 "$E2E_DIR/arc/七号.7z" 小说集 >/dev/null)
xorriso -as mkisofs -quiet -J -joliet-long -R -o "$E2E_DIR/arc/光盘.iso" "$src" 2>/dev/null
mkdir -p "$src/图"
cp "$src/小说集/封面.jpg" "$src/图/a.jpg"
python3 "$make_zip" "$E2E_DIR/arc/无书.zip" "图/a.jpg=$src/图/a.jpg"
head -c 3000 "$zip" >"$E2E_DIR/arc/损坏.zip"
head -c 4000 /dev/urandom >>"$E2E_DIR/arc/损坏.zip"
for a in "$E2E_DIR"/arc/*; do [[ -s $a ]] || fail "the test archive $a was not made"; done

# A cmd.exe planted in the program folder and in the folder the reader starts in: the reader must run the
# system's interpreter all the same. The plant is the stand-in browser, which leaves cmd.log beside itself
# whenever it runs.
for dir in "$E2E_APP" "$E2E_DIR"; do cp "$PEL_BROWSER_STANDIN_EXE" "$dir/cmd.exe"; done

# check_whole WHAT BOOK: the whole-book page read back equals the book.
check_whole() {
    local out readback="$E2E_DIR/readback-$((++reads)).txt"
    drv page-text >"$readback"
    if out="$(python3 "$ref" "$2" gbk whole "$readback" 2>&1)"; then
        pass "$1"
    else
        fail "$1"
        printf '%s\n' "$out" | head -n 8 | sed 's/^/      /'
    fi
}
reads=0

# open_row WHAT ROW NAME BOOK: double-clicks sidebar row ROW (or the row showing NAME when ROW is "-")
# and checks the book NAME opened with its text.
open_row() {
    local row="$2"
    [[ $row == - ]] && row="$(($(drv rows 1000 | grep -n -x -F -- "$3" | cut -d: -f1) - 1))"
    drv select-row 1000 "$row" >/dev/null
    drv double-click 1000 >/dev/null
    wait_eq "$1: the member opens, titled by its name" "$3" drv title
    drv --timeout 300 msgbox >/dev/null 2>&1
    check_eq "$1: no message box" 1 $?
    check_whole "$1: its whole text equals the book" "$4"
}

# expect_box WHAT TEXT: a message box with TEXT is up; it is answered.
expect_box() {
    local box
    box="$(drv --timeout 20000 msgbox)"
    check_eq "$1" "$2" "$(printf '%s\n' "$box" | sed -n 2p)"
    drv answer ok >/dev/null
}

members=$'第一部.txt\n下卷 二.txt'
t0=$SECONDS
start_reader "$(winpath "$zip")"
wait_eq "zip on the command line: the sidebar lists its .txt members" "$members" drv rows 1000
drv --timeout 300 msgbox >/dev/null 2>&1
check_eq "no message box after the listing" 1 $?
drv command 32830 >/dev/null
open_row "zip, name in code page 936" 0 "第一部.txt" "$src/小说集/第一部.txt"
wait_eq "whole-book mode" "总行数" drv text 1021
open_row "zip, name in UTF-8" 1 "下卷 二.txt" "$src/小说集/下卷 二.txt"
echo "zip: $((SECONDS - t0)) s"

# 7-Zip lists the members of a 7z and an ISO in an order of its own.
sorted="$(sort <<<"$members")"
drv drop "$(winpath "$E2E_DIR/arc/七号.7z")" >/dev/null
wait_eq "7z dropped: the sidebar lists its members" "$sorted" eval 'drv rows 1000 | sort'
check_eq "the open book stays" "下卷 二.txt" "$(drv title)"
open_row "7z" - "第一部.txt" "$src/小说集/第一部.txt"

drv drop "$(winpath "$E2E_DIR/arc/光盘.iso")" >/dev/null
wait_eq "ISO dropped: the sidebar lists its members, nothing else" "$sorted" eval 'drv rows 1000 | sort'
open_row "ISO" - "下卷 二.txt" "$src/小说集/下卷 二.txt"
echo "7z, ISO: $((SECONDS - t0)) s"

before="$(drv rows 1000)"
drv drop "$(winpath "$E2E_DIR/arc/无书.zip")" >/dev/null
expect_box "an archive without .txt is reported" "压缩包未找到txt文件！"
check_eq "the sidebar keeps its lines" "$before" "$(drv rows 1000)"

drv drop "$(winpath "$E2E_DIR/arc/损坏.zip")" >/dev/null
expect_box "a damaged archive is reported" "文件解压失败！"
drv --timeout 1000 msgbox >/dev/null 2>&1
check_eq "one box only" 1 $?
check_eq "the reader goes on with its book" "下卷 二.txt" "$(drv title)"
check_eq "the sidebar keeps its lines after the damaged one" "$before" "$(drv rows 1000)"

# The bundled extractor is still the one used: the zip lists again without asking for HaoZipC.exe.
drv drop "$(winpath "$zip")" >/dev/null
wait_eq "after the damaged archive the zip lists again" "$members" drv rows 1000
drv --timeout 300 msgbox >/dev/null 2>&1
check_eq "no browse request for the extractor" 1 $?
drv command 32798 >/dev/null
drv select-row 1000 0 >/dev/null
drv double-click 1000 >/dev/null
wait_eq "the zip's first book again" "第一部.txt" drv title
drv set-text 1015 2 >/dev/null && drv key return --to 1015 >/dev/null
wait_eq "line mode, page 2" "2" drv text 1015
drv page-text >"$E2E_DIR/page2.txt"
stop_reader
check_clean_exit "the reader exits cleanly"
check_match "BookMark/0 (LastReadEntry): the member's name, page 2, the book path archive|member" \
    "第一部.txt,P2,*>$(glob_escape "$(winpath "$zip")|小说集\\第一部.txt")" "$(ini_get "$ini" BookMark 0)"

start_reader
wait_eq "the next start opens the archive's book" "第一部.txt" drv title
wait_eq "at the page where reading ended" "2" drv text 1015
check_eq "with the same text" "$(cat "$E2E_DIR/page2.txt")" "$(drv page-text)"
stop_reader
echo "all: $((SECONDS - t0)) s"
planted="$(cd "$E2E_DIR" && ls app/cmd.log cmd.log 2>/dev/null)"
check_eq "no planted cmd.exe ran (program folder, start folder) while archives listed and opened" "" "$planted"

e2e_finish
