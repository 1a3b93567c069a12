// A menu entry with a checked state: the menu window shows a tick beside it while it is checked, and a click
// turns the state over before the choice is reported.
#pragma once

#include "gui/controls/CMenuItem.hpp"

namespace Brivant
{
namespace GUI
{
namespace Controls
{
class CCheckableMenuItem : public CMenuItem
{
    BRIVANT_CLASS_RECORD(CCheckableMenuItem, "CMenuItem");

public:
    // Type kCheckableItem.
    CCheckableMenuItem(const ::Brivant::Basics::CString& text, long id, bool checked, bool enabled);
    ~CCheckableMenuItem() override;

    virtual bool isChecked() const;
    virtual void setChecked(bool checked);

private:
    bool m_checked;
};
} // namespace Controls
} // namespace GUI
} // namespace Brivant
