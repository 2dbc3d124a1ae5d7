#!/usr/bin/env bash
# The portable package as a reader gets it: scripts/package.sh writes the zip named with the version of
# VERSION; unzipped (names read as a Chinese Windows reads them) into a fresh folder whose path has blanks
# and Chinese, it holds exactly the program, the extractor programs where the tree lays them out, books\
# with the sample novel and 说明.txt in GBK with CR LF; the program's version resource carries the same
# version. Started from another folder on the packaged book, the reader shows it and, once closed, has
# written Config.ini beside itself and nothing anywhere else: not in the folder it was started from, not
# in the prefix's drive or registry. Started again, it lists a zip of a GBK novel through the packaged
# HaoZipC.exe and 7zz.exe and opens the book from it.
source "$(dirname "$0")/lib.sh"
e2e_setup

# The extractor is built with the Windows program (scripts/build.sh), never here: a build inside the
# scenario outlasts its time.
engine="$(bash "$PEL_SOURCE_DIR/scripts/extractor.sh" --path)"
if [[ -z "$engine" || ! -f "$engine" ]]; then
    fail "7zz.exe is built before the scenarios run (scripts/build.sh; looked for ${engine:-build/extractor/*/7zz.exe})"
    e2e_finish
fi

version="$(head -n 1 "$PEL_SOURCE_DIR/VERSION")"
dist="$E2E_DIR/dist"
bash "$PEL_SOURCE_DIR/scripts/package.sh" --no-build --exe "$PEL_READER_EXE" --out "$dist" >"$E2E_DIR/package.log" 2>&1
check_eq "package.sh succeeds" 0 $?
zip="$dist/Pelinreader-$version-win64.zip"
check_eq "its last line names the zip, with the version of VERSION" "$zip" "$(tail -n 1 "$E2E_DIR/package.log")"
[[ -f "$zip" ]] || {
    cat "$E2E_DIR/package.log"
    e2e_finish
}

# The names as a Chinese Windows reads them: the header bytes in code page 936 when the UTF-8 flag is off,
# and the Unicode path field, where there is one, must say the same.
app="$E2E_DIR/读者的 文件夹/Pelin 阅读器"
mkdir -p "$app"
python3 - "$zip" "$app" >"$E2E_DIR/names.txt" 2>&1 <<'EOF'
import os, struct, sys, zipfile, zlib
archive, dest = sys.argv[1], sys.argv[2]
with zipfile.ZipFile(archive) as z:
    for info in z.infolist():
        raw = info.orig_filename.encode("cp437") if not info.flag_bits & 0x800 else info.orig_filename.encode("utf-8")
        name = raw.decode("utf-8") if info.flag_bits & 0x800 else raw.decode("cp936")
        extra, unicode_name = info.extra, None
        while len(extra) >= 4:
            tag, size = struct.unpack("<HH", extra[:4])
            if tag == 0x7075 and extra[4] == 1 and struct.unpack("<I", extra[5:9])[0] == zlib.crc32(raw):
                unicode_name = extra[9:4 + size].decode("utf-8")
            extra = extra[4 + size:]
        if unicode_name is not None and unicode_name != name:
            print("MISMATCH", name, unicode_name)
        print(name, "utf8-flag" if info.flag_bits & 0x800 else "cp936", "unicode-field" if unicode_name else "-")
        target = os.path.join(dest, *name.rstrip("/").split("/"))
        if name.endswith("/"):
            os.makedirs(target, exist_ok=True)
        else:
            os.makedirs(os.path.dirname(target), exist_ok=True)
            with open(target, "wb") as f:
                f.write(z.read(info))
EOF
check_eq "the zip unpacks" 0 $?
expected="Pelinreader.exe cp936 unicode-field
说明.txt cp936 unicode-field
books/ cp936 unicode-field
books/sample.txt cp936 unicode-field
7zz.exe cp936 unicode-field
HaoZipC.exe cp936 unicode-field"
check_eq "names in code page 936 with the same name in the Unicode field, each entry once" \
    "$(sort <<<"$expected")" "$(sort "$E2E_DIR/names.txt")"

files_of() { (cd "$1" && find . -mindepth 1 | sed 's|^\./||' | LC_ALL=C sort); }
cmp -s "$PEL_READER_EXE" "$app/Pelinreader.exe"
check_eq "Pelinreader.exe is the program that was built" 0 $?
cmp -s "$engine" "$app/7zz.exe"
check_eq "7zz.exe is the extractor that was built" 0 $?
cmp -s "$(dirname "$PEL_READER_EXE")/../../tools/haozipc/HaoZipC.exe" "$app/HaoZipC.exe"
check_eq "HaoZipC.exe is the one that was built" 0 $?
cmp -s "$PEL_SOURCE_DIR/samples/sample.txt" "$app/books/sample.txt"
check_eq "books\\sample.txt is the sample novel, byte for byte" 0 $?

notes="$app/说明.txt"
iconv -f GBK -t UTF-8 "$notes" >"$E2E_DIR/notes.utf8"
check_eq "说明.txt is GBK" 0 $?
check_eq "every line of it ends in CR LF" "$(grep -c '' "$notes")" "$(grep -c $'\r$' "$notes")"
check_eq "and no CR stands alone" "$(grep -c '' "$notes")" "$(tr -cd '\r' <"$notes" | wc -c)"
check_eq "its first line names the program and the version" "Pelin阅读器 $version 使用说明" \
    "$(head -n 1 "$E2E_DIR/notes.utf8" | tr -d '\r')"
for topic in "F5  添加书签" "Config.ini" "压缩包" "按章节分" "编辑模式" "右键"; do
    check_eq "说明.txt tells about $topic" 1 "$(grep -c -m1 -F "$topic" "$E2E_DIR/notes.utf8")"
done
check_eq "it lists both extractor programs" 2 "$(grep -c '^  HaoZipC.exe \|^  7zz.exe ' "$E2E_DIR/notes.utf8")"

# Unpacked a second time by the packaged 7-Zip under Wine: the same folder.
again="$E2E_DIR/7zz-unpacked"
mkdir -p "$again"
pel_exec "$PEL_WINE" "$app/7zz.exe" x -y "-o$(winpath "$again")" "$(winpath "$zip")" >"$E2E_DIR/7zz.log" 2>&1
diff -r "$app" "$again" >"$E2E_DIR/7zz.diff" 2>&1
check_eq "7zz.exe under Wine unpacks the same names and bytes" 0 $?

packaged="$(files_of "$app")"
elsewhere="$E2E_DIR/start folder"
mkdir -p "$elsewhere"
touch "$E2E_DIR/before-start"
sleep 1
E2E_APP="$app" E2E_CWD="$elsewhere" start_reader "$(winpath "$app/books/sample.txt")"
E2E_APP="$app"
wait_eq "the reader opens the packaged book" "sample.txt" drv title
wait_match "and shows its pages" '[1-9]*' drv text 1014
{
    read -r fixed
    read -r fileversion
    read -r productversion
    read -r description
} < <(drv file-version "$(winpath "$app/Pelinreader.exe")")
check_eq "the version resource carries the version of VERSION" \
    "$version.0 $version.0|$version.0|$version.0|Pelin阅读器" "$fixed|$fileversion|$productversion|$description"
stop_reader
check_clean_exit "the reader ends cleanly"

check_eq "after the run the folder holds the package and Config.ini" \
    "$(printf '%s\nConfig.ini\n' "$packaged" | LC_ALL=C sort)" "$(files_of "$app")"
check_match "Config.ini remembers the book" "*sample.txt*" "$(ini_text "$app/Config.ini")"
check_eq "nothing is written to the folder it was started from" "" "$(files_of "$elsewhere")"
written="$(cd "$WINEPREFIX/drive_c" && find . -type f -newer "$E2E_DIR/before-start" | LC_ALL=C sort)"
check_eq "nothing is written to the prefix's drive" "" "$written"
check_eq "nothing of the program's is in the registry" "" \
    "$(for root in HKCU HKLM\\Software\\Classes; do pel_exec "$PEL_WINE" reg query "$root" /s /f Pelin 2>/dev/null; done |
        iconv -c -f GBK -t UTF-8 | tr -d '\r' | grep -i 'pelin')"

# A novel in a zip, as readers get them: GBK text with LF line ends and long paragraphs, its name in code
# page 936. Dropped on the reader, the packaged extractor lists it; opened from the list, the book shows.
zipped="$E2E_DIR/zipped"
mkdir -p "$zipped"
{
    printf '第一章 雨夜\n'
    for ((i = 1; i <= 40; i++)); do
        printf '　　第%d段，江南的雨下了一整天，青石板上的水映着灯笼的红光，远处传来更夫的梆子声，' "$i"
        printf '他撑着油纸伞走过长街，心里想着那封没有寄出的信。\n'
    done
} >"$E2E_DIR/novel.utf8"
iconv -f UTF-8 -t GBK "$E2E_DIR/novel.utf8" >"$zipped/雨夜长街.txt"
python3 "$PEL_SOURCE_DIR/tools/make_zip.py" "$zipped" "$E2E_DIR/小说合集.zip"
check_eq "the zip of the novel is written" 0 $?
E2E_CWD="$elsewhere" start_reader
wait_eq "the reader opens the packaged book again" "sample.txt" drv title
drv drop "$(winpath "$E2E_DIR/小说合集.zip")"
wait_eq "the packaged extractor lists the book in the zip" "雨夜长街.txt" drv rows 1000
drv select-row 1000 0
drv double-click 1000
wait_eq "the book in the zip opens" "雨夜长街.txt" drv title
wait_eq "its first line is the chapter title" "0	第一章 雨夜" drv first-line
check_match "and its page shows the first paragraph" "*第1段，江南的雨下了一整天*那封没有寄出的信。*" \
    "$(drv text 1018)"
stop_reader
check_clean_exit "the reader ends cleanly after the zip"

e2e_finish
