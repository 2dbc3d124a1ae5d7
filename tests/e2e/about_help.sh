#!/usr/bin/env bash
# The Help menu in the running reader: the About box (caption, the usage notes exactly, the three link
# labels with their texts and addresses, the label turning to the highlight colour under the pointer and
# back, the visited colour after a click), the shortcut help exactly, every web command opening its address
# in the browser (a stand-in registered in this prefix; 意林 only after OK), a label whose address the shell
# cannot open going to the program registered for web pages, and the error texts when nothing can open it.
source "$(dirname "$0")/lib.sh"
e2e_setup
browser_standin_register "$E2E_DIR/browser"
standin="\"$(winpath "$E2E_DIR/browser/browser_standin.exe")\""

REG() { pel_exec "$PEL_WINE" reg "$@"; }
# save_key NAME KEY: a key of the prefix kept aside, put back at the end (restore_all).
save_key() { REG export "$2" "$(winpath "$E2E_DIR/saved-$1.reg")" /y >/dev/null 2>&1 || rm -f "$E2E_DIR/saved-$1.reg"; }
save_key mailto 'HKLM\Software\Classes\mailto\shell\open\command'
save_key htm 'HKLM\Software\Classes\.htm'
# import_reg LINES...: one start of regedit for several keys (each start of a Wine program takes seconds).
import_reg() {
    { printf 'REGEDIT4\r\n'; printf '%s\r\n' "$@"; } | iconv -f UTF-8 -t GBK >"$E2E_DIR/import.reg"
    pel_exec "$PEL_WINE" regedit /S "$(winpath "$E2E_DIR/import.reg")" >/dev/null 2>&1
}
restore_all() {
    import_reg '[-HKEY_LOCAL_MACHINE\Software\Classes\mailto\shell\open\command]' \
        '[-HKEY_LOCAL_MACHINE\Software\Classes\.htm]' '[-HKEY_LOCAL_MACHINE\Software\Classes\PelinTest.htm]'
    local name
    for name in mailto htm; do
        [[ -f "$E2E_DIR/saved-$name.reg" ]] &&
            pel_exec "$PEL_WINE" regedit /S "$(winpath "$E2E_DIR/saved-$name.reg")" >/dev/null 2>&1
    done
}
trap 'restore_all; e2e_teardown' EXIT
# Mail addresses go to the stand-in too, and so does the program for web pages (.htm).
command_value="@=\"$(printf '%s "%%1"' "$standin" | sed 's/\\/\\\\/g; s/"/\\"/g')\""
import_reg '[HKEY_LOCAL_MACHINE\Software\Classes\mailto\shell\open\command]' "$command_value" \
    '[HKEY_LOCAL_MACHINE\Software\Classes\.htm]' '@="PelinTest.htm"' \
    '[HKEY_LOCAL_MACHINE\Software\Classes\PelinTest.htm\shell\open\command]' "$command_value"

make_book "$E2E_DIR/books/书.txt" gbk < <(numbered_lines 80)
start_reader "$(winpath "$E2E_DIR/books/书.txt")"
wait_eq "the reader is up" "书.txt" drv title
caption="Pelin阅读器——Pelinreader"
# crlf LINES...: CRLF, the lines each ended by CR LF.
crlf() {
    local line
    CRLF=""
    for line in "$@"; do CRLF+="$line"$'\r\n'; done
}

drv command 57664
wait_eq "the About box opens" "关于 " drv --box title
crlf \
    "【2.8】 更新时间：2017 年 3月 3日。" \
    "1. 新增自定义分章规则功能；" \
    "2. 支持自动识别99%无bom的utf8编码；" \
    "3. 新增乱码按我，强制转换为utf8编码；" \
    "4. 提高大文本可读取的页数；" \
    "5. 修复边距设置较大时下次无法初始化的bug；" \
    "6. 标题栏可显示文件名。" \
    "" \
    "----->>>快捷键<<<-----" \
    $'  \'←\'  上一页，\t\'→ \'  下一页' \
    $'  \'↑\'  上翻屏，\t\'↓ \'  下翻屏' \
    "  'F5'  添加书签， 'Enter'  自动滚屏， 'Ctrl+Enter/Esc'  全屏切换 " \
    "  'F1' 关闭侧边栏，'F2' 高级设置 ，'F3' 阅读时间记录，'F4' 查看目录 " \
    "  '空格键'  向下翻屏和自动下一页 " \
    "  'PageUp/ PageDown'  向上/下翻屏。"
check_eq "its usage notes, exactly" "$CRLF"$'\n'x "$(drv --box text 1001; printf x)"
slogan2009="保护我们的家园！2009哥本哈根气候大会，“环保节能”从你我开始！"
check_eq "the slogan line shows the slogan of 2017" "意识决定行动！→穹顶之下，雾霾思考→2017+你能做什么？" \
    "$(drv --box text 1038)"
check_eq "and its address is still the slogan of 2009" "$slogan2009" "$(drv --box tooltip 1038)"
check_eq "the mail line" "邮箱：pelin@example.com" "$(drv --box text 1039)"
check_eq "its address" "mailto:pelin@example.com" "$(drv --box tooltip 1039)"
check_eq "the home-page line" "https://example.com/pelin" "$(drv --box text 1040)"
check_eq "its address" "https://example.com/pelin" "$(drv --box tooltip 1040)"

# colours ID: the label's colours by name: link, visited, hover, each with its pixel count.
hover_rgb="$(drv syscolor 13)"
ABOUT_XID=""
# The picture is read from the About box's own X window: on the root window Xvfb gives black where the
# box lies.
about_window() { xwininfo -root -tree | grep -F '"关于 "' | grep -o '0x[0-9a-f]*' | head -n 1; }
colours() {
    local x y w h bx by
    read -r x y w h < <(drv --box rect "$1")
    read -r bx by _ < <(drv --box rect)
    [[ -n "$ABOUT_XID" ]] || ABOUT_XID="$(about_window)"
    import -window "$ABOUT_XID" -crop "${w}x${h}+$((x - bx))+$((y - by))" +repage -depth 8 -format %c \
        histogram:info: 2>/dev/null |
        sed -n 's/^ *\([0-9]*\):.*(\([0-9]*\),\([0-9]*\),\([0-9]*\)).*/\2,\3,\4 \1/p' |
        awk -v h="$hover_rgb" '
            # Text is drawn smoothed: a colour counts when a pixel lies close to it.
            function near(c, ref,   a, b) { split(c, a, ","); split(ref, b, ",")
                return (a[1]-b[1])^2 + (a[2]-b[2])^2 + (a[3]-b[3])^2 < 1600 }
            { if (near($1, "0,0,238")) n["link"] += $2; if (near($1, "85,26,139")) n["visited"] += $2
              if (near($1, h)) n["hover"] += $2 }
            END { printf "link %s visited %s hover %s\n", (n["link"] > 3 ? "yes" : "no"),
                  (n["visited"] > 3 ? "yes" : "no"), (n["hover"] > 3 ? "yes" : "no") }'
}
wait_eq "the home-page label is drawn in the link colour" "link yes visited no hover no" colours 1040
drv --box hover 1040
wait_eq "under the pointer it turns to the highlight colour ($hover_rgb)" "link no visited no hover yes" colours 1040
read -r nx ny nw nh < <(drv --box rect 1001)
drv hover-at $((nx + nw / 2)) $((ny + nh / 2))
wait_eq "and back when the pointer leaves it" "link yes visited no hover no" colours 1040

# click_label ID: the pointer onto the label until it shows the hover colour, then a click.
click_label() {
    drv --box hover "$1"
    poll "*hover yes*" colours "$1"
    drv --box mouse-click "$1"
}
E2E_WAIT_MS=30000
click_label 1040
wait_eq "a click opens its address in the browser" "$standin \"https://example.com/pelin\"" tail -n 1 "$BROWSER_LOG"
drv --box hover-at $((nx + nw / 2)) $((ny + nh / 2))
wait_eq "and draws it in the visited colour" "link no visited yes hover no" colours 1040
click_label 1039
wait_eq "the mail label opens the mail address" "$standin \"mailto:pelin@example.com\"" tail -n 1 "$BROWSER_LOG"
click_label 1038
wait_eq "the slogan, which the shell cannot open, goes to the program for web pages" \
    "$standin  $slogan2009" tail -n 1 "$BROWSER_LOG"
check_eq "three starts of the browser so far" 3 "$(wc -l <"$BROWSER_LOG")"

# Nothing can open the slogan: the web-page type has no program.
REG delete 'HKLM\Software\Classes\PelinTest.htm\shell' /f >/dev/null
drv --box hover-at $((nx + nw / 2)) $((ny + nh / 2))
click_label 1038
check_eq "the failed open says why" "$caption
Unable to open hyperlink:

The specified file was not found." "$(drv --timeout 30000 msgbox)"
drv answer ok >/dev/null
# No program for https addresses either: the shell's own reason is reported.
REG delete 'HKLM\Software\Classes\https\shell\open\command' /f >/dev/null
click_label 1040
check_eq "an address of a scheme without a program" "$caption
Unable to open hyperlink:

There is no application associated
with the given filename extension." "$(drv --timeout 30000 msgbox)"
drv answer ok >/dev/null
check_eq "no browser was started by the failures" 3 "$(wc -l <"$BROWSER_LOG")"
REG add 'HKLM\Software\Classes\https\shell\open\command' /ve /d "$standin \"%1\"" /f >/dev/null
drv --box dismiss
drv --timeout 3000 wait-gone-msgbox >/dev/null 2>&1

drv command 32845
crlf "----->>>快捷键<<<-----" \
    "  '空格键'  向下翻屏和自动下一页 " \
    $'  \'←\'  上一页，\t\'→ \'  下一页' \
    $'  \'↑\'  上翻屏，\t\'↓ \'  下翻屏' \
    "  'F5'  添加书签， 'Enter'  自动滚屏， 'Ctrl+Enter/Esc'  全屏切换 " \
    "  'F1' 关闭侧边栏，'F2' 更多设置 ，'F3' 阅读时间记录，'F4' 查看目录" \
    "  'PageUp/ PageDown'  向上/下翻屏。"
check_eq "the shortcut help, exactly" "$caption"$'\n'"$CRLF"$'\n'x "$(drv --timeout 5000 msgbox; printf x)"
drv answer ok >/dev/null

# The web commands of the Help menu (and the two without a menu item).
for link in 32814:weekly 32828:articles 32811:greenpeace 32826:time-management 32812:environment 32825:music; do
    drv command "${link%%:*}"
    wait_eq "command ${link%%:*} opens its site" "$standin \"https://example.com/pelin/links/${link#*:}\"" \
        tail -n 1 "$BROWSER_LOG"
done
starts="$(wc -l <"$BROWSER_LOG")"
drv command 32810
check_eq "意林 asks first" "$caption|意林杂志散文！一则故事，改变一生！" "$(drv --timeout 5000 msgbox | paste -sd'|')"
drv answer cancel >/dev/null
sleep 1
check_eq "Cancel opens nothing" "$starts" "$(wc -l <"$BROWSER_LOG")"
drv command 32810
drv --timeout 5000 msgbox >/dev/null
drv answer ok >/dev/null
wait_eq "OK opens the magazine's site" "$standin \"https://example.com/pelin/links/yilin\"" tail -n 1 "$BROWSER_LOG"
stop_reader

e2e_finish
