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

    // Plays a life with its 1st, 2nd, ... allocation failing, and checks after each what it left, until a life
    // makes fewer allocations than the one asked to fail. Answers how many lives that took, 0 if none got through.
    template <class Life, class Check>
    static long sweep(Life life, Check check, long most = 10000)
    {
        for (long allocation = 1; allocation <= most; ++allocation)
        {
            failAt(allocation);
            try
            {
                life();
            }
            catch (...)
            {
            }
            const bool through = isPending();
            disarm();
            check(allocation);
            if (through)
                return allocation;
        }
        return 0;
    }
};
} // namespace Testing
} // namespace Brivant
