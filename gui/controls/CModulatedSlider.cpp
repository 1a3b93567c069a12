#include "gui/controls/CModulatedSlider.hpp"

#include "foundation/collections/TCountedPointerArray.hpp"
#include "gui/controls/PixelHold.hpp"
#include "gui/core/CControlDescriptor.hpp"
#include "gui/core/CGraphics.hpp"
#include "gui/core/CPen.hpp"

namespace Brivant
{
namespace GUI
{
namespace Controls
{
using ::Brivant::Basics::CString;
using ::Brivant::MathTools::CRect;
using Basics::CAlphaColour;

namespace
{
const char kModMarkColour[] = "Mod Mark Colour";
const long kMarkThickness = 2;
} // namespace

CModulatedSlider::CModulatedSlider(IControlRoot* root, long id, const CRect& area, Listeners::IActionListener* listener)
    : CRangeSlider(root, id, area, listener), m_modulationValue(getValue()), m_markArea(0, 0, 0, 0),
      m_modMarkColour(CAlphaColour::orange())
{
    layoutMark();
}

void CModulatedSlider::layoutMark()
{
    if (isVertical())
        m_markArea.setRect(0, 0, getArea().getWidth(), kMarkThickness);
    else
        m_markArea.setRect(0, 0, kMarkThickness, getArea().getHeight());
}

void CModulatedSlider::placeMark()
{
    if (isVertical())
        m_markArea.setTop(truncatedPixel(getArea().getHeight() * (1.0 - m_modulationValue)));
    else
        m_markArea.setLeft(truncatedPixel(m_modulationValue * getArea().getWidth()));
}

void CModulatedSlider::setModulationValue(double value)
{
    if (!(value >= 0.0 && value <= 1.0) || value == m_modulationValue)
        return;
    m_modulationValue = value;
    placeMark();
    update();
}

void CModulatedSlider::setArea(const CRect& area)
{
    CRangeSlider::setArea(area);
    layoutMark();
    placeMark();
}

void CModulatedSlider::drawControl(Graphics::CGraphics& graphics)
{
    CRangeSlider::drawControl(graphics);
    if (!isEnabled())
        return;
    graphics.getMutablePen().setColour(m_modMarkColour);
    graphics.drawRectangle(m_markArea);
}

void CModulatedSlider::getDescriptors(Collections::TCountedPointerArray<CControlDescriptor>& list)
{
    CRangeSlider::getDescriptors(list);
    list.addElement(new CControlDescriptor(CString(kModMarkColour), CControlDescriptor::kColour, nullptr));
}

bool CModulatedSlider::applyDescriptor(const CControlDescriptor& descriptor)
{
    if (descriptor.getDescriptorName() != kModMarkColour)
        return CRangeSlider::applyDescriptor(descriptor);
    if (!descriptor.isValueOfClass(CAlphaColour::classRecord()))
        return false;
    m_modMarkColour = *dynamic_cast<const CAlphaColour*>(descriptor.getValue());
    return true;
}

bool CModulatedSlider::fillDescriptor(CControlDescriptor& descriptor)
{
    if (descriptor.getDescriptorName() != kModMarkColour)
        return CRangeSlider::fillDescriptor(descriptor);
    descriptor.setValue(new CAlphaColour(m_modMarkColour));
    return true;
}
} // namespace Controls
} // namespace GUI
} // namespace Brivant
