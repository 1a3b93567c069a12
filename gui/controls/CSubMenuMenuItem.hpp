// A menu entry that opens a nested menu of its own; hovering over it shows that menu, a click reports nothing.
#pragma once

#include "gui/controls/CMenuItem.hpp"

namespace Brivant
{
namespace GUI
{
namespace Controls
{
class CMenu;

class CSubMenuMenuItem : public CMenuItem
{
    BRIVANT_CLASS_RECORD(CSubMenuMenuItem, "CMenuItem");

public:
    // Type kSubMenuItem, enabled, with a new empty menu it holds one reference on.
    CSubMenuMenuItem(const ::Brivant::Basics::CString& text, long id);
    ~CSubMenuMenuItem() override;

    // Never null.
    virtual CMenu* getSubMenu() const;

private:
    CMenu* m_subMenu;
};
} // namespace Controls
} // namespace GUI
} // namespace Brivant
