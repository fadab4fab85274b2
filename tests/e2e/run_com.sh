#!/usr/bin/env bash
# The COM server's suite: static checks of both DLLs (exports, imports) and the test host under Wine (type library,
# version records, registration, creation, calls, and events from the real dialogs worked by a user thread), then a
# script host smoke test. Ends with one GoogleTest-style summary of everything.
set -uo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
cd "$root"
passed=0
failed=0

check() {
    local name=$1; shift
    if "$@"; then
        echo "[       OK ] $name"; passed=$((passed + 1))
    else
        echo "[  FAILED  ] $name"; failed=$((failed + 1))
    fi
}

dll64=build/win64/src/com/Orv_Pol_edit.dll
dll32=build/win32/src/com/Orv_Pol_edit.dll
host=build/win64/tests/e2e/com_host_tests.exe

# The export table: "ordinal name" per export, nothing else.
exports_of() {
    echo "$3" | awk '/^\[Ordinal\/Name Pointer\] Table/ {t=1; next} t && NF==0 {exit} t {print}' |
        sed -E 's/^\s*\[\s*([0-9]+)\]\s+(\S+).*/\2/'
}
ordinals_of() {
    echo "$3" | awk '/^Export Address Table/ {t=1; next} t && NF==0 {exit} t {print}' | grep -c '\[' || true
}
expect_exports() {
    local objdump=$1 dll=$2
    [ -f "$dll" ] || { echo "missing $dll"; return 1; }
    local dump names
    dump=$("$objdump" -p "$dll")
    names=$(exports_of "$objdump" "$dll" "$dump" | tr '\n' ' ')
    [ "$names" = "DllCanUnloadNow DllGetClassObject DllRegisterServer DllUnregisterServer " ] ||
        { echo "exports: $names"; return 1; }
    # Names sorted with ordinals counted from base 1: DllCanUnloadNow is 1 ... DllUnregisterServer is 4.
    grep -qE 'Ordinal Base 1$' <<<"$dump" || { echo "ordinal base"; return 1; }
    [ "$(ordinals_of "$objdump" "$dll" "$dump")" = 4 ] || { echo "ordinals"; return 1; }
}
# Carries its own C++ runtime: no MinGW runtime DLL among the imports.
expect_own_runtime() {
    local objdump=$1 dll=$2
    [ -f "$dll" ] || return 1
    local imports
    imports=$("$objdump" -p "$dll" | sed -n 's/^\s*DLL Name: //p' | tr '\n' ' ')
    echo "imports of $dll: $imports"
    ! echo "$imports" | grep -qiE 'libstdc|libgcc|libwinpthread' &&
        echo "$imports" | grep -qi 'OLEAUT32' && echo "$imports" | grep -qi 'ADVAPI32'
}
expect_machine() {
    local header
    header=$(x86_64-w64-mingw32-objdump -f "$2")
    grep -q "file format $1" <<<"$header"
}

# The i686 fault guard registers its handler on the thread's fs:0 chain, which only a run can prove and there is
# no 32-bit Wine here. What can be read from the file: the image does not declare itself free of such handlers
# (NO_SEH, 0x0400) and carries no safe-handler table that would leave ours out, the trampoline pushes and pops
# its record at fs:0, and the unwind it resumes through is imported.
expect_i686_fault_guard() {
    local dll=$1
    [ -f "$dll" ] || return 1
    local header characteristics
    header=$(i686-w64-mingw32-objdump -p "$dll")
    characteristics=$(sed -n 's/^DllCharacteristics\s\+\([0-9a-fA-F]\+\).*/\1/p' <<<"$header")
    echo "DllCharacteristics $characteristics"
    (((16#$characteristics & 0x0400) == 0)) || { echo "NO_SEH is set"; return 1; }
    grep -qE 'Entry a 0+ 0+ Load Configuration Directory' <<<"$header" || { echo "a load configuration"; return 1; }
    grep -qE '^\s+[0-9a-f]+\s+[0-9]+\s+RtlUnwind$' <<<"$header" || { echo "RtlUnwind not imported"; return 1; }
    [ "$(i686-w64-mingw32-objdump -d --disassemble=_orv_guarded_call "$dll" | grep -c '%fs:0x0')" = 3 ] ||
        { echo "the trampoline's fs:0 record"; return 1; }
}

check "Exports.X86_64Dll" expect_exports x86_64-w64-mingw32-objdump "$dll64"
check "Imports.X86_64Dll" expect_own_runtime x86_64-w64-mingw32-objdump "$dll64"
check "Machine.X86_64Dll" expect_machine pei-x86-64 "$dll64"
check "Exports.I686Dll" expect_exports i686-w64-mingw32-objdump "$dll32"
check "Imports.I686Dll" expect_own_runtime i686-w64-mingw32-objdump "$dll32"
check "Machine.I686Dll" expect_machine pei-i386 "$dll32"
check "FaultGuard.I686Dll" expect_i686_fault_guard "$dll32"

windows_path() { [ -f "$1" ] && echo "Z:$(realpath "$1" | sed 's|/|\\|g')" || echo ""; }
export ORV_COM_DLL ORV_COM_DLL_I686
ORV_COM_DLL=$(windows_path "$dll64")
ORV_COM_DLL_I686=$(windows_path "$dll32")
export WINEPREFIX="${WINEPREFIX:-$root/build/win64/wineprefix}"
log=$(mktemp)
if [ -f "$host" ]; then
    xvfb-run -a tools/wine.sh "$host" 2>&1 | tee "$log"
    host_passed=$(grep -E '^\[  PASSED  \] [0-9]+ test' "$log" | tail -n1 | sed -E 's/^\[  PASSED  \] ([0-9]+).*/\1/')
    host_failed=$(grep -E '^\[  FAILED  \] [0-9]+ test' "$log" | tail -n1 | sed -E 's/^\[  FAILED  \] ([0-9]+).*/\1/')
    [ -z "$host_passed" ] && [ -z "$host_failed" ] && host_failed=1
    passed=$((passed + ${host_passed:-0}))
    failed=$((failed + ${host_failed:-0}))
else
    echo "[  FAILED  ] the COM test host is not built"
    failed=$((failed + 1))
fi

# A script host creates the class by its programmatic name.
smoke() {
    local dll=$1
    local script
    script=$(mktemp --suffix=.vbs)
    printf 'Set o = CreateObject("Orv_Pol_edit.C_Enf_Pol")\r\nWScript.Echo "created " & TypeName(o)\r\n' >"$script"
    tools/wine.sh regsvr32 /s "$dll" >/dev/null 2>&1
    local out
    out=$(tools/wine.sh cscript //nologo "Z:$(echo "$script" | sed 's|/|\\|g')" 2>&1 | tr -d '\r')
    tools/wine.sh regsvr32 /u /s "$dll" >/dev/null 2>&1
    rm -f "$script"
    echo "cscript: $out"
    echo "$out" | grep -q "created .*C_Enf_Pol"
}
if [ -f "$WINEPREFIX/drive_c/windows/system32/cscript.exe" ]; then
    check "ScriptHost.CreateObjectByProgId" smoke "$ORV_COM_DLL"
fi
rm -f "$log"

echo "[==========] COM server suite"
echo "[  PASSED  ] $passed tests."
[ "$failed" -eq 0 ] || echo "[  FAILED  ] $failed tests, listed above"
[ "$failed" -eq 0 ]
