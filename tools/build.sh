#!/usr/bin/env bash
# Configures (once) and builds both targets: 32-bit deliverables into dist/win32, 64-bit ones and the tests into
# dist/win64 and build/win64. Arguments name 64-bit targets to build instead of all of them.
set -euo pipefail
cd "$(dirname "$0")/.."

for preset in win32 win64; do
    if [ ! -f "build/$preset/CMakeCache.txt" ]; then
        mkdir -p build
        cmake --preset "$preset" >"build/configure-$preset.log" 2>&1 || { cat "build/configure-$preset.log"; exit 1; }
    fi
done
cmake --build --preset win32 -- --quiet
if (($#)); then
    cmake --build --preset win64 --target "$@" -- --quiet
else
    cmake --build --preset win64 -- --quiet
fi
