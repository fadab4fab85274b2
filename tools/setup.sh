#!/usr/bin/env bash
# Installs what the build and the tests need on a Debian machine; quick and silent when all is there.
set -euo pipefail
packages=(cmake ninja-build g++ g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix mingw-w64-tools
          binutils-mingw-w64-x86-64 binutils-mingw-w64-i686 wine64 libwine-dev fonts-wine xvfb xauth x11-utils
          xdotool imagemagick libgtest-dev libgmock-dev googletest libbenchmark-dev clang-format git
          python3 linux-perf clang libclang-rt-dev)
# One query for all of them: a package dpkg has never heard of is simply absent from the answer.
installed=$(dpkg-query -W -f='${Status} ${Package}\n' "${packages[@]}" 2>/dev/null |
            awk '$1 == "install" && $3 == "installed" { print $4 }' || true)
missing=()
for p in "${packages[@]}"; do
    grep -qxF "$p" <<<"$installed" || missing+=("$p")
done
if ((${#missing[@]})); then
    echo "setup: installing ${missing[*]}"
    sudo_cmd=""
    [ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
    $sudo_cmd apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
