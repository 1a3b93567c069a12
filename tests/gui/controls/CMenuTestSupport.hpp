// What the menu tests share: menus written as one line, a recording menu listener, a menu window held by
// reference, and mouse events sent through a window's root or as real messages.
//   menuOf("a b -- ~c | d >e")  items a, b, separator, disabled c, column break, d, sub-menu e ("[x]" a checked
//                                checkable x, "[-]x" an unchecked one, "|x" a column break with the text x); ids
//                                count 0, 1, 2 ... in order (-1 for structure); a sub-menu item's menu gets items
//                                "e1", "e2" with ids 100, 101.
#pragma once

#include "foundation/basics/CString.hpp"
#include "foundation/mathtools/CPoint.hpp"
#include "gui/controls/CCheckableMenuItem.hpp"
#include "gui/controls/CMenu.hpp"
#include "gui/controls/CMenuItem.hpp"
#include "gui/controls/CMenuWindow.hpp"
#include "gui/controls/CSubMenuMenuItem.hpp"
#include "gui/core/CMenuEvent.hpp"
#include "gui/core/CMouseEvent.hpp"
#include "gui/core/IMenuListener.hpp"
#include "tests/gui/CGuiTestKit.hpp"

#include <windows.h>

#include <functional>
#include <initializer_list>
#include <memory>
#include <sstream>
#include <string>
#include <utility>

namespace VolturaTests
{
using Brivant::GUI::Controls::CMenu;
using Brivant::GUI::Controls::CMenuItem;
using Brivant::GUI::Events::CMenuEvent;
using Brivant::GUI::Windowing::CMenuWindow;

// A new menu the caller holds one reference on.
inline CMenu* menuOf(const std::string& line)
{
    auto* menu = new CMenu();
    menu->referenced();
    std::istringstream words(line);
    std::string word;
    long id = 0;
    while (words >> word)
    {
        CMenuItem* item = nullptr;
        if (word == "--")
            item = new CMenuItem(" ", -1, CMenuItem::kSeparator, true);
        else if (word[0] == '|')
            item = new CMenuItem(word.size() > 1 ? word.substr(1).c_str() : " ", -1, CMenuItem::kColumnBreak, true);
        else if (word[0] == '~')
            item = new CMenuItem(word.substr(1).c_str(), id++, CMenuItem::kPlainItem, false);
        else if (word.compare(0, 3, "[x]") == 0 || word.compare(0, 3, "[-]") == 0)
            item = new Brivant::GUI::Controls::CCheckableMenuItem(word.substr(3).c_str(), id++, word[1] == 'x', true);
        else if (word[0] == '>')
        {
            auto* subMenuItem = new Brivant::GUI::Controls::CSubMenuMenuItem(word.substr(1).c_str(), -1);
            for (long sub = 0; sub < 2; ++sub)
                subMenuItem->getSubMenu()->addMenuItem(
                    new CMenuItem((word.substr(1) + std::to_string(sub + 1)).c_str(), 100 + sub, 0, true));
            item = subMenuItem;
        }
        else
            item = new CMenuItem(word.c_str(), id++, CMenuItem::kPlainItem, true);
        menu->addMenuItem(item);
    }
    return menu;
}

// Writes down "opening", "closing" and "selection <id>"; onSelection runs inside the selection call.
class CRecordingMenuListener : public Brivant::GUI::Listeners::IMenuListener
{
public:
    void handleMenuOpening(const CMenuEvent&) override { calls += "opening; "; }
    void handleMenuClosing(const CMenuEvent&) override { calls += "closing; "; }
    void handleMenuSelection(const CMenuEvent& event) override
    {
        calls += "selection " + std::to_string(event.getMenuItemId()) + "; ";
        if (onSelection)
            onSelection();
    }
    // What was heard since the last call.
    std::string played() { return std::exchange(calls, std::string()); }

    std::string calls;
    std::function<void()> onSelection;
};

// Holds a menu window by one reference, as its owners do.
struct CReleaseWindow
{
    void operator()(CMenuWindow* window) const { window->dereference(); }
};
using THeldMenuWindow = std::unique_ptr<CMenuWindow, CReleaseWindow>;
inline THeldMenuWindow held(CMenuWindow* window)
{
    window->referenced();
    return THeldMenuWindow(window);
}

// The same as real messages to the native window, so that they run the window's own handling.
inline void mouseMessages(Brivant::GUI::Windowing::IWindow& window, std::initializer_list<UINT> messages, long x,
                          long y)
{
    for (UINT message : messages)
        SendMessageA(*window.getWindowHandle(), message, 0, packedPosition(x, y));
}
} // namespace VolturaTests
