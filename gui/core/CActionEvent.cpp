#include "gui/core/CActionEvent.hpp"

#include "foundation/exceptions/CException.hpp"
#include "gui/core/CMouseEvent.hpp"

namespace Brivant
{
namespace GUI
{
namespace Events
{
using ::Brivant::Basics::CClass;
using ::Brivant::Exceptions::CException;

CActionEvent::CActionEvent(Controls::IControl* control)
    : m_control(checkedControl(control)), m_extra(0), m_shift(false), m_alt(false), m_ctrl(false)
{
}

CActionEvent::CActionEvent(Controls::IControl* control, const CMouseEvent& event)
    : m_control(checkedControl(control)), m_extra(0), m_shift(event.isShiftDown()), m_alt(event.isAltDown()),
      m_ctrl(event.isCtrlDown())
{
}

CActionEvent::CActionEvent(const CActionEvent& other)
    : CCountedObject(other), m_control(other.m_control), m_extra(other.m_extra), m_shift(other.m_shift),
      m_alt(other.m_alt), m_ctrl(other.m_ctrl)
{
}

CActionEvent& CActionEvent::operator=(const CActionEvent& other)
{
    m_control = other.m_control;
    m_extra = other.m_extra;
    m_shift = other.m_shift;
    m_alt = other.m_alt;
    m_ctrl = other.m_ctrl;
    return *this;
}

CActionEvent::~CActionEvent() = default;

Controls::IControl* CActionEvent::getControl() const { return m_control; }

long CActionEvent::getExtraInformation() const { return m_extra; }

void CActionEvent::setControl(Controls::IControl* control) { m_control = checkedControl(control); }

void CActionEvent::setExtraInformation(long extra) { m_extra = extra; }

void CActionEvent::setModifiers(bool shift, bool alt, bool ctrl)
{
    m_shift = shift;
    m_alt = alt;
    m_ctrl = ctrl;
}

bool CActionEvent::isCtrlDown() const { return m_ctrl; }

bool CActionEvent::isShiftDown() const { return m_shift; }

bool CActionEvent::isAltDown() const { return m_alt; }

Controls::IControl* CActionEvent::checkedControl(Controls::IControl* control)
{
    if (control == nullptr)
    {
        throw CException("Control is NULL", "CActionEvent::CActionEvent(IControl *control)", true);
    }
    return control;
}
} // namespace Events
} // namespace GUI
} // namespace Brivant
