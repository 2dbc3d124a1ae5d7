#!/usr/bin/env bash
# Picture background: with picPath set the picture shows around the text, the text stays dark and readable,
# scrolling keeps the picture, night mode paints the page grey and turning it off brings the picture back;
# the paths and flags are in Config.ini at exit. Also leaves the README's pictures of day mode, night mode
# and a picture background (PEL_E2E_OUT or the scenario folder: day.png, night.png, picture.png).
source "$(dirname "$0")/lib.sh"
e2e_setup
ini="$E2E_APP/Config.ini"
out="${PEL_E2E_OUT:-$E2E_DIR}"

book="$E2E_DIR/books/图片.txt"
numbered_lines 400 | make_book "$book" gbk
pic="$E2E_DIR/books/纸张.bmp"
convert -size 96x64 xc:'rgb(220,40,40)' BMP3:"$pic"

# page_colour: a pixel of the page control right of the short lines and left of its scroll bar.
page_colour() {
    local x y w h
    read -r x y w h <<<"$(drv rect 1018)"
    pixel $((x + w - 60)) $((y + h / 2))
}
# darkest: the darkest channel sum in the left part of the page, where the text stands.
darkest() {
    local x y w h
    read -r x y w h <<<"$(drv rect 1018)"
    convert x:root -crop "200x$((h - 20))+$((x + 5))+$((y + 5))" +repage -colorspace Gray -format '%[fx:int(255*minima)]' info: 2>/dev/null
}
shoot() {
    local x y w h
    read -r x y w h < <(drv rect)
    import -window root -crop "${w}x${h}+${x}+${y}" +repage "$out/$1"
    check_eq "picture $1 is saved" "${w}x${h}" "$(identify -format '%wx%h' "$out/$1" 2>/dev/null)"
}

# Day mode first, for the README.
cp "$PEL_SOURCE_DIR/samples/sample.txt" "$E2E_DIR/books/sample.txt"
start_reader "$(winpath "$E2E_DIR/books/sample.txt")"
drv --timeout 15000 wait-window --visible
wait_eq "the sample book is open" "sample.txt" drv title
wait_eq "day mode: the default green page" "204,232,207" page_colour
shoot day.png
drv command 32774
wait_eq "night mode: a grey page" "60,60,60" page_colour
shoot night.png
drv command 32774
wait_eq "night mode off: the green page again" "204,232,207" page_colour
stop_reader

printf '[Style]\npicPath=%s\n' "$(winpath "$pic")" | write_ini "$ini"
start_reader "$(winpath "$book")"
drv --timeout 15000 wait-window --visible
wait_eq "the book is open" "图片.txt" drv title
wait_eq "the picture shows around the text" "220,40,40" page_colour
check_arith "the text stands dark on the picture ($(darkest))" "$(darkest) < 60"
drv key space
wait_match "a screen down" '[1-9]*' drv first-line
wait_eq "after scrolling the picture is still there" "220,40,40" page_colour
check_arith "and the text too" "$(darkest) < 60"
drv command 32774
wait_eq "night mode over a picture: grey" "60,60,60" page_colour
drv command 32774
wait_eq "night mode off: the picture again, not grey" "220,40,40" page_colour
stop_reader
check_eq "picPath is kept at exit" "$(winpath "$pic")" "$(ini_get "$ini" Style picPath)"
check_eq "NightFlag=0 at exit" "0" "$(ini_get "$ini" Style NightFlag)"

# The picture of the README: the sample book on a picture.
convert -size 400x300 gradient:'rgb(250,240,215)-rgb(225,205,170)' BMP3:"$E2E_DIR/books/paper.bmp"
printf '[Style]\npicPath=%s\n' "$(winpath "$E2E_DIR/books/paper.bmp")" | write_ini "$ini"
start_reader "$(winpath "$E2E_DIR/books/sample.txt")"
drv --timeout 15000 wait-window --visible
wait_eq "the sample book is open on paper" "sample.txt" drv title
sleep 1
shoot picture.png
stop_reader

e2e_finish
