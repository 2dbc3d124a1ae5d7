#!/usr/bin/env bash
# The ".txt" context-menu entry of the Explorer, added and removed by the reader's command 32855 (拓展 >
# 添加TXT右键关联), with the program in a folder whose path has blanks: the keys and values as the registry
# holds them (the program and "%1" each quoted), the tick in the menu following them, also after a restart;
# a second use removes exactly what was added and leaves the other verbs of txtfile as they were. When the
# keys refuse the change, the add and the remove say they failed and the
# tick stays as it was.
source "$(dirname "$0")/lib.sh"
e2e_setup

verb='txtfile\shell\Pelin阅读器'
REG() { pel_exec "$PEL_WINE" reg "$@"; }
# reg_export KEY: the key and everything below it as the registry holds it (UTF-8, no CRs), or "absent".
reg_export() {
    local file="$E2E_DIR/export.reg"
    rm -f "$file"
    if REG export "HKCR\\$1" "$(winpath "$file")" /y >/dev/null 2>&1; then
        iconv -f UTF-16 -t UTF-8 "$file" | tr -d '\r' | sed '/^Windows Registry Editor/d;/^$/d'
    else
        echo absent
    fi
}
verb_present() { REG query "HKCR\\$verb" >/dev/null 2>&1 && echo present || echo absent; }
remove_verb() {
    REG delete "HKCR\\$verb" /f >/dev/null 2>&1
}
cleanup_keys() {
    remove_verb
    REG delete 'HKCR\txtfile\shell\Pelin阅读器旧' /f >/dev/null 2>&1
    REG delete 'HKCR\txtfile\shell\edit' /f >/dev/null 2>&1
}
trap 'cleanup_keys; e2e_teardown' EXIT

# Other verbs of txtfile, one of them with a name that begins like the reader's.
REG add 'HKCR\txtfile\shell\Pelin阅读器旧' /ve /d '旧的阅读器' /f >/dev/null
REG add 'HKCR\txtfile\shell\Pelin阅读器旧\command' /ve /d '"C:\old\reader.exe" "%1"' /f >/dev/null
REG add 'HKCR\txtfile\shell\edit\command' /ve /d 'notepad.exe "%1"' /f >/dev/null
REG delete "HKCR\\$verb" /f >/dev/null 2>&1
others="$(reg_export 'txtfile\shell')"
check_match "the other verbs are in place" "*shell?edit]*" "$others"
check_match "one of them named like the reader's" "*shell?Pelin阅读器旧]*" "$others"

# The program where a Windows reader would put it: a path with blanks.
app="$E2E_DIR/Program Files/Pelin 阅读器"
mkdir -p "$app"
cp "$PEL_READER_EXE" "$app/Pelinreader.exe"
E2E_APP="$app"
make_book "$E2E_DIR/books/书.txt" gbk < <(numbered_lines 80)

# menu_shot NAME: a picture of the open 拓展 menu, where the item's tick shows.
menu_shot() {
    local x y w h
    read -r x y w h < <(drv open-menu e)
    import -window root -crop "${w}x${h}+${x}+${y}" +repage "$E2E_DIR/$1.png"
    drv close-menu
}
# same_picture A B: "same" when the two pictures are equal pixel for pixel.
same_picture() {
    local n
    n="$(compare -metric AE "$E2E_DIR/$1.png" "$E2E_DIR/$2.png" null: 2>&1)"
    [[ "$n" == 0 ]] && echo same || echo "different ($n pixels)"
}
# toggle: command 32855 and the text of the box it shows (answered).
toggle() {
    drv command 32855
    drv --timeout 5000 msgbox | sed -n 2p
    drv answer ok >/dev/null
}

start_reader "$(winpath "$E2E_DIR/books/书.txt")"
wait_eq "the reader is up" "书.txt" drv title
menu_shot unticked

check_eq "the first use adds the verb" "关联TXT右键成功！" "$(toggle)"
exe="$(winpath "$app/Pelinreader.exe")"
exe_reg="${exe//\\/\\\\}"
check_eq "the verb key holds the menu text, its command the quoted program and the quoted %1" \
    "[HKEY_CLASSES_ROOT\\$verb]
@=\"用Pelin阅读器打开\"
[HKEY_CLASSES_ROOT\\$verb\\command]
@=\"\\\"$exe_reg\\\" \\\"%1\\\"\"" "$(reg_export "$verb")"
check_eq "reg query reads the command value" "$(printf '"%s" "%%1"' "$exe")" \
    "$(REG query "HKCR\\$verb\\command" /ve | iconv -f GBK -t UTF-8 | tr -d '\r' | sed -n 's/.*REG_SZ *//p')"
menu_shot ticked
check_match "the menu item is ticked now" "different*" "$(same_picture unticked ticked)"
# Only the tick's column changes: the bounding box of the changed pixels lies at the menu's left edge.
box="$(convert "$E2E_DIR/unticked.png" "$E2E_DIR/ticked.png" -compose difference -composite -threshold 0 \
    -format '%@' info: 2>/dev/null)"
read -r bw _ bx _ < <(tr 'x+' '  ' <<<"$box")
check_arith "the change is the tick at the item's left ($box)" "${bx:-99} + ${bw:-99} <= 30"

stop_reader
start_reader "$(winpath "$E2E_DIR/books/书.txt")"
wait_eq "the reader is up again" "书.txt" drv title
menu_shot restarted
check_eq "started with the verb in place, the item is ticked at once" same "$(same_picture ticked restarted)"

check_eq "the second use removes it" "删除TXT右键成功！" "$(toggle)"
check_eq "the verb is gone" absent "$(verb_present)"
check_eq "the other verbs of txtfile are as they were" "$others" "$(reg_export 'txtfile\shell')"
menu_shot removed
check_eq "and the tick is gone" same "$(same_picture unticked removed)"

# A verb key that refuses a lasting command key below it (a volatile key: the prefix's registry does not
# enforce access lists): the add fails and says so, and nothing is ticked.
drv reg-volatile "$verb"
check_eq "the add under a key that refuses it fails" "关联TXT右键失败！" "$(toggle)"
check_eq "no command was written" absent "$(REG query "HKCR\\$verb\\command" >/dev/null 2>&1 && echo present || echo absent)"
menu_shot add-failed
check_eq "the item stays unticked" same "$(same_picture unticked add-failed)"
remove_verb

# A verb key that refuses to be deleted (a key of another program below it): the remove fails and says so,
# the verb and the tick stay.
check_eq "added again" "关联TXT右键成功！" "$(toggle)"
REG add "HKCR\\$verb\\其他程序的键" /f >/dev/null
check_eq "the remove of a key that refuses it fails" "删除TXT右键失败！" "$(toggle)"
check_eq "the verb is still there" present "$(verb_present)"
menu_shot remove-failed
check_eq "the item stays ticked" same "$(same_picture ticked remove-failed)"
REG delete "HKCR\\$verb\\其他程序的键" /f >/dev/null
check_eq "once it can be deleted, the remove succeeds" "删除TXT右键成功！" "$(toggle)"
check_eq "and leaves the other verbs as they were" "$others" "$(reg_export 'txtfile\shell')"
stop_reader

e2e_finish
