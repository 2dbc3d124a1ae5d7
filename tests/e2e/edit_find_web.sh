#!/usr/bin/env bash
# Find and replace without regard to case for full-width letters too, Replace All's count, a Replace All
# without a match sending the next search back to the top, the find dialog's direction buttons shown
# disabled; the web search of the selection (the context menu's commands 105 and 110), caught by a stand-in browser
# registered in the prefix (the selection arrives percent-encoded as one argument, quotes and tabs
# included); save-as to a new name and to a name whose ".txt" file exists (No keeps it, Yes replaces it),
# after which the library lists only the saved book.
source "$(dirname "$0")/lib.sh"
e2e_setup
browser_standin_register "$E2E_DIR/browser"

text="$(
    printf '第1行：ＰＥＬＩＮ阅读器\n第2行：ｐｅｌｉｎ阅读器\n第3行：Ｐｅｌｉｎ和PELIN\n第4行：他说"走\t吧"\n'
    numbered_lines 60 | sed -n '5,60p'
)"
book="$E2E_DIR/books/查找.txt" # LF-only line ends
printf '%s\n' "$text" | iconv -f UTF-8 -t GBK >"$book"
gbk_url() { printf '%s' "$1" | iconv -f UTF-8 -t GBK | od -An -tx1 -v | tr -s ' \n' '%' | sed 's/%$//'; }

start_reader "$(winpath "$book")"
wait_eq "two pages" "2" drv text 1014
drv command 108
drv command 57636
wait_eq "Ctrl+F opens the find dialog" "查找" drv --box title
check_eq "its direction buttons are shown, disabled" "visible disabled visible disabled" \
    "$(drv --box visible 1056) $(drv --box enabled 1056) $(drv --box visible 1057) $(drv --box enabled 1057)"
drv --box set-text 1152 "ｐｅｌｉｎ"
drv --box click 1
wait_eq "full-width letters are found without regard to case" "4 9" drv selection 1018
drv --box dismiss

drv command 57641
wait_eq "Ctrl+H opens the replace dialog" "替换" drv --box title
drv --box set-text 1152 "ｐｅｌｉｎ"
drv --box set-text 1153 "Pelin"
drv --box click 1025
check_eq "Replace All replaces every case of them, and no half-width letters" "总计完成 3 次替换！" \
    "$(drv --timeout 5000 msgbox | sed -n 2p)"
drv answer ok >/dev/null
wait_eq "the page shows the replacements" "第1行：Pelin阅读器|第2行：Pelin阅读器|第3行：Pelin和PELIN" \
    eval 'drv text 1018 | tr -d "\r" | sed -n "1,3p" | paste -sd"|"'
drv --box set-text 1152 "第5行"
drv --box click 1
poll "[1-9]* *" drv selection 1018
drv --box set-text 1152 "不存在"
drv --box click 1025
check_eq "Replace All without a match says so" '找不到 "不存在"' "$(drv --timeout 5000 msgbox | sed -n 2p)"
drv answer ok >/dev/null
drv --box set-text 1152 "第1行"
drv --box click 1
wait_eq "and the next search starts at the top again" "0 3" drv selection 1018

# The selection with its quotes and tab (说"走<tab>吧", right behind the 他 found) goes to the encrypted search.
drv --box set-text 1152 "他"
drv --box click 1
poll "[1-9]* *" drv selection 1018
drv --box dismiss
read -r from _ <<<"$POLLED"
drv select 1018 "$((from + 1))" "$((from + 7))"
drv command 110
standin="\"$(winpath "$E2E_DIR/browser/browser_standin.exe")\""
wait_eq "the search URL reaches the browser as one argument, quotes and tab encoded" \
    "$standin \"https://www.sogou.com/web?query=$(gbk_url '说')%22$(gbk_url '走')%09$(gbk_url '吧')%22\"" \
    tail -n 1 "$BROWSER_LOG"

drv command 57636
poll "查找" drv --box title
drv --box set-text 1152 "江南"
drv --box click 1
poll "[1-9]* *" drv selection 1018
drv --box dismiss
# The context menu's two search items send these commands (its items and their greying are the unit
# tests': under Wine a pop-up menu cannot be read or closed from another process).
drv command 105
wait_eq "the Baidu search opens the search of the selection" \
    "$standin \"http://www.baidu.com/s?wd=$(gbk_url '江南')\"" tail -n 1 "$BROWSER_LOG"
check_eq "each search started the browser once" 2 "$(wc -l <"$BROWSER_LOG")"

# save_as NAME: save-as with NAME typed into the dialog's file name box.
save_as() {
    drv command 57604
    wait_eq "the save-as dialog ($1)" "另存为..." drv --box title
    drv --box set-text 1148 "$(winpath "$E2E_DIR/books/$1")" 2>/dev/null ||
        drv --box set-text 1152 "$(winpath "$E2E_DIR/books/$1")"
    drv --box click 1
}
expected="$E2E_DIR/expected.txt"
printf '%s\n' "$text" | sed '1,3s/ＰＥＬＩＮ\|ｐｅｌｉｎ\|Ｐｅｌｉｎ/Pelin/' | iconv -f UTF-8 -t GBK >"$expected"
save_as "新书"
check_eq "save-as to a new name says where" "文件已另保存为: $(winpath "$E2E_DIR/books/新书.txt")" \
    "$(drv --timeout 5000 msgbox | sed -n 2p)"
drv answer ok >/dev/null
cmp -s "$expected" "$E2E_DIR/books/新书.txt"
check_eq "it writes the whole book with the edited page" 0 $?
check_eq "the library lists only the saved book" "新书.txt" "$(drv rows 1000)"

printf '旧的内容\r\n' | iconv -f UTF-8 -t GBK >"$E2E_DIR/books/旧书.txt"
cp "$E2E_DIR/books/旧书.txt" "$E2E_DIR/old.txt"
save_as "旧书"
check_eq "a typed name whose .txt file exists is asked about" \
    "$(winpath "$E2E_DIR/books/旧书.txt") 已存在。"$'\n'"要替换它吗？" "$(drv --timeout 5000 msgbox | sed -n '2,3p')"
drv answer no >/dev/null
sleep 0.5
cmp -s "$E2E_DIR/old.txt" "$E2E_DIR/books/旧书.txt"
check_eq "No keeps that file" 0 $?
check_match "and the book stays where it was" "*新书*" "$(drv title)"
save_as "旧书"
drv --timeout 5000 msgbox >/dev/null && drv answer yes >/dev/null
check_match "Yes replaces it" "文件已另保存为: *旧书.txt" "$(drv --timeout 5000 msgbox | sed -n 2p)"
drv answer ok >/dev/null
cmp -s "$expected" "$E2E_DIR/books/旧书.txt"
check_eq "with the book" 0 $?
drv select-row 1000 0
drv double-click 1000
wait_match "the library's one line opens the saved book, no other" "*旧书*" drv title
drv command 57665
drv --timeout 5000 msgbox >/dev/null && drv answer no >/dev/null
drv --timeout 10000 gone
stop_reader

e2e_finish
