#!/usr/bin/env bash
# Builds the benchmarks optimised, runs them natively (Google Benchmark) and under wine64 (our own harness, on
# a virtual display), and writes bench/RESULTS.md.
#   bench/run_bench.sh          the figures at their stated sizes (make bench)
#   bench/run_bench.sh --tiny   every benchmark once at a thousandth of the size, from the test builds, to see
#                               that they still build and work; prints a GoogleTest-style summary, judges no time
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
jobs="${JOBS:-$(nproc)}"

if [ "${1:-}" = "--tiny" ]; then
    export ORV_BENCH_TINY=1
    native=build/native/bench
    out=build/bench-results-tiny
    gbench_flags=(--benchmark_repetitions=1)
else
    cmake --preset bench >/dev/null && cmake --build build/bench -j "$jobs" --target orv_bench orv_bench_memory || exit 1
    { test -f build/win64/build.ninja || cmake --preset win64 >/dev/null; } &&
        cmake --build build/win64 -j "$jobs" --target orv_bench_wine || exit 1
    native=build/bench/bench
    out=build/bench-results
    # Interleaved repetitions, medians reported: the two sides of a ratio see the same load.
    gbench_flags=(--benchmark_repetitions=5 --benchmark_enable_random_interleaving=true
                  --benchmark_report_aggregates_only=true)
fi
mkdir -p "$out"
rm -f "$out"/*.json "$out"/*.jsonl

passed=0
failed=0
step() {
    local name=$1; shift
    if "$@" >"$out/$name.log" 2>&1; then
        echo "[       OK ] Bench.$name"; passed=$((passed + 1))
    else
        echo "[  FAILED  ] Bench.$name"; tail -n 20 "$out/$name.log"; failed=$((failed + 1))
    fi
}

step Native "$native/orv_bench" "${gbench_flags[@]}" --benchmark_format=json --benchmark_out="$out/native.json"
step Memory "$native/orv_bench_memory" --benchmark_format=json --benchmark_out="$out/memory.json"
# A display of our own, numbered apart from the UI suite's, for the real windows.
wine_bench() {
    local display="" n
    for n in $(seq 161 199); do
        if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then display=":$n"; break; fi
    done
    Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    local xvfb=$!
    for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.1; done
    DISPLAY="$display" tools/wine.sh build/win64/bench/orv_bench_wine.exe | tr -d '\r' | grep -a '^{' >"$out/wine.jsonl"
    local rc=${PIPESTATUS[0]}
    kill "$xvfb" 2>/dev/null
    [ "$rc" -eq 0 ] && [ -s "$out/wine.jsonl" ]
}
step Wine wine_bench
if [ "${ORV_BENCH_TINY:-0}" = 1 ]; then
    step Results python3 bench/write_results.py "$out" "$out/RESULTS.md"
else
    step Results python3 bench/write_results.py "$out" bench/RESULTS.md
    cat bench/RESULTS.md
fi

echo "[==========] benchmarks"
echo "[  PASSED  ] $passed tests."
[ "$failed" -eq 0 ] || echo "[  FAILED  ] $failed tests, listed above"
[ "$failed" -eq 0 ]
