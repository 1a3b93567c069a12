#include "gui/controls/CRangeSlider.hpp"

#include "foundation/basics/CBool.hpp"
#include "foundation/basics/CDouble.hpp"
#include "foundation/basics/CFloat.hpp"
#include "foundation/collections/TCountedPointerArray.hpp"
#include "gui/controls/PixelHold.hpp"
#include "gui/core/CActionEvent.hpp"
#include "gui/core/CBrush.hpp"
#include "gui/core/CControlDescriptor.hpp"
#include "gui/core/CCursor.hpp"
#include "gui/core/CGraphics.hpp"
#include "gui/core/CMouse.hpp"
#include "gui/core/CMouseEvent.hpp"
#include "gui/core/CPen.hpp"
#include "gui/core/IActionListener.hpp"
#include "gui/core/IControlRoot.hpp"
#include "gui/core/TPropertyNames.hpp"

#include <algorithm>

namespace Brivant
{
namespace GUI
{
namespace Controls
{
using ::Brivant::Basics::CBool;
using ::Brivant::Basics::CDouble;
using ::Brivant::Basics::CFloat;
using ::Brivant::Basics::CString;
using ::Brivant::Collections::TCountedPointerArray;
using ::Brivant::MathTools::CPoint;
using ::Brivant::MathTools::CRect;
using Basics::CAlphaColour;
using Events::CMouseEvent;
using Windowing::CCursor;

namespace
{
const char kMinimumValue[] = "Minimum Value";
const char kMaximumValue[] = "Maximum Value";
const char* const kFlagNames[] = {"Lock Minimum", "Lock Maximum", "Jump To Max"};
const char* const kColourNames[] = {"Handle Colour", "Handle Over Colour", "Handle Down Colour"};
// Half the depth of the band around each end of the bar that grabs that end.
const long kZoneReach = 2;

bool within(long value, long low, long high) { return value >= low && value <= high; }

// The float properties take a CDouble, and the CFloat a layout file gives them.
bool readNumber(const CControlDescriptor& descriptor, double& value)
{
    if (descriptor.isValueOfClass(CDouble::classRecord()))
        value = dynamic_cast<const CDouble*>(descriptor.getValue())->getValue();
    else if (descriptor.isValueOfClass(CFloat::classRecord()))
        value = dynamic_cast<const CFloat*>(descriptor.getValue())->getValue();
    else
        return false;
    return true;
}
} // namespace

CRangeSlider::CRangeSlider(IControlRoot* root, long id, const CRect& area, Listeners::IActionListener* listener)
    : CControl(root, id, area, listener), m_barArea(0, 0, 0, 0), m_dragReference(0, 0),
      m_handleColour(CAlphaColour::purple()), m_handleOverColour(CAlphaColour::orange()),
      m_handleDownColour(CAlphaColour::red()), m_barState(kNormal), m_vertical(true), m_dragMode(kNoDrag),
      m_minimum(0.0), m_maximum(1.0), m_lockMaximum(false), m_lockMinimum(false), m_jumpToMaximum(false),
      m_valuesPending(false)
{
    m_vertical = area.getHeight() >= area.getWidth();
    if (m_vertical)
        m_barArea.setRect(0, 0, area.getWidth(), area.getHeight() / 3);
    else
        m_barArea.setRect(0, 0, area.getWidth() / 3, area.getHeight());
}

long CRangeSlider::getTrackLength() const { return m_vertical ? getArea().getHeight() : getArea().getWidth(); }

long CRangeSlider::getBarStart() const { return m_vertical ? m_barArea.getTop() : m_barArea.getLeft(); }

long CRangeSlider::getBarLength() const { return m_vertical ? m_barArea.getHeight() : m_barArea.getWidth(); }

void CRangeSlider::setBarStart(long start)
{
    if (m_vertical)
        m_barArea.setTop(start);
    else
        m_barArea.setLeft(start);
}

void CRangeSlider::placeMinimumEnd(double value)
{
    if (m_vertical)
    {
        // The bottom moves, the top stays.
        const long bottom = truncatedPixel(getArea().getHeight() * (1.0 - value));
        m_barArea.setHeight(bottom - m_barArea.getTop());
    }
    else
    {
        const long left = truncatedPixel(value * getArea().getWidth());
        m_barArea.setRect(left, m_barArea.getTop(), m_barArea.getRight() - left, m_barArea.getHeight());
    }
}

void CRangeSlider::placeMaximumEnd(double value)
{
    if (m_vertical)
    {
        const long top = truncatedPixel((1.0 - value) * getArea().getHeight());
        m_barArea.setRect(m_barArea.getLeft(), top, m_barArea.getWidth(), m_barArea.getBottom() - top);
    }
    else
    {
        const long right = truncatedPixel(value * getArea().getWidth());
        m_barArea.setWidth(right - m_barArea.getLeft());
    }
}

void CRangeSlider::setMinimum(double value)
{
    if (!(value >= 0.0 && value <= 1.0))
        return;
    m_minimum = value;
    placeMinimumEnd(value);
    update();
}

void CRangeSlider::setMaximum(double value)
{
    if (!(value >= 0.0 && value <= 1.0))
        return;
    m_maximum = value;
    placeMaximumEnd(value);
    update();
}

void CRangeSlider::setRangeOptions(bool lockMinimum, bool lockMaximum, double minimum, double maximum, bool jumpToMax)
{
    if (maximum > minimum)
    {
        setMaximum(maximum);
        setMinimum(minimum);
    }
    m_jumpToMaximum = jumpToMax;
    m_lockMinimum = lockMinimum || jumpToMax;
    m_lockMaximum = lockMaximum && !jumpToMax;
}

void CRangeSlider::setSliderColours(CAlphaColour frame, CAlphaColour background, CAlphaColour handle, CAlphaColour over,
                                    CAlphaColour down)
{
    setDefaultControlColours(background, frame);
    m_handleColour = handle;
    m_handleOverColour = over;
    m_handleDownColour = down;
}

void CRangeSlider::setArea(const CRect& area)
{
    CControl::setArea(area);
    m_vertical = area.getHeight() >= area.getWidth();
    if (m_vertical)
        m_barArea.setRect(0, 0, area.getWidth(), area.getHeight() / 3);
    else
        m_barArea.setRect(0, 0, area.getWidth() / 3, area.getHeight());
    // The range outlives the resize: each end is put back where its value says.
    placeMaximumEnd(m_maximum);
    placeMinimumEnd(m_minimum);
}

void CRangeSlider::readValuesFromBar()
{
    m_valuesPending = false;
    const long length = getTrackLength();
    if (length == 0)
        return;
    // A host takes no parameter outside 0..1, however far a drag pushed the bar.
    const auto held = [](double value) { return std::max(0.0, std::min(1.0, value)); };
    const double size = static_cast<double>(length);
    if (m_vertical)
    {
        m_maximum = held(1.0 - m_barArea.getTop() / size);
        m_minimum = held(1.0 - m_barArea.getBottom() / size);
    }
    else
    {
        m_minimum = held(m_barArea.getLeft() / size);
        m_maximum = held(m_barArea.getRight() / size);
    }
}

void CRangeSlider::report(const CMouseEvent& event)
{
    if (getActionListener() != nullptr)
        getActionListener()->handleActionEvent(Events::CActionEvent(this, event));
}

bool CRangeSlider::isInBar(const CPoint& point) const
{
    return within(point.getX(), m_barArea.getLeft(), m_barArea.getRight()) &&
           within(point.getY(), m_barArea.getTop(), m_barArea.getBottom());
}

bool CRangeSlider::isInMaximumZone(const CPoint& point) const
{
    if (m_vertical)
        return within(point.getX(), 0, getArea().getWidth()) &&
               within(point.getY(), m_barArea.getTop() - kZoneReach, m_barArea.getTop() + kZoneReach);
    return within(point.getX(), m_barArea.getRight() - kZoneReach, m_barArea.getRight() + kZoneReach) &&
           within(point.getY(), 0, getArea().getHeight());
}

bool CRangeSlider::isInMinimumZone(const CPoint& point) const
{
    if (m_vertical)
        return within(point.getX(), 0, getArea().getWidth()) &&
               within(point.getY(), m_barArea.getBottom() - kZoneReach, m_barArea.getBottom() + kZoneReach);
    return within(point.getX(), m_barArea.getLeft() - kZoneReach, m_barArea.getLeft() + kZoneReach) &&
           within(point.getY(), 0, getArea().getHeight());
}

CCursor& CRangeSlider::resizeCursor() const
{
    return m_vertical ? CCursor::verticalResizeCursor() : CCursor::horizontalResizeCursor();
}

void CRangeSlider::showCursor(CMouseEvent& event, CCursor& cursor) const
{
    if (event.getMouse() != nullptr)
        event.getMouse()->setCursor(&cursor);
}

void CRangeSlider::handleLeftButtonDown(CMouseEvent& event)
{
    const CPoint point(event.getMousePosition());
    const long length = getTrackLength();
    bool grab = true;
    if (m_jumpToMaximum)
    {
        m_dragMode = kMaximumEnd;
        // Held to the track: the lock can bring a press from just outside the slider.
        if (m_vertical)
        {
            const long top = std::max(0L, std::min(length, point.getY()));
            m_barArea.setRect(m_barArea.getLeft(), top, m_barArea.getWidth(), length - top);
        }
        else
        {
            m_barArea.setRect(0, m_barArea.getTop(), std::max(0L, std::min(length, point.getX())),
                              m_barArea.getHeight());
        }
        readValuesFromBar();
        report(event);
    }
    else if (isInMaximumZone(point) || isInMinimumZone(point))
    {
        const bool maximum = isInMaximumZone(point);
        const bool locked = maximum ? m_lockMaximum : m_lockMinimum;
        m_dragMode = locked ? kNoDrag : (maximum ? kMaximumEnd : kMinimumEnd);
        if (!locked)
            showCursor(event, resizeCursor());
    }
    else if (m_lockMinimum || m_lockMaximum)
    {
        // A bar with a fixed end cannot move as a whole.
        grab = false;
    }
    else if (isInBar(point))
    {
        showCursor(event, CCursor::arrowCursor());
        m_dragMode = kWholeBar;
    }
    else
    {
        // Beside the bar: the bar jumps to centre on the press, and the drag that follows moves its start with the
        // pointer. The slider stays locked until the release, which must come back here.
        showCursor(event, CCursor::arrowCursor());
        const long along = m_vertical ? point.getY() : point.getX();
        const long bar = getBarLength();
        setBarStart(std::max(0L, std::min(length, along + bar / 2) - bar));
        m_dragMode = kWholeBar;
        m_valuesPending = true;
        getControlRoot()->lockControl(this);
        grab = false;
    }
    if (grab)
    {
        getControlRoot()->lockControl(this);
        m_dragReference = CPoint(point.getX() - m_barArea.getLeft(), point.getY() - m_barArea.getTop());
        m_barState = kDown;
    }
    update();
}

void CRangeSlider::handleMouseMovement(CMouseEvent& event)
{
    const CPoint point(event.getMousePosition());
    const long length = getTrackLength();
    switch (m_dragMode)
    {
    case kMaximumEnd:
        showCursor(event, resizeCursor());
        if (m_vertical)
        {
            const long top = std::min(length, std::min(m_barArea.getBottom(), std::max(0L, point.getY())));
            m_barArea.setRect(m_barArea.getLeft(), top, m_barArea.getWidth(), m_barArea.getBottom() - top);
        }
        else
        {
            const long right = std::min(length, std::max(m_barArea.getLeft() + 1, std::max(0L, point.getX())));
            m_barArea.setWidth(right - m_barArea.getLeft());
        }
        readValuesFromBar();
        report(event);
        break;
    case kMinimumEnd:
        showCursor(event, resizeCursor());
        if (m_vertical)
        {
            const long bottom = std::min(length, std::max(m_barArea.getTop() + 1, std::max(0L, point.getY())));
            m_barArea.setHeight(bottom - m_barArea.getTop());
        }
        else
        {
            const long left = std::min(length, std::min(m_barArea.getRight() - 1, std::max(0L, point.getX())));
            m_barArea.setRect(left, m_barArea.getTop(), m_barArea.getRight() - left, m_barArea.getHeight());
        }
        readValuesFromBar();
        report(event);
        break;
    case kWholeBar:
    {
        showCursor(event, CCursor::arrowCursor());
        const long along = std::max(0L, m_vertical ? point.getY() : point.getX());
        const long grip = m_vertical ? m_dragReference.getY() : m_dragReference.getX();
        setBarStart(std::min(length - getBarLength(), std::max(0L, along - grip)));
        readValuesFromBar();
        report(event);
        break;
    }
    default:
        updateHoverState(point);
        const bool free = (isInMaximumZone(point) && !m_lockMaximum) || (isInMinimumZone(point) && !m_lockMinimum);
        showCursor(event, free ? resizeCursor() : CCursor::arrowCursor());
        break;
    }
    update();
}

void CRangeSlider::handleLeftButtonUp(CMouseEvent& event)
{
    if (isInBar(event.getMousePosition()))
    {
        m_barState = kOver;
    }
    else
    {
        getControlRoot()->unlockControl();
        m_barState = kNormal;
    }
    m_dragMode = kNoDrag;
    m_dragReference = CPoint(0, 0);
    // The listener is told now, so the values must be those of the bar it sees.
    if (m_valuesPending)
        readValuesFromBar();
    report(event);
    update();
}

void CRangeSlider::handleMouseScroll(CMouseEvent& event)
{
    const long step = event.isShiftDown() ? 1 : 5;
    // A notch down moves a vertical bar down and a horizontal one left: both lower the range.
    const bool lower = event.getWheelValue() < 0.0;
    const long distance = m_vertical ? (lower ? step : -step) : (lower ? -step : step);
    setBarStart(std::min(getTrackLength() - getBarLength(), std::max(0L, getBarStart() + distance)));
    readValuesFromBar();
    report(event);
    // A drag keeps its lock through a notch, or its release would land elsewhere and leave it dragging.
    if (m_dragMode == kNoDrag && m_barState != kDown)
        updateHoverState(event.getMousePosition());
    update();
}

void CRangeSlider::handleMouseLeavingArea(CMouseEvent& /*event*/)
{
    if (m_dragMode != kNoDrag)
        return;
    m_barState = kNormal;
    update();
}

void CRangeSlider::updateHoverState(const CPoint& point)
{
    if ((isInMaximumZone(point) && !m_lockMaximum) || (isInMinimumZone(point) && !m_lockMinimum))
    {
        m_barState = kOver;
        getControlRoot()->lockControl(this);
    }
    else
    {
        m_barState = kNormal;
        getControlRoot()->unlockControl();
    }
}

void CRangeSlider::drawControl(Graphics::CGraphics& graphics)
{
    if (!drawEnabledControl(graphics))
        return;
    drawPrimaryImage(graphics, isDefaultDrawing());
    const CAlphaColour* colours[] = {&m_handleColour, &m_handleOverColour, &m_handleDownColour};
    graphics.getMutableBrush().setColour(m_barState >= kNormal && m_barState <= kDown ? *colours[m_barState]
                                                                                      : CAlphaColour::white());
    graphics.fillRectangle(m_barArea);
    graphics.getMutablePen().setColour(CAlphaColour::black());
    graphics.drawRectangle(m_barArea);
}

void CRangeSlider::getDescriptors(TCountedPointerArray<CControlDescriptor>& list)
{
    CControl::getDescriptors(list);
    list.addElement(new CControlDescriptor(CString(kMinimumValue), CControlDescriptor::kFloat, nullptr));
    list.addElement(new CControlDescriptor(CString(kMaximumValue), CControlDescriptor::kFloat, nullptr));
    for (const char* name : kFlagNames)
        list.addElement(new CControlDescriptor(CString(name), CControlDescriptor::kBoolean, nullptr));
    for (const char* name : kColourNames)
        list.addElement(new CControlDescriptor(CString(name), CControlDescriptor::kColour, nullptr));
}

bool CRangeSlider::applyDescriptor(const CControlDescriptor& descriptor)
{
    const CString& name = descriptor.getDescriptorName();
    if (name == kMinimumValue || name == kMaximumValue)
    {
        double value = 0.0;
        if (!readNumber(descriptor, value))
            return false;
        if (name == kMinimumValue)
            setMinimum(value);
        else
            setMaximum(value);
        return true;
    }
    const long flag = indexOfName(name, kFlagNames);
    if (flag >= 0)
    {
        if (!descriptor.isValueOfClass(CBool::classRecord()))
            return false;
        const bool value = dynamic_cast<const CBool*>(descriptor.getValue())->getValue();
        if (flag == 0)
            m_lockMinimum = value;
        else if (flag == 1)
            m_lockMaximum = value;
        else
            m_jumpToMaximum = value;
        // Jumping moves the maximum only: the minimum end stays at 0.
        if (flag == 2 && value)
        {
            m_lockMinimum = true;
            m_lockMaximum = false;
        }
        return true;
    }
    const long colour = indexOfName(name, kColourNames);
    if (colour < 0)
        return CControl::applyDescriptor(descriptor);
    if (!descriptor.isValueOfClass(CAlphaColour::classRecord()))
        return false;
    CAlphaColour* colours[] = {&m_handleColour, &m_handleOverColour, &m_handleDownColour};
    *colours[colour] = *dynamic_cast<const CAlphaColour*>(descriptor.getValue());
    return true;
}

bool CRangeSlider::fillDescriptor(CControlDescriptor& descriptor)
{
    const CString& name = descriptor.getDescriptorName();
    const bool flags[] = {m_lockMinimum, m_lockMaximum, m_jumpToMaximum};
    const CAlphaColour* colours[] = {&m_handleColour, &m_handleOverColour, &m_handleDownColour};
    const long flag = indexOfName(name, kFlagNames);
    const long colour = indexOfName(name, kColourNames);
    // A float property is written from a CFloat: a layout could not hold a CDouble.
    if (name == kMinimumValue)
        descriptor.setValue(new CFloat(static_cast<float>(m_minimum)));
    else if (name == kMaximumValue)
        descriptor.setValue(new CFloat(static_cast<float>(m_maximum)));
    else if (flag >= 0)
        descriptor.setValue(new CBool(flags[flag]));
    else if (colour >= 0)
        descriptor.setValue(new CAlphaColour(*colours[colour]));
    else
        return CControl::fillDescriptor(descriptor);
    return true;
}
} // namespace Controls
} // namespace GUI
} // namespace Brivant
