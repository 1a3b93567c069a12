#!/usr/bin/env bash
# Plays each sort of machine through the 32-bit check's overrides and checks the state, the exit status and the
# reason it gives; then checks the real probe against the kernel's own 32-bit loader, and that wine-run.sh refuses
# a 32-bit program plainly on a machine played as running none.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
check="$root/cmake/check-32bit.sh"
scratch=$(mktemp -d "$root/build/.check-32bit-test.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
passed=0
failed=0

printf '#!/bin/sh\necho "wine-8.0 (stand-in)"\n' >"$scratch/good-wine"
printf '#!/bin/sh\necho "wine: could not load kernel32.dll" >&2\nexit 1\n' >"$scratch/broken-wine"
chmod +x "$scratch/good-wine" "$scratch/broken-wine"

# expect <name> <status> <text the line must hold> -- <environment and arguments>
expect() {
    local name=$1 status=$2 text=$3 output actual
    shift 4
    output=$(env "$@" 2>&1)
    actual=$?
    if [ "$actual" -eq "$status" ] && [[ "$output" == *"$text"* ]]; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        echo "FAILED $name: exit $actual (wanted $status), printed: $output (wanted it to hold: $text)"
    fi
}

expect "forced no" 1 "no-kernel: this machine runs no 32-bit programs (VOLTURA_32BIT=no)" -- \
    VOLTURA_32BIT=no VOLTURA_WINE32="$scratch/good-wine" "$check"
expect "forced no, kernel only" 1 "no-kernel: this machine runs no 32-bit programs" -- \
    VOLTURA_32BIT=no "$check" --kernel
expect "loader starts" 0 "runs: this machine runs 32-bit programs and the 32-bit Wine loader starts (wine-8.0" -- \
    VOLTURA_32BIT=yes VOLTURA_WINE32="$scratch/good-wine" "$check"
expect "loader missing" 2 "no-wine: this machine runs 32-bit programs, but the 32-bit Wine loader $scratch/none is \
missing; install it with: dpkg --add-architecture i386 && apt-get update && apt-get install wine32:i386" -- \
    VOLTURA_32BIT=yes VOLTURA_WINE32="$scratch/none" "$check"
expect "loader broken" 2 "does not start (exit 1: wine: could not load kernel32.dll); install it with" -- \
    VOLTURA_32BIT=yes VOLTURA_WINE32="$scratch/broken-wine" "$check"
expect "loader missing, kernel only" 0 "runs: this machine's kernel runs 32-bit programs" -- \
    VOLTURA_32BIT=yes VOLTURA_WINE32="$scratch/none" "$check" --kernel

# Unforced, the probe must agree with the kernel: Debian's own 32-bit loader runs exactly where 32-bit code does.
if [ -e /lib/ld-linux.so.2 ]; then
    if /lib/ld-linux.so.2 --version >/dev/null 2>&1; then
        expect "probe on a kernel that runs 32-bit programs" 0 "runs: this machine's kernel runs 32-bit programs" -- \
            -u VOLTURA_32BIT "$check" --kernel
    else
        expect "probe on a kernel that runs none" 1 "no-kernel: this machine's kernel runs no 32-bit programs" -- \
            -u VOLTURA_32BIT "$check" --kernel
    fi
fi

# A file with a PE header whose machine is i386 is all wine-run.sh reads before choosing the loader.
{
    printf 'MZ'
    head -c 58 /dev/zero
    printf '\x40\x00\x00\x00PE\x00\x00\x4c\x01'
} >"$scratch/program32.exe"
expect "wine-run.sh, 32-bit program, none run" 126 \
    "wine-run.sh: $scratch/program32.exe not run: this machine runs no 32-bit programs (VOLTURA_32BIT=no)" -- \
    VOLTURA_32BIT=no VOLTURA_WINE32="$scratch/good-wine" "$root/cmake/wine-run.sh" "$scratch/program32.exe"
expect "wine-run.sh, 32-bit program" 0 "wine-8.0 (stand-in)" -- \
    -u VOLTURA_32BIT VOLTURA_WINE32="$scratch/good-wine" "$root/cmake/wine-run.sh" "$scratch/program32.exe"

echo "check-32bit: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
