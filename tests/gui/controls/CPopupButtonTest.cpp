// CPopupButton: the latch that opens and closes its menu just below itself, the order in which a choice is
// kept, reported and passed on, closing without a choice, and the refused null menu.
#include "foundation/exceptions/CException.hpp"
#include "gui/controls/CMenuItemDisplay.hpp"
#include "gui/controls/CMenuRoot.hpp"
#include "gui/controls/CPopupButton.hpp"
#include "tests/gui/controls/CMenuTestSupport.hpp"

#include <gtest/gtest.h>

namespace
{
using namespace VolturaTests;
using Brivant::GUI::Controls::CPopupButton;
using Brivant::MathTools::CPoint;
using Brivant::MathTools::CRect;

// Menu notices and action events in one log; an action writes the choice the button keeps and its value.
class COrderLog : public CRecordingMenuListener, public Brivant::GUI::Listeners::IActionListener
{
public:
    void handleActionEvent(const Brivant::GUI::Events::CActionEvent&) override
    {
        const CMenuEvent* kept = button->getMenuEvent();
        calls += "action " + std::to_string(kept != nullptr ? kept->getMenuItemId() : -9) + " value " +
                 std::to_string(static_cast<int>(button->getValue())) + "; ";
    }

    CPopupButton* button = nullptr;
};

class CPopupButtonTest : public ::testing::Test
{
protected:
    CPopupButtonTest() : m_menu(menuOf("zero one two")) { makeButton(true); }
    ~CPopupButtonTest() override { m_menu->dereference(); }

    // At (20, 10), 64 by 32, in place of the one before.
    void makeButton(bool withMenuWindow)
    {
        if (log.button != nullptr)
            bench.root().removeControl(log.button);
        log.button = new CPopupButton(&bench.root(), 7, CRect(20, 10, 64, 32), m_menu, &log, &log);
        bench.root().addControl(log.button);
        if (withMenuWindow)
            log.button->openMenu(nullptr, true);
    }

    void choose(long row)
    {
        CMenuWindow& menuWindow = *log.button->getMenuWindow();
        const CRect& area = menuWindow.getMenuRoot().getRow(row)->getArea();
        for (long kind : {CMouseEvent::kMouseMove, CMouseEvent::kLeftButtonDown, CMouseEvent::kLeftButtonUp})
            mouseThroughRoot(menuWindow, kind, area.getLeft() + 5, area.getTop() + 5);
    }

    CControlBench bench;
    COrderLog log;
    CMenu* m_menu;
};

TEST_F(CPopupButtonTest, aReleaseOnTheButtonLatchesItAndOpensTheMenuJustBelowANextOneClosesIt)
{
    // Without a menu window the button only latches. The bench window has no native window, so the button's
    // lower left corner stands where it stands in the window.
    const struct
    {
        bool withMenuWindow;
        long x;
        double value;
        const char* calls;
    } cases[] = {{true, 40, 1.0, "opening; "}, {true, 40, 0.0, "closing; "}, {true, 200, 0.0, ""},
                 {false, 40, 1.0, ""},         {false, 40, 0.0, ""}};
    for (const auto& test : cases)
    {
        if (test.withMenuWindow != (log.button->getMenuWindow() != nullptr))
            makeButton(test.withMenuWindow);
        bench.click(test.x, 20);
        EXPECT_EQ(test.value, log.button->getValue()) << test.x << " " << test.withMenuWindow;
        EXPECT_EQ(test.calls, log.played());
        if (CMenuWindow* shown = log.button->getMenuWindow())
        {
            EXPECT_EQ(test.value == 1.0, IsWindowVisible(*shown->getWindowHandle()) != FALSE);
            EXPECT_EQ("20,41", positionText(CPoint(shown->getWindowArea().getLeft(), shown->getWindowArea().getTop())));
            EXPECT_GE(shown->getWindowArea().getWidth(), 64);
        }
    }
}

TEST_F(CPopupButtonTest, aChoiceIsKeptThenReportedOnceAndPassedOnWithTheButtonUnlatched)
{
    for (long row : {0L, 2L})
    {
        bench.click(40, 20);
        choose(row);
        const std::string id = std::to_string(row);
        EXPECT_EQ("opening; closing; action " + id + " value 0; selection " + id + "; ", log.played());
        EXPECT_EQ(row, log.button->getMenuEvent()->getMenuItemId());
        EXPECT_EQ(m_menu, log.button->getMenuEvent()->getMenu());
        EXPECT_FALSE(log.button->isLatched());
        EXPECT_FALSE(log.button->getMenuWindow()->isOpen());
        // The closing cleared the highlight for the next opening.
        EXPECT_EQ(-1, log.button->getMenuWindow()->getMenuRoot().getCurrentSelection());
    }
}

TEST_F(CPopupButtonTest, closingTheMenuWithoutAChoiceUnlatchesTheButtonAndReportsNothing)
{
    for (const std::string how : {"window closed", "button released"})
    {
        bench.click(40, 20);
        CMenuWindow& menuWindow = *log.button->getMenuWindow();
        mouseThroughRoot(menuWindow, CMouseEvent::kMouseMove, 10, 5);
        EXPECT_EQ(0, menuWindow.getMenuRoot().getCurrentSelection());
        if (how == "window closed")
            menuWindow.lostFocus(&menuWindow);
        else
            bench.click(40, 20);
        EXPECT_EQ("opening; closing; ", log.played()) << how;
        EXPECT_FALSE(log.button->isLatched()) << how;
        EXPECT_EQ(nullptr, log.button->getMenuEvent()) << how;
        EXPECT_EQ(-1, menuWindow.getMenuRoot().getCurrentSelection()) << how;
    }
}

TEST_F(CPopupButtonTest, aButtonWithoutAMenuIsRefused)
{
    try
    {
        CPopupButton refused(&bench.root(), 1, CRect(0, 0, 10, 10), nullptr, nullptr, nullptr);
        FAIL() << "a button was made without a menu";
    }
    catch (const Brivant::Exceptions::CException& failure)
    {
        EXPECT_STREQ("Menu is NULL", failure.getErrorReason().getString());
        EXPECT_STREQ(
            "CPopupButton::CPopupButton(IControlRoot *, const long, const CRect &, CMenu *, IActionListener *)",
            failure.getFunctionName().getString());
    }
}
} // namespace
