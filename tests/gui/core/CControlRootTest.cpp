// CControlRoot: which control each mouse and key event reaches and where, the references it holds while a handler
// runs and lets go when a control is removed, and drawing order and clipping in pixels.
#include "gui/core/CControlRoot.hpp"

#include "gui/core/CWindowTools.hpp"
#include "tests/foundation/basics/CCountChange.hpp"
#include "tests/gui/CGuiTestKit.hpp"

#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace
{
using Brivant::MathTools::CRect;
using namespace VolturaTests;

std::string first(const CEventLog& log) { return log.empty() ? "" : log.front(); }

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
        return probes[name] = probe;
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
        const char *modal, *locked;
        long x, y;
        const char* expected;
    } cases[] = {
        {"", "", 35, 35, "A leftDown 25,25"},   // the earlier of two overlapping controls
        {"", "", 60, 60, "B leftDown 30,30"},   {"", "", 50, 50, "A leftDown 40,40"}, // edges are inside
        {"", "", 110, 15, ""},                  // C does not take the mouse
        {"", "D", 5, 5, "D leftDown -95,-45"},  // a locked control gets the mouse anywhere,
        {"", "C", 35, 35, "C leftDown -65,25"}, // even when it does not take it
        {"B", "", 35, 35, "B leftDown 5,5"},    {"B", "", 15, 15, ""}, // nothing outside the modal control
        {"B", "A", 60, 60, "B leftDown 30,30"}, {"B", "A", 15, 15, ""},
        {"C", "", 110, 15, ""}}; // a modal control that does not take the mouse
    for (const SCase& test : cases)
    {
        SCOPED_TRACE(std::string(test.modal) + "/" + test.locked + " " + std::to_string(test.x));
        bench.root().clearModalControl();
        bench.root().setModalControl(probe(test.modal));
        bench.root().lockControl(probe(test.locked));
        log.clear();
        bench.mouse(CMouseEvent::kLeftButtonDown, test.x, test.y);
        EXPECT_EQ(std::string(test.expected), first(log));
        EXPECT_LE(log.size(), 1u);
        // The window's mouse is back at the root position once the handler returned.
        EXPECT_EQ(test.x, bench.window().getMousePointer().getPosition().getX());
    }
    bench.root().unlockControl();
    bench.root().clearModalControl();
    const char* operations[] = {"leftDown", "leftUp", "rightDown", "rightUp", "doubleClick", "move", "leave", "scroll"};
    const long kinds[] = {513, 514, 516, 517, 515, 512, 675, 522};
    for (int index = 0; index < 8; ++index)
    {
        log.clear();
        bench.mouse(kinds[index], 12, 13, kShift, 1.5);
        EXPECT_EQ(std::string("A ") + operations[index] + " 2,3 shift" + (index == 7 ? " wheel 1.50" : ""),
                  first(log));
    }
}

TEST(CControlRootKeys, aKeyGoesToTheModalTheLockedOrTheLastMouseTarget)
{
    struct SCase
    {
        const char *clicked, *locked, *modal;
        bool probeAnswer;
        const char* expected;
        bool rootAnswer;
    } cases[] = {{"", "", "", true, "", false}, // nobody has had the mouse yet
                 {"B", "", "", true, "B keyDown k", true},
                 {"B", "", "", false, "B keyDown k", false},
                 {"B", "D", "", true, "D keyDown k", true},
                 {"B", "D", "C", true, "C keyDown k", false}}; // the modal control's answer is not passed on
    for (const SCase& test : cases)
    {
        SCOPED_TRACE(test.expected);
        CFourProbes set;
        if (*test.clicked != '\0')
            set.bench.click(65, 65);
        set.bench.root().lockControl(set.probe(test.locked));
        set.bench.root().setModalControl(set.probe(test.modal));
        for (auto& entry : set.probes)
            entry.second->keyAnswer = test.probeAnswer;
        set.log.clear();
        EXPECT_EQ(test.rootAnswer, set.bench.key(true, 'k'));
        EXPECT_EQ(std::string(test.expected), first(set.log));
    }
}

TEST(CControlRootRemoval, aControlThatRemovesItselfInAHandlerLivesUntilItReturnsAndGetsNothingMore)
{
    for (std::string handler : {"mouse", "key", "drop"})
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
        log.clear();
        handler == "mouse" ? bench.mouse(CMouseEvent::kLeftButtonDown, 20, 25)
                           : handler == "key" ? (void)bench.key(true, 'k') : bench.drop(20, 25, {"a.txt"});
        EXPECT_EQ(handler == "mouse" ? "X leftDown 10,15" : handler == "key" ? "X keyDown k" : "X drop 10,15 a.txt",
                  first(log));
        EXPECT_EQ(1, countInHandler);
        EXPECT_EQ(0, controls.live());
        bench.mouse(CMouseEvent::kMouseMove, 20, 20);
        EXPECT_FALSE(bench.key(true, 'k'));
        EXPECT_EQ(1u, log.size());
    }
}

TEST(CControlRootRemoval, removingOrClearingLetsGoOfTheLockModalAndLastTargetAndSoDoesTheRootsEnd)
{
    for (const char* ending : {"remove", "clear", "destroy"})
    {
        for (std::string holder : {"locked", "modal", "last target"})
        {
            SCOPED_TRACE(holder + " " + ending);
            const CCountChange controls(CControl::classRecord());
            // A root has no record of its own; its mouse event, and the window's, go with it.
            const CCountChange events(CMouseEvent::classRecord());
            auto* bench = new CControlBench();
            auto* probe = new CProbeControl(&bench->root(), "X", CRect(10, 10, 40, 40), nullptr);
            bench->root().addControl(probe);
            holder == "locked"  ? bench->root().lockControl(probe)
            : holder == "modal" ? bench->root().setModalControl(probe)
                                : bench->click(20, 20);
            if (std::string(ending) == "destroy")
            {
                delete bench;
                EXPECT_EQ(0, events.live());
                EXPECT_EQ(0, controls.live());
                continue;
            }
            std::string(ending) == "clear" ? bench->root().clearControls() : bench->root().removeControl(probe);
            EXPECT_EQ(0, controls.live());
            EXPECT_FALSE(bench->key(true, 'k'));
            bench->mouse(CMouseEvent::kMouseMove, 20, 20);
            EXPECT_EQ(nullptr, bench->root().getLockedControl());
            EXPECT_EQ(nullptr, bench->root().getModalControl());
            EXPECT_EQ(nullptr, bench->root().getMouseTargetControl());
            delete bench;
        }
    }
}

TEST_F(CControlRootWithFourProbes, controlsAreDrawnInListOrderClippedToTheirAreasWithTheModalControlLast)
{
    probes["A"]->spill = true;
    COffscreenCanvas canvas(130, 90);
    canvas.draw(bench.root());
    EXPECT_EQ(rgbText(0, 0, 255), canvas.rgb(35, 35));    // B, added later, covers A
    EXPECT_EQ(rgbText(255, 0, 0), canvas.rgb(10, 49));    // A's own pixels reach its last row
    EXPECT_EQ(rgbText(255, 255, 255), canvas.rgb(7, 20)); // A's spill is clipped
    EXPECT_EQ(rgbText(255, 255, 255), canvas.rgb(20, 52));
    EXPECT_EQ(CRect(10, 10, 110, 60), canvas.pixels().inkBounds(rgbText(255, 255, 255)));

    bench.root().setModalControl(probes["A"]);
    canvas.draw(bench.root());
    EXPECT_EQ(rgbText(255, 0, 0), canvas.rgb(35, 35));
    EXPECT_EQ((std::vector<std::string>{"10,10,40,40"}), bench.redraws);

    // Only controls meeting the update area are drawn; touching it is enough.
    log.clear();
    bench.root().clearModalControl();
    canvas.draw(bench.root(), CRect(0, 0, 10, 10));
    EXPECT_EQ(std::vector<std::string>{"A draw"}, log);
}

TEST(CControlRootInAWindow, theWindowsMessagesReachItsControlsWhichItPaintsAndRedraws)
{
    CEventLog log;
    CForeignWindow host(sharedVisibleHost());
    CWindow window(CRect(0, 0, 100, 80));
    window.setParentWindow(&host);
    auto* probe = new CProbeControl(window.getControlRoot(), "p", CRect(20, 30, 40, 40), &log);
    window.getControlRoot()->addControl(probe);
    CWindowAttributes attributes = childAttributes("ControlRootProbe");
    window.intialiseWindow(&attributes, true);
    pumpMessages(200);
    const HWND handle = *window.getWindowHandle();
    HDC dc = GetDC(handle);
    const CPixels shown(dc, 100, 80);
    ReleaseDC(handle, dc);
    EXPECT_EQ(rgbText(255, 0, 0), shown.rgb(59, 69));
    EXPECT_EQ(rgbText(255, 255, 255), shown.rgb(60, 69));

    log.clear();
    SendMessageA(handle, WM_LBUTTONDOWN, MK_LBUTTON, packedPosition(25, 37));
    SendMessageA(handle, WM_LBUTTONUP, 0, packedPosition(-5, 200));
    EXPECT_EQ((CEventLog{"p leftDown 5,7"}), log);
    ValidateRect(handle, nullptr);
    probe->update();
    RECT update = {};
    ASSERT_TRUE(GetUpdateRect(handle, &update, FALSE));
    EXPECT_EQ("20,30,60,70", std::to_string(update.left) + "," + std::to_string(update.top) + "," +
                                 std::to_string(update.right) + "," + std::to_string(update.bottom));
}

TEST(CControlRootInAWindow, aPopupOpensJustBelowTheControlWhereTheContentAreaPlacesTheClient)
{
    // A scroll bar narrows the client on one side only, so the content area, which takes the client as centred,
    // lies half the bar's width right of where the system has the client.
    for (DWORD style : {DWORD(WS_POPUP), DWORD(WS_POPUP | WS_VSCROLL), DWORD(WS_OVERLAPPEDWINDOW | WS_VSCROLL)})
    {
        SCOPED_TRACE(style);
        const HWND handle =
            CreateWindowExA(0, "STATIC", "", style, 30, 40, 200, 150, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(nullptr, handle);
        CForeignWindow window(handle);
        auto* probe = new CProbeControl(window.getControlRoot(), "p", CRect(20, 30, 40, 10), nullptr);
        window.getControlRoot()->addControl(probe);
        CRect content(0, 0, 0, 0);
        ASSERT_TRUE(Brivant::GUI::Windowing::CWindowTools::getContentArea(&handle, content));
        CPoint popup(0, 0);
        window.getControlRoot()->getPopupPosition(probe, popup);
        EXPECT_EQ(positionText(CPoint(content.getLeft() + 19, content.getTop() + 40)), positionText(popup));
        DestroyWindow(handle);
        // Without a window on the screen the client counts as being at the origin.
        window.getControlRoot()->getPopupPosition(probe, popup);
        EXPECT_EQ("19,40", positionText(popup));
    }
}
} // namespace
