# shellcheck shell=bash
# Shell library of the end-to-end scenarios: a fresh program folder per scenario, books written in each
# encoding, the reader started under Wine and driven by pel_driver, checks with readable failure output.
#
# CTest passes: PEL_SOURCE_DIR, PEL_READER_EXE, PEL_DRIVER_EXE, PEL_E2E_WORK (and PEL_TARGET_EXE for the
# driver's own scenario). A scenario sources this file, calls e2e_setup, runs its steps and ends with e2e_finish.
set -uo pipefail

: "${PEL_SOURCE_DIR:?}" "${PEL_DRIVER_EXE:?}" "${PEL_E2E_WORK:?}"
source "$PEL_SOURCE_DIR/scripts/wine-env.sh"

E2E_NAME="$(basename "$0" .sh)"
E2E_DIR="$PEL_E2E_WORK/$E2E_NAME"
E2E_APP="$E2E_DIR/app"
E2E_WAIT_MS="${PEL_E2E_WAIT_MS:-10000}"
E2E_PASSED=0
E2E_FAILED=0
READER_PID=""
READER_LOG=""
READER_STATUS=""

# A scenario runs alone on its display and Wine prefix: on a free lane of scripts/test.sh when there are lanes,
# else on the one display, one scenario at a time.
E2E_LANE_FD=""
e2e_take_lane() {
    local lanes=() env
    if [[ -n "${PEL_E2E_LANE_DIR:-}" ]]; then
        for env in "$PEL_E2E_LANE_DIR"/lane*.env; do [[ -f "$env" ]] && lanes+=("$env"); done
    fi
    if ((${#lanes[@]} == 0)); then
        mkdir -p "$(dirname "$WINEPREFIX")"
        exec {E2E_LANE_FD}>"$WINEPREFIX.e2e.lock"
        flock -x "$E2E_LANE_FD"
        return 0
    fi
    while :; do
        for env in "${lanes[@]}"; do
            exec {E2E_LANE_FD}>"${env%.env}.lock"
            if flock -n -x "$E2E_LANE_FD"; then
                # shellcheck disable=SC1090
                source "$env"
                export DISPLAY WINEPREFIX
                return 0
            fi
            exec {E2E_LANE_FD}>&-
        done
        sleep 0.2
    done
}

e2e_setup() {
    rm -rf "$E2E_DIR"
    mkdir -p "$E2E_APP" "$E2E_DIR/books"
    if [[ -n "${PEL_READER_EXE:-}" ]]; then cp "$PEL_READER_EXE" "$E2E_APP/Pelinreader.exe"; fi
    trap e2e_teardown EXIT
    trap 'exit 143' TERM INT HUP
    e2e_take_lane
    if ! pel_wine_setup; then
        echo "FATAL: no X display or Wine prefix" >&2
        exit 1
    fi
    echo "== $E2E_NAME (display $DISPLAY, folder $E2E_DIR)"
}

# e2e_layout_extractor: the program folder gets the extractor programs the reader ships with, taken from the
# build tree of the program under test; the program itself stays the one under test.
e2e_layout_extractor() {
    source "$PEL_SOURCE_DIR/scripts/layout.sh"
    PEL_BUILD_ROOT="$(cd "$(dirname "${PEL_READER_EXE:?}")/../../.." && pwd)" pel_layout "$E2E_APP" || exit 1
    cp "$PEL_READER_EXE" "$E2E_APP/Pelinreader.exe"
}

# Windows form of a path on this machine: drive Z: is the root of the file system.
winpath() {
    local p
    p="$(realpath -m "$1")"
    printf 'Z:%s' "${p//\//\\}"
}

# Runs one driver verb; its output goes to stdout, its exit code is the verb's.
drv() {
    pel_exec "$PEL_WINE" "$PEL_DRIVER_EXE" "$@"
}

# make_book FILE ENCODING: writes the UTF-8 text of stdin as a book with CR LF line ends.
# ENCODING: gbk, utf16le, utf16be (both with mark), utf8bom, utf8 (no mark).
make_book() {
    local file="$1" encoding="$2"
    mkdir -p "$(dirname "$file")"
    local text
    text="$(sed 's/$/\r/')"
    case "$encoding" in
        gbk) printf '%s\n' "$text" | iconv -f UTF-8 -t GBK >"$file" ;;
        utf16le) { printf '\xff\xfe' && printf '%s\n' "$text" | iconv -f UTF-8 -t UTF-16LE; } >"$file" ;;
        utf16be) { printf '\xfe\xff' && printf '%s\n' "$text" | iconv -f UTF-8 -t UTF-16BE; } >"$file" ;;
        utf8bom) { printf '\xef\xbb\xbf' && printf '%s\n' "$text"; } >"$file" ;;
        utf8) printf '%s\n' "$text" >"$file" ;;
        *)
            echo "make_book: unknown encoding $encoding" >&2
            return 1
            ;;
    esac
}

# numbered_lines N: N short lines that never wrap in the page control, each unique.
numbered_lines() {
    local i
    for ((i = 1; i <= $1; i++)); do printf '第%d行，江南的雨下了一整天。\n' "$i"; done
}

# line_offset FILE N: the byte offset at which line N (from 1) of a book file begins.
line_offset() {
    head -n "$(($2 - 1))" "$1" | wc -c
}

# percent_of OFFSET LENGTH: OFFSET x 100 / LENGTH with two decimals, as the reader prints progress.
percent_of() {
    LC_ALL=C awk -v o="$1" -v n="$2" 'BEGIN { printf "%.2f", o * 100.0 / n }'
}

# The size pane's text for a book given as UTF-8 text on stdin: double-byte characters of its GBK form.
size_pane_text() {
    local encoding_name="$1" bytes
    bytes="$(iconv -f UTF-8 -t GBK | LC_ALL=C tr -d '\000-\177' | wc -c)"
    LC_ALL=C awk -v n="$((bytes / 2))" -v e="$encoding_name" 'BEGIN { printf "字数：%.4f 万[%s]", n * 0.0001, e }'
}

# start_reader [ARGS...]: starts the reader from the scenario folder (or E2E_CWD) and waits for its frame.
start_reader() {
    local cwd="${E2E_CWD:-$E2E_DIR}"
    READER_LOG="$E2E_DIR/reader-$((++E2E_RUNS)).log"
    (
        cd "$cwd" || exit 1
        exec "$PEL_WINE" "$E2E_APP/Pelinreader.exe" "$@" {PEL_USERS_FD}>&-
    ) >"$READER_LOG" 2>&1 &
    READER_PID=$!
    if ! drv wait-window --timeout 30000 >/dev/null; then
        fail "the reader's window did not appear (args: $*)"
        echo "---- reader output" && cat "$READER_LOG"
        exit 1
    fi
}
E2E_RUNS=0

# Closes the reader: answers a leftover message box, closes the frame, and kills what is still running.
stop_reader() {
    [[ -n "$READER_PID" ]] || return 0
    if kill -0 "$READER_PID" 2>/dev/null; then
        drv --timeout 300 answer ok >/dev/null 2>&1
        drv --timeout 10000 close >/dev/null 2>&1 || echo "note: the reader did not close; killing it"
    fi
    local i
    for ((i = 0; i < 50; i++)); do
        kill -0 "$READER_PID" 2>/dev/null || break
        sleep 0.1
    done
    kill -KILL "$READER_PID" 2>/dev/null
    wait "$READER_PID" 2>/dev/null
    READER_STATUS=$?
    READER_PID=""
    drv --timeout 5000 gone >/dev/null 2>&1 || echo "note: a reader window is still there"
}

e2e_teardown() {
    if ((E2E_FAILED > 0)) && [[ -n "$READER_PID" ]]; then
        import -window root "$E2E_DIR/failure.png" 2>/dev/null && echo "screenshot of the failure: $E2E_DIR/failure.png"
    fi
    stop_reader
    release_held_files
    browser_standin_unregister
    pel_wine_cleanup
}

pass() {
    E2E_PASSED=$((E2E_PASSED + 1))
    echo "ok    $1"
}

fail() {
    E2E_FAILED=$((E2E_FAILED + 1))
    echo "FAIL  $1"
}

check_eq() {
    local what="$1" expected="$2" actual="$3"
    if [[ "$actual" == "$expected" ]]; then
        pass "$what"
    else
        fail "$what"
        printf '      expected: [%s]\n      actual:   [%s]\n' "$expected" "$actual"
    fi
}

# check_arith WHAT EXPRESSION: an arithmetic condition over numbers the caller has put in, shown on failure.
check_arith() {
    if (($2)); then
        pass "$1"
    else
        fail "$1"
        printf '      not true: %s\n' "$2"
    fi
}

# check_match WHAT PATTERN ACTUAL: a bash glob pattern, e.g. '[[]*正在阅读：*'.
check_match() {
    local what="$1" pattern="$2" actual="$3"
    # shellcheck disable=SC2053
    if [[ "$actual" == $pattern ]]; then
        pass "$what"
    else
        fail "$what"
        printf '      expected to match: %s\n      actual: [%s]\n' "$pattern" "$actual"
    fi
}

# check_regex WHAT ERE ACTUAL: an extended regular expression (bash =~), e.g. '^[0-9]{4}/'.
check_regex() {
    if [[ "$3" =~ $2 ]]; then
        pass "$1"
    else
        fail "$1"
        printf '      expected to match: %s\n      actual: [%s]\n' "$2" "$3"
    fi
}

# pixel X Y: the colour of a screen pixel as "R,G,B" (the virtual desktop fills the X screen from 0,0).
pixel() {
    convert x:root -crop "1x1+$1+$2" +repage -depth 8 -format '%[fx:int(255*r)],%[fx:int(255*g)],%[fx:int(255*b)]' info: 2>/dev/null
}

# poll PATTERN CMD...: runs CMD until its output matches the glob PATTERN or the wait runs out; leaves the
# last output in POLLED. The reader updates its counters and panes on timers and idle time.
POLLED=""
poll() {
    local pattern="$1"
    shift
    local deadline=$((SECONDS * 1000 + E2E_WAIT_MS)) now
    while :; do
        POLLED="$("$@" 2>&1)"
        # shellcheck disable=SC2053
        [[ "$POLLED" == $pattern ]] && return 0
        now=$((SECONDS * 1000))
        ((now >= deadline)) && return 1
        sleep 0.2
    done
}

# settle CMD...: runs CMD until two outputs 300 ms apart agree (keys and timers have been handled), or the
# wait runs out; leaves the output in POLLED.
settle() {
    local deadline=$((SECONDS * 1000 + E2E_WAIT_MS)) previous
    POLLED="$("$@" 2>&1)"
    while :; do
        previous="$POLLED"
        sleep 0.3
        POLLED="$("$@" 2>&1)"
        [[ "$POLLED" == "$previous" ]] && return 0
        ((SECONDS * 1000 >= deadline)) && return 1
    done
}

# glob_escape TEXT: TEXT as a glob pattern that matches only itself (Windows paths hold backslashes).
glob_escape() {
    printf '%s' "$1" | sed 's/[][*?\\]/\\&/g'
}

# wait_eq WHAT EXPECTED CMD...: the output of CMD becomes EXPECTED within the wait.
wait_eq() {
    local what="$1" expected="$2"
    shift 2
    poll "$(glob_escape "$expected")" "$@"
    check_eq "$what" "$expected" "$POLLED"
}

# wait_match WHAT PATTERN CMD...
wait_match() {
    local what="$1" pattern="$2"
    shift 2
    poll "$pattern" "$@"
    check_match "$what" "$pattern" "$POLLED"
}

# ---- Config.ini: the reader's settings file, code page 936 with CR LF line ends.

# write_ini FILE: writes the UTF-8 text of stdin as a settings file.
write_ini() {
    sed 's/$/\r/' | iconv -f UTF-8 -t GBK >"$1"
}

# ini_text FILE: the settings file as UTF-8 without CRs (invalid bytes are dropped).
ini_text() {
    iconv -c -f GBK -t UTF-8 "$1" | tr -d '\r'
}

# A line that opens a section without closing it is no section: the profile functions take it for a key.
# ini_layout FILE: the file's sections ("[Name]") and key names, one a line, in the order of the file.
ini_layout() {
    ini_text "$1" | LC_ALL=C awk '
        /^[ \t]*\[.*\]/ { sub(/^[ \t]*/, ""); sub(/\].*/, "]"); print; next }
        /=/ { k = $0; sub(/=.*/, "", k); gsub(/^[ \t]+|[ \t]+$/, "", k); print k }'
}

# ini_get FILE SECTION KEY: the value the platform's profile functions read: names matched without regard to
# case and surrounding blanks, the first matching section and key win. Fails when the key is missing.
ini_get() {
    ini_text "$1" | LC_ALL=C awk -v sec="$2" -v key="$3" '
        function norm(s) { gsub(/^[ \t]+|[ \t]+$/, "", s); return tolower(s) }
        /^[ \t]*\[.*\]/ { name = $0; sub(/^[ \t]*\[/, "", name); sub(/\].*/, "", name)
                      if (insec) exit 1; insec = norm(name) == norm(sec); next }
        insec && /=/ { k = $0; sub(/=.*/, "", k)
                       if (norm(k) == norm(key)) { v = $0; sub(/^[^=]*=/, "", v); gsub(/^[ \t]+|[ \t]+$/, "", v); print v; found = 1; exit } }
        END { exit !found }'
}

# placement_fields HEX: the 11 numbers of a stored window placement (length, flags, show command,
# minimised x y, maximised x y, normal left top right bottom), or "bad" when the text is not 44 bytes with
# their checksum (each byte two hexadecimal digits, then the low byte of their sum).
placement_fields() {
    local hex="$1" sum=0 i b out="" v
    if [[ ! "$hex" =~ ^[0-9A-Fa-f]{90}$ ]]; then
        echo bad
        return
    fi
    for ((i = 0; i < 44; i++)); do sum=$(((sum + 16#${hex:2*i:2}) & 255)); done
    if ((sum != 16#${hex:88:2})); then
        echo bad
        return
    fi
    for ((i = 0; i < 11; i++)); do
        v=0
        for ((b = 3; b >= 0; b--)); do v=$(((v << 8) | 16#${hex:8*i+2*b:2})); done
        ((v >= 2147483648)) && v=$((v - 4294967296))
        out+="${out:+ }$v"
    done
    echo "$out"
}

# placement_hex LEFT TOP RIGHT BOTTOM: the stored form of a normal-shown placement with that rectangle.
placement_hex() {
    local hex="" sum=0 v b byte
    for v in 44 0 1 -1 -1 -1 -1 "$@"; do
        for ((b = 0; b < 4; b++)); do
            byte=$(((v >> (8 * b)) & 255))
            hex+="$(printf '%02X' "$byte")"
            sum=$(((sum + byte) & 255))
        done
    done
    printf '%s%02X\n' "$hex" "$sum"
}

# rect_of_placement "L T R B": the driver's rect form ("X Y WIDTH HEIGHT") of a placement's rectangle.
rect_of_placement() {
    local l t r b
    read -r l t r b <<<"$1"
    echo "$l $t $((r - l)) $((b - t))"
}

# check_clean_exit WHAT: the reader's process, closed by stop_reader, ended with exit code 0.
check_clean_exit() {
    check_eq "$1" 0 "$READER_STATUS"
}

e2e_finish() {
    echo "$E2E_NAME: $E2E_PASSED passed, $E2E_FAILED failed"
    ((E2E_FAILED == 0))
    exit $?
}

# ---- Helper programs beside the reader.

# Stand-in browser. Wine's ShellExecute "open" of an http or https address runs the command stored under
# HKEY_CLASSES_ROOT\<scheme>\shell\open\command (HKLM\Software\Classes in the prefix), "%1" replaced by
# the address. browser_standin_register DIR copies the stand-in into DIR and registers it there for both
# schemes; every start appends its command line (UTF-8) as one line to $BROWSER_LOG (DIR/browser_standin.log).
# browser_standin_unregister (also run at teardown) puts the handlers back as they were.
BROWSER_LOG=""
BROWSER_SAVED=""
browser_standin_register() {
    local dir="$1" scheme key exe reg
    : "${PEL_BROWSER_STANDIN_EXE:?}"
    mkdir -p "$dir"
    cp "$PEL_BROWSER_STANDIN_EXE" "$dir/browser_standin.exe"
    BROWSER_LOG="$dir/browser_standin.log"
    : >"$BROWSER_LOG"
    BROWSER_SAVED="$dir/saved-handlers"
    mkdir -p "$BROWSER_SAVED"
    exe="$(winpath "$dir/browser_standin.exe")"
    reg="$dir/standin.reg"
    printf 'REGEDIT4\r\n' >"$reg"
    for scheme in http https; do
        key="HKEY_LOCAL_MACHINE\\Software\\Classes\\$scheme\\shell\\open\\command"
        pel_exec "$PEL_WINE" reg export "$key" "$(winpath "$BROWSER_SAVED/$scheme.reg")" /y >/dev/null 2>&1 ||
            rm -f "$BROWSER_SAVED/$scheme.reg"
        printf '\r\n[%s]\r\n@="\\"%s\\" \\"%%1\\""\r\n' "$key" "${exe//\\/\\\\}" >>"$reg"
    done
    pel_exec "$PEL_WINE" regedit /S "$(winpath "$reg")" >/dev/null 2>&1
}

browser_standin_unregister() {
    [[ -n "$BROWSER_SAVED" ]] || return 0
    local scheme
    for scheme in http https; do
        if [[ -f "$BROWSER_SAVED/$scheme.reg" ]]; then
            pel_exec "$PEL_WINE" regedit /S "$(winpath "$BROWSER_SAVED/$scheme.reg")" >/dev/null 2>&1
        else
            pel_exec "$PEL_WINE" reg delete "HKLM\\Software\\Classes\\$scheme\\shell\\open\\command" /f >/dev/null 2>&1
        fi
    done
    BROWSER_SAVED=""
}

# hold_file FILE: another program opens FILE for reading and writing without sharing it, as an editor that
# has the book open would, until release_file FILE (or teardown).
HELD_FILES=()
HELD_PIDS=()
hold_file() {
    local file="$1" out="$E2E_DIR/hold-${#HELD_PIDS[@]}.out"
    : "${PEL_HOLD_FILE_EXE:?}"
    pel_exec "$PEL_WINE" "$PEL_HOLD_FILE_EXE" "$(winpath "$file")" 120 >"$out" 2>&1 &
    HELD_PIDS+=("$!")
    HELD_FILES+=("$file")
    poll "held*" cat "$out" || { fail "nothing holds $file: $(cat "$out")"; return 1; }
}

release_file() {
    local i
    for i in "${!HELD_FILES[@]}"; do
        [[ "${HELD_FILES[$i]}" == "$1" ]] || continue
        touch "$1.release"
        wait "${HELD_PIDS[$i]}" 2>/dev/null
        unset 'HELD_FILES[i]' 'HELD_PIDS[i]'
    done
}

release_held_files() {
    local file
    for file in "${HELD_FILES[@]}"; do release_file "$file"; done
}
