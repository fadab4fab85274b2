#!/usr/bin/env bash
# Shows the component doing its job in the sample host (build/win64/host/Orv_Host.exe) on the embedded parcel
# survey, with Orv_Pol_edit.dll registered in the build's Wine prefix. With an X display the host's window opens
# for the user; without one the scripted tour plays on a virtual display and leaves its pictures in build/demo/.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
host="$root/build/win64/host/Orv_Host.exe"
dll="$root/build/win64/src/com/Orv_Pol_edit.dll"
if [ ! -f "$host" ] || [ ! -f "$dll" ]; then
    echo "Nothing to show yet: build the win64 preset first (make build-win64)."
    exit 1
fi
if [ -z "${DISPLAY:-}" ]; then
    echo "No X display: playing the host's tour on a virtual one (Xvfb) and taking a picture of each step."
    status=0
    "$root/host/play_tour.sh" || status=$?
    echo
    echo "Pictures of the tour:"
    for picture in "$root"/build/demo/*.png "$root"/build/demo/*.gif; do
        [ -f "$picture" ] && echo "  $picture"
    done
    exit "$status"
fi
# A prefix of the demo's own: the test suites register and unregister the DLL in theirs.
export WINEPREFIX="$root/build/win64/wineprefix-demo"
"$root/tools/wine.sh" regsvr32 /s "$dll"
echo "Opening Orv_Host: pick a polyline in the plan or the list, then \"Editar polilínea\" or \"Enfocar polilínea\"."
exec "$root/tools/wine.sh" "$host" "$@"
