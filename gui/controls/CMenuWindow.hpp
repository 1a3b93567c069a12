// The pop-up window that shows a menu: one row per item, in columns, a highlighted row under the pointer, nested
// menus in further menu windows, and the chosen item reported once to its menu listener.
//
// A nested window belongs to the window it was opened from, which holds one reference on it. A choice made in a
// nested window travels up the chain of windows as a selection: each window lets its nested window go (hidden at
// once), the top window closes, and the top window's listener hears of the choice once. A window that is
// handling a message keeps a reference on itself until the message is done, so a nested window is deleted only
// after the call that chose from it has returned. Owners should hold menu windows by reference as well.
#pragma once

#include "foundation/basics/CClass.hpp"
#include "gui/core/CWindow.hpp"
#include "gui/core/IMenuListener.hpp"

#include <memory>

namespace Brivant
{
namespace GUI
{
namespace Fonts
{
class CFont;
}

namespace Controls
{
class CMenu;
class CSubMenuMenuItem;
struct CMenuColours;
} // namespace Controls

namespace Windowing
{
class CMenuWindow : public CWindow, public Listeners::IMenuListener
{
    BRIVANT_CLASS_RECORD(CMenuWindow, "CWindow");

public:
    class CMenuRoot;

    // The attributes are copied as a pop-up tool window (its name made unique among live menu windows) and the
    // native window is made hidden. The area's width is the narrowest the rows may be. Null attributes give the
    // defaults; a null menu shows nothing until one is set.
    CMenuWindow(const ::Brivant::MathTools::CRect& area, CWindowAttributes* attributes, Controls::CMenu* menu,
                bool useIcons, Listeners::IMenuListener* listener);
    // Lets its nested window go.
    ~CMenuWindow() override;

    // Shows the window at a screen position, sized to its menu and pulled back inside the monitor there, and
    // tells the listener it opened.
    virtual void openPopupWindow(const ::Brivant::MathTools::CPoint& position);
    // Lets the nested window go and hides this one; the listener hears of the closing once per opening.
    virtual void closePopupWindow();
    // Not owned; null for none.
    virtual void setMenuListener(Listeners::IMenuListener* listener);
    // Lays the menu out; the window takes the new size when it next opens.
    virtual void setMenu(Controls::CMenu* menu);
    // Lays the menu out and sizes the window to it at once.
    virtual void setMenuAndResize(Controls::CMenu* menu);
    // The look and the rows' setters lay the menu out again.
    virtual void setFont(Fonts::CFont* font);
    virtual void setMenuColours(const Controls::CMenuColours& colours);
    // -1 clears the highlight; an index without a row that can be chosen is ignored.
    virtual void setCurrentSelection(long index);
    virtual void setUseIcons(bool useIcons);
    virtual void setMenuWidth(long width);
    // Not owned: the window this one was opened from.
    virtual void setParentMenuWindow(CMenuWindow* parent);

    CMenuRoot& getMenuRoot() const;
    CMenuWindow* getSubMenuWindow() const { return m_subMenuWindow; }
    CMenuWindow* getParentMenuWindow() const { return m_parentMenuWindow; }
    Listeners::IMenuListener* getMenuListener() const { return m_menuListener; }
    // The size of the laid-out menu; null without a menu.
    const ::Brivant::MathTools::CDimension* getMenuSize() const { return m_menuSize.get(); }
    bool isOpen() const { return m_open; }
    bool isOpeningSubMenu() const { return m_openingSubMenu; }
    bool isUsingIcons() const { return m_useIcons; }

    // Opens the sub-menu of an item in a new nested window beside the row at rowTop, in place of any open one.
    void openSubMenuWindow(Controls::CSubMenuMenuItem* item, long rowTop);
    // Hides the nested window and lets it go; with keepFocus this window takes the focus back from it.
    void releaseSubMenuWindow(bool keepFocus);

    // A choice from this window's rows or from a nested window: the nested window goes, the top window closes,
    // and the listener hears of it. Opening and closing of nested windows are ignored.
    void handleMenuOpening(const Events::CMenuEvent& event) override;
    void handleMenuClosing(const Events::CMenuEvent& event) override;
    void handleMenuSelection(const Events::CMenuEvent& event) override;

    // Losing the focus closes the window and the windows it was opened from, unless a nested window is taking
    // the focus as it opens.
    void lostFocus(IWindow* window) override;
    void gainedFocus(IWindow* window) override;

    // Holds the window while it handles the message: whoever lets it go meanwhile leaves its deletion till after.
    std::intptr_t handleWindowEvents(HWND__* window, unsigned int message, std::uintptr_t wParam,
                                     std::intptr_t lParam) override;

    // Lets go of the window a control keeps for its menu; held is null afterwards. A window still busy with a
    // message outlives the control, which hears nothing more from it unless the closing is to be reported.
    static void releaseHeld(CMenuWindow*& held, bool reportClosing);

    // Where a window of this size opened at position stands once pulled inside the monitor area; the left and
    // top edges win when the window is larger than the monitor.
    static ::Brivant::MathTools::CPoint keptOnScreen(const ::Brivant::MathTools::CPoint& position,
                                                     const ::Brivant::MathTools::CDimension& size,
                                                     const ::Brivant::MathTools::CRect& monitor);

private:
    void keepMenuSize(::Brivant::MathTools::CDimension* size);
    bool holdsFocus() const;

    Listeners::IMenuListener* m_menuListener;
    std::unique_ptr<::Brivant::MathTools::CDimension> m_menuSize;
    CMenuWindow* m_subMenuWindow;
    CMenuWindow* m_parentMenuWindow;
    bool m_openingSubMenu;
    bool m_useIcons;
    bool m_open;
    CMenuRoot* m_menuRoot;
};
} // namespace Windowing
} // namespace GUI
} // namespace Brivant
