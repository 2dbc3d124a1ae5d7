# shellcheck shell=bash
# Sourced by the scripts that run Windows programs: sets up the project's Wine prefix and an X display.
#
#   source scripts/wine-env.sh
#   pel_wine_setup            # prefix created once, DISPLAY usable afterwards
#   trap pel_wine_cleanup EXIT
#
# Environment it honours: PEL_WINEPREFIX (prefix folder, default <repo>/build/wineprefix),
# DISPLAY (used when an X server answers on it; otherwise a private Xvfb is started).
#
# End-to-end lanes: pel_e2e_lanes_setup N gives N scenarios at a time a display and a Wine prefix of their own
# (copies of the project prefix), so that they can run side by side without sharing focus or windows;
# tests/e2e/lib.sh takes a free lane for each scenario. pel_e2e_lanes_cleanup stops them.

PEL_REPO="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

export WINEPREFIX="${PEL_WINEPREFIX:-$PEL_REPO/build/wineprefix}"
export WINEARCH=win64
export WINEDEBUG=-all
export LANG=zh_CN.UTF-8
export LC_ALL=zh_CN.UTF-8
# No Mono or Gecko install prompts.
export WINEDLLOVERRIDES="mscoree,mshtml="

# Debian 12 ships the 64-bit loader outside PATH; /usr/bin/wine only finds it when wine32 is absent.
if [[ -x /usr/lib/wine/wine64 ]]; then
    PEL_WINE=/usr/lib/wine/wine64
    PEL_WINESERVER=/usr/lib/wine/wineserver
else
    PEL_WINE="$(command -v wine64 || command -v wine)"
    PEL_WINESERVER="$(command -v wineserver)"
fi
export WINELOADER="$PEL_WINE"

PEL_DESKTOP_SIZE=1280x1024
PEL_XVFB_PID=""
PEL_USERS_FD=""

pel_log() { echo "[wine-env] $*" >&2; }

pel_display_works() {
    [[ -n "${1:-}" ]] && xdpyinfo -display "$1" >/dev/null 2>&1
}

# Starts Xvfb on the first free display number (Xvfb picks it itself, so parallel starts cannot collide).
pel_start_xvfb() {
    local numfile
    numfile="$(mktemp)"
    Xvfb -displayfd 3 -screen 0 "${PEL_DESKTOP_SIZE}x24" -nolisten tcp 3>"$numfile" >/dev/null 2>&1 &
    PEL_XVFB_PID=$!
    local i
    for ((i = 0; i < 100; i++)); do
        if [[ -s "$numfile" ]] && pel_display_works ":$(head -n1 "$numfile")"; then
            export DISPLAY=":$(head -n1 "$numfile")"
            rm -f "$numfile"
            return 0
        fi
        if ! kill -0 "$PEL_XVFB_PID" 2>/dev/null; then break; fi
        sleep 0.1
    done
    rm -f "$numfile"
    pel_log "Xvfb did not start"
    return 1
}

pel_ensure_display() {
    if pel_display_works "${DISPLAY:-}"; then return 0; fi
    pel_start_xvfb
}

# Creates the prefix once. Parallel callers wait on the lock; the first one runs wineboot.
pel_ensure_prefix() {
    mkdir -p "$(dirname "$WINEPREFIX")"
    (
        flock 9
        if [[ ! -f "$WINEPREFIX/.pel-ready" ]]; then
            pel_log "creating Wine prefix $WINEPREFIX (once)"
            rm -rf "$WINEPREFIX"
            "$PEL_WINE" wineboot -i >/dev/null 2>&1 9>&-
            # One virtual desktop for all programs: Wine draws title bars and frames itself (there is no
            # window manager on Xvfb), and the foreground and focus behave as on Windows.
            "$PEL_WINE" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1 9>&-
            "$PEL_WINE" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "$PEL_DESKTOP_SIZE" /f \
                >/dev/null 2>&1 9>&-
            "$PEL_WINESERVER" -w 9>&-
            touch "$WINEPREFIX/.pel-ready"
        fi
    ) 9>"$WINEPREFIX.lock"
}

# Every user of the prefix holds a shared lock while it runs; the last one to leave stops wineserver.
pel_join_prefix() {
    exec {PEL_USERS_FD}>"$WINEPREFIX.users"
    flock -s "$PEL_USERS_FD"
}

# Runs a command with the prefix lock descriptor closed, so that wineserver does not inherit it.
pel_exec() {
    if [[ -n "$PEL_USERS_FD" ]]; then
        "$@" {PEL_USERS_FD}>&-
    else
        "$@"
    fi
}

pel_wine_setup() {
    pel_ensure_display || return 1
    pel_ensure_prefix || return 1
    pel_join_prefix
}

pel_wine_cleanup() {
    if [[ -n "$PEL_USERS_FD" ]]; then
        flock -u "$PEL_USERS_FD"
        if flock -n -x "$PEL_USERS_FD"; then
            "$PEL_WINESERVER" -k >/dev/null 2>&1 {PEL_USERS_FD}>&- || true
            flock -u "$PEL_USERS_FD"
        fi
        exec {PEL_USERS_FD}>&-
        PEL_USERS_FD=""
    fi
    if [[ -n "$PEL_XVFB_PID" ]]; then
        kill "$PEL_XVFB_PID" 2>/dev/null || true
        wait "$PEL_XVFB_PID" 2>/dev/null || true
        PEL_DESKTOP_SIZE=1280x1024
PEL_XVFB_PID=""
    fi
}

PEL_E2E_LANE_XVFB=()
PEL_E2E_LANE_FDS=()

pel_e2e_lanes_setup() {
    local count="$1" root="${PEL_BUILD_ROOT:-$PEL_REPO/build}/e2e-lanes" k
    mkdir -p "$root"
    rm -f "$root"/lane*.env
    local main_prefix="$WINEPREFIX" main_display="$DISPLAY" main_xvfb="$PEL_XVFB_PID"
    # The copies are taken of an idle prefix.
    "$PEL_WINESERVER" -w
    for ((k = 1; k <= count; k++)); do
        local prefix="${main_prefix}-lane$k"
        if [[ ! -f "$prefix/.pel-ready" || "$main_prefix/.pel-ready" -nt "$prefix/.pel-ready" ]]; then
            rm -rf "$prefix"
            cp -a "$main_prefix" "$prefix" || return 1
            touch "$prefix/.pel-ready"
        fi
        pel_start_xvfb || return 1
        PEL_E2E_LANE_XVFB+=("$PEL_XVFB_PID")
        # Holding the lane's prefix keeps its wineserver up from one scenario to the next.
        local fd
        exec {fd}>"$prefix.users"
        flock -s "$fd"
        PEL_E2E_LANE_FDS+=("$fd")
        printf 'DISPLAY=%q\nWINEPREFIX=%q\n' "$DISPLAY" "$prefix" >"$root/lane$k.env"
    done
    export DISPLAY="$main_display" WINEPREFIX="$main_prefix"
    PEL_XVFB_PID="$main_xvfb"
    export PEL_E2E_LANE_DIR="$root"
}

pel_e2e_lanes_cleanup() {
    local root="${PEL_E2E_LANE_DIR:-}" k fd prefix
    [[ -n "$root" ]] || return 0
    rm -f "$root"/lane*.env
    for fd in "${PEL_E2E_LANE_FDS[@]}"; do exec {fd}>&-; done
    for ((k = 1; k <= ${#PEL_E2E_LANE_XVFB[@]}; k++)); do
        prefix="${WINEPREFIX}-lane$k"
        WINEPREFIX="$prefix" "$PEL_WINESERVER" -k >/dev/null 2>&1 || true
    done
    for k in "${PEL_E2E_LANE_XVFB[@]}"; do
        kill "$k" 2>/dev/null || true
        wait "$k" 2>/dev/null || true
    done
    PEL_E2E_LANE_XVFB=()
    PEL_E2E_LANE_FDS=()
    unset PEL_E2E_LANE_DIR
}
