#!/usr/bin/env bash
# Configures (once) and builds both trees: the 32-bit deliverables and their tests into dist/win32 and build/win32,
# the 64-bit ones into dist/win64 and build/win64. Arguments name the targets to build in both instead of all.
set -euo pipefail
cd "$(dirname "$0")/.."

for preset in win32 win64; do
    if [ ! -f "build/$preset/CMakeCache.txt" ]; then
        mkdir -p build
        cmake --preset "$preset" >"build/configure-$preset.log" 2>&1 || { cat "build/configure-$preset.log"; exit 1; }
    fi
    if (($#)); then
        cmake --build --preset "$preset" --target "$@" -- --quiet
    else
        cmake --build --preset "$preset" -- --quiet
    fi
done
