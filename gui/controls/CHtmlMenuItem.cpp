#include "gui/controls/CHtmlMenuItem.hpp"

namespace Brivant
{
namespace GUI
{
namespace Controls
{
using ::Brivant::Basics::CClass;
using ::Brivant::Basics::CString;

CHtmlMenuItem::CHtmlMenuItem(const CString& link, const CString& text, long id)
    : CMenuItem(text, id, kLinkItem, true), m_link(link)
{
}

CHtmlMenuItem::~CHtmlMenuItem() = default;

void CHtmlMenuItem::openLink() { m_link.openInBrowser(); }
} // namespace Controls
} // namespace GUI
} // namespace Brivant
