// What a control sends its action listener after a user change: the control, and the modifier keys when the
// change came from the mouse.
#pragma once

#include "foundation/basics/CCountedObject.hpp"

namespace Brivant
{
namespace GUI
{
namespace Controls
{
class IControl;
} // namespace Controls

namespace Events
{
class CMouseEvent;

class CActionEvent : public ::Brivant::Basics::CCountedObject
{
    BRIVANT_CLASS_RECORD(CActionEvent, "CCountedObject");

public:
    // The control is not owned; null throws CException "Control is NULL", here and in setControl.
    explicit CActionEvent(Controls::IControl* control);
    // Takes shift, alt and ctrl from the mouse event.
    CActionEvent(Controls::IControl* control, const CMouseEvent& event);
    CActionEvent(const CActionEvent& other);
    CActionEvent& operator=(const CActionEvent& other);
    ~CActionEvent() override;

    virtual Controls::IControl* getControl() const;
    virtual long getExtraInformation() const;
    // A null control throws and keeps the one there was.
    virtual void setControl(Controls::IControl* control);
    virtual void setExtraInformation(long extra);
    virtual void setModifiers(bool shift, bool alt, bool ctrl);
    virtual bool isCtrlDown() const;
    virtual bool isShiftDown() const;
    virtual bool isAltDown() const;

private:
    static Controls::IControl* checkedControl(Controls::IControl* control);

    Controls::IControl* m_control;
    long m_extra;
    bool m_shift;
    bool m_alt;
    bool m_ctrl;
};
} // namespace Events
} // namespace GUI
} // namespace Brivant
