// CCriticalSection: waiting without limit, the timed lock giving up while another thread holds the section,
// and re-entry by the owner.
#include "foundation/threading/CCriticalSection.hpp"

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace
{
using Brivant::Threading::CCriticalSection;
using Clock = std::chrono::steady_clock;

long millisecondsSince(Clock::time_point start)
{
    return static_cast<long>(std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count());
}

// Another thread that enters the section, holds it for a while, then leaves it.
class CHolder
{
public:
    CHolder(CCriticalSection& section, long holdMilliseconds)
        : m_thread([this, &section, holdMilliseconds] {
              section.lock();
              m_holding = true;
              Sleep(static_cast<DWORD>(holdMilliseconds));
              m_holding = false;
              section.unlock();
          })
    {
        while (!m_holding)
            Sleep(1);
    }

    ~CHolder() { m_thread.join(); }

    CHolder(const CHolder&) = delete;
    CHolder& operator=(const CHolder&) = delete;

    bool holding() const { return m_holding; }

private:
    std::atomic<bool> m_holding{false};
    std::thread m_thread;
};

TEST(CCriticalSectionTest, aTimedLockGivesUpAfterItsTimeOutWhileAnotherThreadHolds)
{
    CCriticalSection section;
    CHolder holder(section, 300);
    const Clock::time_point start = Clock::now();
    EXPECT_FALSE(section.lock(12));
    const long waited = millisecondsSince(start);
    EXPECT_GE(waited, 12) << "three attempts, each followed by 5 ms";
    EXPECT_LT(waited, 150);
    EXPECT_TRUE(holder.holding());
}

TEST(CCriticalSectionTest, aTimedLockSucceedsWhenTheHolderLeavesInTime)
{
    CCriticalSection section;
    EXPECT_STREQ("CCriticalSection", section.getClass().getClassName());
    CHolder holder(section, 20);
    EXPECT_TRUE(section.lock(1000));
    EXPECT_FALSE(holder.holding());
    section.unlock();
}

TEST(CCriticalSectionTest, aTimeOutBelowOneWaitsWithoutLimit)
{
    for (const long timeOut : {0L, -3L})
    {
        CCriticalSection section;
        const Clock::time_point start = Clock::now();
        {
            CHolder holder(section, 80);
            EXPECT_TRUE(section.lock(timeOut)) << timeOut;
            EXPECT_FALSE(holder.holding());
        }
        EXPECT_GE(millisecondsSince(start), 60) << timeOut;
        section.unlock();
    }
}

TEST(CCriticalSectionTest, theOwnerMayEnterAgainAndOthersWaitUntilItHasLeftAsOften)
{
    CCriticalSection section;
    section.lock();
    EXPECT_TRUE(section.lock(5));
    std::atomic<bool> entered{false};
    std::thread other([&] {
        entered = section.lock(10);
        if (entered)
            section.unlock();
    });
    other.join();
    EXPECT_FALSE(entered);

    section.unlock();
    section.unlock();
    std::thread later([&] {
        entered = section.lock(10);
        if (entered)
            section.unlock();
    });
    later.join();
    EXPECT_TRUE(entered);
}

} // namespace
