// CMenuBar: titles measured and laid out, opened by a press and switched by movement while a menu is open,
// reopened after a close, a choice closing the menu, and its look handed to its menu windows.
#include "gui/controls/CMenuBar.hpp"
#include "foundation/basics/CHeldReference.hpp"
#include "gui/controls/CMenuItemDisplay.hpp"
#include "gui/controls/CMenuRoot.hpp"
#include "gui/controls/CMenuWindow.hpp"
#include "gui/core/CControlPanel.hpp"
#include "gui/core/CFont.hpp"
#include "tests/foundation/basics/CAllocationFailure.hpp"
#include "tests/foundation/basics/CCountChange.hpp"
#include "tests/gui/controls/CMenuTestSupport.hpp"

#include <gtest/gtest.h>

namespace
{
using namespace VolturaTests;
using Brivant::Basics::CString;
using Brivant::GUI::Controls::CMenuBar;
using Brivant::GUI::Fonts::CFont;

// A panel that answers no window, as a root without one does.
class CWindowlessPanel : public Brivant::GUI::Controls::CControlPanel
{
public:
    using CControlPanel::CControlPanel;
    Brivant::GUI::Windowing::IWindow* getParentWindow() const override { return nullptr; }
};

class CMenuBarTest : public ::testing::Test
{
protected:
    CMenuBarTest() : m_file(menuOf("new open save")), m_edit(menuOf("cut copy")) { makeBar(&log); }
    ~CMenuBarTest() override
    {
        bench.root().removeControl(bar);
        m_file->dereference();
        m_edit->dereference();
    }

    // A 300 by 24 bar at (10, 5) with the titles "File" and "Edit", in place of the one before.
    void makeBar(CRecordingMenuListener* listener)
    {
        if (bar != nullptr)
            bench.root().removeControl(bar);
        bar = new CMenuBar(&bench.root(), 3, CRect(10, 5, 300, 24), listener);
        bench.root().addControl(bar);
        bar->addMenu(CString("File"), m_file);
        bar->addMenu(CString("Edit"), m_edit);
    }
    // The index of the shown menu window, which must be the open one; -1 for none.
    long shown() const
    {
        long found = -1;
        for (long index = 0; index < bar->getNumberOfTitles(); ++index)
            found = IsWindowVisible(*bar->getMenuWindow(index)->getWindowHandle()) ? index : found;
        EXPECT_EQ(found < 0 ? nullptr : bar->getMenuWindow(found), bar->getOpenWindow());
        return found;
    }
    long titleX(long index) const { return 10 + bar->getTitleArea(index)->getCentralXPosition(); }

    CControlBench bench;
    CRecordingMenuListener log;
    CMenuBar* bar = nullptr;
    CMenu* m_file;
    CMenu* m_edit;
};

TEST_F(CMenuBarTest, titlesAreAsWideAsTheirTextPlusTwentyAndFollowEachOtherFromTheLeft)
{
    bar->addMenu(CString("Window"), m_edit);
    long left = 2;
    for (const char* title : {"File", "Edit", "Window"})
    {
        Brivant::MathTools::CDimension extent(0, 0);
        Brivant::GUI::Graphics::CGraphics::getTextExtent(CString(title), extent, bar->getFont());
        ASSERT_GT(extent.getWidth(), 0) << title;
        const long index = title[0] == 'F' ? 0 : title[0] == 'E' ? 1 : 2;
        EXPECT_EQ(rectText(CRect(left, 2, extent.getWidth() + 20, 20)), rectText(*bar->getTitleArea(index)));
        left += extent.getWidth() + 20;
    }
    EXPECT_EQ(left - 2, bar->getTotalWidth());
}

TEST_F(CMenuBarTest, aPressOpensTheTitleUnderItAndMovementSwitchesTitlesOnlyWhileActive)
{
    const CAlphaColour& colour = bar->getMenuColours().highlightColour;
    const std::string highlight = rgbText(colour.getRed(), colour.getGreen(), colour.getBlue());
    const long beyond = 10 + bar->getTotalWidth() + 20;
    const struct
    {
        long kind, x, current;
        bool active;
        const char* calls;
    } steps[] = {{CMouseEvent::kMouseMove, titleX(1), -1, false, ""},
                 {CMouseEvent::kLeftButtonDown, beyond, -1, true, ""},
                 {CMouseEvent::kMouseMove, titleX(0), 0, true, "opening; "},
                 {CMouseEvent::kMouseMove, titleX(0) + 3, 0, true, ""},
                 {CMouseEvent::kMouseMove, titleX(1), 1, true, "closing; opening; "},
                 {CMouseEvent::kMouseMove, beyond, 1, true, ""}};
    for (const auto& step : steps)
    {
        bench.mouse(step.kind, step.x, 12);
        EXPECT_EQ(step.calls, log.played()) << step.x;
        EXPECT_EQ(step.current, bar->getCurrentTitle()) << step.x;
        EXPECT_EQ(step.active, bar->isActive()) << step.x;
        EXPECT_EQ(step.current, shown()) << step.x;
        COffscreenCanvas canvas(400, 60);
        canvas.draw(bench.root());
        for (long title = 0; title < 2; ++title)
            EXPECT_EQ(title == step.current, highlight == canvas.rgb(11 + bar->getTitleArea(title)->getLeft(), 8))
                << step.x << " title " << title;
    }
    // Just below the title's left edge.
    const CRect& window = bar->getMenuWindow(1)->getWindowArea();
    EXPECT_EQ(positionText(CPoint(10 + bar->getTitleArea(1)->getLeft(), 27)),
              positionText(CPoint(window.getLeft(), window.getTop())));
}

TEST_F(CMenuBarTest, aMenuThatClosedOpensAgainOnTheNextPressOnItsTitle)
{
    // Title 0 closes as its window loses the focus, title 1 as its owner closes it.
    for (long title : {0L, 0L, 1L, 1L})
    {
        bench.mouse(CMouseEvent::kLeftButtonDown, titleX(title), 12);
        EXPECT_EQ(title, shown()) << title;
        CMenuWindow& window = *bar->getMenuWindow(title);
        if (title == 0)
            window.lostFocus(&window);
        else
            window.closePopupWindow();
        EXPECT_EQ("opening; closing; ", log.played()) << title;
        EXPECT_FALSE(bar->isActive());
        EXPECT_EQ(-1, bar->getCurrentTitle());
        EXPECT_EQ(-1, shown());
    }
}

TEST_F(CMenuBarTest, aChoiceClosesTheMenuClearsTheHighlightAndIsReportedOnce)
{
    for (CRecordingMenuListener* listener : {&log, static_cast<CRecordingMenuListener*>(nullptr)})
    {
        makeBar(listener);
        bench.mouse(CMouseEvent::kLeftButtonDown, titleX(1), 12);
        ASSERT_EQ(1, shown());
        CMenuWindow& window = *bar->getMenuWindow(1);
        const CRect& row = window.getMenuRoot().getRow(1)->getArea();
        for (long kind : {CMouseEvent::kMouseMove, CMouseEvent::kLeftButtonDown, CMouseEvent::kLeftButtonUp})
            mouseThroughRoot(window, kind, row.getLeft() + 5, row.getTop() + 5);
        EXPECT_EQ(listener != nullptr ? "opening; closing; selection 1; " : "", log.played());
        EXPECT_FALSE(bar->isActive());
        EXPECT_EQ(-1, bar->getCurrentTitle());
        EXPECT_EQ(-1, shown());
    }
}

TEST_F(CMenuBarTest, aBarInARootWithoutAWindowStillReportsAChoiceAndCloses)
{
    auto* panel = new CWindowlessPanel(&bench.window(), &bench.root(), 9, CRect(0, 40, 400, 60), nullptr);
    bench.root().addControl(panel);
    auto* inner = new CMenuBar(panel, 4, CRect(10, 5, 300, 24), &log);
    panel->addControl(inner);
    inner->addMenu(CString("File"), m_file);
    bench.mouse(CMouseEvent::kLeftButtonDown, 10 + inner->getTitleArea(0)->getCentralXPosition(), 57);
    ASSERT_EQ(inner->getMenuWindow(0), inner->getOpenWindow());
    CMenuWindow& window = *inner->getMenuWindow(0);
    const CRect& row = window.getMenuRoot().getRow(1)->getArea();
    for (long kind : {CMouseEvent::kMouseMove, CMouseEvent::kLeftButtonDown, CMouseEvent::kLeftButtonUp})
        mouseThroughRoot(window, kind, row.getLeft() + 5, row.getTop() + 5);
    EXPECT_EQ("opening; closing; selection 1; ", log.played());
    EXPECT_FALSE(inner->isActive());
    EXPECT_EQ(nullptr, inner->getOpenWindow());
    bench.root().removeControl(panel);
}

TEST_F(CMenuBarTest, theLookReachesEveryMenuWindowAndTheSameFontIsKept)
{
    EXPECT_EQ(static_cast<double>(0.95f), bar->getWindowAttributes().getAlpha());
    Brivant::GUI::Controls::CMenuColours colours = bar->getMenuColours();
    colours.highlightColour = CAlphaColour(1, 2, 3);
    bar->setMenuColours(colours, Brivant::GUI::Basics::CColour(9, 8, 7), 0.5);
    EXPECT_EQ(static_cast<double>(0.8f), bar->getWindowAttributes().getAlpha());
    EXPECT_EQ(9, bar->getWindowAttributes().getBackgroundColour().getRed());
    const CCountChange fonts(CFont::classRecord());
    // Only the bar and its windows hold the font: handing it over again must not free it.
    for (CFont* font : {new CFont(CString("Arial"), 14, false, true), static_cast<CFont*>(nullptr)})
    {
        bar->setFont(font != nullptr ? font : bar->getFont());
        EXPECT_EQ(1, fonts.live());
        for (long index = 0; index < 2; ++index)
        {
            EXPECT_EQ(bar->getFont(), bar->getMenuWindow(index)->getMenuRoot().getFont());
            EXPECT_EQ(3, bar->getMenuWindow(index)->getMenuRoot().getMenuColours().highlightColour.getBlue());
        }
    }
}

// Whichever allocation fails while a title is added, its menu window goes with the bar; and a bar with its menus
// goes without allocating, so memory running out while it is destroyed ends nothing.
TEST_F(CMenuBarTest, aTitleAddedShortOfMemoryLeavesNoMenuWindowBehind)
{
    const CCountChange windows(Brivant::GUI::Windowing::CMenuWindow::classRecord());
    const auto life = [&] {
        auto* fresh = new CMenuBar(&bench.root(), 4, CRect(0, 0, 300, 24), nullptr);
        const Brivant::Basics::CHeldReference held(fresh);
        fresh->addMenu(CString("File"), m_file);
        fresh->addMenu(CString("Edit"), m_edit);
    };
    const auto check = [&](long allocation) { EXPECT_EQ(0, windows.live()) << "allocation " << allocation; };
    EXPECT_NE(0, Brivant::Testing::CAllocationFailure::sweep(life, check));
}
} // namespace
