#include "gui/controls/CLevelMeter.hpp"

#include "foundation/basics/CLong.hpp"
#include "foundation/collections/TCountedPointerArray.hpp"
#include "foundation/mathtools/CParameter.hpp"
#include "foundation/mathtools/CPoint.hpp"
#include "gui/core/CBrush.hpp"
#include "gui/core/CControlDescriptor.hpp"
#include "gui/core/CGraphics.hpp"
#include "gui/core/CPen.hpp"

#include <cmath>

namespace Brivant
{
namespace GUI
{
namespace Controls
{
using ::Brivant::Basics::CLong;
using ::Brivant::Basics::CString;
using ::Brivant::Collections::TCountedPointerArray;
using ::Brivant::MathTools::CDimension;
using ::Brivant::MathTools::CParameter;
using ::Brivant::MathTools::CRect;
using Basics::CAlphaColour;
using Graphics::CGraphics;

namespace
{
const long kGap = 2;
const long kCornerSize = 2;

// Fewer than one segment leaves nothing to divide the area or the colours by.
long atLeastOne(long stepCount) { return stepCount < 1 ? 1 : stepCount; }

long colourStep(long base, long max, long stepCount)
{
    return static_cast<long>(std::trunc(static_cast<double>(max - base) / stepCount));
}
} // namespace

CLevelMeter::CLevelMeter(IControlRoot* root, long id, const CRect& area, long stepCount)
    : CControl(root, id, area, nullptr), m_litSegments(0), m_stepCount(atLeastOne(stepCount)), m_vertical(false),
      m_segmentSize(0, 0), m_baseColour(CAlphaColour::blue()), m_maxColour(CAlphaColour::white()), m_redStep(0),
      m_greenStep(0), m_blueStep(0)
{
    // The base's constructor set the area before this class existed.
    layOut();
    setColours(CAlphaColour::blue(), CAlphaColour::white());
}

void CLevelMeter::setColours(const CAlphaColour& base, const CAlphaColour& max)
{
    m_baseColour = base;
    m_maxColour = max;
    m_redStep = colourStep(base.getRed(), max.getRed(), m_stepCount);
    m_greenStep = colourStep(base.getGreen(), max.getGreen(), m_stepCount);
    m_blueStep = colourStep(base.getBlue(), max.getBlue(), m_stepCount);
}

void CLevelMeter::setValue(double value)
{
    // Audio peaks may arrive as NaN; they count as silence.
    const double held = std::isnan(value) ? 0.0 : (value > 1.0 ? 1.0 : (value < 0.0 ? 0.0 : value));
    CControl::setValue(held);
    m_litSegments = CParameter::denormaliseValueRoundedUp(0, m_stepCount, held);
}

void CLevelMeter::setArea(const CRect& area)
{
    CControl::setArea(area);
    layOut();
}

void CLevelMeter::layOut()
{
    const long width = getArea().getWidth();
    const long height = getArea().getHeight();
    const long n = m_stepCount;
    m_vertical = height > width;
    if (m_vertical)
        m_segmentSize.setDimension(width - 4, (height - kGap * n - 6) / n);
    else
        m_segmentSize.setDimension((width - kGap * n - 6) / n, height - 4);
}

void CLevelMeter::getDescriptors(TCountedPointerArray<CControlDescriptor>& list)
{
    CControl::getDescriptors(list);
    list.addElement(new CControlDescriptor(CString("Step Count"), CControlDescriptor::kInteger, nullptr));
    list.addElement(new CControlDescriptor(CString("Base Colour"), CControlDescriptor::kColour, nullptr));
    list.addElement(new CControlDescriptor(CString("Max Colour"), CControlDescriptor::kColour, nullptr));
}

bool CLevelMeter::applyDescriptor(const CControlDescriptor& descriptor)
{
    const CString& name = descriptor.getDescriptorName();
    if (name == "Step Count")
    {
        if (!descriptor.isValueOfClass(CLong::classRecord()))
            return false;
        m_stepCount = atLeastOne(dynamic_cast<const CLong*>(descriptor.getValue())->getValue());
        // Segments, colour steps and the lit count all depend on the count: stale ones would draw past the area.
        layOut();
        setColours(m_baseColour, m_maxColour);
        setValue(getValue());
        return true;
    }
    if (name == "Base Colour" || name == "Max Colour")
    {
        if (!descriptor.isValueOfClass(CAlphaColour::classRecord()))
            return false;
        const auto& colour = *dynamic_cast<const CAlphaColour*>(descriptor.getValue());
        if (name == "Base Colour")
            setColours(colour, m_maxColour);
        else
            setColours(m_baseColour, colour);
        return true;
    }
    return CControl::applyDescriptor(descriptor);
}

bool CLevelMeter::fillDescriptor(CControlDescriptor& descriptor)
{
    const CString& name = descriptor.getDescriptorName();
    if (name == "Step Count")
        descriptor.setValue(new CLong(m_stepCount));
    else if (name == "Base Colour")
        descriptor.setValue(new CAlphaColour(m_baseColour));
    else if (name == "Max Colour")
        descriptor.setValue(new CAlphaColour(m_maxColour));
    else
        return CControl::fillDescriptor(descriptor);
    return true;
}

void CLevelMeter::drawControl(CGraphics& graphics)
{
    if (!drawEnabledControl(graphics))
        return;
    drawPrimaryImage(graphics, isDefaultDrawing());
    const long width = m_segmentSize.getWidth();
    const long height = m_segmentSize.getHeight();
    // An area too small for the count leaves no room for a segment.
    if (width < 1 || height < 1)
        return;
    CRect segment(kGap, m_vertical ? getArea().getHeight() - height - kGap : kGap, width, height);
    const CDimension corner(kCornerSize, kCornerSize);
    CAlphaColour colour(m_baseColour);
    for (long index = 0; index < m_litSegments; ++index)
    {
        graphics.getMutablePen().setColour(colour);
        graphics.getMutableBrush().setColour(colour);
        graphics.fillRoundedRectangle(segment, corner);
        graphics.drawRoundedRectangle(segment, corner);
        if (m_vertical)
            segment.offset(::Brivant::MathTools::CPoint(0, -(height + kGap)));
        else
            segment.offset(::Brivant::MathTools::CPoint(width + kGap, 0));
        colour = CAlphaColour(colour.getRed() + m_redStep, colour.getGreen() + m_greenStep,
                              colour.getBlue() + m_blueStep, 255);
    }
}
} // namespace Controls
} // namespace GUI
} // namespace Brivant
