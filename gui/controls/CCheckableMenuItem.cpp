#include "gui/controls/CCheckableMenuItem.hpp"

namespace Brivant
{
namespace GUI
{
namespace Controls
{
CCheckableMenuItem::CCheckableMenuItem(const ::Brivant::Basics::CString& text, long id, bool checked, bool enabled)
    : CMenuItem(text, id, kCheckableItem, enabled), m_checked(checked)
{
}

CCheckableMenuItem::~CCheckableMenuItem() = default;

bool CCheckableMenuItem::isChecked() const { return m_checked; }

void CCheckableMenuItem::setChecked(bool checked) { m_checked = checked; }
} // namespace Controls
} // namespace GUI
} // namespace Brivant
