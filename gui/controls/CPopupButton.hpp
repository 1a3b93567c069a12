// A latching button that shows a menu in a menu window below itself while it is latched and reports the item
// chosen there. Its value only shows whether the menu is open: the listener reads the choice from getMenuEvent.
// openMenu must be called once before the button shows anything.
#pragma once

#include "gui/controls/CLatchingButton.hpp"
#include "gui/core/IMenuListener.hpp"

#include <memory>

namespace Brivant
{
namespace GUI
{
namespace Windowing
{
class CMenuWindow;
class CWindowAttributes;
} // namespace Windowing

namespace Controls
{
class CMenu;

class CPopupButton : public CLatchingButton, public Listeners::IMenuListener
{
    BRIVANT_CLASS_RECORD(CPopupButton, "CLatchingButton");

public:
    // Holds a reference on the menu; a null menu throws CException and no button is made.
    CPopupButton(IControlRoot* root, long id, const ::Brivant::MathTools::CRect& area, CMenu* menu,
                 Listeners::IActionListener* listener, Listeners::IMenuListener* menuListener);
    // Closes and lets go of the menu window, then releases the menu and the last menu event.
    ~CPopupButton() override;

    // Counted; the menu window made by openMenu shows the new menu too. Null and the same menu are ignored.
    virtual void setMenu(CMenu* menu);
    virtual CMenu* getMenu() const { return m_menu; }
    // A copy of the last choice: its item and menu. Null until something is chosen.
    virtual Events::CMenuEvent* getMenuEvent() const { return m_lastMenuEvent; }
    // Makes the menu window, hidden, as wide as the button at least, with a copy of the attributes (null: the
    // defaults), in place of an earlier one.
    virtual void openMenu(Windowing::CWindowAttributes* attributes, bool useIcons);
    virtual Windowing::CMenuWindow* getMenuWindow() const { return m_menuWindow; }
    // Not owned; told of the menu's opening, closing and choices after the button.
    virtual void setMenuListener(Listeners::IMenuListener* listener) { m_menuListener = listener; }

    // A release on the button turns it over without a report: latched, it opens the menu just below itself;
    // unlatched, it closes an open menu.
    void handleLeftButtonUp(Events::CMouseEvent& event) override;

    void handleMenuOpening(const Events::CMenuEvent& event) override;
    // Unlatched, the highlight cleared; passed on.
    void handleMenuClosing(const Events::CMenuEvent& event) override;
    // Unlatched and the window redrawn, the choice kept, then the action listener, then the menu listener.
    void handleMenuSelection(const Events::CMenuEvent& event) override;

private:
    // Closes the menu window, telling this button only when reportClosing is set, and lets it go.
    void releaseMenuWindow(bool reportClosing);

    CMenu* m_menu;
    Windowing::CMenuWindow* m_menuWindow;
    std::unique_ptr<Windowing::CWindowAttributes> m_windowAttributes;
    Events::CMenuEvent* m_lastMenuEvent;
    bool m_useIcons;
    Listeners::IMenuListener* m_menuListener;
};
} // namespace Controls
} // namespace GUI
} // namespace Brivant
