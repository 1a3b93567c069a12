// CControlPanel: children in the panel's coordinates at every depth, events made local twice, a child's lock held
// in the parent root too, the panel's face in pixels, and its children in the layout.
#include "gui/core/CControlPanel.hpp"

#include "foundation/collections/TTreeNode.hpp"
#include "foundation/io/CXMLNode.hpp"
#include "tests/foundation/basics/CAllocationFailure.hpp"
#include "tests/foundation/basics/CCountChange.hpp"
#include "tests/gui/CGuiTestKit.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
using Brivant::Basics::CString;
using Brivant::Collections::TCountedObjectDeleter;
using Brivant::Collections::TTreeNode;
using Brivant::Testing::CAllocationFailure;
using Brivant::GUI::Controls::CControlPanel;
using Brivant::IO::CXMLNode;
using namespace VolturaTests;

// A panel class of its own, as the tab panel is: the root does not look inside it.
class COwnPanel : public CControlPanel
{
    BRIVANT_CLASS_RECORD(COwnPanel, "CControlPanel");

public:
    using CControlPanel::CControlPanel;
};

// The window's root holds panel P at (100,50); P holds probe c at (5,5) and panel Q at (10,100); Q holds probe d
// at (1,2).
class CControlPanelNest : public ::testing::Test
{
protected:
    CControlPanelNest()
        : P(add(new CControlPanel(&bench.window(), &bench.root(), -1, CRect(100, 50, 200, 200), nullptr), "P")),
          Q(add(new CControlPanel(&bench.window(), P, -1, CRect(10, 100, 50, 50), nullptr), "Q")),
          c(add(new CProbeControl(P, "c", CRect(5, 5, 20, 20), &log), "c")),
          d(add(new CProbeControl(Q, "d", CRect(1, 2, 3, 4), &log), "d"))
    {
    }

    template <class T>
    T* add(T* control, const char* name)
    {
        control->setControlName(CString(name));
        control->getControlRoot()->addControl(control);
        return control;
    }

    CControlBench bench;
    CEventLog log;
    CControlPanel* P;
    CControlPanel* Q;
    CProbeControl* c;
    CProbeControl* d;
};

TEST_F(CControlPanelNest, childrenSitAtTheSumOfTheEnclosingOriginsAndGetEventsLocalToThem)
{
    for (bool moved : {false, true})
    {
        const long x = moved ? 0 : 100, y = moved ? 0 : 50;
        EXPECT_EQ(positionText(CPoint(x + 5, y + 5)) + ",20,20", rectText(c->getAbsoluteArea()));
        EXPECT_EQ(positionText(CPoint(x + 11, y + 102)) + ",3,4", rectText(d->getAbsoluteArea()));
        log.clear();
        bench.click(x + 6, y + 6);
        bench.click(x + 12, y + 103);
        bench.click(x + 150, y + 150);
        EXPECT_EQ((CEventLog{"c leftDown 1,1", "c leftUp 1,1", "d leftDown 1,1", "d leftUp 1,1"}), log);
        P->setArea(CRect(0, 0, 200, 200));
    }
    EXPECT_EQ(d, P->getInnermostControlAtPoint(CPoint(11, 102)));
    EXPECT_EQ(static_cast<IControl*>(P), P->getInnermostControlAtPoint(CPoint(150, 10)));
    d->update();
    Q->updateArea(CRect(1, 1, 2, 2));
    EXPECT_EQ((std::vector<std::string>{"11,102,3,4", "11,101,2,2"}), bench.redraws);
    CPoint popup(0, 0);
    Q->getPopupPosition(d, popup);
    EXPECT_EQ("10,106", positionText(popup));
}

TEST_F(CControlPanelNest, aChildThatLocksItselfKeepsTheMouseOutsideThePanelUntilItUnlocks)
{
    d->onEvent = [this](CProbeControl& self) {
        if (log.back().find("leftDown") != std::string::npos)
            self.getControlRoot()->lockControl(&self);
        if (log.back().find("leftUp") != std::string::npos)
            self.getControlRoot()->unlockControl();
    };
    bench.mouse(CMouseEvent::kLeftButtonDown, 112, 153);
    EXPECT_EQ(static_cast<IControl*>(P), bench.root().getLockedControl());
    EXPECT_EQ(static_cast<IControl*>(Q), P->getLockedControl());
    log.clear();
    bench.mouse(CMouseEvent::kMouseMove, 0, 0);
    bench.mouse(CMouseEvent::kMouseMove, 400, 300);
    bench.mouse(CMouseEvent::kLeftButtonUp, 0, 0);
    bench.mouse(CMouseEvent::kMouseMove, 0, 0);
    EXPECT_EQ((CEventLog{"d move -111,-152", "d move 289,148", "d leftUp -111,-152"}), log);
    EXPECT_FALSE(bench.root().isControlLocked() || P->isControlLocked() || Q->isControlLocked());
}

TEST_F(CControlPanelNest, theRootSearchesPlainPanelsOnlyAndAPanelNeverHoldsOneThatEnclosesIt)
{
    auto* own = add(new COwnPanel(&bench.window(), &bench.root(), -1, CRect(0, 0, 10, 10), nullptr), "own");
    add(new CProbeControl(own, "hidden", CRect(0, 0, 1, 1), nullptr), "hidden");
    EXPECT_EQ(d, bench.root().findControlByName(CString("d")));
    EXPECT_EQ(nullptr, bench.root().findControlByName(CString("hidden")));
    P->addControl(P);
    Q->addControl(P);
    EXPECT_EQ(-1, Q->getControlIndex(P));
    EXPECT_EQ(-1, P->getControlIndex(P));
    EXPECT_EQ(static_cast<IControlRoot*>(&bench.root()), P->getControlRoot());
}

TEST(CControlPanelRing, aPanelHoweverDeepNeverHoldsOneThatEnclosesIt)
{
    for (int depth : {1, 31, 32, 33, 34, 40, 100})
    {
        SCOPED_TRACE(depth);
        const CCountChange panels(CControlPanel::classRecord());
        CControlBench bench;
        auto* outer = new CControlPanel(&bench.window(), &bench.root(), -1, CRect(0, 0, 300, 300), nullptr);
        bench.root().addControl(outer);
        CControlPanel* inner = outer;
        for (int level = 1; level < depth; ++level)
        {
            auto* next = new CControlPanel(&bench.window(), inner, -1, CRect(1, 1, 200, 200), nullptr);
            inner->addControl(next);
            inner = next;
        }
        inner->addControl(outer);
        // Checked first: a ring would send the search and the move below round it for ever.
        ASSERT_EQ(-1, inner->getControlIndex(outer));
        EXPECT_EQ(static_cast<IControlRoot*>(&bench.root()), outer->getControlRoot());
        EXPECT_EQ(nullptr, bench.root().findControlByName(CString("nobody")));
        outer->setArea(CRect(5, 5, 300, 300));
        EXPECT_EQ(depth + 4, inner->getAbsoluteArea().getLeft());
        bench.root().clearControls();
        EXPECT_EQ(0, panels.live());
    }
}

TEST_F(CControlPanelNest, thePanelDrawsItsFaceThenItsChildrenClippedToItOrGreyWhenDisabled)
{
    P->setDefaultDrawing(true);
    P->setDefaultControlColours(CAlphaColour(0, 200, 0), CAlphaColour(0, 0, 200));
    c->spill = true;
    add(new CProbeControl(P, "e", CRect(190, 190, 20, 20), &log), "e")->spill = true;
    const std::string green = rgbText(0, 200, 0), grey = rgbText(147, 147, 147), red = rgbText(255, 0, 0);
    struct SCase
    {
        long x, y;
        std::string enabled, disabled;
    } cases[] = {{150, 150, green, grey},                 // the face
                 {100, 150, rgbText(0, 0, 200), grey},     // its frame, not drawn while disabled
                 {106, 56, red, red},                      // a child over the face,
                 {103, 53, green, grey},                   // clipped to its own area
                 {297, 247, red, red},                     // a child reaching past the panel
                 {302, 247, rgbText(255, 255, 255), rgbText(255, 255, 255)}}; // is cut at the panel's edge
    COffscreenCanvas enabledCanvas(320, 260);
    enabledCanvas.draw(bench.root());
    P->disable();
    EXPECT_FALSE(d->isEnabled());
    COffscreenCanvas disabledCanvas(320, 260);
    disabledCanvas.draw(bench.root());
    for (const SCase& test : cases)
    {
        EXPECT_EQ(test.enabled, enabledCanvas.rgb(test.x, test.y)) << test.x << "," << test.y;
        EXPECT_EQ(test.disabled, disabledCanvas.rgb(test.x, test.y)) << test.x << "," << test.y;
    }
}

TEST_F(CControlPanelNest, panelsWriteTheirChildrenAndReadThemBackSkippingClassesTheFactoryDoesNotKnow)
{
    CXMLNode layout(CString("controls"), nullptr);
    ASSERT_TRUE(bench.root().writeToXmlNode(&layout));
    CControlBench copy;
    ASSERT_TRUE(copy.root().readFromXmlNode(&layout));
    ASSERT_NE(nullptr, copy.root().findControlByName(CString("Q")));
    EXPECT_EQ("110,150,50,50", rectText(copy.root().findControlByName(CString("Q"))->getAbsoluteArea()));
    // The probes' class is no layout class: the panels skip them.
    EXPECT_EQ(nullptr, copy.root().findControlByName(CString("c")));

    CXMLNode* panelElement = layout.getChildNode(0L);
    CXMLNode* children = panelElement->getChildNode(CString("child_controls"));
    EXPECT_STREQ("2", children->getAttributeValue(CString("number_of_children")).getString());
    children->removeAttribute(CString("number_of_children"));
    EXPECT_FALSE(P->readFromXmlNode(panelElement));
    // Without "child_controls" the panel keeps its children.
    panelElement->removeChildNode(children);
    EXPECT_TRUE(P->readFromXmlNode(panelElement));
    EXPECT_EQ(c, P->findControlByName(CString("c")));
}

// Whichever allocation fails while the tree is built, no node is left behind.
TEST_F(CControlPanelNest, aControlTreeShortOfMemoryLeavesNoNodeBehind)
{
    const CCountChange nodes(TTreeNode<IControl>::classRecord());
    long built = 0;
    const auto life = [&] {
        TTreeNode<IControl> tree(&TCountedObjectDeleter<IControl>::sharedPolicy());
        bench.root().buildControlTree(tree);
        built = nodes.live();
    };
    const auto check = [&](long allocation) { EXPECT_EQ(0, nodes.live()) << "allocation " << allocation; };
    EXPECT_NE(0, CAllocationFailure::sweep(life, check));
    // The tree's own root, P, Q, c and d.
    EXPECT_EQ(5, built);
}
} // namespace
