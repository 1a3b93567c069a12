#!/usr/bin/env bash
# Runs a Windows program in the project's own Wine prefix, quietly and without Mono/Gecko prompts; a 32-bit
# program goes to the 32-bit loader (VOLTURA_WINE32 names another), anything else to the 64-bit one.
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
export WINEPREFIX="${WINEPREFIX:-$here/../build/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
loader=/usr/lib/wine/wine64
if [ -f "$1" ]; then
    # The PE header's offset sits at 0x3c; the machine field follows the 4-byte signature (0x14c: i386).
    offset=$(od -An -tu4 -j60 -N4 "$1" 2>/dev/null | tr -d ' ')
    machine=$(od -An -tx2 -j$((${offset:-0} + 4)) -N2 "$1" 2>/dev/null | tr -d ' ')
    [ "$machine" = "014c" ] && loader="${VOLTURA_WINE32:-/usr/lib/wine/wine}"
fi
# Playing a machine that runs no 32-bit programs, refuse as it would, but plainly.
if [ "$loader" != /usr/lib/wine/wine64 ] && [ "${VOLTURA_32BIT:-}" = no ]; then
    echo "wine-run.sh: $1 not run: this machine runs no 32-bit programs (VOLTURA_32BIT=no)" >&2
    exit 126
fi
exec "$loader" "$@"
