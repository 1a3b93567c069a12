// CWindow's wheel hook: set for the window's own thread while it has the focus, removed when it loses the focus
// or is destroyed whatever a listener answers, delivering only to a live framework window of the calling thread,
// and passing on all it does not swallow.
#include "gui/core/CWindow.hpp"

#include "tests/gui/CGuiTestKit.hpp"
#include "tests/gui/core/CImportPatch.hpp"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace
{
using namespace VolturaTests;

struct SHookCall
{
    int type;
    HINSTANCE module;
    DWORD thread;
    HHOOK hook;
};
std::vector<SHookCall> s_hooksSet;
std::vector<HHOOK> s_hooksRemoved;

HHOOK WINAPI recordingSetHook(int type, HOOKPROC procedure, HINSTANCE module, DWORD thread)
{
    using FSetHook = HHOOK(WINAPI*)(int, HOOKPROC, HINSTANCE, DWORD);
    const auto original = reinterpret_cast<FSetHook>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "SetWindowsHookExA")));
    HHOOK hook = original(type, procedure, module, thread);
    s_hooksSet.push_back({type, module, thread, hook});
    return hook;
}

BOOL WINAPI recordingUnhook(HHOOK hook)
{
    s_hooksRemoved.push_back(hook);
    using FUnhook = BOOL(WINAPI*)(HHOOK);
    return reinterpret_cast<FUnhook>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "UnhookWindowsHookEx")))(hook);
}

// A wheel as the mouse hook sees it: the delta in the high word of the mouse data.
MOUSEHOOKSTRUCTEX wheelData(short delta)
{
    MOUSEHOOKSTRUCTEX data = {};
    data.mouseData = static_cast<DWORD>(static_cast<WORD>(delta)) << 16;
    return data;
}

std::intptr_t dispatchWheel(short delta, int code = HC_ACTION)
{
    MOUSEHOOKSTRUCTEX data = wheelData(delta);
    return CWindow::dispatchMouseHook(code, WM_MOUSEWHEEL, reinterpret_cast<LPARAM>(&data));
}

class CWindowHookTest : public ::testing::Test
{
protected:
    CWindowHookTest()
        : m_window(std::make_unique<CWindow>(CRect(0, 0, 100, 100))),
          m_setHook("user32.dll", "SetWindowsHookExA", reinterpret_cast<void*>(&recordingSetHook)),
          m_unhook("user32.dll", "UnhookWindowsHookEx", reinterpret_cast<void*>(&recordingUnhook))
    {
        CWindowAttributes attributes = hiddenAttributes("HookProbe");
        m_window->intialiseWindow(&attributes, false);
        m_window->setMouseListener(&m_mouse);
        m_window->setKeyboardListener(&m_keys);
        m_window->setWindowChangeListener(&m_changes);
        s_hooksSet.clear();
        s_hooksRemoved.clear();
    }

    void SetUp() override
    {
        ASSERT_TRUE(m_setHook.isActive());
        ASSERT_TRUE(m_unhook.isActive());
    }

    HWND handle() const { return *m_window->getWindowHandle(); }
    void focus() { SendMessageA(handle(), WM_SETFOCUS, 0, 0); }

    std::unique_ptr<CWindow> m_window;
    CRecordingMouseListener m_mouse;
    CRecordingKeyboardListener m_keys;
    CRecordingWindowListener m_changes;
    CImportPatch m_setHook;
    CImportPatch m_unhook;
};

TEST_F(CWindowHookTest, gainingTheFocusHooksTheMouseOfThisThreadOnly)
{
    focus();
    ASSERT_EQ(1u, s_hooksSet.size());
    EXPECT_EQ(WH_MOUSE, s_hooksSet[0].type);
    EXPECT_EQ(GetCurrentThreadId(), s_hooksSet[0].thread);
    EXPECT_NE(nullptr, s_hooksSet[0].hook);
    EXPECT_TRUE(m_window->isMouseHookSet());
    EXPECT_EQ(handle(), CWindow::getHookWindow());
}

TEST_F(CWindowHookTest, aSecondFocusReplacesTheHookInsteadOfAddingOne)
{
    focus();
    focus();
    ASSERT_EQ(2u, s_hooksSet.size());
    ASSERT_EQ(1u, s_hooksRemoved.size());
    EXPECT_EQ(s_hooksSet[0].hook, s_hooksRemoved[0]);
}

TEST_F(CWindowHookTest, losingTheFocusRemovesTheHook)
{
    focus();
    SendMessageA(handle(), WM_KILLFOCUS, 0, 0);
    ASSERT_EQ(1u, s_hooksRemoved.size());
    EXPECT_EQ(s_hooksSet[0].hook, s_hooksRemoved[0]);
    EXPECT_FALSE(m_window->isMouseHookSet());
}

TEST_F(CWindowHookTest, destructionRemovesTheHookAndClearsItsTargetEvenWhenTheListenerRefuses)
{
    focus();
    m_changes.allowClose = false;
    HWND old = handle();
    DestroyWindow(old);
    EXPECT_FALSE(IsWindow(old));
    EXPECT_EQ(1, m_changes.count("closed"));
    ASSERT_EQ(1u, s_hooksRemoved.size());
    EXPECT_EQ(s_hooksSet[0].hook, s_hooksRemoved[0]);
    EXPECT_FALSE(m_window->isMouseHookSet());
    EXPECT_EQ(nullptr, CWindow::getHookWindow());
    EXPECT_EQ(0, dispatchWheel(WHEEL_DELTA));
    EXPECT_TRUE(m_mouse.calls.empty());
}

TEST_F(CWindowHookTest, closingOrDeletingTheWindowRemovesTheHook)
{
    focus();
    m_window->closeWindow();
    EXPECT_EQ(1u, s_hooksRemoved.size());
    EXPECT_EQ(nullptr, CWindow::getHookWindow());

    CWindowAttributes attributes = hiddenAttributes("HookProbe");
    m_window->intialiseWindow(&attributes, false);
    focus();
    m_window.reset();
    EXPECT_EQ(2u, s_hooksRemoved.size());
    EXPECT_EQ(s_hooksSet.back().hook, s_hooksRemoved.back());
    EXPECT_EQ(nullptr, CWindow::getHookWindow());
}

TEST_F(CWindowHookTest, theWheelGoesToTheFocusedWindowInNotchesAndIsSwallowed)
{
    focus();
    EXPECT_EQ(1, dispatchWheel(WHEEL_DELTA));
    EXPECT_EQ(1, dispatchWheel(-2 * WHEEL_DELTA));
    EXPECT_EQ(1, dispatchWheel(60));
    const std::vector<double> expected = {1.0, -2.0, 0.5};
    EXPECT_EQ(expected, m_mouse.wheelValues);
    EXPECT_EQ(WM_MOUSEWHEEL, m_mouse.eventTypes[0]);
}

TEST_F(CWindowHookTest, everythingElseIsPassedOnUntouched)
{
    focus();
    MOUSEHOOKSTRUCTEX data = wheelData(WHEEL_DELTA);
    EXPECT_EQ(0, CWindow::dispatchMouseHook(HC_ACTION, WM_MOUSEMOVE, reinterpret_cast<LPARAM>(&data)));
    EXPECT_EQ(0, dispatchWheel(WHEEL_DELTA, -1));
    m_window->setKeyboardListener(nullptr);
    EXPECT_EQ(0, dispatchWheel(WHEEL_DELTA));
    m_window->setKeyboardListener(&m_keys);
    m_window->setMouseListener(nullptr);
    EXPECT_EQ(0, dispatchWheel(WHEEL_DELTA));
    EXPECT_TRUE(m_mouse.calls.empty());
}

TEST_F(CWindowHookTest, aWindowOfAnotherThreadIsNeverCalledFromThisOne)
{
    HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE done = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    CRecordingMouseListener otherMouse;
    HWND otherHandle = nullptr;
    std::thread owner([&] {
        CWindow other(CRect(0, 0, 50, 50));
        other.setMouseListener(&otherMouse);
        CWindowAttributes attributes = hiddenAttributes("HookOtherThread");
        other.intialiseWindow(&attributes, false);
        otherHandle = *other.getWindowHandle();
        SendMessageA(otherHandle, WM_SETFOCUS, 0, 0);
        SetEvent(ready);
        WaitForSingleObject(done, INFINITE);
    });
    WaitForSingleObject(ready, INFINITE);
    EXPECT_EQ(otherHandle, CWindow::getHookWindow());
    EXPECT_EQ(0, dispatchWheel(WHEEL_DELTA));
    SetEvent(done);
    owner.join();
    CloseHandle(ready);
    CloseHandle(done);
    EXPECT_TRUE(otherMouse.calls.empty());
}

TEST_F(CWindowHookTest, aListenerThatThrowsPassesTheWheelOnAndLeavesATraceLine)
{
    CTraceCapture trace;
    focus();
    m_mouse.throwing = true;
    EXPECT_EQ(0, dispatchWheel(WHEEL_DELTA));
    EXPECT_EQ(1u, m_mouse.calls.size());
    EXPECT_NE(std::string::npos, trace.text().find("CWindow: the mouse hook failed: mouse listener failed"));
}

TEST_F(CWindowHookTest, aRealWheelReachesTheFocusedWindowThroughItsHook)
{
    ShowWindow(handle(), SW_SHOW);
    SetForegroundWindow(handle());
    SetFocus(handle());
    pumpMessages(100);
    if (GetFocus() != handle())
        GTEST_SKIP() << "the display gives this window no focus";
    ASSERT_TRUE(m_window->isMouseHookSet());
    RECT area = {};
    GetWindowRect(handle(), &area);
    SetCursorPos(area.left + 10, area.top + 10);
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = MOUSEEVENTF_WHEEL;
    input.mi.mouseData = static_cast<DWORD>(-WHEEL_DELTA);
    ASSERT_EQ(1u, SendInput(1, &input, sizeof(input)));
    // The hook swallows the wheel: no wheel message is left for the queue to hand out.
    bool wheelMessageSeen = false;
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < 100)
    {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        {
            wheelMessageSeen = wheelMessageSeen || message.message == WM_MOUSEWHEEL;
            DispatchMessageA(&message);
        }
        Sleep(1);
    }
    EXPECT_FALSE(wheelMessageSeen);
    const std::vector<long>& types = m_mouse.eventTypes;
    ASSERT_EQ(1, std::count(types.begin(), types.end(), static_cast<long>(WM_MOUSEWHEEL)));
    EXPECT_EQ(-1.0, m_mouse.wheelValues[std::find(types.begin(), types.end(), WM_MOUSEWHEEL) - types.begin()]);
}
} // namespace
