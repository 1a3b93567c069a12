#include "tests/support/CAllocationCounter.hpp"

#include <windows.h>

#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace
{
std::atomic<bool> g_armed(false);
std::atomic<DWORD> g_thread(0);
std::atomic<long> g_count(0);

// Other threads (Wine's, gtest's) may allocate at any time; only the armed thread's allocations count.
void count()
{
    if (g_armed.load(std::memory_order_relaxed) && GetCurrentThreadId() == g_thread.load(std::memory_order_relaxed))
        g_count.fetch_add(1, std::memory_order_relaxed);
}

void* allocate(std::size_t size)
{
    count();
    void* memory = std::malloc(size > 0 ? size : 1);
    if (memory == nullptr)
        throw std::bad_alloc();
    return memory;
}

void* allocateAligned(std::size_t size, std::align_val_t alignment)
{
    count();
    void* memory = _aligned_malloc(size > 0 ? size : 1, static_cast<std::size_t>(alignment));
    if (memory == nullptr)
        throw std::bad_alloc();
    return memory;
}
} // namespace

namespace VolturaTests
{
void CAllocationCounter::arm()
{
    g_count.store(0, std::memory_order_relaxed);
    g_thread.store(GetCurrentThreadId(), std::memory_order_relaxed);
    g_armed.store(true, std::memory_order_relaxed);
}

long CAllocationCounter::disarm()
{
    g_armed.store(false, std::memory_order_relaxed);
    return g_count.load(std::memory_order_relaxed);
}
} // namespace VolturaTests

void* operator new(std::size_t size) { return allocate(size); }
void* operator new[](std::size_t size) { return allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    count();
    return std::malloc(size > 0 ? size : 1);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept
{
    count();
    return std::malloc(size > 0 ? size : 1);
}
void* operator new(std::size_t size, std::align_val_t alignment) { return allocateAligned(size, alignment); }
void* operator new[](std::size_t size, std::align_val_t alignment) { return allocateAligned(size, alignment); }

void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete[](void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete[](void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete(void* memory, const std::nothrow_t&) noexcept { std::free(memory); }
void operator delete[](void* memory, const std::nothrow_t&) noexcept { std::free(memory); }
void operator delete(void* memory, std::align_val_t) noexcept { _aligned_free(memory); }
void operator delete[](void* memory, std::align_val_t) noexcept { _aligned_free(memory); }
void operator delete(void* memory, std::size_t, std::align_val_t) noexcept { _aligned_free(memory); }
void operator delete[](void* memory, std::size_t, std::align_val_t) noexcept { _aligned_free(memory); }
