// CCriticalSection: waiting without limit, the timed lock giving up while another thread holds the section,
// and re-entry by the owner.
#include "foundation/threading/CCriticalSection.hpp"

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace
{
using Brivant::Threading::CCriticalSection;

// Long enough that no load on the machine decides the outcome: the lock is given up only when nobody leaves.
constexpr long kADay = 24L * 60L * 60L * 1000L;

// Another thread that enters the section and holds it until it is let go, then leaves it.
class CHolder
{
public:
    explicit CHolder(CCriticalSection& section)
        : m_thread([this, &section] {
              section.lock();
              m_holding = true;
              while (!m_letGo)
                  Sleep(1);
              m_holding = false;
              section.unlock();
          })
    {
        while (!m_holding)
            Sleep(1);
    }

    ~CHolder()
    {
        letGo();
        m_thread.join();
    }

    CHolder(const CHolder&) = delete;
    CHolder& operator=(const CHolder&) = delete;

    void letGo() { m_letGo = true; }
    bool holding() const { return m_holding; }

private:
    std::atomic<bool> m_holding{false};
    std::atomic<bool> m_letGo{false};
    std::thread m_thread;
};

TEST(CCriticalSectionTest, aTimedLockGivesUpWhileAnotherThreadHolds)
{
    CCriticalSection section;
    CHolder holder(section);
    EXPECT_FALSE(section.lock(12));
    EXPECT_TRUE(holder.holding());
}

TEST(CCriticalSectionTest, aTimedLockSucceedsOnceTheHolderLeaves)
{
    CCriticalSection section;
    EXPECT_STREQ("CCriticalSection", section.getClass().getClassName());
    CHolder holder(section);
    std::thread letter([&holder] {
        Sleep(20);
        holder.letGo();
    });
    EXPECT_TRUE(section.lock(kADay));
    EXPECT_FALSE(holder.holding());
    section.unlock();
    letter.join();
}

TEST(CCriticalSectionTest, aTimeOutBelowOneWaitsWithoutLimit)
{
    for (const long timeOut : {0L, -3L})
    {
        CCriticalSection section;
        {
            CHolder holder(section);
            std::thread letter([&holder] {
                Sleep(20);
                holder.letGo();
            });
            EXPECT_TRUE(section.lock(timeOut)) << timeOut;
            EXPECT_FALSE(holder.holding()) << timeOut;
            letter.join();
        }
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
