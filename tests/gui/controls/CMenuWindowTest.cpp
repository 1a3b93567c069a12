// CMenuWindow with its root and rows: layout from the measured text, hover and press, what is never chosen,
// drawing, sub-menu choices travelling up the chain, staying on screen and closing.
#include "foundation/exceptions/CException.hpp"
#include "gui/controls/CImageLabel.hpp"
#include "gui/controls/CMenuItemDisplay.hpp"
#include "gui/controls/CMenuRoot.hpp"
#include "gui/core/CFont.hpp"
#include "gui/core/CGraphics.hpp"
#include "gui/core/CRGBAImage.hpp"
#include "tests/foundation/basics/CAllocationFailure.hpp"
#include "tests/foundation/basics/CCountChange.hpp"
#include "tests/gui/CGuiTestKit.hpp"
#include "tests/gui/controls/CMenuTestSupport.hpp"

#include <gtest/gtest.h>

#include <map>

namespace
{
using namespace VolturaTests;
using Brivant::GUI::Controls::CMenuItemDisplay;
using Brivant::MathTools::CDimension;
using Brivant::MathTools::CPoint;
using Brivant::MathTools::CRect;

class CMenuWindowTest : public ::testing::Test
{
protected:
    ~CMenuWindowTest() override
    {
        for (CMenu* menu : m_menus)
            menu->dereference();
    }

    // A hidden menu window on a menu written as menuOf writes it, at least width wide.
    CMenuWindow* window(const std::string& line, long width = 20)
    {
        m_menus.push_back(menuOf(line));
        return new CMenuWindow(CRect(0, 0, width, 100), nullptr, m_menus.back(), false, &listener);
    }

    static CPoint centreOf(const CMenuWindow& menuWindow, long index)
    {
        const CRect& area = menuWindow.getMenuRoot().getRow(index)->getArea();
        return CPoint(area.getLeft() + area.getWidth() / 2, area.getTop() + area.getHeight() / 2);
    }

    CRecordingMenuListener listener;
    std::vector<CMenu*> m_menus;
};

// Writes out each sum such as "2w+4" in a pattern with the named values (a number before a name multiplies it).
std::string expand(const std::string& pattern, const std::map<std::string, long>& values)
{
    std::string out;
    for (size_t at = 0, end = 0; at < pattern.size(); at = end)
    {
        end = pattern.find_first_not_of("0123456789hrtw+", at);
        if (end == at)
        {
            out += pattern[end++];
            continue;
        }
        long sum = 0;
        std::istringstream terms(pattern.substr(at, end - at));
        for (std::string term; std::getline(terms, term, '+');)
        {
            const size_t name = term.find_first_not_of("0123456789");
            const long factor = name == 0 ? 1 : std::stol(term.substr(0, name));
            sum += name == std::string::npos ? factor : factor * values.at(term.substr(name));
        }
        out += std::to_string(sum);
    }
    return out;
}

TEST_F(CMenuWindowTest, rowsAndColumnsFollowTheMeasuredTextAndIcons)
{
    // tw x th: the widest and tallest text; h: the taller of th and the first item's icon (of that height when
    // given, never shown: the window does not use icons); w: the column width expected; r = h + 8, the row height.
    // Rows as "item index:left,top,width,height", then the menu's size.
    const char* const cases[][5] = {
        {"one two three", "tw+8", "0:0,0,w,r 1:0,r,w,r 2:0,2r,w,r ", "w,3r", ""},
        {"a -- bee", "tw+8", "0:0,0,w,r 1:0,r,w,4 2:0,r+4,w,r ", "w,2r+4", ""},
        // The first column is the taller: the menu is as tall as it.
        {"a b c | d e", "tw+8", "0:0,0,w,r 1:0,r,w,r 2:0,2r,w,r 4:w+4,0,w,r 5:w+4,r,w,r ", "2w+4,3r", ""},
        // A column break shows no text, but its text is measured with the rest.
        {"a |a_wide_column_break b", "tw+8", "0:0,0,w,r 2:w+4,0,w,r ", "2w+4,r", ""},
        {"a >menu", "h+tw+16", "0:0,0,w,r 1:0,r,w,r ", "w,2r", ""},
        {"[x]tick b", "tw+h+16", "0:0,0,w,r 1:0,r,w,r ", "w,2r", ""},
        {"a b", "300", "0:0,0,w,r 1:0,r,w,r ", "w,2r", ""},
        {"a b", "tw+8", "0:0,0,w,r 1:0,r,w,r ", "w,2r", "40"},
        {"a >menu", "h+tw+16", "0:0,0,w,r 1:0,r,w,r ", "w,2r", "40"},
    };
    for (const auto& test : cases)
    {
        SCOPED_TRACE(std::string(test[0]) + " icon " + test[4]);
        const THeldMenuWindow menuWindow = held(window(test[0], std::string(test[1]) == "300" ? 300 : 1));
        std::map<std::string, long> values{{"tw", 0}, {"th", 0}};
        CMenu* menu = m_menus.back();
        for (long index = 0; index < menu->getNumberOfMenuItems(); ++index)
        {
            const CMenuItem* item = menu->getMenuItem(index);
            if (item == nullptr || item->getType() == CMenuItem::kSeparator)
                continue;
            CDimension extent(0, 0);
            Brivant::GUI::Graphics::CGraphics::getTextExtent(item->getText(), extent,
                                                             Brivant::GUI::Fonts::CFont::getDefaultFont());
            values["tw"] = std::max(values["tw"], extent.getWidth());
            values["th"] = std::max(values["th"], extent.getHeight());
        }
        ASSERT_GT(values["th"], 0);
        values["h"] = values["th"];
        if (*test[4] != '\0')
        {
            auto* icon = new Brivant::GUI::Graphics::CRGBAImage();
            icon->initialise(CDimension(4, std::stol(test[4])));
            icon->unintialise();
            menu->getMenuItem(0)->setIcons(icon, nullptr);
            menuWindow->setMenu(menu);
            values["h"] = std::max(values["th"], std::stol(test[4]));
        }
        values["w"] = std::stol(expand(test[1], values));
        values["r"] = values["h"] + 8;
        std::string rows;
        const CMenuWindow::CMenuRoot& root = menuWindow->getMenuRoot();
        for (long index = 0; index < root.getControlArraySize(); ++index)
        {
            if (const IControl* row = root.getControl(index, true))
                rows += std::to_string(row->getControlId()) + ":" + rectText(row->getArea()) + " ";
        }
        EXPECT_EQ(expand(test[2], values), rows);
        const CDimension& size = *menuWindow->getMenuSize();
        EXPECT_EQ(expand(test[3], values), positionText(CPoint(size.getWidth(), size.getHeight())));
    }
}

TEST_F(CMenuWindowTest, theRowUnderThePointerIsHighlightedAndAReleaseOnItChoosesIt)
{
    // "m i" moves over row i, "d i" / "u i" press and release there, "l" leaves; then the row highlighted and
    // what the listener heard. Disabled items, separators and sub-menu headings are never chosen.
    const char* const cases[][4] = {
        {"a b c", "m 1 d 1 u 1", "1", "selection 1; "},
        {"a ~b c", "m 0 m 1 d 1 u 1", "-1", ""},
        {"a -- c", "m 1 d 1 u 1", "-1", ""},
        {"a b", "m 0 d 0 m 1 u 1", "1", ""},
        {"a b", "m 0 d 0 u 1", "0", ""},
        {"a b", "m 0 l", "-1", ""},
        {"a >e", "m 1 d 1 u 1 l", "1", ""},
        {"[-]x y", "m 0 d 0 u 0", "0", "selection 0; "},
    };
    for (const auto& test : cases)
    {
        SCOPED_TRACE(std::string(test[0]) + " / " + test[1]);
        const THeldMenuWindow menuWindow = held(window(test[0]));
        std::istringstream script(test[1]);
        std::string step;
        long row = 0;
        while (script >> step)
        {
            const CPoint at = step == "l" ? CPoint(-5, -5) : centreOf(*menuWindow, (script >> row, row));
            const long kind = step == "m"   ? CMouseEvent::kMouseMove
                              : step == "d" ? CMouseEvent::kLeftButtonDown
                              : step == "u" ? CMouseEvent::kLeftButtonUp
                                            : CMouseEvent::kMouseLeave;
            mouseThroughRoot(*menuWindow, kind, at.getX(), at.getY());
        }
        const long selection = std::stol(test[2]);
        EXPECT_EQ(selection, menuWindow->getMenuRoot().getCurrentSelection());
        EXPECT_EQ(test[3], listener.played());
        for (long index = 0; index < 3; ++index)
        {
            if (const CMenuItemDisplay* shown = menuWindow->getMenuRoot().getRow(index))
            {
                EXPECT_EQ(index == selection, shown->isHighlighted()) << "row " << index;
            }
        }
    }
    // The checkable item was turned over before it was reported.
    EXPECT_TRUE(dynamic_cast<Brivant::GUI::Controls::CCheckableMenuItem&>(*m_menus.back()->getMenuItem(0)).isChecked());
}

TEST_F(CMenuWindowTest, aSelectionSetFromOutsideIgnoresIndexesWithoutARowThatCanBeChosen)
{
    // Items: 0 a, 1 separator, 2 disabled b, 3 column break, 4 c, 5 a hole.
    const THeldMenuWindow menuWindow = held(window("a -- ~b | c d"));
    m_menus.back()->clearMenuItem(5);
    menuWindow->setMenu(m_menus.back());
    const long cases[][2] = {{4, 4}, {1, 4}, {2, 4}, {3, 4}, {5, 4}, {40, 4}, {-5, 4}, {0, 0}, {-1, -1}};
    for (const auto& test : cases)
    {
        menuWindow->setCurrentSelection(test[0]);
        EXPECT_EQ(test[1], menuWindow->getMenuRoot().getCurrentSelection()) << "index " << test[0];
    }
}

TEST_F(CMenuWindowTest, theRootDrawsTheFrameTheHighlightAndEachRowsParts)
{
    // Rows: 0 a (highlighted, with a red icon and a blue second one), 1 separator, 2 disabled b, 3 sub-menu c,
    // 4 checked d.
    const THeldMenuWindow menuWindow = held(window("aaa -- ~bbb >ccc [x]ddd"));
    auto icon = [](long red, long blue) {
        auto* image = new Brivant::GUI::Graphics::CRGBAImage();
        image->initialise(CDimension(16, 16));
        image->getGraphics()->getMutableBrush().setColour(Brivant::GUI::Basics::CAlphaColour(red, 0, blue));
        image->getGraphics()->fillRectangle(CRect(0, 0, 16, 16));
        image->unintialise();
        return image;
    };
    m_menus.back()->getMenuItem(0)->setIcons(icon(255, 0), icon(0, 255));
    menuWindow->setUseIcons(true);
    CMenuWindow::CMenuRoot& root = menuWindow->getMenuRoot();
    const CDimension size = *menuWindow->getMenuSize();
    root.setMenuArea(CRect(0, 0, size.getWidth(), size.getHeight()));
    menuWindow->setCurrentSelection(0);
    COffscreenCanvas canvas(size.getWidth() + 10, size.getHeight() + 10);
    canvas.draw(root);

    const CRect& lit = root.getRow(0)->getArea();
    const CRect& line = root.getRow(1)->getArea();
    const CRect& arrow = root.getRow(3)->getSubMenuPointer()->getAbsoluteArea();
    const CRect& tick = root.getRow(4)->getSelectable()->getAbsoluteArea();
    const CRect& image = root.getRow(0)->getIconLabel()->getAbsoluteArea();
    const CPoint iconCentre(image.getLeft() + image.getWidth() / 2, image.getTop() + image.getHeight() / 2);
    const std::tuple<const char*, long, long, const char*> cases[] = {
        {"frame", size.getWidth() - 1, size.getHeight() / 2, "153,116,188"},
        {"highlight", lit.getRight() - 2, lit.getTop() + 2, "153,116,188"},
        {"separator", line.getLeft() + 5, line.getTop() + 2, "239,149,41"},
        {"arrow", arrow.getLeft() + 5, arrow.getTop() + arrow.getHeight() / 2, "0,0,0"},
        {"tick", tick.getLeft() + tick.getWidth() / 2 - 3, tick.getTop() + tick.getHeight() / 2, "0,0,0"},
        {"outside", size.getWidth() + 5, 5, "255,255,255"},
        {"second icon", iconCentre.getX(), iconCentre.getY(), "0,0,255"},
    };
    for (const auto& test : cases)
        EXPECT_EQ(std::get<3>(test), canvas.rgb(std::get<1>(test), std::get<2>(test))) << std::get<0>(test);
    // The disabled row's text is light grey, without any black.
    const long top = root.getRow(2)->getArea().getTop() + 1, width = size.getWidth() - 4, height = lit.getHeight() - 2;
    EXPECT_GT(canvas.pixels().count(2, top, width, height, "208,208,208"), 0);
    EXPECT_EQ(0, canvas.pixels().count(2, top, width, height, "0,0,0"));
    menuWindow->setCurrentSelection(-1);
    canvas.draw(root);
    EXPECT_EQ("255,0,0", canvas.rgb(iconCentre.getX(), iconCentre.getY()));
}

TEST_F(CMenuWindowTest, aChoiceInASubMenuReachesTheTopListenerOnceAndTheNestedWindowsGoAfterTheCall)
{
    // Two levels: "a >e", e holding e1, e2 and ">f", f holding f1 (id 200).
    const CCountChange windows(CMenuWindow::classRecord());
    {
        const THeldMenuWindow top = held(window("a >e"));
        auto* deeper = new Brivant::GUI::Controls::CSubMenuMenuItem("f", -1);
        deeper->getSubMenu()->addMenuItem(new CMenuItem("f1", 200, CMenuItem::kPlainItem, true));
        dynamic_cast<Brivant::GUI::Controls::CSubMenuMenuItem&>(*m_menus.back()->getMenuItem(1))
            .getSubMenu()
            ->addMenuItem(deeper);
        top->setMenu(m_menus.back());
        top->openPopupWindow(CPoint(100, 100));
        std::vector<CMenuWindow*> chain{top.get()};
        std::vector<HWND> nested;
        for (long row : {1, 2})
        {
            const CPoint at = centreOf(*chain.back(), row);
            mouseMessages(*chain.back(), {WM_MOUSEMOVE}, at.getX(), at.getY());
            ASSERT_NE(nullptr, chain.back()->getSubMenuWindow());
            chain.push_back(chain.back()->getSubMenuWindow());
            nested.push_back(*chain.back()->getWindowHandle());
            EXPECT_TRUE(IsWindowVisible(nested.back()));
        }
        long visibleDuringTheCall = -1;
        long aliveDuringTheCall = -1;
        listener.onSelection = [&] {
            visibleDuringTheCall = IsWindowVisible(nested[0]) + IsWindowVisible(nested[1]);
            aliveDuringTheCall = windows.live();
        };
        const CPoint at = centreOf(*chain.back(), 0);
        mouseMessages(*chain.back(), {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP}, at.getX(), at.getY());

        EXPECT_EQ("opening; closing; selection 200; ", listener.played());
        EXPECT_EQ(0, visibleDuringTheCall);
        EXPECT_EQ(3, aliveDuringTheCall);
        EXPECT_EQ(1, windows.live());
        EXPECT_EQ(nullptr, top->getSubMenuWindow());
        EXPECT_FALSE(top->isOpen());
    }
    EXPECT_EQ(0, windows.live());
}

TEST_F(CMenuWindowTest, windowsOpenedNearTheScreenEdgesAreKeptOnScreen)
{
    const THeldMenuWindow menuWindow = held(window("alpha beta gamma"));
    const CDimension size = *menuWindow->getMenuSize();
    const long width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    const long right = width - size.getWidth(), bottom = height - size.getHeight();
    const long cases[][4] = {{10, 20, 10, 20},
                             {width - 5, 20, right, 20},
                             {10, height - 5, 10, bottom},
                             {width + 50, height + 50, right, bottom},
                             {-30, -20, 0, 0}};
    for (const auto& test : cases)
    {
        menuWindow->openPopupWindow(CPoint(test[0], test[1]));
        RECT placed = {};
        GetWindowRect(*menuWindow->getWindowHandle(), &placed);
        EXPECT_EQ(positionText(CPoint(test[2], test[3])), positionText(CPoint(placed.left, placed.top)))
            << "opened at " << test[0] << "," << test[1];
        EXPECT_EQ(size.getWidth(), placed.right - placed.left);
    }
    menuWindow->closePopupWindow();
    // A monitor to the right keeps its own edges; a window larger than the monitor keeps its top left.
    const CRect second(1920, 0, 1280, 1024);
    EXPECT_EQ("3100,40", positionText(CMenuWindow::keptOnScreen(CPoint(3150, 40), CDimension(100, 50), second)));
    EXPECT_EQ("1920,0", positionText(CMenuWindow::keptOnScreen(CPoint(2000, 10), CDimension(1500, 1100), second)));
}

TEST_F(CMenuWindowTest, closingWithoutAChoiceReportsOneClosingAndTakesTheNestedWindowsAlong)
{
    // Its owner closes it twice; the focus leaves the nested window; the pointer goes back to the top window,
    // which takes the focus back from the nested one, and then the focus leaves it.
    for (const std::string how : {"owner", "nested focus", "top focus"})
    {
        SCOPED_TRACE(how);
        const CCountChange windows(CMenuWindow::classRecord());
        const THeldMenuWindow top = held(window("a >e"));
        top->openPopupWindow(CPoint(50, 50));
        const HWND topHandle = *top->getWindowHandle();
        HWND nestedHandle = nullptr;
        if (how == "owner")
        {
            top->closePopupWindow();
            top->closePopupWindow();
        }
        else
        {
            SetFocus(topHandle);
            const CPoint at = centreOf(*top, 1);
            mouseMessages(*top, {WM_MOUSEMOVE}, at.getX(), at.getY());
            ASSERT_NE(nullptr, top->getSubMenuWindow());
            // The nested window took the focus as it opened; the top window stayed open.
            nestedHandle = *top->getSubMenuWindow()->getWindowHandle();
            EXPECT_EQ(nestedHandle, GetFocus());
            EXPECT_TRUE(top->isOpen());
            if (how == "top focus")
            {
                const CPoint first = centreOf(*top, 0);
                mouseMessages(*top, {WM_MOUSEMOVE}, first.getX(), first.getY());
                EXPECT_EQ(topHandle, GetFocus());
            }
            SetFocus(sharedVisibleHost());
        }
        EXPECT_EQ("opening; closing; ", listener.played());
        EXPECT_FALSE(IsWindowVisible(topHandle));
        EXPECT_FALSE(IsWindow(nestedHandle));
        EXPECT_EQ(1, windows.live());
    }
}

// Owners close their menus from destructors, where a failure could not be handled.
TEST_F(CMenuWindowTest, closingAllocatesNothing)
{
    const THeldMenuWindow menuWindow = held(window("a b"));
    menuWindow->setMenuListener(nullptr);
    menuWindow->openPopupWindow(CPoint(50, 50));
    Brivant::Testing::CAllocationFailure::failAt(1);
    EXPECT_NO_THROW(menuWindow->closePopupWindow());
    Brivant::Testing::CAllocationFailure::disarm();
    EXPECT_FALSE(menuWindow->isOpen());
}

// Whichever allocation fails while a window lays out its rows, no row is left behind.
TEST_F(CMenuWindowTest, aWindowShortOfMemoryLeavesNoRowBehind)
{
    m_menus.push_back(menuOf("a b -- c | d"));
    for (long allocation = 1; allocation <= 200; ++allocation)
    {
        const CCountChange rows(CMenuItemDisplay::classRecord());
        Brivant::Testing::CAllocationFailure::failAt(allocation);
        try
        {
            held(new CMenuWindow(CRect(0, 0, 20, 100), nullptr, m_menus.back(), false, nullptr));
        }
        catch (...)
        {
        }
        Brivant::Testing::CAllocationFailure::disarm();
        EXPECT_EQ(0, rows.live()) << "allocation " << allocation;
    }
}

TEST_F(CMenuWindowTest, aRowWithoutAnItemIsRefused)
{
    const THeldMenuWindow menuWindow = held(window("a"));
    try
    {
        CMenuItemDisplay row(&menuWindow->getMenuRoot(), 0, CRect(0, 0, 50, 20), nullptr, false, false, false, 0);
        FAIL() << "a row was made without an item";
    }
    catch (const Brivant::Exceptions::CException& failure)
    {
        EXPECT_STREQ("Menu item is null", failure.getErrorReason().getString());
        EXPECT_STREQ("CMenuItemDisplay::setMenuItem(CMenuItem *)", failure.getFunctionName().getString());
    }
}
} // namespace
