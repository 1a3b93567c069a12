// CControlPanel: children in the panel's coordinates at every depth, events made local twice, a child's lock held
// in the parent root too, the panel's face in pixels, and its children in the layout.
#include "gui/core/CControlPanel.hpp"

#include "foundation/collections/TTreeNode.hpp"
#include "foundation/io/CXMLNode.hpp"
#include "tests/foundation/basics/CCountChange.hpp"
#include "tests/gui/CControlTestKit.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
using Brivant::Basics::CString;
using Brivant::Collections::TTreeNode;
using Brivant::GUI::Controls::CControlPanel;
using Brivant::IO::CXMLNode;
using Brivant::MathTools::CPoint;
using Brivant::MathTools::CRect;
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
        : P(panel(&bench.root(), "P", CRect(100, 50, 200, 200))), Q(panel(P, "Q", CRect(10, 100, 50, 50))),
          c(probe(P, "c", CRect(5, 5, 20, 20))), d(probe(Q, "d", CRect(1, 2, 3, 4)))
    {
    }

    CControlPanel* panel(IControlRoot* parent, const char* name, const CRect& area)
    {
        auto* made = new CControlPanel(&bench.window(), parent, -1, area, nullptr);
        made->setControlName(CString(name));
        parent->addControl(made);
        return made;
    }
    CProbeControl* probe(CControlPanel* parent, const char* name, const CRect& area)
    {
        auto* made = new CProbeControl(parent, name, area, &log);
        made->setControlName(CString(name));
        parent->addControl(made);
        return made;
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
    struct SCase
    {
        long x, y;
        const char* expected;
    } before[] = {{106, 56, "c leftDown 1,1"}, {112, 153, "d leftDown 1,1"}, {150, 150, ""}},
      after[] = {{6, 6, "c leftDown 1,1"}, {12, 103, "d leftDown 1,1"}, {106, 56, ""}};
    EXPECT_EQ("105,55,20,20", rectText(c->getAbsoluteArea()));
    EXPECT_EQ("111,152,3,4", rectText(d->getAbsoluteArea()));
    for (const SCase& test : before)
    {
        log.clear();
        bench.click(test.x, test.y);
        EXPECT_EQ(std::string(test.expected), log.empty() ? "" : log.front()) << test.x << "," << test.y;
    }
    EXPECT_EQ(d, P->getInnermostControlAtPoint(CPoint(11, 102)));
    EXPECT_EQ(static_cast<IControl*>(P), P->getInnermostControlAtPoint(CPoint(150, 10)));
    d->update();
    P->updateArea(CRect(1, 1, 2, 2));
    EXPECT_EQ((std::vector<std::string>{"111,152,3,4", "101,51,2,2"}), bench.redraws);

    P->setArea(CRect(0, 0, 200, 200));
    EXPECT_EQ("5,5,20,20", rectText(c->getAbsoluteArea()));
    EXPECT_EQ("11,102,3,4", rectText(d->getAbsoluteArea()));
    for (const SCase& test : after)
    {
        log.clear();
        bench.click(test.x, test.y);
        EXPECT_EQ(std::string(test.expected), log.empty() ? "" : log.front()) << test.x << "," << test.y;
    }
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
    EXPECT_EQ((std::vector<std::string>{"d move -111,-152", "d move 289,148", "d leftUp -111,-152"}), log);
    EXPECT_FALSE(bench.root().isControlLocked());
    EXPECT_FALSE(P->isControlLocked());
    EXPECT_FALSE(Q->isControlLocked());
}

TEST_F(CControlPanelNest, keysAndDropsReachChildrenThroughTheirPanels)
{
    c->setDropFileEnabled(true);
    bench.drop(106, 57, {"a.txt"});
    bench.click(112, 153);
    log.clear();
    EXPECT_TRUE(bench.key(true, 'k'));
    EXPECT_EQ((std::vector<std::string>{"d keyDown k"}), log);
    log.clear();
    bench.drop(106, 57, {"a.txt"});
    EXPECT_EQ((std::vector<std::string>{"c drop 1,2 a.txt"}), log);
}

TEST_F(CControlPanelNest, theRootFindsControlsInsidePlainPanelsOnlyAndAPanelNeverHoldsItsOwnEnclosure)
{
    auto* own = new COwnPanel(&bench.window(), &bench.root(), -1, CRect(0, 0, 10, 10), nullptr);
    bench.root().addControl(own);
    own->addControl(new CProbeControl(own, "hidden", CRect(0, 0, 1, 1), &log));
    own->getControl(0, true)->setControlName(CString("hidden"));
    EXPECT_EQ(d, bench.root().findControlByName(CString("d")));
    EXPECT_EQ(nullptr, bench.root().findControlByName(CString("hidden")));
    EXPECT_EQ(nullptr, bench.root().bindControl(CString("d"), 5, nullptr, CControlPanel::classRecord()));
    EXPECT_EQ(d, bench.root().bindControl(CString("d"), 5, nullptr, CControl::classRecord()));
    EXPECT_EQ(5, d->getControlId());

    auto* tree = new TTreeNode<IControl>(nullptr);
    tree->referenced();
    EXPECT_EQ(32, bench.root().buildControlTree(*tree));
    ASSERT_EQ(2, tree->getChildren().getInsertIndex());
    const TTreeNode<IControl>* panelNode = tree->getChildren().getElementAt(0);
    EXPECT_EQ(static_cast<IControl*>(P), panelNode->getPayload().getPointer());
    EXPECT_EQ(d, panelNode->getChildren().getElementAt(0)->getChildren().getElementAt(0)->getPayload().getPointer());
    EXPECT_EQ(0, tree->getChildren().getElementAt(1)->getChildren().getInsertIndex());
    tree->dereference();

    P->addControl(P);
    Q->addControl(P);
    EXPECT_EQ(-1, Q->getControlIndex(P));
    EXPECT_EQ(static_cast<IControlRoot*>(&bench.root()), P->getControlRoot());
}

TEST_F(CControlPanelNest, thePanelDrawsItsFaceThenItsChildrenClippedToItOrGreyWhenDisabled)
{
    P->setDefaultDrawing(true);
    P->setDefaultControlColours(CAlphaColour(0, 200, 0), CAlphaColour(0, 0, 200));
    c->spill = true;
    probe(P, "e", CRect(190, 190, 20, 20))->spill = true;
    struct SCase
    {
        long x, y;
        std::string enabled;
        std::string disabled;
    } cases[] = {
        {150, 150, rgbText(0, 200, 0), rgbText(147, 147, 147)},  // the face
        {100, 150, rgbText(0, 0, 200), rgbText(147, 147, 147)},  // its frame, not drawn while disabled
        {106, 56, rgbText(255, 0, 0), rgbText(255, 0, 0)},       // a child over the face
        {103, 53, rgbText(0, 200, 0), rgbText(147, 147, 147)},   // the child's spill is clipped to the child
        {297, 247, rgbText(255, 0, 0), rgbText(255, 0, 0)},      // a child reaching past the panel ...
        {302, 247, rgbText(255, 255, 255), rgbText(255, 255, 255)} // ... is cut at its edge
    };
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
    const IControl* readQ = copy.root().findControlByName(CString("Q"));
    ASSERT_NE(nullptr, readQ);
    EXPECT_EQ("110,150,50,50", rectText(readQ->getAbsoluteArea()));
    // The probes' class is no layout class: the panels skip them.
    EXPECT_EQ(nullptr, copy.root().findControlByName(CString("c")));

    CXMLNode* panelElement = layout.getChildNode(0L);
    CXMLNode* children = panelElement->getChildNode(CString("child_controls"));
    EXPECT_STREQ("2", children->getAttributeValue(CString("number_of_children")).getString());
    children->removeAttribute(CString("number_of_children"));
    EXPECT_FALSE(P->readFromXmlNode(panelElement));
    panelElement->removeChildNode(children);
    EXPECT_TRUE(P->readFromXmlNode(panelElement));
    EXPECT_EQ(c, P->findControlByName(CString("c")));
}
} // namespace
