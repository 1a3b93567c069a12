// CMenuWindow with its root and rows: layout from the measured text, hover and press, what is never chosen,
// drawing, sub-menu choices travelling up the chain, staying on screen and closing.
#include "foundation/exceptions/CException.hpp"
#include "gui/controls/CMenuItemDisplay.hpp"
#include "gui/controls/CMenuRoot.hpp"
#include "gui/core/CFont.hpp"
#include "gui/core/CGraphics.hpp"
#include "gui/core/CWindowAttributes.hpp"
#include "tests/foundation/basics/CCountChange.hpp"
#include "tests/gui/controls/CMenuTestSupport.hpp"
#include "tests/gui/core/CWindowTestSupport.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

namespace
{
using namespace VolturaTests;
using Brivant::GUI::Controls::CCheckableMenuItem;
using Brivant::GUI::Controls::CMenuItemDisplay;
using Brivant::GUI::Controls::CSubMenuMenuItem;
using Brivant::GUI::Windowing::CWindowAttributes;
using Brivant::MathTools::CDimension;
using Brivant::MathTools::CPoint;
using Brivant::MathTools::CRect;

class CMenuWindowTest : public ::testing::Test
{
protected:
    CMenuWindowTest() : m_windows(CMenuWindow::classRecord()) {}
    ~CMenuWindowTest() override
    {
        for (CMenu* menu : m_menus)
            menu->dereference();
    }

    // A hidden menu window on a menu written as menuOf writes it; the test releases it.
    CMenuWindow* window(const std::string& line, long width = 20, bool useIcons = false)
    {
        m_menus.push_back(menuOf(line));
        CWindowAttributes attributes;
        return new CMenuWindow(CRect(0, 0, width, 100), &attributes, m_menus.back(), useIcons, &listener);
    }

    static CPoint centreOf(const CMenuWindow& menuWindow, long index)
    {
        const CRect& area = menuWindow.getMenuRoot().getRow(index)->getArea();
        return CPoint(area.getLeft() + area.getWidth() / 2, area.getTop() + area.getHeight() / 2);
    }

    CRecordingMenuListener listener;
    CCountChange m_windows;
    std::vector<CMenu*> m_menus;
};

std::string rowsOf(const CMenuWindow& menuWindow)
{
    std::string rows;
    const CMenuWindow::CMenuRoot& root = menuWindow.getMenuRoot();
    for (long index = 0; index < root.getControlArraySize(); ++index)
    {
        if (const IControl* row = root.getControl(index, true))
            rows += std::to_string(row->getControlId()) + ":" + rectText(row->getArea()) + " ";
    }
    return rows;
}

// Writes out every sum such as "2w+4" in a pattern with the values of its names (a number before a name
// multiplies it).
std::string expand(const std::string& pattern, const std::map<std::string, long>& values)
{
    std::string out;
    for (size_t at = 0; at < pattern.size();)
    {
        const size_t end = pattern.find_first_not_of("0123456789abcdefghijklmnopqrstuvwxyz+", at);
        if (end == at)
        {
            out += pattern[at++];
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
        at = end;
    }
    return out;
}

TEST_F(CMenuWindowTest, rowsAndColumnsFollowTheMeasuredText)
{
    // tw x th: the widest and tallest text; w: the column width the case expects; r = th + 8, the row height.
    // Rows as "id:left,top,width,height", then the menu's size.
    const char* const cases[][4] = {
        {"one two three", "tw+8", "0:0,0,w,r 1:0,r,w,r 2:0,2r,w,r ", "w,3r"},
        {"a -- bee", "tw+8", "0:0,0,w,r 1:0,r,w,4 2:0,r+4,w,r ", "w,2r+4"},
        // The first column is the taller: the menu is as tall as it.
        {"a b c | d e", "tw+8", "0:0,0,w,r 1:0,r,w,r 2:0,2r,w,r 4:w+4,0,w,r 5:w+4,r,w,r ", "2w+4,3r"},
        {"a >menu", "th+tw+16", "0:0,0,w,r 1:0,r,w,r ", "w,2r"},
        {"[x]tick b", "tw+th+16", "0:0,0,w,r 1:0,r,w,r ", "w,2r"},
        {"a b", "300", "0:0,0,w,r 1:0,r,w,r ", "w,2r"},
    };
    for (const auto& test : cases)
    {
        CHeldMenuWindow menuWindow(window(test[0], std::string(test[1]) == "300" ? 300 : 1));
        std::map<std::string, long> values{{"tw", 0}, {"th", 0}};
        const CMenu* menu = m_menus.back();
        for (long index = 0; index < menu->getNumberOfMenuItems(); ++index)
        {
            const CMenuItem* item = menu->getMenuItem(index);
            // Separators and column breaks show no text.
            if (item == nullptr || (item->getId() < 0 && item->getType() != CMenuItem::kSubMenuItem))
                continue;
            CDimension extent(0, 0);
            Brivant::GUI::Graphics::CGraphics::getTextExtent(item->getText(), extent,
                                                             Brivant::GUI::Fonts::CFont::getDefaultFont());
            values["tw"] = std::max(values["tw"], extent.getWidth());
            values["th"] = std::max(values["th"], extent.getHeight());
        }
        ASSERT_GT(values["th"], 0) << test[0];
        values["w"] = std::stol(expand(test[1], values));
        values["r"] = values["th"] + 8;
        EXPECT_EQ(expand(test[2], values), rowsOf(*menuWindow)) << test[0];
        const CDimension& size = *menuWindow->getMenuSize();
        EXPECT_EQ(expand(test[3], values), std::to_string(size.getWidth()) + "," + std::to_string(size.getHeight()))
            << test[0];
    }
}

TEST_F(CMenuWindowTest, theRowUnderThePointerIsHighlightedAndAReleaseOnItChoosesIt)
{
    // Scripts: "m i" moves over row i, "d i" / "u i" press and release there, "l" leaves the window.
    struct SCase
    {
        const char* line;
        const char* script;
        long selection;
        const char* calls;
    };
    const SCase cases[] = {
        {"a b c", "m 1 d 1 u 1", 1, "selection 1 "},
        {"a ~b c", "m 0 m 1 d 1 u 1", -1, ""},
        {"a -- c", "m 1 d 1 u 1", -1, ""},
        {"a b", "m 0 d 0 m 1 u 1", 1, ""},
        {"a b", "m 0 d 0 u 1", 0, ""},
        {"a b", "m 0 l", -1, ""},
        {"a >e", "m 1 d 1 u 1 l", 1, ""},
        {"[-]x y", "m 0 d 0 u 0", 0, "selection 0 "},
    };
    for (const SCase& test : cases)
    {
        listener.calls.clear();
        CHeldMenuWindow menuWindow(window(test.line));
        std::istringstream script(test.script);
        std::string step;
        long row = 0;
        while (script >> step)
        {
            if (step == "l")
            {
                mouseThroughRoot(*menuWindow, CMouseEvent::kMouseLeave, -5, -5);
                continue;
            }
            script >> row;
            const CPoint at = centreOf(*menuWindow, row);
            const long kind = step == "m" ? CMouseEvent::kMouseMove
                                          : step == "d" ? CMouseEvent::kLeftButtonDown : CMouseEvent::kLeftButtonUp;
            mouseThroughRoot(*menuWindow, kind, at.getX(), at.getY());
        }
        std::string calls;
        for (const std::string& call : listener.calls)
            calls += call + " ";
        EXPECT_EQ(test.selection, menuWindow->getMenuRoot().getCurrentSelection()) << test.line << " / " << test.script;
        EXPECT_EQ(test.calls, calls) << test.line << " / " << test.script;
        for (long index = 0; index < 3; ++index)
        {
            if (const CMenuItemDisplay* shown = menuWindow->getMenuRoot().getRow(index))
            {
                EXPECT_EQ(index == test.selection, shown->isHighlighted()) << test.line << " row " << index;
            }
        }
        if (std::string(test.line) == "[-]x y")
        {
            EXPECT_TRUE(dynamic_cast<CCheckableMenuItem*>(m_menus.back()->getMenuItem(0))->isChecked());
        }
    }
}

TEST_F(CMenuWindowTest, aSelectionSetFromOutsideIgnoresIndexesWithoutARowThatCanBeChosen)
{
    // Items: 0 a, 1 separator, 2 disabled b, 3 column break, 4 c, 5 a hole.
    CHeldMenuWindow menuWindow(window("a -- ~b | c d"));
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
    // Rows: 0 a, 1 separator, 2 disabled b, 3 sub-menu c, 4 checked d.
    CHeldMenuWindow menuWindow(window("aaa -- ~bbb >ccc [x]ddd"));
    CMenuWindow::CMenuRoot& root = menuWindow->getMenuRoot();
    const CDimension size = *menuWindow->getMenuSize();
    root.setMenuArea(CRect(0, 0, size.getWidth(), size.getHeight()));
    menuWindow->setCurrentSelection(0);
    COffscreenCanvas canvas(size.getWidth() + 10, size.getHeight() + 10);
    canvas.draw(root);

    const CRect& highlighted = root.getRow(0)->getArea();
    const CRect& separator = root.getRow(1)->getArea();
    const CRect& arrow = root.getRow(3)->getSubMenuPointer()->getAbsoluteArea();
    const CRect& tick = root.getRow(4)->getSelectable()->getAbsoluteArea();
    struct SCase
    {
        const char* what;
        CPoint at;
        const char* rgb;
    };
    const SCase cases[] = {
        {"frame", CPoint(size.getWidth() - 1, size.getHeight() / 2), "153,116,188"},
        {"highlight", CPoint(highlighted.getRight() - 2, highlighted.getTop() + 2), "153,116,188"},
        {"separator", CPoint(separator.getLeft() + 5, separator.getTop() + 2), "239,149,41"},
        {"arrow", CPoint(arrow.getLeft() + 5, arrow.getTop() + arrow.getHeight() / 2), "0,0,0"},
        {"tick", CPoint(tick.getLeft() + tick.getWidth() / 2 - 3, tick.getTop() + tick.getHeight() / 2), "0,0,0"},
        {"outside", CPoint(size.getWidth() + 5, 5), "255,255,255"},
    };
    for (const SCase& test : cases)
        EXPECT_EQ(test.rgb, canvas.rgb(test.at.getX(), test.at.getY())) << test.what;

    // The disabled row's text is light grey; no black is drawn in it.
    const CRect& disabled = root.getRow(2)->getArea();
    long grey = 0;
    long black = 0;
    for (long y = disabled.getTop(); y < disabled.getBottom(); ++y)
    {
        for (long x = disabled.getLeft() + 1; x < disabled.getRight() - 1; ++x)
        {
            grey += canvas.rgb(x, y) == "208,208,208" ? 1 : 0;
            black += canvas.rgb(x, y) == "0,0,0" ? 1 : 0;
        }
    }
    EXPECT_GT(grey, 0);
    EXPECT_EQ(0, black);
}

TEST_F(CMenuWindowTest, aChoiceInASubMenuReachesTheTopListenerOnceAndTheNestedWindowsGoAfterTheCall)
{
    // Two levels: "a >e", e holding e1, e2 and ">f", f holding f1 (id 200).
    const CCountChange windows(CMenuWindow::classRecord());
    {
        CHeldMenuWindow top(window("a >e"));
        auto* deeper = new CSubMenuMenuItem("f", -1);
        deeper->getSubMenu()->addMenuItem(new CMenuItem("f1", 200, CMenuItem::kPlainItem, true));
        dynamic_cast<CSubMenuMenuItem*>(m_menus.back()->getMenuItem(1))->getSubMenu()->addMenuItem(deeper);
        top->setMenu(m_menus.back());
        top->openPopupWindow(CPoint(100, 100));
        std::vector<CMenuWindow*> chain{&*top};
        std::vector<HWND> nested;
        for (long row : {1, 2})
        {
            const CPoint at = centreOf(*chain.back(), row);
            mouseMessage(*chain.back(), WM_MOUSEMOVE, at.getX(), at.getY());
            ASSERT_NE(nullptr, chain.back()->getSubMenuWindow());
            chain.push_back(chain.back()->getSubMenuWindow());
            nested.push_back(*chain.back()->getWindowHandle());
            EXPECT_TRUE(IsWindowVisible(nested.back()));
        }
        long visibleDuringTheCall = -1;
        long aliveDuringTheCall = -1;
        listener.onSelection = [&](const CMenuEvent&) {
            visibleDuringTheCall = IsWindowVisible(nested[0]) + IsWindowVisible(nested[1]);
            aliveDuringTheCall = windows.live();
        };
        const CPoint at = centreOf(*chain.back(), 0);
        clickMessage(*chain.back(), at.getX(), at.getY());

        EXPECT_EQ((std::vector<std::string>{"opening", "closing", "selection 200"}), listener.calls);
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
    const long screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const long screenHeight = GetSystemMetrics(SM_CYSCREEN);
    CHeldMenuWindow menuWindow(window("alpha beta gamma"));
    const CDimension size = *menuWindow->getMenuSize();
    const long rightmost = screenWidth - size.getWidth();
    const long lowest = screenHeight - size.getHeight();
    const long cases[][4] = {
        {10, 20, 10, 20},
        {screenWidth - 5, 20, rightmost, 20},
        {10, screenHeight - 5, 10, lowest},
        {screenWidth + 50, screenHeight + 50, rightmost, lowest},
        {-30, -20, 0, 0},
    };
    for (const auto& test : cases)
    {
        menuWindow->openPopupWindow(CPoint(test[0], test[1]));
        const CRect& area = menuWindow->getWindowArea();
        EXPECT_EQ(positionText(CPoint(test[2], test[3])), positionText(CPoint(area.getLeft(), area.getTop())))
            << "opened at " << test[0] << "," << test[1];
        RECT placed = {};
        GetWindowRect(*menuWindow->getWindowHandle(), &placed);
        EXPECT_EQ(test[2], placed.left);
        EXPECT_EQ(size.getWidth(), placed.right - placed.left);
    }
    menuWindow->closePopupWindow();
    // A second monitor to the right keeps its own edges; a window larger than the monitor keeps its top left.
    const CRect second(1920, 0, 1280, 1024);
    EXPECT_EQ("3100,40", positionText(CMenuWindow::keptOnScreen(CPoint(3150, 40), CDimension(100, 50), second)));
    EXPECT_EQ("1920,0", positionText(CMenuWindow::keptOnScreen(CPoint(2000, 10), CDimension(1500, 1100), second)));
}

TEST_F(CMenuWindowTest, closingWithoutAChoiceReportsOneClosingAndTakesTheNestedWindowsAlong)
{
    // How the menu closes: its owner closes it twice; the focus leaves the nested window; the pointer goes back
    // to the top window, which takes the focus back from the nested one, and then the focus leaves it.
    for (const char* how : {"owner", "nested focus", "top focus"})
    {
        SCOPED_TRACE(how);
        listener.calls.clear();
        const CCountChange windows(CMenuWindow::classRecord());
        CHeldMenuWindow top(window("a >e"));
        top->openPopupWindow(CPoint(50, 50));
        const HWND topHandle = *top->getWindowHandle();
        const std::string action = how;
        if (action == "owner")
        {
            top->closePopupWindow();
            top->closePopupWindow();
            EXPECT_EQ((std::vector<std::string>{"opening", "closing"}), listener.calls);
            EXPECT_FALSE(IsWindowVisible(topHandle));
            continue;
        }
        SetFocus(topHandle);
        const CPoint at = centreOf(*top, 1);
        mouseMessage(*top, WM_MOUSEMOVE, at.getX(), at.getY());
        CMenuWindow* nested = top->getSubMenuWindow();
        ASSERT_NE(nullptr, nested);
        // The nested window took the focus as it opened; the top window stayed open.
        const HWND nestedHandle = *nested->getWindowHandle();
        EXPECT_EQ(nestedHandle, GetFocus());
        EXPECT_TRUE(top->isOpen());
        {
            if (action == "top focus")
            {
                const CPoint first = centreOf(*top, 0);
                mouseMessage(*top, WM_MOUSEMOVE, first.getX(), first.getY());
                EXPECT_EQ(topHandle, GetFocus());
                EXPECT_TRUE(top->isOpen());
            }
            SetFocus(sharedVisibleHost());
        }
        EXPECT_EQ((std::vector<std::string>{"opening", "closing"}), listener.calls);
        EXPECT_FALSE(IsWindowVisible(topHandle));
        EXPECT_FALSE(IsWindow(nestedHandle));
        EXPECT_EQ(1, windows.live());
    }
}

TEST_F(CMenuWindowTest, aRowWithoutAnItemIsRefusedAndEachClassHasItsRecord)
{
    const std::pair<const Brivant::Basics::CClass*, const char*> records[] = {
        {&CMenuWindow::classRecord(), "CMenuWindow CWindow"},
        {&CMenuWindow::CMenuRoot::classRecord(), "CMenuWindow::CMenuRoot CControlRoot"},
        {&CMenuItemDisplay::classRecord(), "CMenuItemDisplay CControlPanel"},
        {&CMenuItemDisplay::CMenuItemSelectable::classRecord(), "CMenuItemDisplay::CMenuItemSelectable CControl"},
        {&CMenuItemDisplay::CMenuItemSubMenuPointer::classRecord(),
         "CMenuItemDisplay::CMenuItemSubMenuPointer CControl"},
    };
    for (const auto& record : records)
        EXPECT_EQ(record.second, std::string(record.first->getClassName()) + " " + record.first->getParentName());

    CHeldMenuWindow menuWindow(window("a"));
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
