#!/usr/bin/env bash
# Builds and tests everything: the native logic tests (with sanitizers), then the Windows build with its unit
# tests and end-to-end scenarios under Wine. Exits non-zero when any build or test fails.
# All Windows tests share one X display and one Wine prefix, both stopped at the end.
set -uo pipefail

REPO="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_ROOT="${PEL_BUILD_ROOT:-$REPO/build}"
export PEL_BUILD_ROOT="$BUILD_ROOT"
JOBS="${PEL_JOBS:-2}"
started=$SECONDS

bash "$REPO/scripts/deps.sh" || exit 1

source "$REPO/scripts/wine-env.sh"
trap 'pel_e2e_lanes_cleanup; pel_wine_cleanup' EXIT
trap 'exit 143' TERM INT HUP
pel_wine_setup || {
    echo "test.sh: no X display or Wine prefix" >&2
    exit 1
}
echo "test.sh: display $DISPLAY, Wine prefix $WINEPREFIX"

# The extractor takes minutes to build from source and only the Windows phases need it: its source is fetched
# now (the package lists are touched only here), and it is built at low priority beside the native build,
# tests and fuzzing, which leave a core idle much of the time. build.sh waits for it.
mkdir -p "$BUILD_ROOT"
extractor_pid=""
extractor_started=$SECONDS
if bash "$REPO/scripts/extractor.sh" --fetch >"$BUILD_ROOT/extractor.log" 2>&1; then
    setsid nice -n 10 bash "$REPO/scripts/extractor.sh" >>"$BUILD_ROOT/extractor.log" 2>&1 </dev/null &
    extractor_pid=$!
    trap '[[ -n $extractor_pid ]] && kill -- -"$extractor_pid" 2>/dev/null; pel_e2e_lanes_cleanup; pel_wine_cleanup' EXIT
fi

declare -A result
total_passed=0
total_failed=0
run_phase() {
    local name="$1"
    shift
    local t0=$SECONDS log="$BUILD_ROOT/${name// /-}.log"
    mkdir -p "$BUILD_ROOT"
    echo "== $name"
    if pel_exec "$@" 2>&1 | tee "$log"; then result[$name]="passed"; else result[$name]="FAILED"; fi
    # CTest's closing line: "NN% tests passed, F tests failed out of T".
    local counts
    counts="$(sed -n 's/.*tests passed, \([0-9]*\) tests\{0,1\} failed out of \([0-9]*\).*/\1 \2/p' "$log" | tail -n1)"
    if [[ -n "$counts" ]]; then
        read -r failed total <<<"$counts"
        total_failed=$((total_failed + failed))
        total_passed=$((total_passed + total - failed))
    fi
    echo "== $name: ${result[$name]} ($((SECONDS - t0)) s)"
}

run_phase "native build" bash "$REPO/scripts/build.sh" --native-only
if [[ ${result["native build"]} == passed ]]; then
    run_phase "native tests" ctest --test-dir "$BUILD_ROOT/native" --output-on-failure -j "$JOBS"
fi
# The parsers' fuzz targets, a few seconds each (scripts/fuzz.sh SECONDS runs them longer).
run_phase "fuzz" bash "$REPO/scripts/fuzz.sh" "${PEL_FUZZ_SECONDS:-2}"
if [[ -n $extractor_pid ]]; then
    if wait "$extractor_pid"; then
        echo "== extractor built beside the native phases ($((SECONDS - extractor_started)) s from the start)"
    else
        echo "== extractor: the background build failed (log: $BUILD_ROOT/extractor.log); building it again"
    fi
    extractor_pid=""
fi
run_phase "windows build" bash "$REPO/scripts/build.sh"
if [[ ${result["windows build"]} == passed ]]; then
    # The end-to-end scenarios mostly wait on the reader: each takes one of the lanes (a display and a Wine
    # prefix of its own), and as many run at once as there are lanes.
    lanes="${PEL_E2E_LANES:-3}"
    if pel_e2e_lanes_setup "$lanes"; then
        run_phase "windows tests" ctest --test-dir "$BUILD_ROOT/win" --output-on-failure -j "$lanes"
    else
        echo "test.sh: no lanes for the end-to-end scenarios; they run one at a time"
        run_phase "windows tests" ctest --test-dir "$BUILD_ROOT/win" --output-on-failure -j "$JOBS"
    fi
    pel_e2e_lanes_cleanup
fi

status=0
echo "== summary ($((SECONDS - started)) s)"
for name in "native build" "native tests" "fuzz" "windows build" "windows tests"; do
    echo "   $name: ${result[$name]:-not run}"
    [[ ${result[$name]:-not run} == passed ]] || status=1
done
echo "tests: $total_passed passed, $total_failed failed"
exit $status
