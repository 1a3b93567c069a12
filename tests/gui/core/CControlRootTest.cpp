// CControlRoot: which control each mouse, key and drop event reaches and where, the references it holds while a
// handler runs and lets go when a control is removed, drawing order and clipping in pixels, and redraw requests.
#include "gui/core/CControlRoot.hpp"

#include "foundation/exceptions/CException.hpp"
#include "tests/foundation/basics/CCountChange.hpp"
#include "tests/gui/CControlTestKit.hpp"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace
{
using Brivant::Exceptions::CException;
using Brivant::MathTools::CPoint;
using Brivant::MathTools::CRect;
using namespace VolturaTests;

// A at (10,10) and B at (30,30) overlap, 40 by 40 each; C at (100,10) does not take the mouse; D at (100,50).
class CFourProbes
{
public:
    CFourProbes()
    {
        add("A", CRect(10, 10, 40, 40), CAlphaColour(255, 0, 0));
        add("B", CRect(30, 30, 40, 40), CAlphaColour(0, 0, 255));
        add("C", CRect(100, 10, 20, 20), CAlphaColour(0, 255, 0))->setMouseEnabled(false);
        add("D", CRect(100, 50, 20, 20), CAlphaColour(0, 0, 0));
    }

    CProbeControl* add(const char* name, const CRect& area, const CAlphaColour& colour)
    {
        auto* probe = new CProbeControl(&bench.root(), name, area, &log, colour);
        bench.root().addControl(probe);
        probes[name] = probe;
        return probe;
    }
    // "" for none.
    IControl* probe(const std::string& name) { return name.empty() ? nullptr : probes[name]; }

    CControlBench bench;
    CEventLog log;
    std::map<std::string, CProbeControl*> probes;
};

class CControlRootWithFourProbes : public ::testing::Test, public CFourProbes
{
};

TEST_F(CControlRootWithFourProbes, aMouseEventReachesTheModalTheLockedOrTheFirstMouseEnabledControlUnderThePoint)
{
    struct SCase
    {
        const char* modal;
        const char* locked;
        long x, y;
        const char* expected;
    } cases[] = {
        {"", "", 35, 35, "A leftDown 25,25"},  // the earlier of two overlapping controls
        {"", "", 60, 60, "B leftDown 30,30"},
        {"", "", 50, 50, "A leftDown 40,40"},  // right and bottom edges are inside
        {"", "", 110, 15, ""},                 // C does not take the mouse
        {"", "", 200, 200, ""},
        {"", "D", 5, 5, "D leftDown -95,-45"}, // a locked control gets the mouse anywhere
        {"", "C", 35, 35, "C leftDown -65,25"}, // even when it does not take the mouse
        {"B", "", 35, 35, "B leftDown 5,5"},
        {"B", "", 15, 15, ""},  // outside the modal control nothing is reached
        {"B", "A", 60, 60, "B leftDown 30,30"},
        {"B", "A", 15, 15, ""},
        {"C", "", 110, 15, ""}, // a modal control that does not take the mouse
    };
    for (const SCase& test : cases)
    {
        SCOPED_TRACE(std::string(test.modal) + "/" + test.locked + " at " + std::to_string(test.x) + "," +
                     std::to_string(test.y));
        bench.root().clearModalControl();
        bench.root().setModalControl(probe(test.modal));
        bench.root().lockControl(probe(test.locked));
        log.clear();
        bench.mouse(CMouseEvent::kLeftButtonDown, test.x, test.y);
        EXPECT_EQ(std::string(test.expected), log.empty() ? "" : log.front());
        EXPECT_LE(log.size(), 1u);
        // The window's mouse is back at the root position once the handler returned.
        EXPECT_EQ(std::to_string(test.x) + "," + std::to_string(test.y),
                  positionText(bench.window().getMousePointer().getPosition()));
    }
}

TEST_F(CControlRootWithFourProbes, everyMouseOperationReachesTheSameOperationWithModifiersAndWheel)
{
    const std::pair<long, const char*> kinds[] = {
        {CMouseEvent::kLeftButtonDown, "leftDown"},   {CMouseEvent::kLeftButtonUp, "leftUp"},
        {CMouseEvent::kRightButtonDown, "rightDown"}, {CMouseEvent::kRightButtonUp, "rightUp"},
        {CMouseEvent::kDoubleClick, "doubleClick"},   {CMouseEvent::kMouseMove, "move"},
        {CMouseEvent::kMouseLeave, "leave"}};
    for (const auto& kind : kinds)
    {
        log.clear();
        bench.mouse(kind.first, 12, 13, kShift);
        EXPECT_EQ(std::vector<std::string>{std::string("A ") + kind.second + " 2,3 shift"}, log);
    }
    log.clear();
    bench.wheel(12, 13, -1.5);
    EXPECT_EQ(std::vector<std::string>{"A scroll 2,3 wheel -1.5"}, log);
}

TEST_F(CControlRootWithFourProbes, aKeyGoesToTheModalTheLockedOrTheLastMouseTarget)
{
    struct SCase
    {
        const char* clicked;
        const char* locked;
        const char* modal;
        bool probeAnswer;
        const char* expected;
        bool rootAnswer;
    } cases[] = {
        {"", "", "", true, "", false}, // nobody has had the mouse yet
        {"B", "", "", true, "B keyDown k", true},
        {"B", "", "", false, "B keyDown k", false},
        {"B", "D", "", true, "D keyDown k", true},
        {"B", "D", "C", true, "C keyDown k", false}, // the modal control's answer is never passed on
    };
    for (const SCase& test : cases)
    {
        SCOPED_TRACE(test.expected);
        CFourProbes fresh;
        if (*test.clicked != '\0')
            fresh.bench.click(fresh.probes[test.clicked]->getArea().getRight(),
                              fresh.probes[test.clicked]->getArea().getBottom());
        fresh.bench.root().lockControl(fresh.probe(test.locked));
        fresh.bench.root().setModalControl(fresh.probe(test.modal));
        for (auto& entry : fresh.probes)
            entry.second->keyAnswer = test.probeAnswer;
        fresh.log.clear();
        EXPECT_EQ(test.rootAnswer, fresh.bench.key(true, 'k'));
        EXPECT_EQ(std::string(test.expected), fresh.log.empty() ? "" : fresh.log.front());
    }
}

TEST_F(CControlRootWithFourProbes, aDropReachesADropEnabledModalControlAsItCameAndAnyOtherTargetLocally)
{
    probes["A"]->setDropFileEnabled(true);
    probes["D"]->setDropFileEnabled(true);
    struct SCase
    {
        const char* modal;
        long x, y;
        const char* expected;
    } cases[] = {
        {"", 15, 20, "A drop 5,10 a.txt"},
        {"", 60, 60, ""}, // B takes no drops
        {"D", 105, 55, "D drop 105,55 a.txt"},
        {"D", 15, 20, "A drop 5,10 a.txt"}, // outside the modal control the drop is still delivered
        {"B", 35, 35, "A drop 25,25 a.txt"},
    };
    for (const SCase& test : cases)
    {
        SCOPED_TRACE(test.expected);
        bench.root().clearModalControl();
        bench.root().setModalControl(probe(test.modal));
        log.clear();
        bench.drop(test.x, test.y, {"a.txt"});
        EXPECT_EQ(std::string(test.expected), log.empty() ? "" : log.front());
    }
}

TEST(CControlRootRemoval, aControlThatRemovesItselfInAHandlerLivesUntilItReturnsAndGetsNothingMore)
{
    for (const char* handler : {"mouse", "key", "drop"})
    {
        SCOPED_TRACE(handler);
        const CCountChange controls(CControl::classRecord());
        CControlBench bench;
        CEventLog log;
        auto* probe = new CProbeControl(&bench.root(), "X", CRect(10, 10, 40, 40), &log);
        probe->setDropFileEnabled(true);
        bench.root().addControl(probe);
        bench.click(20, 20);
        long countInHandler = 0;
        probe->onEvent = [&](CProbeControl& self) {
            self.getControlRoot()->lockControl(&self);
            self.getControlRoot()->removeControl(&self);
            countInHandler = self.getReferenceCount();
        };
        if (std::string(handler) == "mouse")
            bench.mouse(CMouseEvent::kLeftButtonDown, 20, 20);
        else if (std::string(handler) == "key")
            bench.key(true, 'k');
        else
            bench.drop(20, 20, {"a.txt"});
        EXPECT_EQ(1, countInHandler);
        EXPECT_EQ(0, controls.live());
        log.clear();
        bench.mouse(CMouseEvent::kMouseMove, 20, 20);
        EXPECT_FALSE(bench.key(true, 'k'));
        EXPECT_TRUE(log.empty());
        EXPECT_EQ(nullptr, bench.root().getLockedControl());
        EXPECT_EQ(nullptr, bench.root().getMouseTargetControl());
    }
}

TEST(CControlRootRemoval, removingOrClearingLetsGoOfTheLockModalAndLastTarget)
{
    for (bool clearing : {false, true})
    {
        for (const char* holder : {"locked", "modal", "last target"})
        {
            SCOPED_TRACE(std::string(holder) + (clearing ? " cleared" : " removed"));
            const CCountChange controls(CControl::classRecord());
            CControlBench bench;
            CEventLog log;
            auto* probe = new CProbeControl(&bench.root(), "X", CRect(10, 10, 40, 40), &log);
            bench.root().addControl(probe);
            if (std::string(holder) == "locked")
                bench.root().lockControl(probe);
            else if (std::string(holder) == "modal")
                bench.root().setModalControl(probe);
            else
                bench.click(20, 20);
            clearing ? bench.root().clearControls() : bench.root().removeControl(probe);
            EXPECT_EQ(0, controls.live());
            EXPECT_FALSE(bench.key(true, 'k'));
            bench.mouse(CMouseEvent::kMouseMove, 20, 20);
            EXPECT_EQ(nullptr, bench.root().getLockedControl());
            EXPECT_EQ(nullptr, bench.root().getModalControl());
            EXPECT_EQ(nullptr, bench.root().getMouseTargetControl());
        }
    }
}

TEST(CControlRootRemoval, theWindowsRootReleasesLockedModalAndTargetControlsWithTheList)
{
    const CCountChange controls(CControl::classRecord());
    const CCountChange roots(CControlRoot::classRecord());
    {
        CControlBench bench;
        CEventLog log;
        for (const char* name : {"L", "M", "T"})
            bench.root().addControl(new CProbeControl(&bench.root(), name, CRect(0, 0, 10, 10), &log));
        bench.click(5, 5);
        bench.root().lockControl(bench.root().getControl(0, true));
        bench.root().setModalControl(bench.root().getControl(1, true));
        EXPECT_EQ(3, controls.live());
    }
    EXPECT_EQ(0, controls.live());
    EXPECT_EQ(0, roots.live());
}

TEST_F(CControlRootWithFourProbes, theListKeepsPositionsWhenAControlGoesAndAddsAControlOnlyOnce)
{
    bench.root().addControl(probes["A"]);
    bench.root().addControl(nullptr);
    EXPECT_EQ(4, bench.root().getInsertIndex());
    probes["B"]->setControlId(7);
    EXPECT_EQ(probes["B"], bench.root().getControl(7, false));
    EXPECT_EQ(probes["C"], bench.root().getControl(2, true));
    bench.root().removeControl(probes["B"]);
    EXPECT_EQ(32, bench.root().getControlArraySize());
    EXPECT_EQ(-1, bench.root().getControlIndex(probes["B"]));
    EXPECT_EQ(-1, bench.root().getControlIndex(nullptr));
    EXPECT_EQ(nullptr, bench.root().getControl(1, true));
    EXPECT_EQ(3, bench.root().getControlIndex(probes["D"]));
    EXPECT_EQ(probes["C"], bench.root().getControlAtPoint(CPoint(100, 10)));
    EXPECT_EQ(nullptr, bench.root().getMouseEnabledControlAtPoint(CPoint(100, 10)));
}

TEST_F(CControlRootWithFourProbes, controlsAreDrawnInListOrderClippedToTheirAreasWithTheModalControlLast)
{
    probes["A"]->spill = true;
    COffscreenCanvas canvas(130, 90);
    canvas.draw(bench.root());
    EXPECT_EQ(rgbText(0, 0, 255), canvas.rgb(35, 35));  // B, added later, covers A
    EXPECT_EQ(rgbText(255, 0, 0), canvas.rgb(10, 49));  // A's own pixels reach its last row and column
    EXPECT_EQ(rgbText(255, 255, 255), canvas.rgb(7, 20)); // A's spill is clipped
    EXPECT_EQ(rgbText(255, 255, 255), canvas.rgb(20, 52));
    EXPECT_EQ(rgbText(0, 0, 0), canvas.rgb(119, 69));
    EXPECT_EQ(CRect(10, 10, 110, 60), canvas.pixels().inkBounds(rgbText(255, 255, 255)));

    bench.root().setModalControl(probes["A"]);
    canvas.draw(bench.root());
    EXPECT_EQ(rgbText(255, 0, 0), canvas.rgb(35, 35));

    // Only controls meeting the update area are drawn; touching it is enough.
    log.clear();
    bench.root().clearModalControl();
    canvas.draw(bench.root(), CRect(0, 0, 10, 10));
    EXPECT_EQ(std::vector<std::string>{"A draw"}, log);
}

TEST_F(CControlRootWithFourProbes, redrawsGoToTheWindowAsAbsoluteAreasAndPopupsOpenBelowTheControl)
{
    probes["D"]->update();
    bench.root().setModalControl(probes["A"]);
    bench.root().clearModalControl();
    EXPECT_EQ((std::vector<std::string>{"100,50,20,20", "10,10,40,40", "10,10,40,40"}), bench.redraws);
    CPoint popup(0, 0);
    bench.root().getPopupPosition(probes["D"], popup);
    EXPECT_EQ("99,70", positionText(popup));
}

TEST(CControlRootConstruction, needsAWindowAndAControlNeedsARoot)
{
    try
    {
        CControlRoot root(nullptr);
        FAIL() << "no exception";
    }
    catch (const CException& failure)
    {
        EXPECT_STREQ("Parent window is NULL", failure.getErrorReason().getString());
        EXPECT_STREQ("CControlRoot::CControlRoot(IWindow *)", failure.getFunctionName().getString());
    }
    try
    {
        CControl control(nullptr, 1, CRect(0, 0, 1, 1), nullptr);
        FAIL() << "no exception";
    }
    catch (const CException& failure)
    {
        EXPECT_STREQ("Control root is null", failure.getErrorReason().getString());
    }
}
} // namespace
