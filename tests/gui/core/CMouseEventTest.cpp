// CMouseEvent: what the constructors keep, the validating variant, the position read through the event's mouse,
// wheel notches, modifier keys and copies.
#include "gui/core/CMouseEvent.hpp"

#include "gui/core/CMouse.hpp"
#include "tests/gui/CGuiTestKit.hpp"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace
{
using Brivant::GUI::Events::CMouseEvent;
using Brivant::GUI::Windowing::CMouse;
using Brivant::MathTools::CPoint;
using VolturaTests::positionText;

std::string modifiers(const CMouseEvent& event)
{
    return std::string(event.isCtrlDown() ? "ctrl " : "") + (event.isShiftDown() ? "shift " : "") +
           (event.isAltDown() ? "alt" : "");
}

// WM_MOUSEWHEEL's wParam: the signed delta in the high word, the button and key flags in the low word.
std::uintptr_t wheelData(int delta, WORD keys = 0)
{
    return static_cast<std::uintptr_t>(static_cast<DWORD>(MAKELONG(keys, static_cast<WORD>(delta))));
}

TEST(CMouseEventConstruction, keepsTypeMouseAndWheelAsGivenWithoutModifiers)
{
    CMouse mouse(CPoint(3, 4), nullptr);
    const CMouseEvent event(&mouse, WM_MBUTTONDOWN, 2.5);
    EXPECT_EQ(WM_MBUTTONDOWN, event.getEventType());
    EXPECT_EQ(&mouse, event.getMouse());
    EXPECT_EQ(2.5, event.getWheelValue());
    EXPECT_EQ("", modifiers(event));
}

TEST(CMouseEventConstruction, validatedKeepsTheEightMouseMessagesAndMakesAnyOtherAMove)
{
    CMouse mouse(CPoint(0, 0), nullptr);
    const long known[] = {WM_MOUSEMOVE,   WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK,
                          WM_RBUTTONDOWN, WM_RBUTTONUP,   WM_MOUSEWHEEL, WM_MOUSELEAVE};
    for (const long type : known)
    {
        EXPECT_EQ(type, CMouseEvent::validated(&mouse, type, 0.0).getEventType());
    }
    const long unknown[] = {WM_MBUTTONDOWN, WM_RBUTTONDBLCLK, WM_MOUSEHWHEEL, 0, -1, 100000};
    for (const long type : unknown)
    {
        EXPECT_EQ(WM_MOUSEMOVE, CMouseEvent::validated(&mouse, type, 0.0).getEventType()) << type;
    }
    const CMouseEvent wheel = CMouseEvent::validated(&mouse, WM_MOUSEWHEEL, -1.0);
    EXPECT_EQ(&mouse, wheel.getMouse());
    EXPECT_EQ(-1.0, wheel.getWheelValue());
}

TEST(CMouseEventPosition, thePositionIsTheMousesAndMovingItMovesTheMouse)
{
    CMouse mouse(CPoint(10, 20), nullptr);
    CMouseEvent event(&mouse, WM_MOUSEMOVE, 0.0);
    EXPECT_EQ("10,20", positionText(event.getMousePosition()));

    mouse.setPosition(CPoint(-4, 7));
    EXPECT_EQ("-4,7", positionText(event.getMousePosition()));

    // Made local by one receiver, the position is local for every event on the same mouse.
    const CMouseEvent sharing(&mouse, WM_LBUTTONDOWN, 0.0);
    event.setMousePosition(CPoint(1, 2));
    EXPECT_EQ("1,2", positionText(mouse.getPosition()));
    EXPECT_EQ("1,2", positionText(sharing.getMousePosition()));
}

TEST(CMouseEventPosition, anEventWithoutAMouseReadsTheOriginAndIgnoresMoves)
{
    CMouseEvent event(nullptr, WM_MOUSEMOVE, 0.0);
    EXPECT_EQ("0,0", positionText(event.getMousePosition()));
    event.setMousePosition(CPoint(5, 5));
    EXPECT_EQ("0,0", positionText(event.getMousePosition()));
    EXPECT_EQ("0,0", positionText(CMouseEvent(nullptr, WM_MOUSEMOVE, 0.0).getMousePosition()));
}

TEST(CMouseEventWheel, oneNotchIsOnePositiveAwayFromTheUser)
{
    CMouseEvent event(nullptr, WM_MOUSEWHEEL, 0.0);
    event.setWheelValueFromWheelData(wheelData(120));
    EXPECT_EQ(1.0, event.getWheelValue());
    event.setWheelValueFromWheelData(wheelData(-120));
    EXPECT_EQ(-1.0, event.getWheelValue());
    event.setWheelValueFromWheelData(wheelData(360));
    EXPECT_EQ(3.0, event.getWheelValue());
    event.setWheelValueFromWheelData(wheelData(-240));
    EXPECT_EQ(-2.0, event.getWheelValue());
    event.setWheelValueFromWheelData(wheelData(0));
    EXPECT_EQ(0.0, event.getWheelValue());
}

TEST(CMouseEventWheel, highResolutionWheelsGiveFractionsAndTheKeyFlagsAreIgnored)
{
    CMouseEvent event(nullptr, WM_MOUSEWHEEL, 0.0);
    event.setWheelValueFromWheelData(wheelData(60, MK_CONTROL | MK_SHIFT));
    EXPECT_DOUBLE_EQ(0.5, event.getWheelValue());
    event.setWheelValueFromWheelData(wheelData(-30, MK_LBUTTON));
    EXPECT_DOUBLE_EQ(-0.25, event.getWheelValue());
    event.setWheelValueFromWheelData(wheelData(1));
    EXPECT_DOUBLE_EQ(1.0 / 120.0, event.getWheelValue());
    // The largest deltas a 16-bit word holds.
    event.setWheelValueFromWheelData(wheelData(-32768));
    EXPECT_DOUBLE_EQ(-32768.0 / 120.0, event.getWheelValue());
    event.setWheelValueFromWheelData(wheelData(32767));
    EXPECT_DOUBLE_EQ(32767.0 / 120.0, event.getWheelValue());
}

TEST(CMouseEventModifiers, modifiersAreSetAsCtrlShiftAlt)
{
    CMouseEvent event(nullptr, WM_LBUTTONDOWN, 0.0);
    event.setModifiers(true, false, false);
    EXPECT_EQ("ctrl ", modifiers(event));
    event.setModifiers(false, true, false);
    EXPECT_EQ("shift ", modifiers(event));
    event.setModifiers(false, false, true);
    EXPECT_EQ("alt", modifiers(event));
    event.setModifiers(true, true, true);
    EXPECT_EQ("ctrl shift alt", modifiers(event));
}

TEST(CMouseEventCopies, copiesKeepEveryFieldAndShareTheMouse)
{
    CMouse mouse(CPoint(8, 9), nullptr);
    CMouseEvent original(&mouse, WM_RBUTTONUP, -2.0);
    original.setModifiers(false, true, true);
    original.referenced();

    const CMouseEvent copy(original);
    EXPECT_EQ(WM_RBUTTONUP, copy.getEventType());
    EXPECT_EQ(&mouse, copy.getMouse());
    EXPECT_EQ(-2.0, copy.getWheelValue());
    EXPECT_EQ("shift alt", modifiers(copy));
    EXPECT_EQ(0, copy.getReferenceCount());

    CMouseEvent assigned(nullptr, WM_MOUSEMOVE, 0.0);
    assigned = original;
    EXPECT_EQ(WM_RBUTTONUP, assigned.getEventType());
    EXPECT_EQ(&mouse, assigned.getMouse());
    EXPECT_EQ(-2.0, assigned.getWheelValue());
    EXPECT_EQ("shift alt", modifiers(assigned));
    EXPECT_EQ(0, assigned.getReferenceCount());
}
} // namespace
