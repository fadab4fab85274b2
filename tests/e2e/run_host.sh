#!/usr/bin/env bash
# The whole chain end to end: the sample host drives the real DLL through COM on a virtual display (host ->
# component -> dialog -> events -> drawing changed -> file saved and read back), as `Orv_Host --tour`. Also checks
# that the C++ the README shows is the host's own code, word for word.
set -uo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
log=$(mktemp)
blocks=$(mktemp -d)
trap 'rm -rf "$log" "$blocks"' EXIT

"$root/host/play_tour.sh" 2>&1 | tee "$log"
rc=${PIPESTATUS[0]}
passed=$(sed -nE 's/^\[  PASSED  \] ([0-9]+) test.*/\1/p' "$log" | tail -n1)
failed=$(sed -nE 's/^\[  FAILED  \] ([0-9]+) test.*/\1/p' "$log" | tail -n1)
passed=${passed:-0}
failed=${failed:-0}
if [ "$rc" -ne 0 ] && [ "$failed" -eq 0 ]; then
    echo "the tour ended with code $rc"
    failed=1
fi

# Each ```cpp block of the README must stand, line for line, in one of host/*.cpp.
awk -v dir="$blocks" '/^```cpp$/ {n++; inside=1; next} /^```$/ {inside=0} inside {print > (dir "/" n)}' \
    "$root/README.md"
found_in_host() {
    local block=$1 first lines file at
    first=$(head -n1 "$block")
    lines=$(wc -l <"$block")
    for file in "$root"/host/*.cpp; do
        for at in $(grep -n -F -x -- "$first" "$file" | cut -d: -f1); do
            sed -n "${at},$((at + lines - 1))p" "$file" | cmp -s - "$block" && return 0
        done
    done
    return 1
}
for block in "$blocks"/*; do
    [ -f "$block" ] || continue
    if found_in_host "$block"; then
        echo "[       OK ] Readme.CppBlock$(basename "$block")IsTheHostsCode"
        passed=$((passed + 1))
    else
        echo "[  FAILED  ] Readme.CppBlock$(basename "$block")IsTheHostsCode: \"$(head -n1 "$block")\""
        failed=$((failed + 1))
    fi
done

echo "[==========] sample host"
echo "[  PASSED  ] $passed tests."
[ "$failed" -eq 0 ] || echo "[  FAILED  ] $failed tests, listed above"
[ "$failed" -eq 0 ]
