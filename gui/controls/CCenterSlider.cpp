#include "gui/controls/CCenterSlider.hpp"

#include "foundation/collections/TCountedPointerArray.hpp"
#include "gui/controls/PixelHold.hpp"
#include "gui/core/CActionEvent.hpp"
#include "gui/core/CBrush.hpp"
#include "gui/core/CControlDescriptor.hpp"
#include "gui/core/CGraphics.hpp"
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
using ::Brivant::Basics::CString;
using ::Brivant::Collections::TCountedPointerArray;
using ::Brivant::MathTools::CPoint;
using ::Brivant::MathTools::CRect;
using Basics::CAlphaColour;
using Events::CMouseEvent;

namespace
{
const char* const kColourNames[] = {"Off Colour", "Over Colour", "Down Colour"};
const double kWheelStep = 0.025;
const double kFineWheelStep = 0.000625;
} // namespace

CCenterSlider::CCenterSlider(IControlRoot* root, long id, const CRect& area, Listeners::IActionListener* listener)
    : CControl(root, id, area, listener), m_centre(0), m_offColour(CAlphaColour::purple()),
      m_overColour(CAlphaColour::red()), m_downColour(CAlphaColour::red()), m_barArea(0, 0, 0, 0), m_vertical(true),
      m_pressed(false)
{
    layout();
}

void CCenterSlider::layout()
{
    const long width = getArea().getWidth();
    const long height = getArea().getHeight();
    m_vertical = height >= width;
    m_centre = m_vertical ? height / 2 : width / 2;
    if (m_vertical)
        m_barArea.setRect(0, 0, width, height / 2);
    else
        m_barArea.setRect(width / 2, 0, width / 2, height);
}

void CCenterSlider::layoutBarForValue(double value)
{
    const long width = getArea().getWidth();
    const long height = getArea().getHeight();
    const long c = m_centre;
    if (value == 0.5)
    {
        // One pixel at the centre line.
        if (m_vertical)
            m_barArea.setRect(0, c, width, 1);
        else
            m_barArea.setRect(c, 0, 1, height);
    }
    else if (value > 0.5)
    {
        // The distance from the end of the track to the end of the bar.
        const long gap = truncatedPixel((1.0 - (value - 0.5) * 2.0) * c);
        if (m_vertical)
            m_barArea.setRect(0, gap, width, c - gap);
        else
            m_barArea.setRect(c, 0, c - gap, height);
    }
    else
    {
        const long gap = truncatedPixel(value * 2.0 * c);
        if (m_vertical)
            m_barArea.setRect(0, c, width, c - gap);
        else
            m_barArea.setRect(gap, 0, c - gap, height);
    }
}

void CCenterSlider::setValue(double value)
{
    if (!(value >= 0.0 && value <= 1.0))
        return;
    CControl::setValue(value);
    layoutBarForValue(value);
    update();
}

void CCenterSlider::setArea(const CRect& area)
{
    const bool resized = area.getWidth() != getArea().getWidth() || area.getHeight() != getArea().getHeight();
    CControl::setArea(area);
    // Panels set their children's areas whenever they move or scroll; only a new size lays the bar out again,
    // since the bar the pointer set lies off the value's own layout on the far side of the centre.
    if (!resized)
        return;
    layout();
    setValue(getValue());
}

void CCenterSlider::setValueFromPointer(const CPoint& point)
{
    const long width = getArea().getWidth();
    const long height = getArea().getHeight();
    const long c = m_centre;
    const long p = m_vertical ? point.getY() : point.getX();
    // Each half has its own formula; one whose divisor is 0 (a slider without length) keeps the value.
    double divisor = 0.0;
    double value = 0.0;
    if (p > c)
    {
        const long length = std::min(c, p - c);
        if (m_vertical)
            m_barArea.setRect(0, c, width, length);
        else
            m_barArea.setRect(c, 0, length, height);
        divisor = static_cast<double>(c);
        // Linear on this side: 0.5 at the centre line, 0 at the bottom or 1 at the right end.
        value = m_vertical ? (1.0 - length / divisor) * 0.5 : length / divisor * 0.5 + 0.5;
    }
    else
    {
        const long start = std::max(0L, p);
        const long length = c - start;
        if (m_vertical)
            m_barArea.setRect(0, start, width, length);
        else
            m_barArea.setRect(start, 0, length, height);
        // Not linear on this side: value = 1 - top / (H - bar) and left / (W - bar).
        divisor = static_cast<double>((m_vertical ? height : width) - length);
        value = m_vertical ? 1.0 - start / divisor : start / divisor;
    }
    if (divisor != 0.0)
        CControl::setValue(value);
}

void CCenterSlider::report(const CMouseEvent& event)
{
    if (getActionListener() != nullptr)
        getActionListener()->handleActionEvent(Events::CActionEvent(this, event));
}

void CCenterSlider::handleLeftButtonDown(CMouseEvent& event)
{
    setValueFromPointer(event.getMousePosition());
    m_pressed = true;
    getControlRoot()->lockControl(this);
    report(event);
    update();
}

void CCenterSlider::handleMouseMovement(CMouseEvent& event)
{
    if (!m_pressed)
        return;
    setValueFromPointer(event.getMousePosition());
    report(event);
    update();
}

void CCenterSlider::handleLeftButtonUp(CMouseEvent& /*event*/)
{
    m_pressed = false;
    getControlRoot()->unlockControl();
    update();
}

void CCenterSlider::handleMouseScroll(CMouseEvent& event)
{
    const double step = event.isShiftDown() ? kFineWheelStep : kWheelStep;
    setValue(getValue() + (event.getWheelValue() > 0.0 ? step : -step));
    report(event);
    update();
}

void CCenterSlider::setSliderColours(CAlphaColour frame, CAlphaColour background, CAlphaColour off, CAlphaColour over,
                                     CAlphaColour down)
{
    setDefaultControlColours(background, frame);
    m_offColour = off;
    m_overColour = over;
    m_downColour = down;
}

void CCenterSlider::drawControl(Graphics::CGraphics& graphics)
{
    if (!drawEnabledControl(graphics))
        return;
    drawPrimaryImage(graphics, isDefaultDrawing());
    graphics.getMutableBrush().setColour(m_pressed ? m_downColour : m_offColour);
    graphics.fillRectangle(m_barArea);
    graphics.getMutablePen().setColour(getFrameColour());
    graphics.drawRectangle(m_barArea);
    graphics.getMutablePen().setColour(m_overColour);
    if (m_vertical)
        graphics.drawLine(CPoint(0, m_centre), CPoint(getArea().getWidth(), m_centre));
    else
        graphics.drawLine(CPoint(m_centre, 0), CPoint(m_centre, getArea().getHeight()));
}

void CCenterSlider::getDescriptors(TCountedPointerArray<CControlDescriptor>& list)
{
    CControl::getDescriptors(list);
    for (const char* name : kColourNames)
        list.addElement(new CControlDescriptor(CString(name), CControlDescriptor::kColour, nullptr));
}

bool CCenterSlider::applyDescriptor(const CControlDescriptor& descriptor)
{
    const long colour = indexOfName(descriptor.getDescriptorName(), kColourNames);
    if (colour < 0)
        return CControl::applyDescriptor(descriptor);
    if (!descriptor.isValueOfClass(CAlphaColour::classRecord()))
        return false;
    CAlphaColour* colours[] = {&m_offColour, &m_overColour, &m_downColour};
    *colours[colour] = *dynamic_cast<const CAlphaColour*>(descriptor.getValue());
    return true;
}

bool CCenterSlider::fillDescriptor(CControlDescriptor& descriptor)
{
    const long colour = indexOfName(descriptor.getDescriptorName(), kColourNames);
    if (colour < 0)
        return CControl::fillDescriptor(descriptor);
    const CAlphaColour* colours[] = {&m_offColour, &m_overColour, &m_downColour};
    descriptor.setValue(new CAlphaColour(*colours[colour]));
    return true;
}
} // namespace Controls
} // namespace GUI
} // namespace Brivant
