// CWindow's timers: expiries reach the timed objects registered with the timer's id, system timers run through
// the timer procedure, objects may remove themselves while they are called, and a timer needs a native window.
#include "gui/core/CWindow.hpp"

#include "foundation/exceptions/CException.hpp"
#include "tests/gui/CGuiTestKit.hpp"
#include "tests/gui/core/CImportPatch.hpp"

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace
{
using Brivant::Exceptions::CException;
using namespace VolturaTests;

class CWindowTimerTest : public ::testing::Test
{
protected:
    CWindowTimerTest() : m_window(CRect(0, 0, 50, 50)) {}

    void create()
    {
        CWindowAttributes attributes = hiddenAttributes("TimerProbe");
        m_window.intialiseWindow(&attributes, false);
    }

    CWindow m_window;
};

TEST_F(CWindowTimerTest, anExpiryReachesEveryObjectWithThatIdAndNoOther)
{
    CTimedProbe first(1);
    CTimedProbe second(2);
    CTimedProbe alsoFirst(1);
    m_window.addTimedObject(&first);
    m_window.addTimedObject(&second);
    m_window.addTimedObject(&alsoFirst);
    m_window.timerExpired(1);
    EXPECT_EQ(1, first.expiries);
    EXPECT_EQ(0, second.expiries);
    EXPECT_EQ(1, alsoFirst.expiries);
    m_window.timerExpired(2);
    m_window.timerExpired(3);
    EXPECT_EQ(1, second.expiries);
    EXPECT_EQ(1, first.expiries);
}

TEST_F(CWindowTimerTest, aStartedTimerExpiresThroughTheSystemUntilItIsStopped)
{
    create();
    CTimedProbe probe(7);
    CTimedProbe other(8);
    m_window.addTimedObject(&probe);
    m_window.addTimedObject(&other);
    m_window.startTimer(7, 10);
    pumpMessages(150);
    EXPECT_GE(probe.expiries, 2);
    EXPECT_EQ(0, other.expiries);

    m_window.stopTimer(7);
    pumpMessages(30);
    const int stopped = probe.expiries;
    pumpMessages(100);
    EXPECT_EQ(stopped, probe.expiries);
}

TEST_F(CWindowTimerTest, timerIdZeroIsRefused)
{
    create();
    try
    {
        m_window.startTimer(0, 10);
        FAIL() << "no exception";
    }
    catch (const CException& failure)
    {
        EXPECT_STREQ("Timer id's cannot be zero on Windows platforms", failure.getErrorReason().getString());
        EXPECT_STREQ("CWindow::startTimer(const long, const long)", failure.getFunctionName().getString());
    }
}

std::vector<HWND> s_timerWindows;
UINT_PTR WINAPI recordingSetTimer(HWND window, UINT_PTR timerId, UINT milliseconds, TIMERPROC procedure)
{
    s_timerWindows.push_back(window);
    using FSetTimer = UINT_PTR(WINAPI*)(HWND, UINT_PTR, UINT, TIMERPROC);
    return reinterpret_cast<FSetTimer>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "SetTimer")))(
        window, timerId, milliseconds, procedure);
}

TEST_F(CWindowTimerTest, aTimerStartedBeforeTheWindowExistsStartsNoSystemTimer)
{
    CImportPatch patch("user32.dll", "SetTimer", reinterpret_cast<void*>(&recordingSetTimer));
    ASSERT_TRUE(patch.isActive());
    s_timerWindows.clear();
    CTimedProbe probe(3);
    m_window.addTimedObject(&probe);
    // Without a window the system would make a thread timer of its own choosing that nobody ever stops.
    m_window.startTimer(3, 5);
    EXPECT_TRUE(s_timerWindows.empty());

    create();
    pumpMessages(50);
    EXPECT_EQ(0, probe.expiries);
    m_window.startTimer(3, 5);
    ASSERT_EQ(1u, s_timerWindows.size());
    EXPECT_EQ(*m_window.getWindowHandle(), s_timerWindows[0]);
    pumpMessages(60);
    EXPECT_GE(probe.expiries, 1);
}

std::vector<UINT_PTR> s_stoppedTimers;
BOOL WINAPI recordingKillTimer(HWND /*window*/, UINT_PTR timerId)
{
    s_stoppedTimers.push_back(timerId);
    return TRUE;
}

// Each addition is undone by one removal; the shared system timer stops only with the last entry of its id.
TEST_F(CWindowTimerTest, removingTakesOneEntryAndStopsTheTimerWithTheLastEntryOfItsId)
{
    create();
    CImportPatch patch("user32.dll", "KillTimer", reinterpret_cast<void*>(&recordingKillTimer));
    ASSERT_TRUE(patch.isActive());
    s_stoppedTimers.clear();
    CTimedProbe twice(4);
    CTimedProbe sharing(4);
    CTimedProbe stranger(4);
    for (CTimedProbe* probe : {&twice, &twice, &sharing})
        m_window.addTimedObject(probe);
    for (CTimedProbe* probe : {&stranger, &twice, &twice})
    {
        m_window.removeTimedObject(probe);
        m_window.timerExpired(4);
    }
    EXPECT_EQ(3, twice.expiries);
    EXPECT_EQ(3, sharing.expiries);
    EXPECT_TRUE(s_stoppedTimers.empty());
    m_window.removeTimedObject(&sharing);
    EXPECT_EQ(std::vector<UINT_PTR>{4}, s_stoppedTimers);
}

TEST_F(CWindowTimerTest, stoppingAllTimersForgetsEveryObject)
{
    create();
    CTimedProbe probe(5);
    m_window.addTimedObject(&probe);
    m_window.startTimer(5, 10);
    m_window.stopAllTimers();
    pumpMessages(80);
    EXPECT_EQ(0, probe.expiries);
    m_window.timerExpired(5);
    EXPECT_EQ(0, probe.expiries);

    // Closing stops and forgets them too.
    m_window.addTimedObject(&probe);
    m_window.closeWindow();
    m_window.timerExpired(5);
    EXPECT_EQ(0, probe.expiries);
}

// Removes itself from its window and deletes itself on its first expiry.
class CSelfDeletingProbe : public Brivant::GUI::Basics::ITimedObject
{
public:
    CSelfDeletingProbe(CWindow& window, long timerId) : m_window(window), m_timerId(timerId) {}
    void timerExpired() override
    {
        m_window.removeTimedObject(this);
        delete this;
    }
    long getTimerId() const override { return m_timerId; }

private:
    CWindow& m_window;
    long m_timerId;
};

TEST_F(CWindowTimerTest, anObjectMayRemoveAndDeleteItselfOrAnotherWhileItIsCalled)
{
    auto* self = new CSelfDeletingProbe(m_window, 6);
    auto* victim = new CSelfDeletingProbe(m_window, 6);
    CTimedProbe killer(6);
    killer.onExpiry = [this, &victim] {
        if (victim != nullptr)
        {
            m_window.removeTimedObject(victim);
            delete victim;
            victim = nullptr;
        }
    };
    CTimedProbe last(6);
    m_window.addTimedObject(self);
    m_window.addTimedObject(&killer);
    m_window.addTimedObject(victim);
    m_window.addTimedObject(&last);

    m_window.timerExpired(6);
    EXPECT_EQ(1, killer.expiries);
    EXPECT_EQ(1, last.expiries);
    m_window.timerExpired(6);
    EXPECT_EQ(2, killer.expiries);
    EXPECT_EQ(2, last.expiries);
}

TEST_F(CWindowTimerTest, anObjectMayCloseAndDeleteItsWindowWhileItIsCalled)
{
    auto* window = new CWindow(CRect(0, 0, 20, 20));
    CWindowAttributes attributes = hiddenAttributes("TimerDelete");
    window->intialiseWindow(&attributes, false);
    CTimedProbe closer(9);
    closer.onExpiry = [window] { delete window; };
    CTimedProbe after(9);
    window->addTimedObject(&closer);
    window->addTimedObject(&after);
    window->timerExpired(9);
    EXPECT_EQ(1, closer.expiries);
    EXPECT_EQ(0, after.expiries);
}

TEST_F(CWindowTimerTest, anObjectThatThrowsLeavesTheTimerRunningAndATraceLine)
{
    create();
    CTraceCapture trace;
    CTimedProbe probe(11);
    probe.onExpiry = [] { throw std::runtime_error("timed object failed"); };
    m_window.addTimedObject(&probe);
    m_window.startTimer(11, 10);
    pumpMessages(100);
    EXPECT_GE(probe.expiries, 2);
    m_window.stopAllTimers();
    EXPECT_NE(std::string::npos, trace.text().find("CWindow: the timer procedure failed: timed object failed"));
}
} // namespace
