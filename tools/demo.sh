#!/usr/bin/env bash
# Shows the component to a person: the sample host when it is built, otherwise the dialogs as they are.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
host="$root/build/win64/host/Orv_Host.exe"
if [ -f "$host" ]; then
    exec "$root/tools/wine.sh" "$host"
fi
echo "The sample host is not built yet; run 'make test' to exercise the dialogs headless."
