#!/usr/bin/env bash
# The Windows views end to end: ui_e2e.exe under wine64 on a virtual X display (Xvfb), all tests at 96 DPI and the
# layout and screenshot tests again at 144 DPI, each DPI in a Wine prefix of its own. The editor is also timed on a
# polyline of a million vertices. Ends with one GoogleTest-style summary of both runs.
# ORV_UPDATE_SCREENSHOTS=1 copies the pictures into docs/screenshots/.
set -uo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
exe="$root/build/win64/tests/e2e/ui_e2e.exe"
dll="Z:$(echo "$root/build/win64/src/com/Orv_Pol_edit.dll" | sed 's|/|\\|g')"
wine=/usr/lib/wine/wine64
if [ ! -f "$exe" ]; then
    echo "ui_e2e.exe is not built (cmake --build build/win64)"
    echo "[  FAILED  ] 1 test"
    exit 1
fi
shots="$root/build/screenshots"
mkdir -p "$shots"
rm -f "$shots"/*.bmp "$shots"/*.png

# A display of our own: the tests click and type into real windows.
display=""
for n in $(seq 91 140); do
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then display=":$n"; break; fi
done
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null' EXIT
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.1; done

# A prefix per DPI; Wine draws the window frames itself (there is no window manager on the display).
prefix() {
    local dpi=$1 p="$root/build/win64/wineprefix-ui-$1"
    if [ ! -f "$p/system.reg" ] || ! grep -q "ui-e2e-ready" "$p/.ready" 2>/dev/null; then
        rm -rf "$p"
        mkdir -p "$p"
        WINEPREFIX="$p" WINEDEBUG=-all DISPLAY="$display" "$wine" wineboot --init >/dev/null 2>&1
        WINEPREFIX="$p" WINEDEBUG=-all DISPLAY="$display" "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N /f >/dev/null 2>&1
        WINEPREFIX="$p" WINEDEBUG=-all DISPLAY="$display" "$wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
        # The caption buttons' glyphs come from Marlett.
        mkdir -p "$p/drive_c/windows/Fonts"
        cp /usr/share/wine/fonts/marlett.ttf "$p/drive_c/windows/Fonts/" 2>/dev/null || true
        WINEPREFIX="$p" /usr/lib/wine/wineserver -w
        echo ui-e2e-ready > "$p/.ready"
    fi
    echo "$p"
}

passed=0
failed=0
run() {
    local dpi=$1 log="$root/build/ui_e2e_$1.log"
    shift
    local p
    p=$(prefix "$dpi")
    WINEPREFIX="$p" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" DISPLAY="$display" ORV_COM_DLL="$dll" \
        ORV_SCREENSHOT_DIR="Z:${shots//\//\\}" "$wine" "$exe" "$@" 2>&1 | tee "$log"
    local rc=${PIPESTATUS[0]}
    local p_count f_count
    p_count=$(grep -E '^\[  PASSED  \] [0-9]+ test' "$log" | tail -n1 | sed -E 's/^\[  PASSED  \] ([0-9]+).*/\1/')
    f_count=$(grep -E '^\[  FAILED  \] [0-9]+ test' "$log" | tail -n1 | sed -E 's/^\[  FAILED  \] ([0-9]+).*/\1/')
    p_count=${p_count:-0}
    f_count=${f_count:-0}
    if [ "$rc" -ne 0 ] && [ "$f_count" -eq 0 ]; then f_count=1; fi
    passed=$((passed + p_count))
    failed=$((failed + f_count))
    WINEPREFIX="$p" /usr/lib/wine/wineserver -k 2>/dev/null || true
}

ORV_BENCH_VERTICES="${ORV_BENCH_VERTICES:-1000000}" run 96
ORV_BENCH_VERTICES=20000 run 144 --gtest_filter='DialogsAtTheRunsDpi.*'

for bmp in "$shots"/*.bmp; do
    [ -f "$bmp" ] && convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"
done
if [ "${ORV_UPDATE_SCREENSHOTS:-0}" = 1 ]; then
    mkdir -p "$root/docs/screenshots"
    cp "$shots"/*.png "$root/docs/screenshots/"
fi

echo "[==========] ui_e2e at 96 and 144 DPI"
echo "[  PASSED  ] $passed tests."
if [ "$failed" -ne 0 ]; then
    echo "[  FAILED  ] $failed tests, listed above."
    exit 1
fi
