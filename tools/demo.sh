#!/usr/bin/env bash
# Shows the component to a person: the sample host when it is built, otherwise the two dialogs on a small survey
# (tests/e2e/demo_dialogs.cpp). Uses the user's X display, or a virtual one when there is none.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
host="$root/build/win64/host/Orv_Host.exe"
dialogs="$root/build/win64/tests/e2e/demo_dialogs.exe"
program="$host"
[ -f "$program" ] || program="$dialogs"
if [ ! -f "$program" ]; then
    echo "Nothing to show yet: build the win64 preset first (make build-win64)."
    exit 1
fi
if [ -z "${DISPLAY:-}" ]; then
    echo "No X display: the dialogs run for 30 s on a virtual one (Xvfb), where nobody sees them."
    exec timeout 30 xvfb-run -a "$root/tools/wine.sh" "$program"
fi
exec "$root/tools/wine.sh" "$program"
