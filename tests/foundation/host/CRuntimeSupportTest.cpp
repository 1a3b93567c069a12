// The guards of function-local statics: one initialisation however many threads arrive at once, another
// try after one that threw, and statics initialised inside another's initialisation.
#include "foundation/host/CRuntimeSupport.hpp"

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <thread>
#include <vector>

namespace
{
std::atomic<int> s_slowBuilds{0};

struct SSlowStatic
{
    SSlowStatic()
    {
        ++s_slowBuilds;
        // Long enough for the other threads to arrive while it is being built.
        Sleep(30);
        value = 42;
    }
    int value = 0;
};

int slowStaticValue()
{
    static SSlowStatic slow;
    return slow.value;
}

TEST(CRuntimeSupportTest, aStaticIsBuiltOnceAndEveryThreadWaitsForIt)
{
    std::atomic<bool> go{false};
    std::vector<int> seen(8, 0);
    std::vector<std::thread> threads;
    for (size_t index = 0; index < seen.size(); ++index)
        threads.emplace_back([&go, &seen, index] {
            while (!go)
                Sleep(0);
            seen[index] = slowStaticValue();
        });
    go = true;
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(1, s_slowBuilds.load());
    EXPECT_EQ(std::vector<int>(8, 42), seen);
}

int s_failingTries = 0;

int failingOnceStaticValue()
{
    static const int value = [] {
        if (++s_failingTries == 1)
            throw std::runtime_error("first try fails");
        return 7;
    }();
    return value;
}

int outerStaticValue()
{
    static const int inner = [] {
        static const int innermost = 5;
        return innermost + 1;
    }();
    return inner;
}

TEST(CRuntimeSupportTest, aFailedBuildIsTriedAgainAndStaticsMayBeBuiltInsideOthers)
{
    EXPECT_THROW(failingOnceStaticValue(), std::runtime_error);
    EXPECT_EQ(7, failingOnceStaticValue());
    EXPECT_EQ(7, failingOnceStaticValue());
    EXPECT_EQ(2, s_failingTries);
    EXPECT_EQ(6, outerStaticValue());
}

TEST(CRuntimeSupportTest, theGuardWordSaysWhoBuildsAndWhenItIsReady)
{
    std::uint64_t guard = 0;
    EXPECT_TRUE(Brivant::Host::CRuntimeSupport::acquireStaticGuard(&guard));
    Brivant::Host::CRuntimeSupport::abortStaticGuard(&guard);
    EXPECT_TRUE(Brivant::Host::CRuntimeSupport::acquireStaticGuard(&guard));
    Brivant::Host::CRuntimeSupport::releaseStaticGuard(&guard);
    EXPECT_FALSE(Brivant::Host::CRuntimeSupport::acquireStaticGuard(&guard));
}
} // namespace
