#!/usr/bin/env bash
# Sets up, builds and runs every test under Wine, with a virtual display for the tests that open windows.
set -euo pipefail
cd "$(dirname "$0")"
tools/setup.sh
tools/build.sh
xvfb-run -a -s "-screen 0 1024x768x24" ctest --preset win64 --parallel 4
