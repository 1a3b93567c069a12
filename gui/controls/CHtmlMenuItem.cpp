#include "gui/controls/CHtmlMenuItem.hpp"

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
[[maybe_unused]] const CClass& s_record = CHtmlMenuItem::classRecord();
} // namespace

CClass& CHtmlMenuItem::classRecord()
{
    static CClass record("CHtmlMenuItem", "CMenuItem");
    return record;
}

const CClass& CHtmlMenuItem::getClass() const { return classRecord(); }

CHtmlMenuItem::CHtmlMenuItem(const CString& link, const CString& text, long id)
    : CMenuItem(text, id, kLinkItem, true), m_link(link)
{
}

CHtmlMenuItem::~CHtmlMenuItem() = default;

void CHtmlMenuItem::openLink() { m_link.openInBrowser(); }
} // namespace Controls
} // namespace GUI
} // namespace Brivant
