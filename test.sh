#!/usr/bin/env bash
# Sets up, builds and runs every test under Wine, the 32-bit build first (the one musicians load), then the
# 64-bit one, with a virtual display for the tests that open windows. Fails if either fails. On a machine whose
# kernel runs no 32-bit programs the 32-bit build is still made, but only the 64-bit one is tested, and the last
# line says so.
set -euo pipefail
cd "$(dirname "$0")"
tools/setup.sh
tools/build.sh
status=0
tests/cmake/check-32bit-test.sh || status=1
skipped=""
if ! machine=$(cmake/check-32bit.sh); then
    case "$machine" in
    no-kernel:*) skipped="32-bit tests not run: ${machine#*: }" ;;
    *) echo "${machine#*: }" >&2; exit 1 ;;
    esac
fi
for preset in win32 win64; do
    echo "== $preset"
    if [ "$preset" = win32 ] && [ -n "$skipped" ]; then
        echo "$skipped"
        continue
    fi
    xvfb-run -a -s "-screen 0 1024x768x24" ctest --preset "$preset" --parallel 4 || status=1
done
[ -z "$skipped" ] || echo "$skipped"
exit $status
