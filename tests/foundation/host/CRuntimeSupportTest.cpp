// The guards of function-local statics: one build however many threads arrive, another try after a throw.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <thread>
#include <vector>

namespace
{
std::atomic<int> s_builds{0};

int slowStatic()
{
    // Slow enough for the other threads to arrive while it is built; a throw on the first try.
    static const int value = [] {
        Sleep(30);
        if (++s_builds == 1)
            throw std::runtime_error("first build fails");
        return 42;
    }();
    return value;
}

TEST(CRuntimeSupportTest, aStaticIsBuiltOnceWhileOtherThreadsWaitAndAgainAfterAThrow)
{
    EXPECT_THROW(slowStatic(), std::runtime_error);
    std::vector<int> seen(8, 0);
    std::vector<std::thread> threads;
    for (int& value : seen)
        threads.emplace_back([&value] { value = slowStatic(); });
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(2, s_builds.load());
    EXPECT_EQ(std::vector<int>(8, 42), seen);
}
} // namespace
