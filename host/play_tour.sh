#!/usr/bin/env bash
# Plays `Orv_Host --tour` on a virtual display (Xvfb) in a Wine prefix of the build folder with the DLL
# registered there, writes a picture per step and an animated overview into build/demo/, and exits with the
# tour's result. Used by `make demo` without a display and by tests/e2e/run_host.sh.
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
host="$root/build/win64/host/Orv_Host.exe"
dll="$root/build/win64/src/com/Orv_Pol_edit.dll"
out="$root/build/demo"
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
for file in "$host" "$dll"; do
    [ -f "$file" ] || { echo "$file is not built (cmake --build build/win64)"; exit 1; }
done
mkdir -p "$out"
rm -f "$out"/*.png "$out"/*.gif "$out"/recorrido.orv

display=""
for n in $(seq 141 190); do
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then display=":$n"; break; fi
done
Xvfb "$display" -screen 0 1280x860x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null' EXIT
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.1; done

# With no window manager on the display, Wine draws the frames itself; the caption glyphs come from Marlett.
export WINEPREFIX="$root/build/win64/wineprefix-host" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" DISPLAY="$display"
if ! grep -q host-ready "$WINEPREFIX/.ready" 2>/dev/null; then
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
    "$wine" wineboot --init >/dev/null 2>&1
    "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N /f >/dev/null 2>&1
    cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
    "$wineserver" -w
    echo host-ready >"$WINEPREFIX/.ready"
fi
"$wine" regsvr32 /s "$dll" >/dev/null 2>&1

timeout 240 "$wine" "$host" --tour "Z:${out//\//\\}"
result=$?
"$wineserver" -k 2>/dev/null || true

if ls "$out"/0*.png >/dev/null 2>&1 && command -v convert >/dev/null; then
    convert -delay 160 -loop 0 "$out"/0*.png -resize '900x>' -layers Optimize "$out/recorrido.gif"
fi
exit "$result"
