#!/usr/bin/env bash
# Sets up, builds both deliverables and runs VolturaPro through the test host: ./run.sh [input.wav]
set -euo pipefail
cd "$(dirname "$0")"
tools/setup.sh
tools/build.sh VolturaPro VolturaLite voltura_resources vsthost vstbench
cmake/wine-run.sh build/win32/tools/vsthost.exe dist/win32/VolturaPro.dll ${1:+"$1"} --program 5 --out dist/demo-out.wav
