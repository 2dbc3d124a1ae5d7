#!/usr/bin/env bash
# Archives whose names could break out of the extractor's command line or out of temp\: an archive named
# with & ^ % ( ) ! and blanks holding members named the same way, members that climb out (../), start at
# the root, name a device (CON.txt) or hold two '%'; and an archive of more than 2,000 books. No command
# hidden in a name runs (no marker folder appears), nothing is written beside temp\, the unsafe members are
# left out of the sidebar with a message, every safe one opens with its own text, and a big archive lists
# its first 2,000 books after the message that says so.
source "$(dirname "$0")/lib.sh"
e2e_setup
e2e_layout_extractor
ref="$PEL_SOURCE_DIR/tests/e2e/pages_reference.py"
make_zip="$PEL_SOURCE_DIR/tests/e2e/archive_make.py"
src="$E2E_DIR/src"
mkdir -p "$src" "$E2E_DIR/arc"

# Every member holds a book of its own; the marker folders would be made in the extractor's folder (the
# program folder), the scenario folder (the reader's current folder) or the temp folder.
safe=("卷 一/a&md MARKER&b.txt" "x^&(md MARKER)!.txt" "50% 折扣.txt" "gbk:卷 二/甲&乙 (丙)!.txt")
unsafe=("../逃出.txt" "/绝对.txt" "CON.txt" "%CD%&md MARKER&%CD%.txt" "卷/../../b.txt" "卷 一/nul.txt")
members=()
i=0
for name in "${unsafe[@]:0:3}" "${safe[@]:0:2}" "${unsafe[@]:3}" "${safe[@]:2}"; do
    i=$((i + 1))
    book="$src/book$i.txt"
    numbered_lines 30 | sed "s/江南/第${i}本书/" | make_book "$book" gbk
    members+=("$name=$book")
    shown="${name#gbk:}"
    names[i]="${shown##*/}"
    books[i]="$book"
done
zip="$E2E_DIR/arc/书&(甲)^乙!丙 %丁.zip"
python3 "$make_zip" "$zip" "${members[@]}"

big="$E2E_DIR/arc/大合集.zip"
python3 - "$big" <<'PY'
import sys, zipfile
with zipfile.ZipFile(sys.argv[1], "w", zipfile.ZIP_DEFLATED) as z:
    for k in range(1, 2101):
        z.writestr("合集/第%04d本.txt" % k, ("第%d本书的正文。\n" % k).encode("gbk"))
    z.writestr("合集/封面.jpg", b"\xff\xd8")
PY

expect_box() {
    local box
    box="$(drv --timeout 30000 msgbox)"
    check_match "$1" "$2" "$(printf '%s\n' "$box" | sed -n 2p)"
    drv answer ok >/dev/null
}

t0=$SECONDS
start_reader
drv --timeout 15000 wait-window --visible >/dev/null
drv command 32830 >/dev/null
drv drop "$(winpath "$zip")" >/dev/null
expect_box "the unsafe members are counted in a message" "压缩包中有*个txt文件的文件名不安全，未列出！"
want=""
for ((k = 1; k <= i; k++)); do
    case "${names[k]}" in 逃出.txt | 绝对.txt | CON.txt | %CD%* | b.txt | nul.txt) continue ;; esac
    want+="${want:+$'\n'}${names[k]}"
done
wait_eq "the sidebar lists exactly the safe members, in archive order" "$want" drv rows 1000
row=0
for ((k = 1; k <= i; k++)); do
    grep -qxF -- "${names[k]}" <<<"$want" || continue
    drv select-row 1000 "$row" >/dev/null
    drv double-click 1000 >/dev/null
    row=$((row + 1))
    wait_eq "member ${names[k]}: opens" "${names[k]}" drv title
    drv page-text >"$E2E_DIR/readback-$k.txt"
    if out="$(python3 "$ref" "${books[k]}" gbk whole "$E2E_DIR/readback-$k.txt" 2>&1)"; then
        pass "member ${names[k]}: its own text"
    else
        fail "member ${names[k]}: its own text"
        printf '%s\n' "$out" | head -n 4 | sed 's/^/      /'
    fi
done
drv --timeout 300 msgbox >/dev/null 2>&1
check_eq "no message box while opening the safe members" 1 $?
echo "names: $((SECONDS - t0)) s"

drv drop "$(winpath "$big")" >/dev/null
expect_box "more than 2,000 books: the message" "压缩包txt文件总数大于2000！只提取其中2000项！"
t1=$SECONDS
E2E_WAIT_MS=20000 wait_eq "the sidebar lists 2,000 books" "2000" eval 'drv rows 1000 | wc -l'
echo "the sidebar was filled $((SECONDS - t1)) s after the message"
rows="$(drv rows 1000)"
check_eq "the first 2,000 in archive order" "$(printf '第%04d本.txt\n' $(seq 1 2000))" "$rows"
drv select-row 1000 1999 >/dev/null
drv double-click 1000 >/dev/null
wait_eq "the 2,000th book opens" "第2000本.txt" drv title
check_eq "with its text" "第2000本书的正文。" "$(drv page-text | tr -d '\r\n')"
echo "big: $((SECONDS - t0)) s"
stop_reader

found="$(find "$E2E_DIR" "$WINEPREFIX/drive_c" -maxdepth 4 -type d -iname 'MARKER*' 2>/dev/null)"
check_eq "no command hidden in a name ran (no marker folder)" "" "$found"
escaped="$(find "$E2E_DIR" "$WINEPREFIX/drive_c" -maxdepth 3 \( -name '逃出.txt' -o -name '绝对.txt' -o -name 'b.txt' \) 2>/dev/null)"
ls /逃出.txt /绝对.txt /b.txt >/dev/null 2>&1 && escaped+=" (at the root)"
check_eq "nothing was written outside temp\\ by a climbing or rooted member" "" "$escaped"
check_eq "the program folder gained no folder but temp" "$E2E_APP/temp" \
    "$(find "$E2E_APP" -mindepth 1 -maxdepth 1 -type d)"
check_eq "temp holds only text files (the list file and the books opened)" "" \
    "$(cd "$E2E_APP/temp" && ls | grep -v '[.]txt$')"
echo "temp: $(cd "$E2E_APP/temp" && ls | tr '\n' '/')"

e2e_finish
