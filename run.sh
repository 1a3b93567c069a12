#!/usr/bin/env bash
# Sets up, builds both deliverables, runs VolturaPro through the test host and saves screenshots of both editors:
# ./run.sh [input.wav]
# They run on the 32-bit build, which musicians load, unless this machine's kernel runs no 32-bit programs.
set -euo pipefail
cd "$(dirname "$0")"
tools/setup.sh
tools/build.sh VolturaPro VolturaLite voltura_resources vsthost vstbench
export build=win32
if ! machine=$(cmake/check-32bit.sh); then
    case "$machine" in
    no-kernel:*)
        build=win64
        echo "The demo and the screenshots use the 64-bit build: ${machine#*: }"
        ;;
    *) echo "${machine#*: }" >&2; exit 1 ;;
    esac
fi
cmake/wine-run.sh build/$build/tools/vsthost.exe dist/$build/VolturaPro.dll ${1:+"$1"} --program 5 \
    --out dist/demo-out.wav

# The editors open in windows on a virtual display. Wine's server outlives a program by a few seconds and keeps the
# display it started with, so the one the run above started must be gone first; the last wait lets Wine leave the
# virtual display before it closes.
export WINEPREFIX="$PWD/build/wineprefix"
/usr/lib/wine/wineserver -w
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    set -e
    cmake/wine-run.sh build/$build/tools/vsthost.exe dist/$build/VolturaPro.dll --program 5 \
        --editor dist/VolturaPro-editor.png
    cmake/wine-run.sh build/$build/tools/vsthost.exe dist/$build/VolturaLite.dll --editor dist/VolturaLite-editor.png
    /usr/lib/wine/wineserver -w'
