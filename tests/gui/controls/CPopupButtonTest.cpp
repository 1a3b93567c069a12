// CPopupButton: the latch that opens and closes its menu just below itself, the order in which a choice is
// kept, reported and passed on, closing without a choice, and the refused null menu.
#include "foundation/exceptions/CException.hpp"
#include "gui/controls/CMenuItemDisplay.hpp"
#include "gui/controls/CMenuRoot.hpp"
#include "gui/controls/CPopupButton.hpp"
#include "gui/core/CWindowAttributes.hpp"
#include "tests/gui/controls/CMenuTestSupport.hpp"

#include <gtest/gtest.h>

namespace
{
using namespace VolturaTests;
using Brivant::GUI::Controls::CPopupButton;
using Brivant::MathTools::CPoint;
using Brivant::MathTools::CRect;

// Action and menu notices in one log, with what the button shows when each arrives.
class COrderLog : public Brivant::GUI::Listeners::IActionListener, public Brivant::GUI::Listeners::IMenuListener
{
public:
    void handleActionEvent(const Brivant::GUI::Events::CActionEvent&) override
    {
        const CMenuEvent* kept = button->getMenuEvent();
        calls.push_back("action " + std::to_string(kept != nullptr ? kept->getMenuItemId() : -9) + " value " +
                        std::to_string(static_cast<int>(button->getValue())));
    }
    void handleMenuOpening(const CMenuEvent&) override { calls.push_back("opening"); }
    void handleMenuClosing(const CMenuEvent&) override { calls.push_back("closing"); }
    void handleMenuSelection(const CMenuEvent& event) override
    {
        calls.push_back("selection " + std::to_string(event.getMenuItemId()));
    }

    CPopupButton* button = nullptr;
    std::vector<std::string> calls;
};

class CPopupButtonTest : public ::testing::Test
{
protected:
    CPopupButtonTest() : m_menu(menuOf("zero one two"))
    {
        button = new CPopupButton(&bench.root(), 7, CRect(20, 10, 64, 32), m_menu, &log, &log);
        bench.root().addControl(button);
        log.button = button;
    }
    ~CPopupButtonTest() override { m_menu->dereference(); }

    void openMenu()
    {
        Brivant::GUI::Windowing::CWindowAttributes attributes;
        button->openMenu(&attributes, true);
    }

    std::string played()
    {
        std::string calls;
        for (const std::string& call : log.calls)
            calls += call + "; ";
        log.calls.clear();
        return calls;
    }

    CControlBench bench;
    COrderLog log;
    CPopupButton* button;
    CMenu* m_menu;
};

TEST_F(CPopupButtonTest, aReleaseOnTheButtonLatchesItAndOpensTheMenuJustBelowANextOneClosesIt)
{
    // The bench window has no native window, so the button's lower left corner is its own position.
    const struct
    {
        bool withMenu;
        long x, y;
        double value;
        bool open;
        const char* calls;
    } cases[] = {
        {true, 40, 20, 1.0, true, "opening; "},
        {true, 40, 20, 0.0, false, "closing; "},
        {true, 200, 200, 0.0, false, ""},
        {false, 40, 20, 1.0, false, ""},
        {false, 40, 20, 0.0, false, ""},
    };
    for (const auto& test : cases)
    {
        if (test.withMenu && button->getMenuWindow() == nullptr)
            openMenu();
        if (!test.withMenu && button->getMenuWindow() != nullptr)
        {
            bench.root().removeControl(button);
            button = new CPopupButton(&bench.root(), 7, CRect(20, 10, 64, 32), m_menu, &log, &log);
            bench.root().addControl(button);
            log.button = button;
        }
        bench.mouse(CMouseEvent::kLeftButtonDown, test.x, test.y);
        bench.mouse(CMouseEvent::kLeftButtonUp, test.x, test.y);
        EXPECT_EQ(test.value, button->getValue()) << test.x << " with menu " << test.withMenu;
        EXPECT_EQ(test.calls, played());
        if (CMenuWindow* shown = button->getMenuWindow())
        {
            EXPECT_EQ(test.open, IsWindowVisible(*shown->getWindowHandle()) != FALSE);
            const CRect& area = shown->getWindowArea();
            EXPECT_EQ("20,41", positionText(CPoint(area.getLeft(), area.getTop())));
            EXPECT_GE(area.getWidth(), 64);
        }
    }
}

TEST_F(CPopupButtonTest, aChoiceIsKeptThenReportedOnceAndPassedOnWithTheButtonUnlatched)
{
    openMenu();
    for (long row : {0L, 2L})
    {
        bench.click(40, 20);
        CMenuWindow& menuWindow = *button->getMenuWindow();
        const CRect& area = menuWindow.getMenuRoot().getRow(row)->getArea();
        mouseThroughRoot(menuWindow, CMouseEvent::kMouseMove, area.getLeft() + 5, area.getTop() + 5);
        mouseThroughRoot(menuWindow, CMouseEvent::kLeftButtonDown, area.getLeft() + 5, area.getTop() + 5);
        mouseThroughRoot(menuWindow, CMouseEvent::kLeftButtonUp, area.getLeft() + 5, area.getTop() + 5);
        const std::string id = std::to_string(row);
        EXPECT_EQ("opening; closing; action " + id + " value 0; selection " + id + "; ", played());
        EXPECT_EQ(row, button->getMenuEvent()->getMenuItemId());
        EXPECT_EQ(m_menu, button->getMenuEvent()->getMenu());
        EXPECT_FALSE(button->isLatched());
        EXPECT_FALSE(menuWindow.isOpen());
        // The closing cleared the highlight for the next opening.
        EXPECT_EQ(-1, menuWindow.getMenuRoot().getCurrentSelection());
    }
}

TEST_F(CPopupButtonTest, closingTheMenuWithoutAChoiceUnlatchesTheButtonAndReportsNothing)
{
    openMenu();
    for (const char* how : {"window closed", "button released"})
    {
        bench.click(40, 20);
        CMenuWindow& menuWindow = *button->getMenuWindow();
        mouseThroughRoot(menuWindow, CMouseEvent::kMouseMove, 10, 5);
        EXPECT_EQ(0, menuWindow.getMenuRoot().getCurrentSelection());
        if (std::string(how) == "window closed")
            menuWindow.lostFocus(&menuWindow);
        else
            bench.click(40, 20);
        EXPECT_EQ("opening; closing; ", played()) << how;
        EXPECT_FALSE(button->isLatched()) << how;
        EXPECT_EQ(nullptr, button->getMenuEvent()) << how;
        EXPECT_EQ(-1, menuWindow.getMenuRoot().getCurrentSelection()) << how;
    }
}

TEST_F(CPopupButtonTest, aButtonWithoutAMenuIsRefused)
{
    EXPECT_STREQ("CLatchingButton", CPopupButton::classRecord().getParentName());
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
