#include "gui/controls/CButtonFace.hpp"

#include "foundation/basics/CBool.hpp"
#include "foundation/collections/TCountedPointerArray.hpp"
#include "foundation/collections/TCountedSwap.hpp"
#include "foundation/mathtools/CDimension.hpp"
#include "foundation/mathtools/CRect.hpp"
#include "gui/controls/CLatchingButton.hpp"
#include "gui/core/CBrush.hpp"
#include "gui/core/CControlDescriptor.hpp"
#include "gui/core/CCursor.hpp"
#include "gui/core/CFont.hpp"
#include "gui/core/CGraphics.hpp"
#include "gui/core/CImageManager.hpp"
#include "gui/core/CMouse.hpp"
#include "gui/core/CMouseEvent.hpp"
#include "gui/core/CPen.hpp"
#include "gui/core/IControl.hpp"
#include "gui/core/IControlRoot.hpp"
#include "gui/core/IImage.hpp"
#include "gui/core/TPropertyNames.hpp"

#include <cmath>

namespace Brivant
{
namespace GUI
{
namespace Controls
{
using ::Brivant::Basics::CBool;
using ::Brivant::Basics::CString;
using ::Brivant::Collections::TCountedPointerArray;
using ::Brivant::Collections::swapCounted;
using ::Brivant::MathTools::CDimension;
using ::Brivant::MathTools::CPoint;
using ::Brivant::MathTools::CRect;
using Basics::CAlphaColour;
using Graphics::CImageManager;
using Graphics::IImage;
using Windowing::CCursor;

namespace
{
const char kDownImage[] = "Down Image";
const char kCursorChange[] = "Cursor Change";
const char kLabelText[] = "Label Text";
// In the order they are listed, which is the order of the face's colours.
const char* const kColourNames[] = {"On Colour",       "Off Colour",     "On Frame Colour",
                                    "Off Frame Colour", "On Text Colour", "Off Text Colour"};

void showCursor(Events::CMouseEvent& event, CCursor& cursor)
{
    if (event.getMouse() != nullptr)
        event.getMouse()->setCursor(&cursor);
}
} // namespace

CButtonFace::CButtonFace()
    : m_downImage(nullptr), m_cursorChange(true), m_labelText(" "),
      m_colours{CAlphaColour::green(), CAlphaColour::red(),   CAlphaColour::black(),
                CAlphaColour::black(), CAlphaColour::black(), CAlphaColour::black()}
{
}

CButtonFace::~CButtonFace() { swapCounted<IImage>(m_downImage, nullptr); }

void CButtonFace::appendDescriptors(TCountedPointerArray<CControlDescriptor>& list)
{
    list.addElement(new CControlDescriptor(CString(kDownImage), CControlDescriptor::kImage, nullptr));
    list.addElement(new CControlDescriptor(CString(kCursorChange), CControlDescriptor::kBoolean, nullptr));
    list.addElement(new CControlDescriptor(CString(kLabelText), CControlDescriptor::kString, nullptr));
    for (const char* name : kColourNames)
        list.addElement(new CControlDescriptor(CString(name), CControlDescriptor::kColour, nullptr));
}

bool CButtonFace::isFaceProperty(const CString& name)
{
    return name == kDownImage || name == kCursorChange || name == kLabelText || indexOfName(name, kColourNames) >= 0;
}

bool CButtonFace::applyDescriptor(const CControlDescriptor& descriptor)
{
    const CString& name = descriptor.getDescriptorName();
    if (name == kDownImage || name == kLabelText)
    {
        if (!descriptor.isValueOfClass(CString::classRecord()))
            return false;
        const auto& text = *dynamic_cast<const CString*>(descriptor.getValue());
        if (name == kDownImage)
            CLatchingButton::setDownImage(*this, CImageManager::getImage(text));
        else
            m_labelText = text;
        return true;
    }
    if (name == kCursorChange)
    {
        if (!descriptor.isValueOfClass(CBool::classRecord()))
            return false;
        CLatchingButton::setCursorChange(*this, dynamic_cast<const CBool*>(descriptor.getValue())->getValue());
        return true;
    }
    const long colour = indexOfName(name, kColourNames);
    if (colour < 0 || !descriptor.isValueOfClass(CAlphaColour::classRecord()))
        return false;
    m_colours[colour] = *dynamic_cast<const CAlphaColour*>(descriptor.getValue());
    return true;
}

bool CButtonFace::fillDescriptor(CControlDescriptor& descriptor) const
{
    const CString& name = descriptor.getDescriptorName();
    if (name == kDownImage)
        descriptor.setValue(new CString(CImageManager::getReferenceName(m_downImage)));
    else if (name == kCursorChange)
        descriptor.setValue(new CBool(m_cursorChange));
    else if (name == kLabelText)
        descriptor.setValue(new CString(m_labelText));
    else if (indexOfName(name, kColourNames) >= 0)
        descriptor.setValue(new CAlphaColour(m_colours[indexOfName(name, kColourNames)]));
    else
        return false;
    return true;
}

void CButtonFace::drawRoundedFace(Graphics::CGraphics& graphics, const CRect& area, bool down) const
{
    const CDimension corner(area.getWidth() / 16, area.getWidth() / 16);
    graphics.getMutableBrush().setColour(getFillColour(down));
    graphics.getMutablePen().setColour(getFrameColour(down));
    graphics.fillRoundedRectangle(area, corner);
    graphics.drawRoundedRectangle(area, corner);
}

void CButtonFace::drawCaption(Graphics::CGraphics& graphics, const CRect& area, bool down) const
{
    graphics.setTextColour(getTextColour(down));
    graphics.drawText(m_labelText, area, Fonts::CFont::getDefaultFont(), Graphics::CGraphics::kDefaultSingleLine);
}

void CButtonFace::pointerPressed(IControl& control, Events::CMouseEvent& event) const
{
    if (!m_cursorChange)
        return;
    showCursor(event, CCursor::handCursor());
    control.getControlRoot()->lockControl(&control);
}

bool CButtonFace::pointerMoved(IControl& control, Events::CMouseEvent& event) const
{
    const bool on = isOnControl(control, event);
    if (!m_cursorChange)
    {
        // The hover lock of a cursor change since cleared: the pointer has left.
        if (!on && control.getControlRoot()->getLockedControl() == &control)
            control.getControlRoot()->unlockControl();
        return on;
    }
    showCursor(event, on ? CCursor::handCursor() : CCursor::arrowCursor());
    if (on)
        control.getControlRoot()->lockControl(&control);
    else
        control.getControlRoot()->unlockControl();
    return on;
}

bool CButtonFace::pointerReleased(IControl& control, Events::CMouseEvent& event) const
{
    const bool on = isOnControl(control, event);
    if (!m_cursorChange)
    {
        // Else the root would send this button every mouse event until the setting came back.
        if (control.getControlRoot()->getLockedControl() == &control)
            control.getControlRoot()->unlockControl();
        return on;
    }
    showCursor(event, on ? CCursor::handCursor() : CCursor::arrowCursor());
    control.getControlRoot()->unlockControl();
    return on;
}

double CButtonFace::mirrored(double value)
{
    if (std::isinf(value))
        return value > 0.0 ? 0.0 : 1.0;
    return 1.0 - value;
}

bool CButtonFace::isOnControl(const IControl& control, const Events::CMouseEvent& event)
{
    const CRect& area = control.getNormalisedArea();
    const CPoint& point = event.getMousePosition();
    return point.getX() >= area.getLeft() && point.getX() <= area.getRight() && point.getY() >= area.getTop() &&
           point.getY() <= area.getBottom();
}
} // namespace Controls
} // namespace GUI
} // namespace Brivant
