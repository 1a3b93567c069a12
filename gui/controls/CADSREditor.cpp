#include "gui/controls/CADSREditor.hpp"

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
#include <cmath>

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
const char* const kColourNames[] = {"Line Colour", "Poly Colour", "Handle Colour", "Sel Handle Colour"};
// The envelope is drawn inside this margin; the handles reach into it.
const long kMargin = 4;
const long kHandleSize = 8;
const long kNumberOfPoints = 5;
} // namespace

CADSREditor::CADSREditor(IControlRoot* root, long id, const CRect& area, Listeners::IActionListener* listener)
    : CControl(root, id, area, listener), m_over(false), m_pressed(false), m_selectedHandle(kNoStage),
      m_segmentWidth(0), m_innerHeight(0), m_innerWidth(0),
      m_envelope(kNumberOfPoints), m_handles{CRect(0, 0, kHandleSize, kHandleSize),
                                             CRect(0, 0, kHandleSize, kHandleSize),
                                             CRect(0, 0, kHandleSize, kHandleSize),
                                             CRect(0, 0, kHandleSize, kHandleSize)},
      m_values{1.0, 1.0, 0.5, 1.0}, m_lineColour(53, 140, 222, 255), m_polyColour(46, 82, 115, 64),
      m_handleColour(CAlphaColour::purple()), m_selHandleColour(CAlphaColour::orange())
{
    layout();
}

long CADSREditor::getX(long point) const { return m_envelope.getPoint(point)->getX(); }

long CADSREditor::getY(long point) const { return m_envelope.getPoint(point)->getY(); }

void CADSREditor::setX(long point, long x) { m_envelope.setPoint(x, getY(point), point); }

void CADSREditor::layout()
{
    const long width = getArea().getWidth();
    m_segmentWidth = (width - 2 * kMargin) / 4;
    m_innerHeight = getArea().getHeight() - 2 * kMargin;
    m_innerWidth = width - 2 * kMargin;
    const long s = m_segmentWidth;
    const long sustain = m_innerHeight / 2 + kMargin;
    m_envelope.setPoint(kMargin, m_innerHeight + kMargin, 0);
    m_envelope.setPoint(s, kMargin, 1);
    m_envelope.setPoint(2 * s, sustain, 2);
    m_envelope.setPoint(3 * s, sustain, 3);
    m_envelope.setPoint(m_innerWidth + kMargin, m_innerHeight + kMargin, 4);
    placeHandles();
}

void CADSREditor::placeHandles()
{
    for (long index = 0; index < kNumberOfStages; ++index)
        m_handles[index].setRect(getX(index + 1) - kHandleSize / 2, getY(index + 1) - kHandleSize / 2, kHandleSize,
                                 kHandleSize);
}

void CADSREditor::moveAttackPeak(long x)
{
    const long moved = x - getX(1);
    setX(1, x);
    moveDecayEnd(getX(2) + moved);
}

void CADSREditor::moveDecayEnd(long x)
{
    // The sustain stage is always one stage wide, and the release keeps its length.
    const long oldSustainEnd = getX(3);
    setX(2, x);
    setX(3, x + m_segmentWidth);
    setX(4, getX(4) + getX(3) - oldSustainEnd);
}

double CADSREditor::getEnvelopeValue(long index) const
{
    return index >= 0 && index < kNumberOfStages ? m_values[index] : 0.0;
}

void CADSREditor::setEnvelopeValue(long index, double value)
{
    // Any other value is kept as given; the pixels it gives stop at the reach.
    if (std::isnan(value))
        value = 0.0;
    const long s = m_segmentWidth;
    switch (index)
    {
    case kAttack:
        moveAttackPeak(truncatedPixel((s - kMargin) * value + kMargin));
        break;
    case kDecay:
        moveDecayEnd(truncatedPixel(s * value + getX(1)));
        break;
    case kSustain:
    {
        const long y = truncatedPixel((1.0 - value) * m_innerHeight + kMargin);
        m_envelope.setPoint(getX(2), y, 2);
        m_envelope.setPoint(getX(3), y, 3);
        break;
    }
    case kRelease:
        setX(4, truncatedPixel((s + kMargin) * value + getX(3)));
        break;
    default:
        return;
    }
    m_values[index] = value;
    placeHandles();
}

void CADSREditor::setEditorColours(const CAlphaColour& line, const CAlphaColour& poly, const CAlphaColour& handle,
                                   const CAlphaColour& selHandle)
{
    m_lineColour = line;
    m_polyColour = poly;
    m_handleColour = handle;
    m_selHandleColour = selHandle;
}

void CADSREditor::setArea(const CRect& area)
{
    CControl::setArea(area);
    layout();
    for (long index = 0; index < kNumberOfStages; ++index)
        setEnvelopeValue(index, m_values[index]);
}

void CADSREditor::drag(const CPoint& point)
{
    const long s = m_segmentWidth;
    // Each stage's value is its length over the length it may reach; a stage that may reach none keeps its value.
    switch (m_selectedHandle)
    {
    case kAttack:
    {
        const long x = std::min(s, std::max(kMargin, point.getX()));
        moveAttackPeak(x);
        if (s != kMargin)
            m_values[kAttack] = static_cast<double>(x - kMargin) / (s - kMargin);
        break;
    }
    case kDecay:
        moveDecayEnd(std::min(getX(1) + s, std::max(getX(1), point.getX())));
        if (s != 0)
            m_values[kDecay] = static_cast<double>(getX(2) - getX(1)) / s;
        break;
    case kSustain:
    {
        const long y = std::min(m_innerHeight + kMargin, std::max(kMargin, point.getY()));
        m_envelope.setPoint(getX(2), y, 2);
        m_envelope.setPoint(getX(3), y, 3);
        if (m_innerHeight != 0)
            m_values[kSustain] = 1.0 - static_cast<double>(y - kMargin) / m_innerHeight;
        break;
    }
    default:
        setX(4, std::min(getX(3) + s + kMargin, std::max(getX(3), point.getX())));
        if (s + kMargin != 0)
            m_values[kRelease] = static_cast<double>(getX(4) - getX(3)) / (s + kMargin);
        break;
    }
    placeHandles();
}

bool CADSREditor::isOnEditor(const CPoint& point) const
{
    const CRect& area = getNormalisedArea();
    return point.getX() >= area.getLeft() && point.getX() <= area.getRight() && point.getY() >= area.getTop() &&
           point.getY() <= area.getBottom();
}

void CADSREditor::handleLeftButtonDown(CMouseEvent& event)
{
    const CPoint& point = event.getMousePosition();
    m_pressed = true;
    // Where handles overlap the later one wins.
    m_selectedHandle = kNoStage;
    for (long index = 0; index < kNumberOfStages; ++index)
    {
        const CRect& handle = m_handles[index];
        if (point.getX() >= handle.getLeft() && point.getX() <= handle.getRight() && point.getY() >= handle.getTop() &&
            point.getY() <= handle.getBottom())
            m_selectedHandle = index;
    }
    update();
}

void CADSREditor::handleMouseMovement(CMouseEvent& event)
{
    if (m_pressed && m_selectedHandle != kNoStage)
    {
        drag(event.getMousePosition());
        if (getActionListener() != nullptr)
            getActionListener()->handleActionEvent(Events::CActionEvent(this, event));
    }
    else if (isOnEditor(event.getMousePosition()))
    {
        getControlRoot()->lockControl(this);
        m_over = true;
    }
    else
    {
        getControlRoot()->unlockControl();
        m_over = false;
    }
    update();
}

void CADSREditor::handleMouseLeavingArea(CMouseEvent& /*event*/)
{
    if (m_pressed)
        return;
    getControlRoot()->unlockControl();
    m_over = false;
    update();
}

void CADSREditor::handleLeftButtonUp(CMouseEvent& event)
{
    m_pressed = false;
    getControlRoot()->unlockControl();
    m_over = isOnEditor(event.getMousePosition());
    if (m_over)
        getControlRoot()->lockControl(this);
    m_selectedHandle = kNoStage;
    update();
}

void CADSREditor::drawControl(Graphics::CGraphics& graphics)
{
    if (!drawEnabledControl(graphics))
        return;
    drawPrimaryImage(graphics, isDefaultDrawing());
    Graphics::CPen& pen = graphics.getMutablePen();
    const long smoothing = graphics.getSmoothingMode();
    const long lineCap = pen.getLineCap();
    graphics.setSmoothingMode(Graphics::CGraphics::kSmoothingAntiAlias);
    pen.setLineCap(2);
    pen.setColour(m_lineColour);
    graphics.getMutableBrush().setColour(m_polyColour);
    graphics.fillPolygon(m_envelope);
    pen.setWidth(2);
    graphics.drawAntiAliasedPolygon(m_envelope);
    pen.setWidth(1);
    // The pen is shared by every control the context draws next.
    pen.setLineCap(lineCap);
    graphics.setSmoothingMode(smoothing);
    if (!m_over && !m_pressed)
        return;
    for (long index = 0; index < kNumberOfStages; ++index)
    {
        pen.setColour(index == m_selectedHandle ? m_handleColour : m_selHandleColour);
        graphics.drawRectangle(m_handles[index]);
    }
}

void CADSREditor::getDescriptors(TCountedPointerArray<CControlDescriptor>& list)
{
    CControl::getDescriptors(list);
    for (const char* name : kColourNames)
        list.addElement(new CControlDescriptor(CString(name), CControlDescriptor::kColour, nullptr));
}

bool CADSREditor::applyDescriptor(const CControlDescriptor& descriptor)
{
    const long colour = indexOfName(descriptor.getDescriptorName(), kColourNames);
    if (colour < 0)
        return CControl::applyDescriptor(descriptor);
    if (!descriptor.isValueOfClass(CAlphaColour::classRecord()))
        return false;
    CAlphaColour* colours[] = {&m_lineColour, &m_polyColour, &m_handleColour, &m_selHandleColour};
    *colours[colour] = *dynamic_cast<const CAlphaColour*>(descriptor.getValue());
    return true;
}

bool CADSREditor::fillDescriptor(CControlDescriptor& descriptor)
{
    const long colour = indexOfName(descriptor.getDescriptorName(), kColourNames);
    if (colour < 0)
        return CControl::fillDescriptor(descriptor);
    const CAlphaColour* colours[] = {&m_lineColour, &m_polyColour, &m_handleColour, &m_selHandleColour};
    descriptor.setValue(new CAlphaColour(*colours[colour]));
    return true;
}
} // namespace Controls
} // namespace GUI
} // namespace Brivant
