#!/usr/bin/env bash
# Sets up, builds both deliverables, runs VolturaPro through the test host and saves screenshots of both editors:
# ./run.sh [input.wav]
set -euo pipefail
cd "$(dirname "$0")"
tools/setup.sh
tools/build.sh VolturaPro VolturaLite voltura_resources vsthost vstbench
cmake/wine-run.sh build/win32/tools/vsthost.exe dist/win32/VolturaPro.dll ${1:+"$1"} --program 5 --out dist/demo-out.wav

# The editors open in windows on a virtual display. Wine's server outlives a program by a few seconds and keeps the
# display it started with, so the one the run above started must be gone first; the last wait lets Wine leave the
# virtual display before it closes.
export WINEPREFIX="$PWD/build/wineprefix"
/usr/lib/wine/wineserver -w
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    set -e
    cmake/wine-run.sh build/win32/tools/vsthost.exe dist/win32/VolturaPro.dll --program 5 \
        --editor dist/VolturaPro-editor.png
    cmake/wine-run.sh build/win32/tools/vsthost.exe dist/win32/VolturaLite.dll --editor dist/VolturaLite-editor.png
    /usr/lib/wine/wineserver -w'
