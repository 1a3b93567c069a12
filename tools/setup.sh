#!/usr/bin/env bash
# Installs what the project needs from Debian's packages and prepares its own Wine prefix; quiet when all is there.
# Every failure says what failed: nothing ends here without a line of why.
set -uo pipefail
cd "$(dirname "$0")/.."

fail() {
    echo "setup: $*" >&2
    exit 1
}

packages=(cmake ninja-build g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix wine64 xvfb xauth googletest)
# The deliverables are 32-bit, so their tests need the 32-bit Wine loader too, where the kernel runs it at all.
kernel=$(cmake/check-32bit.sh --kernel)
runs32=$?
((runs32 == 0)) && packages+=(wine32:i386)
missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'ok installed' || missing+=("$package")
done

# Prints one line per package index apt could not read (or its first error) and keeps their suites in failed_suites.
report_update_failure() {
    local line url
    while IFS= read -r line; do
        url=$(sed -n 's/^E: Failed to fetch \([^ ]*\).*/\1/p' <<<"$line")
        [ -n "$url" ] || continue
        echo "setup: package index not read, installing from the lists apt has: $url (${line##*  })" >&2
        failed_suites+=("$(sed -n 's|.*/dists/\([^/]*\)/.*|\1|p' <<<"$url")")
    done <<<"$1"
    ((${#failed_suites[@]})) ||
        echo "setup: apt-get update failed, installing from the lists apt has: $(grep -m1 '^E:' <<<"$1")" >&2
}

# Names each wanted package apt cannot install, quoting apt's reasons, and fails.
report_uninstallable() {
    local package output reasons=""
    for package in "$@"; do
        output=$($sudo apt-get install -s -q --no-install-recommends "$package" 2>&1) && continue
        reasons+=$'\n'"  $package:"$'\n'$( (sed -n '/unmet dependencies:/,/^E:/p' <<<"$output" | grep -v '^E:'
            grep '^E:' <<<"$output") | sed 's/^ */    /')
    done
    [ -n "$reasons" ] || reasons=" $(grep '^E:' <<<"$install_output" | tail -1)"
    fail "cannot install what the build and tests need; apt says:$reasons"
}

apt_install() {
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}" 2>&1
}

if ((${#missing[@]})); then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    echo "Installing ${missing[*]} ..."
    if ((runs32 != 0)); then
        echo "setup: not installing the 32-bit Wine (wine32:i386): ${kernel#*: }; only the 64-bit build can be run"
    elif ! dpkg --print-foreign-architectures | grep -qx i386; then
        $sudo dpkg --add-architecture i386 || fail "could not add Debian's i386 architecture, which wine32:i386 needs"
    fi
    # A caching proxy can serve an index older than its release file; asking it past its cache mends that. An index
    # that still cannot be read (a mirror half-synced) is named, and the lists apt has are used.
    failed_suites=()
    if ! $sudo apt-get update -qq >/dev/null 2>&1; then
        update=$($sudo apt-get update -qq -o Acquire::http::No-Cache=true 2>&1) || report_update_failure "$update"
    fi
    if ! install_output=$(apt_install); then
        ((${#failed_suites[@]})) || report_uninstallable "${missing[@]}"
        # A suite whose index is missing for one architecture holds the newest versions of packages whose twins
        # in that architecture it cannot name; held below the main suite, apt takes the main suite's pairs.
        pins=$(mktemp /etc/apt/preferences.d/voltura-setup-XXXXXX) || fail "could not write an apt preference"
        trap 'rm -f "$pins"' EXIT
        for suite in $(printf '%s\n' "${failed_suites[@]}" | sort -u); do
            printf 'Package: *\nPin: release n=%s\nPin-Priority: 100\n\n' "$suite" >>"$pins"
            echo "setup: trying again with $suite held below the main suite, as its index could not be read"
        done
        install_output=$(apt_install) || report_uninstallable "${missing[@]}"
        rm -f "$pins"
    fi
fi

# The 32-bit Wine must start wherever the kernel runs 32-bit programs; that it does not is a set-up fault.
if ((runs32 == 0)); then
    state=$(cmake/check-32bit.sh) || fail "${state#*: }"
fi

# A prefix of the project's own keeps runs hermetic; the first start takes several seconds, so do it once here.
export WINEPREFIX="$PWD/build/wineprefix"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "Preparing the Wine prefix ..."
    mkdir -p "$WINEPREFIX"
    /usr/lib/wine/wine64 wineboot --init >/dev/null 2>&1 || fail "the 64-bit Wine could not prepare $WINEPREFIX"
    /usr/lib/wine/wineserver -w
fi
# The 32-bit side of the prefix finishes its own first start on the first 32-bit program; parallel tests must
# not race it, so start one here and wait for the server to settle.
if ((runs32 == 0)) && [ ! -f "$WINEPREFIX/.win32-ready" ]; then
    "${VOLTURA_WINE32:-/usr/lib/wine/wine}" cmd /c exit >/dev/null 2>&1 || true
    /usr/lib/wine/wineserver -w
    touch "$WINEPREFIX/.win32-ready"
fi
