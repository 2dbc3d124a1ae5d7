#!/usr/bin/env bash
# Takes the README's pictures from the running reader under Wine, into docs/:
#
#   scripts/screenshots.sh [--no-build]
#
#   docs/reading.png   the reading window on the sample novel
#   docs/contents.png  the table of contents (chapter paging, F4) with a chapter previewed
#   docs/sidebar.png   the reading window with the sidebar listing a folder of books
#
# The reader runs from a scratch program folder under build/shots, on a display of its own when there is
# none. --no-build takes the program and pel_driver that build/win holds.
set -uo pipefail

REPO="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_ROOT="${PEL_BUILD_ROOT:-$REPO/build}"
export PEL_BUILD_ROOT="$BUILD_ROOT"
if [[ "${1:-}" != --no-build ]]; then
    bash "$REPO/scripts/deps.sh" || exit 1
    bash "$REPO/scripts/build.sh" || exit 1
fi
exe="$BUILD_ROOT/win/src/app/Pelinreader.exe"
driver="$BUILD_ROOT/win/tools/driver/pel_driver.exe"
for f in "$exe" "$driver"; do
    [[ -f "$f" ]] || {
        echo "screenshots.sh: $f is missing (build first)" >&2
        exit 1
    }
done

shots="$BUILD_ROOT/shots"
app="$shots/app"
rm -rf "$shots"
mkdir -p "$app/books" "$REPO/docs"
cp "$exe" "$app/Pelinreader.exe"
cp "$REPO/samples/sample.txt" "$app/books/sample.txt"
# A few more books for the sidebar: parts of the sample under names of their own.
i=0
for title in 青石巷 北城的秋天 渡口夜话 旧茶馆 江南雨; do
    i=$((i + 1))
    head -c $((20000 * i)) "$REPO/samples/sample.txt" >"$app/books/$title.txt"
done
winpath() {
    local p
    p="$(realpath -m "$1")"
    printf 'Z:%s' "${p//\//\\}"
}
# The books folder as the most recent folder, so that the 最近文件夹 menu can list it.
printf '[File Dir]\r\nFileNum=1\r\n1=%s\r\n' "$(winpath "$app/books")" | iconv -f UTF-8 -t GBK >"$app/Config.ini"

source "$REPO/scripts/wine-env.sh"
reader=""
finish() {
    if [[ -n "$reader" ]] && kill -0 "$reader" 2>/dev/null; then
        pel_exec "$PEL_WINE" "$driver" --timeout 10000 close >/dev/null 2>&1
        sleep 1
        kill "$reader" 2>/dev/null
    fi
    pel_wine_cleanup
}
trap finish EXIT
trap 'exit 130' INT TERM HUP
pel_wine_setup || exit 1
D() { pel_exec "$PEL_WINE" "$driver" "$@"; }

# shot FILE [--box]: the reader's window (or its dialog) as a picture.
shot() {
    local x y w h
    read -r x y w h < <(D ${2:-} rect)
    import -window root -crop "${w}x${h}+${x}+${y}" +repage "$1" && echo "screenshots.sh: $1 (${w}x${h})"
}
# wait_for PATTERN CMD...: until the output of CMD matches.
wait_for() {
    local pattern="$1" i out
    shift
    for ((i = 0; i < 50; i++)); do
        out="$("$@" 2>/dev/null)"
        # shellcheck disable=SC2053
        [[ "$out" == $pattern ]] && return 0
        sleep 0.2
    done
    echo "screenshots.sh: gave up waiting for $pattern (last: $out)" >&2
    return 1
}

(
    cd "$app" || exit 1
    exec "$PEL_WINE" "$app/Pelinreader.exe" "$(winpath "$app/books/sample.txt")" {PEL_USERS_FD}>&-
) >"$shots/reader.log" 2>&1 &
reader=$!
D wait-window --visible --timeout 30000 || exit 1
wait_for "sample.txt" D title || exit 1
D --timeout 3000 answer no >/dev/null 2>&1
sleep 1.5
shot "$REPO/docs/reading.png" || exit 1

D command 57617
wait_for "*青石巷.txt*" D rows 1000 || exit 1
sleep 1
shot "$REPO/docs/sidebar.png" || exit 1

D command 32797
wait_for "[1-9]*" D text 1014 || exit 1
D key f4
wait_for "查看目录" D --box title || exit 1
D --box select-row 1067 2 >/dev/null
sleep 1
shot "$REPO/docs/contents.png" --box || exit 1
D --box dismiss >/dev/null 2>&1
