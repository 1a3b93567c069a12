// CComboBox: the arrow box and the label's text, a choice shown, kept with its place in its menu and reported,
// notices passed on, indexes without an item ignored, the same counted objects kept, and the refused null menu.
#include "foundation/exceptions/CException.hpp"
#include "gui/controls/CComboBox.hpp"
#include "gui/controls/CMenuItemDisplay.hpp"
#include "gui/controls/CMenuRoot.hpp"
#include "gui/core/CFont.hpp"
#include "gui/core/CPen.hpp"
#include "gui/core/CRGBAImage.hpp"
#include "tests/foundation/basics/CCountChange.hpp"
#include "tests/gui/controls/CMenuTestSupport.hpp"

#include <gtest/gtest.h>

namespace
{
using namespace VolturaTests;
using Brivant::Basics::CString;
using Brivant::GUI::Controls::CComboBox;

// Menu notices and action events in one log; an action writes the text and index the combo box shows then.
class CComboLog : public CRecordingMenuListener, public Brivant::GUI::Listeners::IActionListener
{
public:
    void handleActionEvent(const Brivant::GUI::Events::CActionEvent& event) override
    {
        calls += std::string(event.getControl() == combo ? "action " : "stranger ") + combo->getText().getString() +
                 " " + std::to_string(combo->getSelectedIndex()) + "; ";
    }
    CComboBox* combo = nullptr;
};

class CComboBoxTest : public ::testing::Test
{
protected:
    // 100 by 20 at (10, 10); the ids of "a -- b c d" (0, -1, 1, 2, 3) differ from their places.
    CComboBoxTest() : m_menu(menuOf("a -- b c d"))
    {
        log.combo = new CComboBox(&bench.root(), 4, CRect(10, 10, 100, 20), CString("Text"), m_menu, &log, &log);
        bench.root().addControl(log.combo);
        log.combo->setMenuWindowAttributes(nullptr, true);
    }
    ~CComboBoxTest() override { m_menu->dereference(); }

    CControlBench bench;
    CComboLog log;
    CMenu* m_menu;
};

TEST_F(CComboBoxTest, aPressOpensTheMenuBelowAndTheArrowBoxDrawsDownUntilItClosesWithoutAChoice)
{
    log.combo->setDefaultControlColours(CAlphaColour::white(), CAlphaColour::black());
    log.combo->setTextColour(CAlphaColour(0, 0, 255));
    log.combo->setDefaultDrawing(true);
    const CAlphaColour& orange = CAlphaColour::orange();
    const std::string orangeText = rgbText(orange.getRed(), orange.getGreen(), orange.getBlue());
    // Pressed, then closed by losing the focus: two notices through the selection handler, no action.
    for (const char* step : {"up", "pressed", "closed"})
    {
        if (std::string(step) == "pressed")
            bench.mouse(CMouseEvent::kLeftButtonDown, 30, 20);
        if (std::string(step) == "closed")
            log.combo->getMenuWindow()->lostFocus(log.combo->getMenuWindow());
        const bool down = std::string(step) == "pressed";
        EXPECT_EQ(down, log.combo->isDown()) << step;
        EXPECT_EQ(down, log.combo->getMenuWindow()->isOpen()) << step;
        COffscreenCanvas canvas(200, 50);
        // As an earlier control of the same area may leave it: the frames take the frame colour whatever the pen.
        canvas.graphics().getMutablePen().setColour(CAlphaColour::red());
        canvas.draw(bench.root());
        // The control's left edge, the box's at x 80; its arrow points down inside the box inset by 4.
        EXPECT_EQ("0,0,0", canvas.rgb(10, 20)) << step;
        EXPECT_EQ("0,0,0", canvas.rgb(10 + 80, 20)) << step;
        EXPECT_EQ(down ? orangeText : "0,0,255", canvas.rgb(10 + 90, 10 + 6)) << step;
        EXPECT_EQ("255,255,255", canvas.rgb(10 + 90, 10 + 17)) << step;
        EXPECT_GT(canvas.pixels().count(11, 11, 79, 19, "0,0,255"), 0) << step;
    }
    const CRect& window = log.combo->getMenuWindow()->getWindowArea();
    EXPECT_EQ("10,30", positionText(CPoint(window.getLeft(), window.getTop())));
    EXPECT_EQ("selection -1; selection -1; ", log.played());
    EXPECT_EQ(-1, log.combo->getMenuWindow()->getMenuRoot().getCurrentSelection());
}

TEST_F(CComboBoxTest, aChoiceShowsTheItemKeepsItsPlaceInTheMenuAndIsReportedThenPassedOn)
{
    // Row -1: a selection notice without an item.
    const std::pair<long, const char*> cases[] = {{0, "action a 0; selection 0; "}, {3, "action c 3; selection 2; "}, {-1, "action   -1; selection -1; "},
                 {4, "action d 4; selection 3; "}};
    for (const auto& test : cases)
    {
        CMenuWindow& window = *log.combo->getMenuWindow();
        if (test.first < 0)
            log.combo->handleMenuSelection(CMenuEvent(nullptr, m_menu));
        else
        {
            const CRect& area = window.getMenuRoot().getRow(test.first)->getArea();
            for (long kind : {CMouseEvent::kMouseMove, CMouseEvent::kLeftButtonDown, CMouseEvent::kLeftButtonUp})
                mouseThroughRoot(window, kind, area.getLeft() + 5, area.getTop() + 5);
        }
        EXPECT_EQ(test.second, log.played()) << test.first;
        EXPECT_EQ(log.combo->getMenuItem(log.combo->getSelectedIndex()), log.combo->getSelectedItem());
        EXPECT_FALSE(log.combo->isDown());
    }
}

TEST_F(CComboBoxTest, aSelectedIndexWithoutAnItemChangesNothing)
{
    m_menu->clearMenuItem(3);
    const struct
    {
        long index;
        const char* text;
        long selected;
    } cases[] = {{4, "d", 4}, {5, "d", 4}, {-1, "d", 4}, {3, "d", 4}, {1, " ", 1}, {0, "a", 0}};
    for (const auto& test : cases)
    {
        log.combo->setSelectedIndex(test.index);
        EXPECT_STREQ(test.text, log.combo->getText().getString()) << test.index;
        EXPECT_EQ(test.selected, log.combo->getSelectedIndex()) << test.index;
        EXPECT_EQ(m_menu->getMenuItem(test.selected), log.combo->getSelectedItem()) << test.index;
    }
    EXPECT_EQ("", log.played());
}

TEST_F(CComboBoxTest, countedObjectsHandedOverAgainAreKept)
{
    const CCountChange menus(CMenu::classRecord());
    const CCountChange images(Brivant::GUI::Graphics::CRGBAImage::classRecord());
    const CCountChange fonts(Brivant::GUI::Fonts::CFont::classRecord());
    for (int twice = 0; twice < 2; ++twice)
    {
        log.combo->setMenu(twice == 0 ? new CMenu() : log.combo->getMenu());
        log.combo->setDownImage(twice == 0 ? new Brivant::GUI::Graphics::CRGBAImage() : log.combo->getDownImage());
        log.combo->setFont(twice == 0 ? new Brivant::GUI::Fonts::CFont() : log.combo->getFont());
        EXPECT_EQ("1 1 1", std::to_string(menus.live()) + " " + std::to_string(images.live()) + " " +
                               std::to_string(fonts.live()))
            << twice;
        EXPECT_EQ(log.combo->getFont(), log.combo->getMenuWindow()->getMenuRoot().getFont());
    }
}

TEST_F(CComboBoxTest, aComboBoxWithoutAMenuIsRefused)
{
    try
    {
        CComboBox refused(&bench.root(), 1, CRect(0, 0, 10, 10), CString("x"), nullptr, nullptr, nullptr);
        FAIL() << "a combo box was made without a menu";
    }
    catch (const Brivant::Exceptions::CException& failure)
    {
        EXPECT_STREQ("CComboBox::CComboBox(IControlRoot *, const long, const CRect &, const CString &, CMenu *)",
                     failure.getFunctionName().getString());
    }
}
} // namespace
