// Points a loaded plug-in's imports of the C runtime's allocation functions at a counter that can make one
// allocation fail and keeps the blocks the plug-in holds, and its message box at a stub that answers at once, so a
// host can play every allocation failure against the unchanged library.
#pragma once

#include <cstddef>
#include <vector>

class CImportPatch;

class CAllocationFaults
{
public:
    CAllocationFaults();
    ~CAllocationFaults();
    CAllocationFaults(const CAllocationFaults&) = delete;
    CAllocationFaults& operator=(const CAllocationFaults&) = delete;

    // Patches the module's imports and starts counting afresh; the failure is 0 (none). One object watches at a
    // time, and keeps the module loaded until it stops watching.
    void watch(void* module);
    void stopWatching();
    // Which of the imports were found in the module (malloc, calloc, realloc, free, _strdup, MessageBoxA).
    std::vector<bool> patched() const;

    // The allocation-th allocation from now on the calling thread answers null; later ones succeed. 0: none.
    void failAt(long allocation);
    // Allocations made on the thread that called failAt (or watch) since then, the failed one included.
    long allocations() const;
    // Blocks the module took since watch and has not given back, on any thread.
    size_t liveBlocks() const;
    size_t liveBytes() const;
    // Message boxes the module asked for since watch.
    long messageBoxes() const;
};
