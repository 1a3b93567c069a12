#include "gui/controls/CWaveCycle.hpp"

#include "foundation/collections/TCountedPointerArray.hpp"
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
using ::Brivant::Basics::CString;
using ::Brivant::MathTools::CPoint;
using ::Brivant::MathTools::CRect;
using Basics::CAlphaColour;

namespace
{
const char kWaveColour[] = "Wave Colour";
const char kLineColour[] = "Line Colour";

// Builds the point list for a width and height: every column on the middle line.
void resetPoints(::Brivant::MathTools::CPolygon& points, long width, long height)
{
    points.setNumberOfPoints(width);
    for (long column = 0; column < width; ++column)
        points.setPoint(column, height / 2, column);
}
} // namespace

CWaveCycle::CWaveCycle(IControlRoot* root, long id, const CRect& area)
    : CControl(root, id, area, nullptr), m_writeIndex(0), m_waveColour(118, 147, 171, 255),
      m_lineColour(CAlphaColour::orange())
{
    resetPoints(m_points, area.getWidth(), area.getHeight());
}

void CWaveCycle::setColumn(long column, long y)
{
    if (column >= 0 && column < m_points.getNumberOfPoints())
        m_points.setPoint(column, y, column);
}

void CWaveCycle::addSample(double value)
{
    const long width = getArea().getWidth();
    if (width <= 0)
        return;
    const double height = static_cast<double>(getArea().getHeight());
    // A value far outside 0..1 (or not a number) is drawn clipped anyway; held near the area it still fits a
    // long and a GDI coordinate.
    const double y = std::fmax(-height, std::fmin(2.0 * height, (1.0 - value) * height));
    setColumn(m_writeIndex, static_cast<long>(y));
    // An area that shrank below the write index wraps at once.
    if (++m_writeIndex >= width)
        m_writeIndex = 0;
    setColumn(m_writeIndex, getArea().getHeight());
}

void CWaveCycle::setArea(const CRect& area)
{
    const bool sameSize = area.getWidth() == getArea().getWidth() && area.getHeight() == getArea().getHeight();
    CControl::setArea(area);
    // Panels set their children's areas whenever they move or scroll; that must not wipe the curve.
    if (!sameSize)
        resetPoints(m_points, area.getWidth(), area.getHeight());
}

void CWaveCycle::drawControl(Graphics::CGraphics& graphics)
{
    if (!drawEnabledControl(graphics))
        return;
    drawPrimaryImage(graphics, isDefaultDrawing());
    graphics.getMutablePen().setColour(m_waveColour);
    graphics.drawPolygon(m_points);
    graphics.getMutablePen().setColour(m_lineColour);
    graphics.drawLine(CPoint(m_writeIndex, 0), CPoint(m_writeIndex, getArea().getHeight()));
}

CAlphaColour* CWaveCycle::colourNamed(const CString& name)
{
    if (name == kWaveColour)
        return &m_waveColour;
    if (name == kLineColour)
        return &m_lineColour;
    return nullptr;
}

void CWaveCycle::getDescriptors(Collections::TCountedPointerArray<CControlDescriptor>& list)
{
    CControl::getDescriptors(list);
    for (const char* name : {kWaveColour, kLineColour})
        list.addElement(new CControlDescriptor(CString(name), CControlDescriptor::kColour, nullptr));
}

bool CWaveCycle::applyDescriptor(const CControlDescriptor& descriptor)
{
    CAlphaColour* colour = colourNamed(descriptor.getDescriptorName());
    if (colour == nullptr)
        return CControl::applyDescriptor(descriptor);
    if (!descriptor.isValueOfClass(CAlphaColour::classRecord()))
        return false;
    *colour = *dynamic_cast<const CAlphaColour*>(descriptor.getValue());
    return true;
}

bool CWaveCycle::fillDescriptor(CControlDescriptor& descriptor)
{
    CAlphaColour* colour = colourNamed(descriptor.getDescriptorName());
    if (colour == nullptr)
        return CControl::fillDescriptor(descriptor);
    descriptor.setValue(new CAlphaColour(*colour));
    return true;
}
} // namespace Controls
} // namespace GUI
} // namespace Brivant
