// A menu notification: the menu, and the chosen item on a selection. The menu window sends (null, menu) when a
// menu opens or closes and (item, menu) when an item is chosen.
#pragma once

#include "foundation/basics/CCountedObject.hpp"

namespace Brivant
{
namespace GUI
{
namespace Controls
{
class CMenu;
class CMenuItem;
} // namespace Controls

namespace Events
{
class CMenuEvent : public ::Brivant::Basics::CCountedObject
{
    BRIVANT_CLASS_RECORD(CMenuEvent, "CCountedObject");

public:
    // Takes a reference on the item and on the menu; either may be null.
    CMenuEvent(Controls::CMenuItem* item, Controls::CMenu* menu);
    // The copy takes references of its own.
    CMenuEvent(const CMenuEvent& other);
    CMenuEvent& operator=(const CMenuEvent& other);
    // Releases the item and the menu.
    ~CMenuEvent() override;

    virtual Controls::CMenuItem* getMenuItem() const;
    virtual Controls::CMenu* getMenu() const;
    // The item's id; -1, the id of no choice, when there is no item.
    virtual long getMenuItemId() const;
    // Counted swaps: the new one is referenced, the old one released.
    virtual void setMenuItem(Controls::CMenuItem* item);
    virtual void setMenu(Controls::CMenu* menu);

private:
    Controls::CMenuItem* m_menuItem;
    Controls::CMenu* m_menu;
};
} // namespace Events
} // namespace GUI
} // namespace Brivant
