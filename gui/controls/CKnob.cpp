#include "gui/controls/CKnob.hpp"

#include "gui/controls/UnitRange.hpp"

#include "foundation/basics/CFloat.hpp"
#include "foundation/collections/TCountedPointerArray.hpp"
#include "gui/core/CActionEvent.hpp"
#include "gui/core/CControlDescriptor.hpp"
#include "gui/core/CMouseEvent.hpp"
#include "gui/core/IActionListener.hpp"
#include "gui/core/IControlRoot.hpp"

#include <cmath>

namespace Brivant
{
namespace GUI
{
namespace Controls
{
using ::Brivant::Basics::CFloat;
using ::Brivant::Basics::CString;
using ::Brivant::Collections::TCountedPointerArray;
using ::Brivant::MathTools::CPoint;
using ::Brivant::MathTools::CRect;
using Events::CMouseEvent;

namespace
{
const double kDragScale = 1.0 / 200.0;
const double kFineDragScale = 1.0 / 20000.0;
const double kWheelStep = 0.025;
const double kFineWheelStep = 0.00625;

// Where a drag or a wheel step starts from. A value set from outside may lie anywhere and is moved from as it
// stands, but a NaN or an infinity would stay one through every step: they start from 0 and the nearer end.
double startingValue(double value) { return std::isfinite(value) ? value : heldToUnitRange(value); }
} // namespace

CKnob::CKnob(IControlRoot* root, long id, const CRect& area, Listeners::IActionListener* listener)
    : CAnimation(root, id, area), m_defaultValue(0.5), m_dragReference(0.0), m_dragScale(kDragScale),
      m_dragging(false), m_dragStart(0, 0)
{
    setMouseEnabled(true);
    registerActionListener(listener);
}

void CKnob::setDefaultValue(double value) { m_defaultValue = value; }

void CKnob::setCoefficient(double coefficient) { m_dragScale = coefficient; }

void CKnob::getDescriptors(TCountedPointerArray<CControlDescriptor>& list)
{
    CAnimation::getDescriptors(list);
    list.addElement(new CControlDescriptor(CString("Default Value"), CControlDescriptor::kFloat, nullptr));
    list.addElement(new CControlDescriptor(CString("Coefficient"), CControlDescriptor::kFloat, nullptr));
}

bool CKnob::applyDescriptor(const CControlDescriptor& descriptor)
{
    const CString& name = descriptor.getDescriptorName();
    if (name != "Default Value" && name != "Coefficient")
        return CAnimation::applyDescriptor(descriptor);
    if (!descriptor.isValueOfClass(CFloat::classRecord()))
        return false;
    const double value = dynamic_cast<const CFloat*>(descriptor.getValue())->getValue();
    // As the layout reader refuses it: it could not be written back, and would poison the value it reaches.
    if (!std::isfinite(value))
        return false;
    if (name == "Default Value")
        setDefaultValue(value);
    else
        setCoefficient(value);
    return true;
}

bool CKnob::fillDescriptor(CControlDescriptor& descriptor)
{
    const CString& name = descriptor.getDescriptorName();
    if (name == "Default Value")
        descriptor.setValue(new CFloat(static_cast<float>(m_defaultValue)));
    else if (name == "Coefficient")
        descriptor.setValue(new CFloat(static_cast<float>(m_dragScale)));
    else
        return CAnimation::fillDescriptor(descriptor);
    return true;
}

void CKnob::handleLeftButtonDown(CMouseEvent& event)
{
    m_dragging = true;
    m_dragStart = event.getMousePosition();
    m_dragReference = startingValue(getValue());
    m_dragScale = kDragScale;
    getControlRoot()->lockControl(this);
}

void CKnob::handleLeftButtonUp(CMouseEvent& /*event*/)
{
    m_dragging = false;
    m_dragStart = CPoint(0, 0);
    getControlRoot()->unlockControl();
}

void CKnob::handleMouseMovement(CMouseEvent& event)
{
    if (!m_dragging)
        return;
    const CPoint& at = event.getMousePosition();
    // Right and up both raise the value.
    const double distance = static_cast<double>(at.getX() - m_dragStart.getX()) - (at.getY() - m_dragStart.getY());
    const double scale = event.isShiftDown() ? kFineDragScale : kDragScale;
    // value = reference + distance * scale; re-basing the reference when the scale changes keeps the value
    // where it stood, so pressing or releasing Shift mid-drag only changes the rate from there on.
    m_dragReference += distance * (m_dragScale - scale);
    m_dragScale = scale;
    changeValue(m_dragReference + distance * scale);
}

void CKnob::handleDoubleClick(CMouseEvent& /*event*/)
{
    setValue(m_defaultValue);
    update();
    report();
}

void CKnob::handleMouseScroll(CMouseEvent& event)
{
    const double step = event.isShiftDown() ? kFineWheelStep : kWheelStep;
    changeValue(startingValue(getValue()) + (event.getWheelValue() > 0.0 ? step : -step));
}

void CKnob::changeValue(double value)
{
    // A NaN set from outside must not travel on to the host.
    const double held = heldToUnitRange(value);
    if (held == getValue())
        return;
    setValue(held);
    update();
    report();
}

void CKnob::report()
{
    if (getActionListener() != nullptr)
        getActionListener()->handleActionEvent(Events::CActionEvent(this));
}
} // namespace Controls
} // namespace GUI
} // namespace Brivant
