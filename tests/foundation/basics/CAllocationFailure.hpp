// Replaces the test program's global operator new/new[] with one that can be told to fail once, and
// operator delete with one that overwrites what it frees.
#pragma once

namespace Brivant
{
namespace Testing
{
class CAllocationFailure
{
public:
    CAllocationFailure() = delete;

    // The allocation-th allocation from now throws std::bad_alloc; later ones succeed again.
    static void failAt(long allocation);
    static void disarm();
    // True while the failure asked for has not come: a run that leaves it so made fewer allocations.
    static bool isPending();
};
} // namespace Testing
} // namespace Brivant
