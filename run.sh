#!/usr/bin/env bash
# Sets up, builds both deliverables, runs VolturaPro through the test host and saves screenshots of both editors:
# ./run.sh [input.wav]
set -euo pipefail
cd "$(dirname "$0")"
tools/setup.sh
tools/build.sh VolturaPro VolturaLite voltura_resources vsthost vstbench
cmake/wine-run.sh build/win32/tools/vsthost.exe dist/win32/VolturaPro.dll ${1:+"$1"} --program 5 --out dist/demo-out.wav
# The editors open in windows on a virtual display.
display=(xvfb-run -a -s "-screen 0 1024x768x24")
"${display[@]}" cmake/wine-run.sh build/win32/tools/vsthost.exe dist/win32/VolturaPro.dll --program 5 \
    --editor dist/VolturaPro-editor.png
"${display[@]}" cmake/wine-run.sh build/win32/tools/vsthost.exe dist/win32/VolturaLite.dll \
    --editor dist/VolturaLite-editor.png
