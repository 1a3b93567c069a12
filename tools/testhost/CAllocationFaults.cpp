#include "CAllocationFaults.hpp"

#include "CImportPatch.hpp"

#include <windows.h>

#include <atomic>
#include <cstring>
#include <memory>
#include <mutex>
#include <unordered_map>

namespace
{
typedef void*(__cdecl* FMalloc)(size_t);
typedef void*(__cdecl* FCalloc)(size_t, size_t);
typedef void*(__cdecl* FRealloc)(void*, size_t);
typedef void(__cdecl* FFree)(void*);
typedef char*(__cdecl* FDuplicate)(const char*);
typedef int(WINAPI* FMessageBox)(HWND, LPCSTR, LPCSTR, UINT);

// The state the patched imports share; the host's own allocations never pass through them, so the map may
// allocate freely.
struct SState
{
    std::mutex mutex;
    std::unordered_map<void*, size_t> blocks;
    size_t bytes = 0;
    std::atomic<DWORD> thread{0};
    std::atomic<long> count{0};
    std::atomic<long> failure{0};
    std::atomic<long> messageBoxes{0};
    void* original[6] = {};
};

SState& state()
{
    static SState shared;
    return shared;
}

template <typename Function>
Function original(int index)
{
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(state().original[index]));
}

// True when this allocation is the one to fail.
bool fails()
{
    SState& shared = state();
    if (GetCurrentThreadId() != shared.thread.load())
        return false;
    const long count = ++shared.count;
    return count == shared.failure.load();
}

void keep(void* block, size_t size)
{
    if (block == nullptr)
        return;
    SState& shared = state();
    const std::lock_guard<std::mutex> lock(shared.mutex);
    shared.blocks[block] = size;
    shared.bytes += size;
}

// Blocks taken before the patch are not ours to count.
void forget(void* block)
{
    if (block == nullptr)
        return;
    SState& shared = state();
    const std::lock_guard<std::mutex> lock(shared.mutex);
    const auto found = shared.blocks.find(block);
    if (found == shared.blocks.end())
        return;
    shared.bytes -= found->second;
    shared.blocks.erase(found);
}

void* __cdecl countedMalloc(size_t size)
{
    if (fails())
        return nullptr;
    void* block = original<FMalloc>(0)(size);
    keep(block, size);
    return block;
}

void* __cdecl countedCalloc(size_t count, size_t size)
{
    if (fails())
        return nullptr;
    void* block = original<FCalloc>(1)(count, size);
    keep(block, count * size);
    return block;
}

void* __cdecl countedRealloc(void* block, size_t size)
{
    if (block == nullptr)
        return countedMalloc(size);
    if (size == 0)
    {
        forget(block);
        return original<FRealloc>(2)(block, size);
    }
    // A failed growth leaves the old block where it was.
    if (fails())
        return nullptr;
    void* moved = original<FRealloc>(2)(block, size);
    if (moved != nullptr)
    {
        forget(block);
        keep(moved, size);
    }
    return moved;
}

void __cdecl countedFree(void* block)
{
    forget(block);
    original<FFree>(3)(block);
}

char* __cdecl countedDuplicate(const char* text)
{
    if (fails())
        return nullptr;
    char* copy = original<FDuplicate>(4)(text);
    keep(copy, text != nullptr ? std::strlen(text) + 1 : 0);
    return copy;
}

// Nobody is there to press a button.
int WINAPI answeredMessageBox(HWND, LPCSTR, LPCSTR, UINT)
{
    ++state().messageBoxes;
    return IDOK;
}

const CImportPatch::SReplacement kImports[] = {
    {"msvcrt.dll", "malloc", reinterpret_cast<void*>(&countedMalloc)},
    {"msvcrt.dll", "calloc", reinterpret_cast<void*>(&countedCalloc)},
    {"msvcrt.dll", "realloc", reinterpret_cast<void*>(&countedRealloc)},
    {"msvcrt.dll", "free", reinterpret_cast<void*>(&countedFree)},
    {"msvcrt.dll", "_strdup", reinterpret_cast<void*>(&countedDuplicate)},
    {"user32.dll", "MessageBoxA", reinterpret_cast<void*>(&answeredMessageBox)},
};
constexpr size_t kNumberOfImports = sizeof(kImports) / sizeof(kImports[0]);

std::vector<std::unique_ptr<CImportPatch>>& patches()
{
    static std::vector<std::unique_ptr<CImportPatch>> list;
    return list;
}

// A reference of our own on the patched module: a host that unloads it meanwhile must not unmap the entries.
HMODULE s_pinned = nullptr;
} // namespace

CAllocationFaults::CAllocationFaults() = default;

CAllocationFaults::~CAllocationFaults() { stopWatching(); }

void CAllocationFaults::watch(void* module)
{
    stopWatching();
    SState& shared = state();
    {
        const std::lock_guard<std::mutex> lock(shared.mutex);
        shared.blocks.clear();
        shared.bytes = 0;
    }
    shared.messageBoxes = 0;
    failAt(0);
    HMODULE pinned = nullptr;
    if (GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, static_cast<LPCSTR>(module), &pinned))
        s_pinned = pinned;
    for (size_t index = 0; index < kNumberOfImports; ++index)
    {
        const CImportPatch::SReplacement& import = kImports[index];
        // The original is known before the entry changes, so a call on another thread meanwhile finds it.
        HMODULE exporter = GetModuleHandleA(import.library);
        shared.original[index] =
            exporter != nullptr ? reinterpret_cast<void*>(GetProcAddress(exporter, import.function)) : nullptr;
        patches().push_back(std::make_unique<CImportPatch>(module, import.library, import.function, import.replacement));
    }
}

void CAllocationFaults::stopWatching()
{
    patches().clear();
    state().thread = 0;
    if (s_pinned != nullptr)
        FreeLibrary(s_pinned);
    s_pinned = nullptr;
}

std::vector<bool> CAllocationFaults::patched() const
{
    std::vector<bool> found;
    for (const auto& patch : patches())
        found.push_back(patch->isPatched());
    return found;
}

void CAllocationFaults::failAt(long allocation)
{
    SState& shared = state();
    shared.thread = GetCurrentThreadId();
    shared.count = 0;
    shared.failure = allocation;
}

long CAllocationFaults::allocations() const { return state().count.load(); }

size_t CAllocationFaults::liveBlocks() const
{
    const std::lock_guard<std::mutex> lock(state().mutex);
    return state().blocks.size();
}

size_t CAllocationFaults::liveBytes() const
{
    const std::lock_guard<std::mutex> lock(state().mutex);
    return state().bytes;
}

long CAllocationFaults::messageBoxes() const { return state().messageBoxes.load(); }
