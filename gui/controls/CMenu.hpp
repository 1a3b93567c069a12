// A titled, ordered list of menu items. The item array keeps one reference on each item; its size is its
// allocated length (a multiple of 32 after additions), so users walk every index below
// getNumberOfMenuItems() and skip the null entries.
#pragma once

#include "foundation/basics/CCountedObject.hpp"
#include "foundation/basics/CString.hpp"
#include "foundation/collections/TCountedPointerArray.hpp"

namespace Brivant
{
namespace GUI
{
namespace Controls
{
class CMenuItem;

class CMenu : public ::Brivant::Basics::CCountedObject
{
    BRIVANT_CLASS_RECORD(CMenu, "CCountedObject");

public:
    // Empty, titled "Menu Title".
    CMenu();
    // Releases every item.
    ~CMenu() override;

    // Menus are shared by reference, not copied.
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

    // Appends and takes a reference. Null is ignored, and so is a sub-menu item whose menus lead back to this
    // one: such a ring would never be released. A refused item is released: one nobody else holds is deleted.
    void addMenuItem(CMenuItem* item);
    // Null outside the array and for an emptied entry.
    CMenuItem* getMenuItem(long index) const;
    long getNumberOfMenuItems() const;
    // Releases the item, then closes the gap and shrinks the array to fit; nothing happens outside the array.
    void removeMenuItem(long index);
    // Releases the item and leaves a null entry in its place.
    void clearMenuItem(long index);
    // Releases every item and empties the array.
    void clearMenu();

    void setMenuTitle(const ::Brivant::Basics::CString& title);
    const ::Brivant::Basics::CString& getMenuTitle() const;

    // Appends the sub-menus "Straight", "Triplet" and "Dotted" (id -1) of thirteen note values each, from 64
    // bars down to a 64th note; ids run 0 to 38, so id / 13 is the sub-menu and id % 13 the value. A null menu
    // is ignored.
    static void addNoteValueMenus(CMenu* menu);

private:
    // True when this menu is target or holds, at any depth, a sub-menu item whose menu is target.
    bool leadsTo(const CMenu* target) const;

    Collections::TCountedPointerArray<CMenuItem> m_items;
    ::Brivant::Basics::CString m_title;
};
} // namespace Controls
} // namespace GUI
} // namespace Brivant
