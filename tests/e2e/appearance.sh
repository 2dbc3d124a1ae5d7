#!/usr/bin/env bash
# Appearance as the reader sets it: the font dialog's face, size, underline and colour; the text and the
# background colour dialogs; line spacing; the four text margins as the page's formatting rectangle; night
# mode on and off; a picture chosen through "图片背景", and one that cannot be decoded. Each is read back from the page control (its character
# format and formatting rectangle) and from screenshots of the page (kept as appearance-*.png beside the
# scenario), written to Config.ini at exit and applied at the next start.
source "$(dirname "$0")/lib.sh"
e2e_setup
ini="$E2E_APP/Config.ini"
out="${PEL_E2E_OUT:-$E2E_DIR}"

book="$E2E_DIR/books/外观.txt"
numbered_lines 300 | make_book "$book" gbk
pic="$E2E_DIR/books/背景.bmp"
convert -size 120x90 xc:'rgb(40,150,220)' BMP3:"$pic"

# fmt KEY: one field of the page's default character format (face, size, offset, color, underline ...).
fmt() { drv char-format | sed -n "s/^$1=//p"; }
# shot NAME: a screenshot of the page control into appearance-NAME.png; prints the colour of a pixel right
# of the short lines and left of the scroll bar, read from the picture file.
shot() {
    local x y w h file="$out/appearance-$1.png"
    read -r x y w h <<<"$(drv rect 1018)"
    import -window root -crop "${w}x${h}+${x}+${y}" +repage "$file" 2>/dev/null || return 1
    convert "$file" -crop "1x1+$((w - 60))+$((h / 2))" +repage -depth 8 \
        -format '%[fx:int(255*r)],%[fx:int(255*g)],%[fx:int(255*b)]' info: 2>/dev/null
}
# text_range NAME: the darkest and the brightest grey level (0..255) of the text column of a screenshot.
text_range() {
    convert "$out/appearance-$1.png" -crop 160x200+12+8 +repage -colorspace Gray \
        -format '%[fx:int(255*minima)] %[fx:int(255*maxima)]' info: 2>/dev/null
}
rgb() { echo $(($1 | $2 << 8 | $3 << 16)); }

# ---- First run: no margins, so the formatting rectangle is the control's own.
printf '[Style]\nBJL=0\nBJR=0\nBJU=0\nBJD=0\n' | write_ini "$ini"
start_reader "$(winpath "$book")"
drv --timeout 15000 wait-window --visible
wait_eq "the book is open" "外观.txt" drv title
check_eq "the default format: 宋体, 270 twips, offset 100, black" "宋体 270 100 0,0,0 0" \
    "$(fmt face) $(fmt size) $(fmt offset) $(fmt color) $(fmt underline)"
wait_eq "the default page is green" "204,232,207" shot default
sleep 0.5
base_rect="$(drv format-rect)"
check_regex "a formatting rectangle" '^-?[0-9]+ -?[0-9]+ [0-9]+ [0-9]+$' "$base_rect"

# The font dialog: another face, 12 points, underlined, in maroon; then once more, cancelled.
drv command 32771
wait_eq "the font dialog" "字体" drv --box title
drv --box combo-pick 1136 "文泉驿微米黑"
# The dialog takes the effects when a size is picked.
drv --box tick 1041
drv --box combo-pick 1139 "栗色" || drv --box combo-pick 1139 "褐紫红色"
drv --box combo-pick 1138 "12"
drv --box click 1
wait_eq "the chosen face is the page's" "文泉驿微米黑" fmt face
check_eq "12 points at 96 dpi are 16 pixels, stored as 320 twips" "320" "$(fmt size)"
check_eq "underlined" "1" "$(fmt underline)"
check_eq "in the dialog's colour" "128,0,0" "$(fmt color)"
drv command 32771
wait_eq "the font dialog again" "字体" drv --box title
drv --box combo-pick 1136 "DejaVu Sans"
drv --box click 2
wait_eq "cancelled: the dialog is gone" "" eval 'drv --timeout 300 --box title 2>/dev/null'
check_eq "cancelled: the face stays" "文泉驿微米黑 320" "$(fmt face) $(fmt size)"

# The text colour and the background colour dialogs, by their red, green and blue boxes.
pick_colour() {
    drv --box set-text 706 "$1"
    drv --box set-text 707 "$2"
    drv --box set-text 708 "$3"
    drv --box click 1
}
drv command 32831
wait_eq "the colour dialog for the text" "颜色" drv --box title
pick_colour 0 0 160
wait_eq "the text colour" "0,0,160" fmt color
drv command 32772
wait_eq "the colour dialog for the page" "颜色" drv --box title
pick_colour 250 240 200
wait_eq "the page takes the background colour" "250,240,200" shot colours
read -r dark light <<<"$(text_range colours)"
check_arith "dark blue text on it ($dark)" "$dark < 90"

# Line spacing: 2.0, then one step wider.
drv command 61303
wait_eq "line spacing 2.0: offset 200 twips" "200" fmt offset
drv command 32808
wait_eq "增大行距: 250" "250" fmt offset

# Night mode on and off.
drv command 32774
wait_eq "night mode: a grey page" "60,60,60" shot night
check_eq "night mode: grey text" "128,128,128" "$(fmt color)"
read -r dark light <<<"$(text_range night)"
check_arith "the text is the brightest thing on the page ($dark $light)" "dark >= 55 && light >= 110 && light <= 135"
drv command 32774
wait_eq "night mode off: the chosen background again" "250,240,200" shot day
check_eq "night mode off: the chosen text colour" "0,0,160" "$(fmt color)"
stop_reader
check_eq "written at exit: face" "文泉驿微米黑" "$(ini_get "$ini" Style txtfont)"
check_eq "size, spacing, underline" "320 250 1" \
    "$(ini_get "$ini" Style txtsize) $(ini_get "$ini" Style txthj) $(ini_get "$ini" Style UNDERLINE)"
check_eq "text and background colours" "$(rgb 0 0 160) $(rgb 250 240 200)" \
    "$(ini_get "$ini" Style txtcolor) $(ini_get "$ini" Style bkcolor)"
check_eq "night mode off, no picture" "0|" "$(ini_get "$ini" Style NightFlag)|$(ini_get "$ini" Style picPath)"

# ---- Second run: the values come back; margins shrink the formatting rectangle.
sed -i 's/^BJL=0\r$/BJL=30\r/; s/^BJR=0\r$/BJR=20\r/; s/^BJU=0\r$/BJU=15\r/; s/^BJD=0\r$/BJD=5\r/' "$ini"
start_reader
drv --timeout 15000 wait-window --visible
wait_eq "the book is open again" "外观.txt" drv title
check_eq "the format comes back" "文泉驿微米黑 320 250 0,0,160 1" \
    "$(fmt face) $(fmt size) $(fmt offset) $(fmt color) $(fmt underline)"
wait_eq "so does the background colour" "250,240,200" shot restart
read -r l t r b <<<"$base_rect"
wait_eq "BJL, BJU, BJR, BJD move the rectangle's edges" "$((l + 30)) $((t + 15)) $((r - 20)) $((b - 5))" \
    drv format-rect

# A picture chosen as the reader does, through "图片背景".
drv command 32824
wait_eq "the picture dialog" "打开图片文件" drv --box title
drv --box set-text 1148 "$(winpath "$pic")" 2>/dev/null || drv --box set-text 1152 "$(winpath "$pic")"
drv --box click 1
wait_eq "the picture shows around the text" "40,150,220" shot picture
read -r dark light <<<"$(text_range picture)"
check_arith "the text stands dark on it ($dark)" "$dark < 90"
drv command 32774
wait_eq "night mode hides the picture" "60,60,60" shot picture-night
stop_reader
check_eq "picPath is written at exit" "$(winpath "$pic")" "$(ini_get "$ini" Style picPath)"
check_eq "and night mode" "1" "$(ini_get "$ini" Style NightFlag)"

# ---- Third run: night mode over a picture at start; turning it off shows the picture, not grey.
start_reader
drv --timeout 15000 wait-window --visible
wait_eq "the book is open a third time" "外观.txt" drv title
wait_eq "night mode at start" "60,60,60" shot night-start
check_eq "with grey text" "128,128,128" "$(fmt color)"
drv command 32774
wait_eq "night mode off: the picture again" "40,150,220" shot picture-again
check_eq "and the chosen text colour" "0,0,160" "$(fmt color)"
# A picture that cannot be decoded leaves no picture: the page shows the view's green, not the white it
# draws its text on.
broken="$E2E_DIR/books/坏图.jpg"
head -c 3000 /dev/urandom >"$broken"
drv command 32824
wait_eq "the picture dialog again" "打开图片文件" drv --box title
drv --box set-text 1148 "$(winpath "$broken")" 2>/dev/null || drv --box set-text 1152 "$(winpath "$broken")"
drv --box click 1
wait_eq "an undecodable picture: the green behind the page" "204,232,207" shot broken-picture
read -r dark light <<<"$(text_range broken-picture)"
check_arith "with the text on it ($dark)" "$dark < 90"
drv command 32824
wait_eq "and once more the good picture" "打开图片文件" drv --box title
drv --box set-text 1148 "$(winpath "$pic")" 2>/dev/null || drv --box set-text 1152 "$(winpath "$pic")"
drv --box click 1
wait_eq "the picture is back" "40,150,220" shot picture-back
drv command 61300
wait_eq "青草绿（默认） gives the picture up" "204,232,207" shot green
stop_reader
check_eq "no picture at exit" "" "$(ini_get "$ini" Style picPath)"
check_eq "the default background stored" "$(rgb 204 232 207)" "$(ini_get "$ini" Style bkcolor)"

e2e_finish
