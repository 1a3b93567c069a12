#include "gui/core/CMenuEvent.hpp"

#include "foundation/collections/TCountedSwap.hpp"
#include "gui/controls/CMenu.hpp"
#include "gui/controls/CMenuItem.hpp"

namespace Brivant
{
namespace GUI
{
namespace Events
{
using ::Brivant::Basics::CClass;
using ::Brivant::Collections::swapCounted;
using Controls::CMenu;
using Controls::CMenuItem;

namespace
{
template <class T>
T* referencedOrNull(T* object)
{
    if (object != nullptr)
    {
        object->referenced();
    }
    return object;
}
} // namespace

CMenuEvent::CMenuEvent(CMenuItem* item, CMenu* menu)
    : m_menuItem(referencedOrNull(item)), m_menu(referencedOrNull(menu))
{
}

CMenuEvent::CMenuEvent(const CMenuEvent& other)
    : CCountedObject(other), m_menuItem(referencedOrNull(other.m_menuItem)), m_menu(referencedOrNull(other.m_menu))
{
}

CMenuEvent& CMenuEvent::operator=(const CMenuEvent& other)
{
    swapCounted(m_menuItem, other.m_menuItem);
    swapCounted(m_menu, other.m_menu);
    return *this;
}

CMenuEvent::~CMenuEvent()
{
    swapCounted(m_menuItem, static_cast<CMenuItem*>(nullptr));
    swapCounted(m_menu, static_cast<CMenu*>(nullptr));
}

CMenuItem* CMenuEvent::getMenuItem() const { return m_menuItem; }

CMenu* CMenuEvent::getMenu() const { return m_menu; }

long CMenuEvent::getMenuItemId() const { return m_menuItem != nullptr ? m_menuItem->getId() : -1; }

void CMenuEvent::setMenuItem(CMenuItem* item) { swapCounted(m_menuItem, item); }

void CMenuEvent::setMenu(CMenu* menu) { swapCounted(m_menu, menu); }
} // namespace Events
} // namespace GUI
} // namespace Brivant
