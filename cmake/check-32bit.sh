#!/usr/bin/env bash
# Tells whether this machine can run the 32-bit build: prints one line, "<state>: <reason>", and exits 0 only for
# the first state.
#   runs       the kernel runs 32-bit programs and the 32-bit Wine loader starts
#   no-kernel  the kernel runs no 32-bit programs (its IA-32 emulation is off): only the 64-bit build can run
#   no-wine    the kernel runs them, but the 32-bit Wine loader is missing or does not start: a set-up fault
# With --kernel it asks only the kernel (runs or no-kernel), as set-up must before the 32-bit Wine is installed.
# VOLTURA_32BIT=no or yes forces the kernel's answer, to play the other sort of machine; VOLTURA_WINE32 names
# the loader (default /usr/lib/wine/wine).
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
loader="${VOLTURA_WINE32:-/usr/lib/wine/wine}"

# The smallest i386 program that proves the kernel runs 32-bit code: one loaded segment whose three instructions
# are exit(42) through int 0x80. The ELF header and its program header take 84 bytes, the code 12.
write_probe() {
    printf '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00'     # 32-bit, little-endian, version 1
    printf '\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08'             # executable, i386, entry 0x08048054
    printf '\x34\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00'             # program headers at 52, no sections
    printf '\x34\x00\x20\x00\x01\x00\x00\x00\x00\x00\x00\x00'             # header sizes, one program header
    printf '\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08' # load file offset 0 at 0x08048000
    printf '\x60\x00\x00\x00\x60\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00' # 96 bytes, read and execute
    printf '\xb8\x01\x00\x00\x00\xbb\x2a\x00\x00\x00\xcd\x80'             # mov eax, 1; mov ebx, 42; int 0x80
}

# Sets kernel_reason and answers whether the kernel runs 32-bit programs.
kernel_runs_32bit() {
    case "${VOLTURA_32BIT:-}" in
    no)
        kernel_reason="this machine runs no 32-bit programs (VOLTURA_32BIT=no)"
        return 1
        ;;
    yes) return 0 ;;
    esac
    # The probe goes in the project's own build folder: a temporary folder may be mounted without execution.
    local folder="$here/../build" probe output status
    mkdir -p "$folder" && probe=$(mktemp "$folder/.probe-i386.XXXXXX") || {
        kernel_reason="no room to write a 32-bit test program in $folder"
        return 1
    }
    write_probe >"$probe" && chmod +x "$probe"
    output=$("$probe" 2>&1)
    status=$?
    rm -f "$probe"
    [ "$status" -eq 42 ] && return 0
    if [[ "$output" == *"Exec format error"* ]]; then
        kernel_reason="this machine's kernel runs no 32-bit programs"
    else
        kernel_reason="a 32-bit test program did not run here (exit $status${output:+: ${output##*: }})"
    fi
    return 1
}

if ! kernel_runs_32bit; then
    echo "no-kernel: $kernel_reason"
    exit 1
fi
if [ "${1:-}" = "--kernel" ]; then
    echo "runs: this machine's kernel runs 32-bit programs"
    exit 0
fi
install_hint="install it with: dpkg --add-architecture i386 && apt-get update && apt-get install wine32:i386"
if [ ! -x "$loader" ]; then
    echo "no-wine: this machine runs 32-bit programs, but the 32-bit Wine loader $loader is missing; $install_hint"
    exit 2
fi
version=$("$loader" --version 2>&1)
status=$?
version=${version%%$'\n'*}
if [ "$status" -ne 0 ]; then
    echo "no-wine: this machine runs 32-bit programs, but the 32-bit Wine loader $loader does not start" \
        "(exit $status${version:+: $version}); $install_hint"
    exit 2
fi
echo "runs: this machine runs 32-bit programs and the 32-bit Wine loader starts ($version)"
