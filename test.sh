#!/usr/bin/env bash
# Sets up, builds and runs every test under Wine, the 32-bit build first (the one musicians load), then the
# 64-bit one, with a virtual display for the tests that open windows. Fails if either fails.
set -euo pipefail
cd "$(dirname "$0")"
tools/setup.sh
tools/build.sh
status=0
for preset in win32 win64; do
    echo "== $preset"
    xvfb-run -a -s "-screen 0 1024x768x24" ctest --preset "$preset" --parallel 4 || status=1
done
exit $status
