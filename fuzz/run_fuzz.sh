#!/usr/bin/env bash
# `make fuzz`: builds the fuzz targets with clang and libFuzzer (ASan + UBSan) and runs each for FUZZ_SECONDS
# (default 600) on one core, starting from its kept inputs. New interesting inputs go to build/fuzz/corpus/;
# a finding is written next to the kept inputs (fuzz/corpus/<target>/crash-..., leak-..., timeout-...), where
# `make test` replays it from then on. Prints executions, coverage and findings per target.
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
seconds=${FUZZ_SECONDS:-600}
targets=(whole_number number_texts session)
cmake --preset fuzz >/dev/null || exit 1
cmake --build build/fuzz -j "${JOBS:-2}" --target "${targets[@]/%/_fuzzer}" >/dev/null || exit 1
findings_total=0
printf '%-14s %12s %10s %10s %9s\n' target executions coverage features findings
for target in "${targets[@]}"; do
    kept=fuzz/corpus/$target
    work=build/fuzz/corpus/$target
    log=build/fuzz/$target.log
    mkdir -p "$kept" "$work"
    before=$(ls "$kept" | grep -cE '^(crash|leak|timeout|oom)-' || true)
    "build/fuzz/fuzz/${target}_fuzzer" -max_total_time="$seconds" \
        -timeout=20 -rss_limit_mb=2048 -max_len=4096 -print_final_stats=1 -artifact_prefix="$kept/" \
        "$work" "$kept" >"$log" 2>&1
    after=$(ls "$kept" | grep -cE '^(crash|leak|timeout|oom)-' || true)
    executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n1)
    coverage=$(grep -oE 'cov: [0-9]+' "$log" | tail -n1 | cut -d' ' -f2)
    features=$(grep -oE 'ft: [0-9]+' "$log" | tail -n1 | cut -d' ' -f2)
    printf '%-14s %12s %10s %10s %9s\n' "$target" "${executions:-?}" "${coverage:-?}" "${features:-?}" \
        $((after - before))
    findings_total=$((findings_total + after - before))
    grep -E '^note: |^finding: |^SUMMARY: ' "$log" | sort -u | sed 's/^/    /'
done
echo "fuzz: $findings_total new findings (logs in build/fuzz/*.log)"
[ "$findings_total" -eq 0 ]
