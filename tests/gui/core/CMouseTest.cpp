// CMouse: positions (signed when unpacked from a mouse message), the cursor it shows, and the mouse capture.
#include "gui/core/CMouse.hpp"

#include "gui/core/CCursor.hpp"
#include "tests/gui/CGuiTestKit.hpp"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace
{
using Brivant::GUI::Windowing::CCursor;
using Brivant::GUI::Windowing::CMouse;
using Brivant::MathTools::CPoint;
using VolturaTests::packedPosition;
using VolturaTests::positionText;

// A hidden window of this thread, which is all SetCapture needs; it needs a display (the test runner starts one).
class CHiddenWindow
{
public:
    CHiddenWindow()
        : m_handle(CreateWindowExA(0, "STATIC", "capture", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr))
    {
    }
    ~CHiddenWindow()
    {
        if (m_handle != nullptr)
        {
            DestroyWindow(m_handle);
        }
    }
    CHiddenWindow(const CHiddenWindow&) = delete;
    CHiddenWindow& operator=(const CHiddenWindow&) = delete;

    // The handle holder, as a framework window passes it.
    HWND* holder() { return &m_handle; }
    HWND handle() const { return m_handle; }

private:
    HWND m_handle;
};

TEST(CMouseConstruction, aNewMouseStandsAtTheOriginShowingTheArrow)
{
    SetCursor(CCursor::handCursor().getCursorHandle());
    const CMouse mouse;
    EXPECT_EQ("0,0", positionText(mouse.getPosition()));
    EXPECT_EQ(&CCursor::arrowCursor(), mouse.getCursor());
    EXPECT_EQ(CCursor::arrowCursor().getCursorHandle(), GetCursor());
}

TEST(CMouseConstruction, aGivenCursorIsShownAndNoCursorLeavesTheShownOne)
{
    CCursor beam(CCursor::kText);
    const CMouse withCursor(CPoint(3, 4), &beam);
    EXPECT_EQ("3,4", positionText(withCursor.getPosition()));
    EXPECT_EQ(&beam, withCursor.getCursor());
    EXPECT_EQ(beam.getCursorHandle(), GetCursor());

    const CMouse withoutCursor(CPoint(5, 6), nullptr);
    EXPECT_EQ(nullptr, withoutCursor.getCursor());
    EXPECT_EQ(beam.getCursorHandle(), GetCursor());
}

TEST(CMousePosition, packedPositionsAreSignedSoLeftOfAndAboveTheWindowIsNegative)
{
    EXPECT_EQ("-5,-7", positionText(CMouse(packedPosition(-5, -7), nullptr).getPosition()));
    EXPECT_EQ("-1,20", positionText(CMouse(packedPosition(-1, 20), nullptr).getPosition()));
    EXPECT_EQ("640,480", positionText(CMouse(packedPosition(640, 480), nullptr).getPosition()));
    EXPECT_EQ("32767,-32768", positionText(CMouse(packedPosition(32767, -32768), nullptr).getPosition()));

    CMouse mouse(CPoint(1, 1), nullptr);
    mouse.setPositionFromLParam(packedPosition(-300, -2));
    EXPECT_EQ("-300,-2", positionText(mouse.getPosition()));
    // Only the low 32 bits carry the position: a zero-extended value reads the same.
    mouse.setPositionFromLParam(static_cast<LPARAM>(static_cast<DWORD>(packedPosition(-8, 9))));
    EXPECT_EQ("-8,9", positionText(mouse.getPosition()));
    mouse.setPosition(CPoint(12, -13));
    EXPECT_EQ("12,-13", positionText(mouse.getPosition()));
}

TEST(CMouseCursor, settingACursorShowsItAndNoCursorIsIgnored)
{
    CMouse mouse(CPoint(0, 0), nullptr);
    mouse.setCursor(&CCursor::moveCursor());
    EXPECT_EQ(&CCursor::moveCursor(), mouse.getCursor());
    EXPECT_EQ(CCursor::moveCursor().getCursorHandle(), GetCursor());

    mouse.setCursor(nullptr);
    EXPECT_EQ(&CCursor::moveCursor(), mouse.getCursor());
    EXPECT_EQ(CCursor::moveCursor().getCursorHandle(), GetCursor());
}

TEST(CMouseCapture, captureIsReportedForItsWindowUntilReleased)
{
    CHiddenWindow window;
    CHiddenWindow other;
    ASSERT_NE(nullptr, window.handle()) << "creating a window needs a display";
    ASSERT_NE(nullptr, other.handle());
    CMouse mouse;

    mouse.captureMouse(window.holder());
    EXPECT_TRUE(mouse.isMouseCaptured());
    EXPECT_TRUE(mouse.isCapturedBy(window.holder()));
    EXPECT_FALSE(mouse.isCapturedBy(other.holder()));
    // Any mouse sees the capture: it belongs to the thread, not to the object.
    EXPECT_TRUE(CMouse(CPoint(0, 0), nullptr).isCapturedBy(window.holder()));

    mouse.releaseCapture();
    EXPECT_FALSE(mouse.isMouseCaptured());
    EXPECT_FALSE(mouse.isCapturedBy(window.holder()));
}

TEST(CMouseCapture, aMissingWindowHandleNeitherCapturesNorCountsAsCapturing)
{
    CMouse mouse;
    ReleaseCapture();
    HWND none = nullptr;

    mouse.captureMouse(nullptr);
    mouse.captureMouse(&none);
    EXPECT_FALSE(mouse.isMouseCaptured());
    // With no capture anywhere, a window without a handle must not read as the capturing one.
    EXPECT_FALSE(mouse.isCapturedBy(&none));
    EXPECT_FALSE(mouse.isCapturedBy(nullptr));

    CHiddenWindow window;
    ASSERT_NE(nullptr, window.handle()) << "creating a window needs a display";
    mouse.captureMouse(window.holder());
    EXPECT_FALSE(mouse.isCapturedBy(&none));
    mouse.releaseCapture();
}
} // namespace
