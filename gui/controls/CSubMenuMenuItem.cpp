#include "gui/controls/CSubMenuMenuItem.hpp"

#include "gui/controls/CMenu.hpp"

namespace Brivant
{
namespace GUI
{
namespace Controls
{
using ::Brivant::Basics::CClass;
using ::Brivant::Basics::CString;

CSubMenuMenuItem::CSubMenuMenuItem(const CString& text, long id)
    : CMenuItem(text, id, kSubMenuItem, true), m_subMenu(new CMenu())
{
    m_subMenu->referenced();
}

CSubMenuMenuItem::~CSubMenuMenuItem() { m_subMenu->dereference(); }

CMenu* CSubMenuMenuItem::getSubMenu() const { return m_subMenu; }
} // namespace Controls
} // namespace GUI
} // namespace Brivant
