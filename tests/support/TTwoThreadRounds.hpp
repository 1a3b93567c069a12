// Two short calls raced against each other round after round, for stores that must not keep a stale value.
#pragma once

#include <atomic>
#include <thread>

namespace VolturaTests
{
// Each round runs first(round) on this thread and second(round) on another, started together, with the first
// held back a little longer every round so that the two calls meet at every offset; then check(round) says
// whether the round left a sound state. Answers how many rounds did not.
template <class First, class Second, class Check>
int unsoundRounds(int rounds, First first, Second second, Check check)
{
    std::atomic<int> started{0};
    std::atomic<int> finished{0};
    std::thread other([&] {
        for (int round = 0; round < rounds; ++round)
        {
            // Spinning, not yielding, so that it starts as soon as the round does.
            while (started.load() <= round)
            {
            }
            second(round);
            finished.store(round + 1);
        }
    });
    int unsound = 0;
    for (int round = 0; round < rounds; ++round)
    {
        started.store(round + 1);
        for (volatile int spin = 0; spin < round % 128; spin = spin + 1)
        {
        }
        first(round);
        while (finished.load() <= round)
            std::this_thread::yield();
        unsound += check(round) ? 0 : 1;
    }
    other.join();
    return unsound;
}
} // namespace VolturaTests
