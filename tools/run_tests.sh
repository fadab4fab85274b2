#!/usr/bin/env bash
# Runs every test suite and ends with one line "N passed, N failed" summed over all of them.
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
total_passed=0
total_failed=0
logdir="$root/build/test-logs"
mkdir -p "$logdir"

# Reads a GoogleTest log; a run that printed no summary (a crash) counts as one failure.
count_gtest() {
    local name=$1 log=$2 rc=$3
    local passed failed
    passed=$(grep -E '^\[  PASSED  \] [0-9]+ test' "$log" | tail -n1 | sed -E 's/^\[  PASSED  \] ([0-9]+).*/\1/')
    failed=$(grep -E '^\[  FAILED  \] [0-9]+ test' "$log" | tail -n1 | sed -E 's/^\[  FAILED  \] ([0-9]+).*/\1/')
    passed=${passed:-0}
    failed=${failed:-0}
    if [ "$rc" -ne 0 ] && [ "$failed" -eq 0 ]; then failed=1; fi
    echo "$name: $passed passed, $failed failed"
    if [ "$failed" -ne 0 ]; then
        grep -E '^\[  FAILED  \]|Failure|ERROR|error:' "$log" | head -n 40
    fi
    total_passed=$((total_passed + passed))
    total_failed=$((total_failed + failed))
}

run_suite() {
    local name=$1; shift
    local log="$logdir/$name.log"
    "$@" >"$log" 2>&1
    count_gtest "$name" "$log" $?
}

# A Wine server outlives its last program for a few seconds, and a program started meanwhile in the same prefix
# joins it and its desktop, which may belong to a display that is gone (or to none): the windows of the next
# suite would never show. Each suite that uses the build's prefix starts on a server of its own.
settle_wine() {
    export WINEPREFIX="$root/build/win64/wineprefix"
    /usr/lib/wine/wineserver -k >/dev/null 2>&1 || true
    timeout 60 /usr/lib/wine/wineserver -w >/dev/null 2>&1 || true
    unset WINEPREFIX
}

run_suite native build/native/tests/unit_tests
run_suite native-asan env ASAN_OPTIONS=detect_leaks=1 build/native-asan/tests/unit_tests
# The fuzz targets' kept inputs (seeds and every past finding's reproducer), replayed under the sanitizers.
for replay in build/native-asan/fuzz/*_replay; do
    [ -x "$replay" ] && run_suite "fuzz-$(basename "$replay" _replay)" env ASAN_OPTIONS=detect_leaks=1 "$replay"
done
run_suite win64 tools/wine.sh build/win64/tests/unit_tests.exe

# Suites that later layers add: each is a script that prints GoogleTest-style summaries.
for suite in tests/e2e/run_*.sh; do
    [ -f "$suite" ] || continue
    name=$(basename "$suite" .sh)
    log="$logdir/$name.log"
    settle_wine
    bash "$suite" >"$log" 2>&1
    count_gtest "$name" "$log" $?
done

echo "$total_passed passed, $total_failed failed"
[ "$total_failed" -eq 0 ]
