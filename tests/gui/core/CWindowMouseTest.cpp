// CWindow's mouse messages: what reaches the mouse listener and with which position, the capture a press takes
// and a release gives back, the wheel in notches, the modifier keys, and the answers without a listener.
#include "gui/core/CWindow.hpp"

#include "tests/gui/CGuiTestKit.hpp"
#include "tests/gui/core/CImportPatch.hpp"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
using namespace VolturaTests;

class CWindowMouseTest : public ::testing::Test
{
protected:
    CWindowMouseTest() : m_window(CRect(100, 80, 200, 150))
    {
        CWindowAttributes attributes = hiddenAttributes("MouseProbe");
        m_window.intialiseWindow(&attributes, false);
        m_window.setMouseListener(&m_listener);
    }
    ~CWindowMouseTest() override
    {
        if (GetCapture() != nullptr)
            ReleaseCapture();
    }

    HWND handle() const { return *m_window.getWindowHandle(); }
    LRESULT send(UINT message, WPARAM wParam, LPARAM lParam) { return SendMessageA(handle(), message, wParam, lParam); }

    // Screen position of a client point of the window.
    POINT onScreen(int x, int y) const
    {
        POINT point = {x, y};
        ClientToScreen(handle(), &point);
        return point;
    }

    CWindow m_window;
    CRecordingMouseListener m_listener;
};

TEST_F(CWindowMouseTest, eachMouseMessageReachesItsOperationWithTheClientPosition)
{
    EXPECT_EQ(0, send(WM_MOUSEMOVE, 0, packedPosition(5, 6)));
    EXPECT_EQ(0, send(WM_LBUTTONDOWN, MK_LBUTTON, packedPosition(7, 8)));
    EXPECT_EQ(0, send(WM_LBUTTONUP, 0, packedPosition(9, 10)));
    EXPECT_EQ(0, send(WM_LBUTTONDBLCLK, MK_LBUTTON, packedPosition(11, 12)));
    EXPECT_EQ(0, send(WM_RBUTTONDOWN, MK_RBUTTON, packedPosition(13, 14)));
    EXPECT_EQ(0, send(WM_RBUTTONUP, 0, packedPosition(15, 16)));
    const std::vector<std::string> expected = {"move 5,6",        "leftDown 7,8",    "leftUp 9,10",
                                               "doubleClick 11,12", "rightDown 13,14", "rightUp 15,16"};
    EXPECT_EQ(expected, m_listener.calls);
    const std::vector<long> types = {WM_MOUSEMOVE,     WM_LBUTTONDOWN, WM_LBUTTONUP,
                                     WM_LBUTTONDBLCLK, WM_RBUTTONDOWN, WM_RBUTTONUP};
    EXPECT_EQ(types, m_listener.eventTypes);
    EXPECT_EQ("15,16", positionText(m_window.getMousePointer().getPosition()));
    EXPECT_EQ("15,16", positionText(m_window.getLastMousePosition()));
}

TEST_F(CWindowMouseTest, positionsLeftOfOrAboveTheWindowArriveNegative)
{
    send(WM_LBUTTONDOWN, MK_LBUTTON, packedPosition(10, 10));
    send(WM_MOUSEMOVE, MK_LBUTTON, packedPosition(-5, -7));
    send(WM_MOUSEMOVE, MK_LBUTTON, packedPosition(-300, 400));
    send(WM_LBUTTONUP, 0, packedPosition(-1, -2));
    const std::vector<std::string> expected = {"leftDown 10,10", "move -5,-7", "move -300,400", "leftUp -1,-2"};
    EXPECT_EQ(expected, m_listener.calls);
}

TEST_F(CWindowMouseTest, aPressCapturesTheMouseAndTheReleaseGivesItBack)
{
    ASSERT_EQ(nullptr, GetCapture());
    send(WM_LBUTTONDOWN, MK_LBUTTON, packedPosition(10, 10));
    EXPECT_EQ(handle(), GetCapture());
    send(WM_LBUTTONUP, 0, packedPosition(10, 10));
    EXPECT_EQ(nullptr, GetCapture());

    send(WM_RBUTTONDOWN, MK_RBUTTON, packedPosition(10, 10));
    EXPECT_EQ(handle(), GetCapture());
    send(WM_RBUTTONUP, 0, packedPosition(10, 10));
    EXPECT_EQ(nullptr, GetCapture());
}

TEST_F(CWindowMouseTest, aPressLeavesACaptureAnotherWindowHolds)
{
    CWindow other(CRect(0, 0, 50, 50));
    CWindowAttributes attributes = hiddenAttributes("MouseOther");
    other.intialiseWindow(&attributes, false);
    SetCapture(*other.getWindowHandle());
    send(WM_LBUTTONDOWN, MK_LBUTTON, packedPosition(10, 10));
    EXPECT_EQ(*other.getWindowHandle(), GetCapture());
    EXPECT_EQ(1u, m_listener.calls.size());
}

TEST_F(CWindowMouseTest, doubleClicksAndMovesTakeNoCapture)
{
    send(WM_LBUTTONDBLCLK, MK_LBUTTON, packedPosition(3, 3));
    send(WM_MOUSEMOVE, 0, packedPosition(4, 4));
    EXPECT_EQ(nullptr, GetCapture());
    EXPECT_EQ(2u, m_listener.calls.size());
}

TEST_F(CWindowMouseTest, withoutAListenerButtonsWheelAndDropsAnswerMinusOneAndMovesGoToTheDefault)
{
    m_window.setMouseListener(nullptr);
    EXPECT_FALSE(m_window.hasMouseListener());
    EXPECT_EQ(-1, send(WM_LBUTTONDOWN, MK_LBUTTON, packedPosition(1, 1)));
    EXPECT_EQ(nullptr, GetCapture());
    EXPECT_EQ(-1, send(WM_LBUTTONUP, 0, packedPosition(1, 1)));
    EXPECT_EQ(-1, send(WM_RBUTTONDOWN, MK_RBUTTON, packedPosition(1, 1)));
    EXPECT_EQ(-1, send(WM_RBUTTONUP, 0, packedPosition(1, 1)));
    EXPECT_EQ(-1, send(WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0));
    EXPECT_EQ(0, send(WM_MOUSEMOVE, 0, packedPosition(1, 1)));
    EXPECT_EQ(0, send(WM_LBUTTONDBLCLK, 0, packedPosition(1, 1)));
    EXPECT_EQ(0, send(WM_MOUSELEAVE, 0, 0));
    m_window.setDropFileListener(nullptr);
    EXPECT_EQ(-1, send(WM_DROPFILES, 0, 0));
    EXPECT_TRUE(m_listener.calls.empty());
}

TEST_F(CWindowMouseTest, leavingReportsWhereThePointerIsNowOutsideTheWindow)
{
    const POINT outside = onScreen(-20, 170);
    SetCursorPos(outside.x, outside.y);
    POINT now = {};
    GetCursorPos(&now);
    ScreenToClient(handle(), &now);
    EXPECT_EQ(0, send(WM_MOUSELEAVE, 0, 0));
    ASSERT_EQ(1u, m_listener.calls.size());
    EXPECT_EQ("leave " + std::to_string(now.x) + "," + std::to_string(now.y), m_listener.calls[0]);
    EXPECT_EQ(WM_MOUSELEAVE, m_listener.eventTypes[0]);
}

TEST_F(CWindowMouseTest, oneWheelNotchIsOneAndAHighResolutionWheelGivesFractions)
{
    const POINT pointer = onScreen(30, 40);
    SetCursorPos(pointer.x, pointer.y);
    POINT now = {};
    GetCursorPos(&now);
    ScreenToClient(handle(), &now);
    const std::string position = std::to_string(now.x) + "," + std::to_string(now.y);

    EXPECT_EQ(0, send(WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(now.x, now.y)));
    send(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
    send(WM_MOUSEWHEEL, MAKEWPARAM(0, 3 * WHEEL_DELTA), 0);
    send(WM_MOUSEWHEEL, MAKEWPARAM(0, 30), 0);
    send(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-60)), 0);
    const std::vector<double> expected = {1.0, -1.0, 3.0, 0.25, -0.5};
    EXPECT_EQ(expected, m_listener.wheelValues);
    ASSERT_EQ(5u, m_listener.calls.size());
    EXPECT_EQ("scroll " + position, m_listener.calls[0]);
    EXPECT_EQ(WM_MOUSEWHEEL, m_listener.eventTypes[0]);
    // The wheel is not a press: it leaves the capture alone.
    EXPECT_EQ(nullptr, GetCapture());
}

TEST_F(CWindowMouseTest, aMoveAfterTheWheelCarriesNoWheelValue)
{
    send(WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
    send(WM_MOUSEMOVE, 0, packedPosition(1, 1));
    ASSERT_EQ(2u, m_listener.wheelValues.size());
    EXPECT_EQ(0.0, m_listener.wheelValues[1]);
}

// GetAsyncKeyState answers for the keys a test holds down.
std::vector<int> s_keysDown;
SHORT WINAPI fakeAsyncKeyState(int virtualKey)
{
    for (int key : s_keysDown)
    {
        if (key == virtualKey)
            return static_cast<SHORT>(0x8000);
    }
    // The low bit alone means "pressed some time since the last call", not "down".
    return 1;
}

TEST_F(CWindowMouseTest, modifierKeysAreThoseHeldDownNow)
{
    CImportPatch patch("user32.dll", "GetAsyncKeyState", reinterpret_cast<void*>(&fakeAsyncKeyState));
    ASSERT_TRUE(patch.isActive());
    s_keysDown = {VK_SHIFT};
    send(WM_MOUSEMOVE, 0, packedPosition(1, 2));
    s_keysDown = {VK_CONTROL, VK_MENU};
    send(WM_LBUTTONDOWN, MK_LBUTTON, packedPosition(3, 4));
    s_keysDown = {};
    send(WM_LBUTTONUP, 0, packedPosition(3, 4));
    s_keysDown = {VK_SHIFT};
    send(WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
    s_keysDown = {};
    ASSERT_EQ(4u, m_listener.calls.size());
    EXPECT_EQ("move 1,2 shift", m_listener.calls[0]);
    EXPECT_EQ("leftDown 3,4 ctrl alt", m_listener.calls[1]);
    EXPECT_EQ("leftUp 3,4", m_listener.calls[2]);
    EXPECT_NE(std::string::npos, m_listener.calls[3].find(" shift"));
}

TEST_F(CWindowMouseTest, aListenerThatThrowsNeverTakesTheWindowDown)
{
    CTraceCapture trace;
    m_listener.throwing = true;
    send(WM_LBUTTONDOWN, MK_LBUTTON, packedPosition(1, 1));
    send(WM_MOUSEMOVE, 0, packedPosition(2, 2));
    EXPECT_EQ(2u, m_listener.calls.size());
    EXPECT_TRUE(IsWindow(handle()));
    EXPECT_NE(std::string::npos, trace.text().find("CWindow: the window procedure failed: mouse listener failed"));
}
} // namespace
