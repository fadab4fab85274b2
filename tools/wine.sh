#!/usr/bin/env bash
# Runs a Windows program under wine64 in the prefix of the win64 build folder, booting the prefix once.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
export WINEPREFIX="${WINEPREFIX:-$root/build/win64/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
mkdir -p "$WINEPREFIX"
if [ ! -f "$WINEPREFIX/.booted" ]; then
    # Two runs starting together must not both boot the same prefix.
    (
        flock 9
        if [ ! -f "$WINEPREFIX/.booted" ]; then
            "$wine" wineboot --init >/dev/null 2>&1 || true
            "$wineserver" -w || true
            touch "$WINEPREFIX/.booted"
        fi
    ) 9>"$WINEPREFIX/.boot.lock"
fi
exec "$wine" "$@"
