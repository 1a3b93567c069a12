#include "gui/controls/CMenu.hpp"

#include "gui/controls/CMenuItem.hpp"
#include "gui/controls/CSubMenuMenuItem.hpp"

namespace Brivant
{
namespace GUI
{
namespace Controls
{
using ::Brivant::Basics::CClass;
using ::Brivant::Basics::CString;

namespace
{
constexpr long kNoteValuesPerKind = 13;
const char* const kNoteValues[kNoteValuesPerKind] = {"64",  "32",  "16",  "8",    "4",    "2",   "1",
                                                     "1/2", "1/4", "1/8", "1/16", "1/32", "1/64"};
const char* const kNoteKinds[] = {"Straight", "Triplet", "Dotted"};
const char* const kNoteSuffixes[] = {"", "T", "D"};
} // namespace

CMenu::CMenu() : m_items(), m_title("Menu Title") {}

CMenu::~CMenu() = default;

void CMenu::addMenuItem(CMenuItem* item)
{
    if (item == nullptr)
    {
        return;
    }
    const auto* subMenuItem = dynamic_cast<const CSubMenuMenuItem*>(item);
    if (subMenuItem != nullptr && subMenuItem->getSubMenu()->leadsTo(this))
    {
        // Refused, it is released as if taken and let go: an item handed over new goes, a held one stays.
        item->referenced();
        item->dereference();
        return;
    }
    m_items.addElement(item);
}

CMenuItem* CMenu::getMenuItem(long index) const { return m_items.getElementAt(index); }

long CMenu::getNumberOfMenuItems() const { return m_items.getArraySize(); }

void CMenu::removeMenuItem(long index)
{
    if (index < 0 || index >= m_items.getArraySize())
    {
        return;
    }
    m_items.removeElementAt(index);
    m_items.reorderArray(true);
}

void CMenu::clearMenuItem(long index) { m_items.removeElementAt(index); }

void CMenu::clearMenu() { m_items.clearArray(); }

void CMenu::setMenuTitle(const CString& title) { m_title = title; }

const CString& CMenu::getMenuTitle() const { return m_title; }

void CMenu::addNoteValueMenus(CMenu* menu)
{
    if (menu == nullptr)
    {
        return;
    }
    long id = 0;
    for (long kind = 0; kind < 3; ++kind)
    {
        auto* subMenuItem = new CSubMenuMenuItem(kNoteKinds[kind], -1);
        for (long value = 0; value < kNoteValuesPerKind; ++value)
        {
            CString text(kNoteValues[value]);
            text += kNoteSuffixes[kind];
            subMenuItem->getSubMenu()->addMenuItem(new CMenuItem(text, id++, CMenuItem::kPlainItem, true));
        }
        menu->addMenuItem(subMenuItem);
    }
}

bool CMenu::leadsTo(const CMenu* target) const
{
    if (this == target)
    {
        return true;
    }
    // Rings are refused on addition, so this walk always ends.
    for (long index = 0; index < m_items.getArraySize(); ++index)
    {
        const auto* subMenuItem = dynamic_cast<const CSubMenuMenuItem*>(m_items.getElementAt(index));
        if (subMenuItem != nullptr && subMenuItem->getSubMenu()->leadsTo(target))
        {
            return true;
        }
    }
    return false;
}
} // namespace Controls
} // namespace GUI
} // namespace Brivant
