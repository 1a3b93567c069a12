#!/usr/bin/env bash
# Configures (once) and builds both targets: 32-bit deliverables into dist/win32, 64-bit and tests into dist/win64.
set -euo pipefail
cd "$(dirname "$0")/.."

for preset in win32 win64; do
    if [ ! -f "build/$preset/CMakeCache.txt" ]; then
        mkdir -p build
        cmake --preset "$preset" >"build/configure-$preset.log" 2>&1 || { cat "build/configure-$preset.log"; exit 1; }
    fi
    cmake --build --preset "$preset" -- --quiet
done
