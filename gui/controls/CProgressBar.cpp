#include "gui/controls/CProgressBar.hpp"

#include "foundation/basics/CBool.hpp"
#include "foundation/collections/TCountedPointerArray.hpp"
#include "gui/controls/PixelHold.hpp"
#include "gui/controls/UnitRange.hpp"
#include "gui/core/CControlDescriptor.hpp"
#include "gui/core/CGraphics.hpp"
#include "gui/core/CPen.hpp"

namespace Brivant
{
namespace GUI
{
namespace Controls
{
using ::Brivant::Basics::CBool;
using ::Brivant::Basics::CString;
using ::Brivant::MathTools::CRect;

namespace
{
const char kDrawText[] = "Draw Text";
// The bar's full width leaves this much of the control's width free.
const long kBarInset = 4;
} // namespace

CProgressBar::CProgressBar(IControlRoot* root, long id, const CRect& area)
    : CTextLabel(root, id, area, CString("0%")), m_barArea(0, 0, 0, area.getHeight()), m_drawText(true)
{
    setTextAlignment(kCentreCentre);
    setMouseEnabled(false);
    setKeyboardEnabled(false);
}

void CProgressBar::setValue(double value)
{
    CTextLabel::setValue(value);
    // Stored as given, shown held: a NaN or a huge value would otherwise reach the casts below.
    const double shown = heldToUnitRange(value);
    m_barArea.setWidth(truncatedPixel(shown * (getArea().getWidth() - kBarInset)));
    CString text("");
    // Truncated like the bar, so 0.29 (28.999... in binary) reads 28%.
    text.setStringWithFormat("%li%%", static_cast<long>(shown * 100.0));
    // The new text asks for the redraw.
    setText(text);
}

void CProgressBar::setArea(const CRect& area)
{
    CTextLabel::setArea(area);
    m_barArea.setHeight(area.getHeight());
}

void CProgressBar::drawControl(Graphics::CGraphics& graphics)
{
    if (!drawEnabledControl(graphics))
        return;
    drawPrimaryImage(graphics, isDefaultDrawing());
    if (isDefaultDrawing())
    {
        graphics.getMutablePen().setColour(getBackgroundColour());
        graphics.drawShadedRectangle(m_barArea);
    }
    if (!m_drawText)
        return;
    graphics.setTextColour(getTextColour());
    graphics.drawText(getText(), CRect(1, 1, getArea().getWidth(), getArea().getHeight()), getFont(),
                      getTextAlignment());
}

void CProgressBar::getDescriptors(Collections::TCountedPointerArray<CControlDescriptor>& list)
{
    CTextLabel::getDescriptors(list);
    list.addElement(new CControlDescriptor(CString(kDrawText), CControlDescriptor::kBoolean, nullptr));
}

bool CProgressBar::applyDescriptor(const CControlDescriptor& descriptor)
{
    if (descriptor.getDescriptorName() != kDrawText)
        return CTextLabel::applyDescriptor(descriptor);
    if (!descriptor.isValueOfClass(CBool::classRecord()))
        return false;
    m_drawText = dynamic_cast<const CBool*>(descriptor.getValue())->getValue();
    return true;
}

bool CProgressBar::fillDescriptor(CControlDescriptor& descriptor)
{
    if (descriptor.getDescriptorName() != kDrawText)
        return CTextLabel::fillDescriptor(descriptor);
    descriptor.setValue(new CBool(m_drawText));
    return true;
}
} // namespace Controls
} // namespace GUI
} // namespace Brivant
