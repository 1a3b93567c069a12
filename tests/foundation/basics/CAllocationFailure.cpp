#include "CAllocationFailure.hpp"

#include <malloc.h>

#include <cstdlib>
#include <cstring>
#include <new>

namespace
{
// The tests run on one thread; nothing else in the process allocates through these operators.
long g_countdown = 0;

void* allocate(std::size_t size)
{
    if (g_countdown > 0 && --g_countdown == 0)
        throw std::bad_alloc();
    void* memory = std::malloc(size > 0 ? size : 1);
    if (memory == nullptr)
        throw std::bad_alloc();
    return memory;
}

// Scribbles over freed blocks so a text read after its buffer was released shows up as garbage.
void release(void* memory)
{
    if (memory == nullptr)
        return;
    std::memset(memory, 0xdd, _msize(memory));
    std::free(memory);
}
} // namespace

namespace Brivant
{
namespace Testing
{
void CAllocationFailure::failAt(long allocation) { g_countdown = allocation; }
void CAllocationFailure::disarm() { g_countdown = 0; }
bool CAllocationFailure::isPending() { return g_countdown > 0; }
} // namespace Testing
} // namespace Brivant

void* operator new(std::size_t size) { return allocate(size); }
void* operator new[](std::size_t size) { return allocate(size); }
void operator delete(void* memory) noexcept { release(memory); }
void operator delete[](void* memory) noexcept { release(memory); }
void operator delete(void* memory, std::size_t) noexcept { release(memory); }
void operator delete[](void* memory, std::size_t) noexcept { release(memory); }
