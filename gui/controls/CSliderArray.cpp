#include "gui/controls/CSliderArray.hpp"

#include "foundation/basics/CLong.hpp"
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

#include <algorithm>
#include <new>
#include <stdexcept>

namespace Brivant
{
namespace GUI
{
namespace Controls
{
using ::Brivant::Basics::CLong;
using ::Brivant::Basics::CString;
using ::Brivant::Collections::TCountedPointerArray;
using ::Brivant::MathTools::CPoint;
using ::Brivant::MathTools::CRect;
using Basics::CAlphaColour;
using Events::CMouseEvent;

namespace
{
const char kHandleColour[] = "Handle Colour";
const char kHandleDownColour[] = "Handle Down Colour";
const char kSliderCount[] = "Slider Count";
const char kSliderWidth[] = "Slider Width";
const char kGapWidth[] = "Gap Width";
} // namespace

CSliderArray::CSliderArray(IControlRoot* root, long id, const CRect& area, long sliderWidth, long gapWidth, long count,
                           Listeners::IActionListener* listener)
    : CControl(root, id, area, listener), m_handleColour(239, 149, 41, 255), m_handleDownColour(243, 32, 32, 255),
      m_values(static_cast<std::size_t>(std::max(0L, count)), 1.0),
      m_bars(static_cast<std::size_t>(std::max(0L, count)), CRect(0, 0, 0, 0)), m_sliderWidth(sliderWidth),
      m_gapWidth(gapWidth), m_dragging(false), m_selectedSlider(0)
{
    layoutSliders();
}

bool CSliderArray::setSliderCount(long count)
{
    // A bar narrower than a pixel of the control cannot be seen; a count past that is a hostile layout's, which
    // would otherwise ask for arrays beyond what memory holds. The count held already stays allowed, so that a
    // control narrowed below it still reads back the layout it writes.
    const long size = std::max(0L, count);
    if (size > std::max(getArea().getWidth(), static_cast<long>(m_values.size())))
        return false;
    // Both arrays are made before either is taken, so the values and the bars always stay in step.
    std::vector<double> values;
    std::vector<CRect> bars;
    try
    {
        values.assign(static_cast<std::size_t>(size), 1.0);
        bars.assign(static_cast<std::size_t>(size), CRect(0, 0, 0, 0));
    }
    catch (const std::bad_alloc&)
    {
        return false;
    }
    catch (const std::length_error&)
    {
        return false;
    }
    m_values.swap(values);
    m_bars.swap(bars);
    layoutSliders();
    return true;
}

long long CSliderArray::getColumnLeft(std::size_t index) const
{
    // In 64 bits: a bar count bounded by a 32-bit width times two 32-bit widths cannot overflow there.
    return static_cast<long long>(index) * (static_cast<long long>(m_sliderWidth) + m_gapWidth);
}

void CSliderArray::layoutSliders()
{
    const long height = getArea().getHeight();
    for (std::size_t index = 0; index < m_bars.size(); ++index)
    {
        const long top = static_cast<long>((1.0 - m_values[index]) * static_cast<double>(height));
        // A column far past the control is drawn at the reach, where it is out of sight just the same.
        m_bars[index].setRect(heldPixel(getColumnLeft(index)), top, heldPixel(m_sliderWidth), height - top);
    }
}

void CSliderArray::setSliderLayout(long sliderWidth, long gapWidth)
{
    m_sliderWidth = sliderWidth;
    m_gapWidth = gapWidth;
    std::fill(m_values.begin(), m_values.end(), 1.0);
    layoutSliders();
}

void CSliderArray::setSliderValue(double value, long index)
{
    if (!(value >= 0.0 && value <= 1.0) || index < 0 || index >= static_cast<long>(m_values.size()))
        return;
    m_values[index] = value;
    const long height = getArea().getHeight();
    const long top = static_cast<long>((1.0 - value) * static_cast<double>(height));
    m_bars[index].setTop(top);
    m_bars[index].setHeight(height - top);
    update();
}

double CSliderArray::getSliderValue(long index) const
{
    return index >= 0 && index < static_cast<long>(m_values.size()) ? m_values[index] : 0.0;
}

long CSliderArray::getSelectedSlider() const { return m_selectedSlider; }

void CSliderArray::setColours(SColours colours)
{
    setDefaultControlColours(colours.background, colours.frame);
    m_handleColour = colours.handle;
    m_handleDownColour = colours.handleDown;
}

void CSliderArray::setArea(const CRect& area)
{
    // Panels set their children's areas whenever they move or scroll, so the values stay.
    CControl::setArea(area);
    layoutSliders();
}

void CSliderArray::setSliderFromMouse(CMouseEvent& event)
{
    const CPoint& point = event.getMousePosition();
    const long height = getArea().getHeight();
    if (point.getY() < 0 || point.getY() > height)
        return;
    for (std::size_t index = 0; index < m_bars.size(); ++index)
    {
        const long long left = getColumnLeft(index);
        if (point.getX() < left || point.getX() > left + m_sliderWidth)
            continue;
        m_bars[index].setTop(point.getY());
        m_bars[index].setHeight(height - point.getY());
        // A control with no height has only its bottom edge to press: the bar reads full.
        m_values[index] = height > 0 ? 1.0 - static_cast<double>(point.getY()) / static_cast<double>(height) : 1.0;
        m_selectedSlider = static_cast<long>(index);
        if (Listeners::IActionListener* listener = getActionListener())
            listener->handleActionEvent(Events::CActionEvent(this, event));
        update();
        return;
    }
}

void CSliderArray::handleLeftButtonDown(CMouseEvent& event)
{
    m_dragging = true;
    setSliderFromMouse(event);
    getControlRoot()->lockControl(this);
}

void CSliderArray::handleMouseMovement(CMouseEvent& event)
{
    if (m_dragging)
        setSliderFromMouse(event);
}

void CSliderArray::endDrag()
{
    m_selectedSlider = 0;
    m_dragging = false;
    getControlRoot()->unlockControl();
    update();
}

void CSliderArray::handleLeftButtonUp(CMouseEvent& /*event*/) { endDrag(); }

void CSliderArray::handleMouseLeavingArea(CMouseEvent& /*event*/) { endDrag(); }

void CSliderArray::drawControl(Graphics::CGraphics& graphics)
{
    if (!drawEnabledControl(graphics))
        return;
    drawPrimaryImage(graphics, isDefaultDrawing());
    for (std::size_t index = 0; index < m_bars.size(); ++index)
    {
        const bool down = m_dragging && static_cast<long>(index) == m_selectedSlider;
        graphics.getMutableBrush().setColour(down ? m_handleDownColour : m_handleColour);
        graphics.fillRectangle(m_bars[index]);
        graphics.getMutablePen().setColour(CAlphaColour::black());
        graphics.drawRectangle(m_bars[index]);
    }
}

void CSliderArray::getDescriptors(TCountedPointerArray<CControlDescriptor>& list)
{
    CControl::getDescriptors(list);
    list.addElement(new CControlDescriptor(CString(kHandleColour), CControlDescriptor::kColour, nullptr));
    list.addElement(new CControlDescriptor(CString(kHandleDownColour), CControlDescriptor::kColour, nullptr));
    list.addElement(new CControlDescriptor(CString(kSliderCount), CControlDescriptor::kInteger, nullptr));
    list.addElement(new CControlDescriptor(CString(kSliderWidth), CControlDescriptor::kInteger, nullptr));
    list.addElement(new CControlDescriptor(CString(kGapWidth), CControlDescriptor::kInteger, nullptr));
}

bool CSliderArray::applyDescriptor(const CControlDescriptor& descriptor)
{
    const CString& name = descriptor.getDescriptorName();
    if (name == kHandleColour || name == kHandleDownColour)
    {
        if (!descriptor.isValueOfClass(CAlphaColour::classRecord()))
            return false;
        (name == kHandleColour ? m_handleColour : m_handleDownColour) =
            *dynamic_cast<const CAlphaColour*>(descriptor.getValue());
        return true;
    }
    if (name == kSliderCount || name == kSliderWidth || name == kGapWidth)
    {
        if (!descriptor.isValueOfClass(CLong::classRecord()))
            return false;
        const long value = dynamic_cast<const CLong*>(descriptor.getValue())->getValue();
        if (name == kSliderCount)
            return setSliderCount(value);
        if (name == kSliderWidth)
            setSliderLayout(value, m_gapWidth);
        else
            setSliderLayout(m_sliderWidth, value);
        return true;
    }
    return CControl::applyDescriptor(descriptor);
}

bool CSliderArray::fillDescriptor(CControlDescriptor& descriptor)
{
    const CString& name = descriptor.getDescriptorName();
    if (name == kHandleColour)
        descriptor.setValue(new CAlphaColour(m_handleColour));
    else if (name == kHandleDownColour)
        descriptor.setValue(new CAlphaColour(m_handleDownColour));
    else if (name == kSliderCount)
        descriptor.setValue(new CLong(static_cast<long>(m_values.size())));
    else if (name == kSliderWidth)
        descriptor.setValue(new CLong(m_sliderWidth));
    else if (name == kGapWidth)
        descriptor.setValue(new CLong(m_gapWidth));
    else
        return CControl::fillDescriptor(descriptor);
    return true;
}
} // namespace Controls
} // namespace GUI
} // namespace Brivant
