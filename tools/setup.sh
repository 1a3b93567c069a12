#!/usr/bin/env bash
# Installs what the project needs from Debian's packages and prepares its own Wine prefix; quiet when all is there.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(cmake ninja-build g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix wine64 wine32:i386 xvfb xauth googletest)
missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'ok installed' || missing+=("$package")
done
if ((${#missing[@]})); then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    echo "Installing ${missing[*]} ..."
    # The deliverables are 32-bit, so their tests need the 32-bit Wine loader too.
    dpkg --print-foreign-architectures | grep -qx i386 || $sudo dpkg --add-architecture i386
    # A caching proxy can serve an index older than its release file; asking it past its cache mends that.
    $sudo apt-get update -qq || $sudo apt-get update -qq -o Acquire::http::No-Cache=true
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# A prefix of the project's own keeps runs hermetic; the first start takes several seconds, so do it once here.
export WINEPREFIX="$PWD/build/wineprefix"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "Preparing the Wine prefix ..."
    mkdir -p "$WINEPREFIX"
    WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" /usr/lib/wine/wine64 wineboot --init >/dev/null 2>&1
    /usr/lib/wine/wineserver -w
fi
# The 32-bit side of the prefix finishes its own first start on the first 32-bit program; parallel tests must
# not race it, so start one here and wait for the server to settle.
if [ ! -f "$WINEPREFIX/.win32-ready" ]; then
    WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" /usr/lib/wine/wine cmd /c exit >/dev/null 2>&1 || true
    /usr/lib/wine/wineserver -w
    touch "$WINEPREFIX/.win32-ready"
fi
