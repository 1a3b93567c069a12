// CActionEvent: the control it names (never null), modifier keys taken from a mouse event, extra information
// and copies.
#include "gui/core/CActionEvent.hpp"

#include "foundation/exceptions/CException.hpp"
#include "gui/core/CMouseEvent.hpp"
#include "tests/foundation/basics/CCountChange.hpp"

#include <gtest/gtest.h>

#include <string>

namespace
{
using Brivant::Exceptions::CException;
using Brivant::GUI::Controls::IControl;
using Brivant::GUI::Events::CActionEvent;
using Brivant::GUI::Events::CMouseEvent;
using VolturaTests::CCountChange;

// The event only stores and hands back the control, so two distinct addresses stand in for controls.
alignas(16) unsigned char s_controls[2][16];
IControl* control(int index) { return reinterpret_cast<IControl*>(s_controls[index]); }

std::string modifiers(const CActionEvent& event)
{
    return std::string(event.isCtrlDown() ? "ctrl " : "") + (event.isShiftDown() ? "shift " : "") +
           (event.isAltDown() ? "alt" : "");
}

void expectControlIsNull(const CException& error)
{
    EXPECT_STREQ("Control is NULL", error.getErrorReason().getString());
    EXPECT_STREQ("CActionEvent::CActionEvent(IControl *control)", error.getFunctionName().getString());
}

TEST(CActionEventConstruction, namesItsControlWithoutModifiersOrExtraInformation)
{
    const CActionEvent event(control(0));
    EXPECT_EQ(control(0), event.getControl());
    EXPECT_EQ(0, event.getExtraInformation());
    EXPECT_EQ("", modifiers(event));
}

TEST(CActionEventConstruction, aMouseEventLendsItsShiftAltAndCtrl)
{
    CMouseEvent mouse(nullptr, CMouseEvent::kLeftButtonUp, 0.0);
    mouse.setModifiers(false, true, false);
    EXPECT_EQ("shift ", modifiers(CActionEvent(control(0), mouse)));
    mouse.setModifiers(false, false, true);
    EXPECT_EQ("alt", modifiers(CActionEvent(control(0), mouse)));
    mouse.setModifiers(true, false, false);
    EXPECT_EQ("ctrl ", modifiers(CActionEvent(control(0), mouse)));
    EXPECT_EQ(control(0), CActionEvent(control(0), mouse).getControl());
}

TEST(CActionEventNullControl, everyWayOfGivingNoControlThrowsControlIsNull)
{
    const CCountChange events(CActionEvent::classRecord());
    try
    {
        CActionEvent event(nullptr);
        ADD_FAILURE() << "no exception";
    }
    catch (const CException& error)
    {
        expectControlIsNull(error);
    }

    const CMouseEvent mouse(nullptr, CMouseEvent::kLeftButtonUp, 0.0);
    try
    {
        CActionEvent event(nullptr, mouse);
        ADD_FAILURE() << "no exception";
    }
    catch (const CException& error)
    {
        expectControlIsNull(error);
    }
    // A failed construction leaves no instance counted.
    EXPECT_EQ(0, events.live());
}

TEST(CActionEventNullControl, settingNoControlThrowsAndKeepsTheControl)
{
    CActionEvent event(control(0));
    try
    {
        event.setControl(nullptr);
        ADD_FAILURE() << "no exception";
    }
    catch (const CException& error)
    {
        expectControlIsNull(error);
    }
    EXPECT_EQ(control(0), event.getControl());

    event.setControl(control(1));
    EXPECT_EQ(control(1), event.getControl());
}

TEST(CActionEventFields, modifiersAreSetAsShiftAltCtrlAndExtraInformationIsKept)
{
    CActionEvent event(control(0));
    event.setModifiers(true, false, false);
    EXPECT_EQ("shift ", modifiers(event));
    event.setModifiers(false, true, false);
    EXPECT_EQ("alt", modifiers(event));
    event.setModifiers(false, false, true);
    EXPECT_EQ("ctrl ", modifiers(event));

    event.setExtraInformation(-42);
    EXPECT_EQ(-42, event.getExtraInformation());
}

TEST(CActionEventCopies, copiesKeepControlModifiersAndExtraInformation)
{
    CActionEvent original(control(1));
    original.setModifiers(true, true, false);
    original.setExtraInformation(7);
    original.referenced();

    const CActionEvent copy(original);
    EXPECT_EQ(control(1), copy.getControl());
    EXPECT_EQ("shift alt", modifiers(copy));
    EXPECT_EQ(7, copy.getExtraInformation());
    EXPECT_EQ(0, copy.getReferenceCount());

    CActionEvent assigned(control(0));
    assigned = original;
    EXPECT_EQ(control(1), assigned.getControl());
    EXPECT_EQ("shift alt", modifiers(assigned));
    EXPECT_EQ(7, assigned.getExtraInformation());
}
} // namespace
