// A menu entry that opens a web address or local document in the shell's handler when it is chosen.
#pragma once

#include "foundation/basics/CHtmlString.hpp"
#include "gui/controls/CMenuItem.hpp"

namespace Brivant
{
namespace GUI
{
namespace Controls
{
class CHtmlMenuItem : public CMenuItem
{
    BRIVANT_CLASS_RECORD(CHtmlMenuItem, "CMenuItem");

public:
    // Type kLinkItem, enabled.
    CHtmlMenuItem(const ::Brivant::Basics::CString& link, const ::Brivant::Basics::CString& text, long id);
    ~CHtmlMenuItem() override;

    // A link without a scheme is taken for a web address and gets "http://" (see CHtmlString).
    virtual void openLink();

    const ::Brivant::Basics::CHtmlString& getLink() const { return m_link; }

private:
    ::Brivant::Basics::CHtmlString m_link;
};
} // namespace Controls
} // namespace GUI
} // namespace Brivant
