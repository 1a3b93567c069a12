// CMenuBar: titles measured and laid out, opened by a press and switched by movement while a menu is open,
// reopened after a close, a choice closing the menu, and its look handed to its menu windows.
#include "gui/controls/CMenuBar.hpp"
#include "gui/controls/CMenuRoot.hpp"
#include "gui/controls/CMenuItemDisplay.hpp"
#include "gui/core/CFont.hpp"
#include "gui/core/CWindowAttributes.hpp"
#include "tests/foundation/basics/CCountChange.hpp"
#include "tests/gui/controls/CMenuTestSupport.hpp"

#include <gtest/gtest.h>

namespace
{
using namespace VolturaTests;
using Brivant::Basics::CString;
using Brivant::GUI::Controls::CMenuBar;
using Brivant::GUI::Fonts::CFont;
using Brivant::MathTools::CDimension;

std::string rgbOf(const CAlphaColour& colour)
{
    return std::to_string(colour.getRed()) + "," + std::to_string(colour.getGreen()) + "," +
           std::to_string(colour.getBlue());
}

class CMenuBarTest : public ::testing::Test
{
protected:
    // A 300 by 24 bar at (10, 5) with the titles "File" and "Edit".
    CMenuBarTest() : m_file(menuOf("new open save")), m_edit(menuOf("cut copy"))
    {
        bar = new CMenuBar(&bench.root(), 3, CRect(10, 5, 300, 24), &log);
        bench.root().addControl(bar);
        bar->addMenu(CString("File"), m_file);
        bar->addMenu(CString("Edit"), m_edit);
    }
    ~CMenuBarTest() override
    {
        bench.root().removeControl(bar);
        m_file->dereference();
        m_edit->dereference();
    }

    // The index of the shown menu window, -1 for none; each shown window must be the open one.
    long shown() const
    {
        long found = -1;
        for (long index = 0; index < bar->getNumberOfTitles(); ++index)
        {
            if (IsWindowVisible(*bar->getMenuWindow(index)->getWindowHandle()))
                found = index;
        }
        EXPECT_EQ(found < 0 ? nullptr : bar->getMenuWindow(found), bar->getOpenWindow());
        return found;
    }
    // The point in the middle of a title, in the bench's terms.
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
    const char* const titles[] = {"File", "Edit", "Window"};
    long left = 2;
    long total = 0;
    for (long index = 0; index < 3; ++index)
    {
        CDimension extent(0, 0);
        Brivant::GUI::Graphics::CGraphics::getTextExtent(CString(titles[index]), extent, bar->getFont());
        ASSERT_GT(extent.getWidth(), 0) << titles[index];
        EXPECT_EQ(rectText(CRect(left, 2, extent.getWidth() + 20, 20)), rectText(*bar->getTitleArea(index)));
        EXPECT_GE(bar->getMenuWindow(index)->getMenuRoot().getMenuWidth(), extent.getWidth() + 20);
        left += extent.getWidth() + 20;
        total += extent.getWidth() + 20;
    }
    EXPECT_EQ(total, bar->getTotalWidth());
    EXPECT_EQ(nullptr, bar->getTitleArea(3));
}

TEST_F(CMenuBarTest, aPressOpensTheTitleUnderItAndMovementSwitchesTitlesOnlyWhileActive)
{
    const std::string highlight = rgbOf(bar->getMenuColours().highlightColour);
    const long beyond = 10 + bar->getTotalWidth() + 20;
    const struct
    {
        long kind;
        long x;
        long current;
        bool active;
        const char* calls;
    } steps[] = {{CMouseEvent::kMouseMove, titleX(1), -1, false, ""},
                 {CMouseEvent::kLeftButtonDown, beyond, -1, true, ""},
                 {CMouseEvent::kMouseMove, titleX(0), 0, true, "opening; "},
                 {CMouseEvent::kMouseMove, titleX(0) + 3, 0, true, ""},
                 {CMouseEvent::kMouseMove, titleX(1), 1, true, "closing; opening; "},
                 {CMouseEvent::kMouseMove, beyond, 1, true, ""},
                 {CMouseEvent::kMouseMove, titleX(0), 0, true, "closing; opening; "}};
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
        {
            const CRect& area = *bar->getTitleArea(title);
            EXPECT_EQ(title == step.current, highlight == canvas.rgb(10 + area.getLeft() + 1, 5 + area.getTop() + 1))
                << step.x << " title " << title;
        }
    }
    // The window opens just below the title's left edge.
    const CRect& window = bar->getMenuWindow(0)->getWindowArea();
    EXPECT_EQ(positionText(CPoint(10 + bar->getTitleArea(0)->getLeft(), 27)),
              positionText(CPoint(window.getLeft(), window.getTop())));
}

TEST_F(CMenuBarTest, aMenuThatClosedOpensAgainOnTheNextPressOnItsTitle)
{
    for (long title : {0L, 1L})
    {
        for (int round = 0; round < 2; ++round)
        {
            bench.mouse(CMouseEvent::kLeftButtonDown, titleX(title), 12);
            EXPECT_EQ(title, shown()) << title << " round " << round;
            CMenuWindow& window = *bar->getMenuWindow(title);
            if (title == 0)
                window.lostFocus(&window);
            else
                window.closePopupWindow();
            EXPECT_EQ("opening; closing; ", log.played()) << title << " round " << round;
            EXPECT_FALSE(bar->isActive());
            EXPECT_EQ(-1, bar->getCurrentTitle());
            EXPECT_EQ(-1, shown());
        }
    }
}

TEST_F(CMenuBarTest, aChoiceClosesTheMenuClearsTheHighlightAndIsReportedOnce)
{
    for (bool withListener : {true, false})
    {
        if (!withListener)
        {
            bench.root().removeControl(bar);
            bar = new CMenuBar(&bench.root(), 3, CRect(10, 5, 300, 24), nullptr);
            bench.root().addControl(bar);
            bar->addMenu(CString("File"), m_file);
            bar->addMenu(CString("Edit"), m_edit);
        }
        bench.mouse(CMouseEvent::kLeftButtonDown, titleX(1), 12);
        ASSERT_EQ(1, shown());
        CMenuWindow& window = *bar->getMenuWindow(1);
        const CRect& row = window.getMenuRoot().getRow(1)->getArea();
        for (long kind : {CMouseEvent::kMouseMove, CMouseEvent::kLeftButtonDown, CMouseEvent::kLeftButtonUp})
            mouseThroughRoot(window, kind, row.getLeft() + 5, row.getTop() + 5);
        EXPECT_EQ(withListener ? "opening; closing; selection 1; " : "", log.played());
        EXPECT_FALSE(bar->isActive());
        EXPECT_EQ(-1, bar->getCurrentTitle());
        EXPECT_EQ(-1, shown());
    }
}

TEST_F(CMenuBarTest, theLookReachesEveryMenuWindowAndTheSameFontIsKept)
{
    EXPECT_EQ(static_cast<double>(0.95f), bar->getWindowAttributes().getAlpha());
    EXPECT_EQ(208, bar->getWindowAttributes().getBackgroundColour().getRed());
    Brivant::GUI::Controls::CMenuColours colours = bar->getMenuColours();
    colours.highlightColour = CAlphaColour(1, 2, 3);
    bar->setMenuColours(colours, Brivant::GUI::Basics::CColour(9, 8, 7), 0.5);
    EXPECT_EQ(static_cast<double>(0.8f), bar->getWindowAttributes().getAlpha());
    EXPECT_EQ(9, bar->getWindowAttributes().getBackgroundColour().getRed());
    const CCountChange fonts(CFont::classRecord());
    for (int twice = 0; twice < 2; ++twice)
    {
        // Only the bar and its windows hold the font: handing it over again must not free it.
        CFont* font = twice == 0 ? new CFont(CString("Arial"), 14, false, true) : bar->getFont();
        bar->setFont(font);
        EXPECT_EQ(1, fonts.live());
        for (long index = 0; index < 2; ++index)
        {
            EXPECT_EQ(font, bar->getMenuWindow(index)->getMenuRoot().getFont());
            EXPECT_TRUE(CAlphaColour(1, 2, 3) ==
                        bar->getMenuWindow(index)->getMenuRoot().getMenuColours().highlightColour);
        }
    }
}
} // namespace
