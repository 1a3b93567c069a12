#include "gui/controls/CRolloverButton.hpp"

#include "foundation/basics/CBool.hpp"
#include "foundation/collections/TCountedPointerArray.hpp"
#include "foundation/collections/TCountedSwap.hpp"
#include "foundation/mathtools/CDimension.hpp"
#include "gui/core/CActionEvent.hpp"
#include "gui/core/CBrush.hpp"
#include "gui/core/CControlDescriptor.hpp"
#include "gui/core/CCursor.hpp"
#include "gui/core/CFont.hpp"
#include "gui/core/CGraphics.hpp"
#include "gui/core/CImageManager.hpp"
#include "gui/core/CMouse.hpp"
#include "gui/core/CMouseEvent.hpp"
#include "gui/core/CPen.hpp"
#include "gui/core/IActionListener.hpp"
#include "gui/core/IControlRoot.hpp"
#include "gui/core/IImage.hpp"
#include "gui/core/TPropertyNames.hpp"

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
using Events::CMouseEvent;
using Graphics::CImageManager;
using Graphics::IImage;
using Windowing::CCursor;

namespace
{
const char kDownImage[] = "Down Image";
const char kOverImage[] = "Over Image";
const char kCursorChange[] = "Cursor Change";
const char kLabelText[] = "Label Text";
// In the order they are listed, which is the order of the button's colour table.
const char* const kColourNames[] = {"On Colour",       "Off Colour",       "Over Colour",
                                    "On Frame Colour", "Off Frame Colour", "Over Frame Colour",
                                    "On Text Colour",  "Off Text Colour",  "Over Text Colour"};
} // namespace

CRolloverButton::CRolloverButton(IControlRoot* root, long id, const CRect& area, Listeners::IActionListener* listener)
    : CControl(root, id, area, listener), m_downImage(nullptr), m_overImage(nullptr), m_buttonState(kOff),
      m_cursorChange(true), m_pressed(false), m_armed(false),
      m_labelText(" "), m_colours{CAlphaColour::green(), CAlphaColour::red(),   CAlphaColour::orange(),
                                  CAlphaColour::black(), CAlphaColour::black(), CAlphaColour::black(),
                                  CAlphaColour::black(), CAlphaColour::black(), CAlphaColour::black()}
{
}

CRolloverButton::~CRolloverButton()
{
    swapCounted(m_downImage, nullptr);
    swapCounted(m_overImage, nullptr);
}

void CRolloverButton::setCursorChange(bool cursorChange) { m_cursorChange = cursorChange; }

void CRolloverButton::setDownImage(IImage* image) { swapCounted(m_downImage, image); }

void CRolloverButton::setOverImage(IImage* image) { swapCounted(m_overImage, image); }

bool CRolloverButton::isOnButton(const CMouseEvent& event) const
{
    const CRect& area = getNormalisedArea();
    const CPoint& point = event.getMousePosition();
    return point.getX() >= area.getLeft() && point.getX() <= area.getRight() && point.getY() >= area.getTop() &&
           point.getY() <= area.getBottom();
}

void CRolloverButton::showCursor(CMouseEvent& event, bool hand) const
{
    if (m_cursorChange && event.getMouse() != nullptr)
        event.getMouse()->setCursor(hand ? &CCursor::handCursor() : &CCursor::arrowCursor());
}

void CRolloverButton::handleLeftButtonDown(CMouseEvent& event)
{
    showCursor(event, true);
    getControlRoot()->lockControl(this);
    m_buttonState = kDown;
    m_pressed = true;
    m_armed = true;
    update();
}

void CRolloverButton::handleLeftButtonUp(CMouseEvent& event)
{
    const bool on = isOnButton(event);
    m_buttonState = on ? kOver : kOff;
    showCursor(event, on);
    m_pressed = false;
    getControlRoot()->unlockControl();
    update();
    // Hovering locks the button too, so a release can reach it after a press somewhere else: that is no click.
    const bool armed = m_armed;
    m_armed = false;
    if (armed && getActionListener() != nullptr)
        getActionListener()->handleActionEvent(Events::CActionEvent(this));
}

void CRolloverButton::handleMouseMovement(CMouseEvent& event)
{
    const bool on = isOnButton(event);
    if (m_pressed)
    {
        if (on)
        {
            showCursor(event, true);
            getControlRoot()->lockControl(this);
            m_buttonState = kDown;
        }
        else
        {
            // The lock stays, so the release still comes here.
            m_pressed = false;
            m_buttonState = kOff;
        }
    }
    else if (on)
    {
        showCursor(event, true);
        getControlRoot()->lockControl(this);
        m_buttonState = kOver;
    }
    else if (m_armed)
    {
        // Still off the button after a press: the lock holds for every further move, so the release comes here.
        m_buttonState = kOff;
    }
    else
    {
        showCursor(event, false);
        getControlRoot()->unlockControl();
        m_buttonState = kOff;
    }
    update();
}

void CRolloverButton::handleMouseLeavingArea(CMouseEvent& /*event*/)
{
    m_buttonState = kOff;
    m_pressed = false;
    update();
}

void CRolloverButton::drawControl(Graphics::CGraphics& graphics)
{
    if (!drawEnabledControl(graphics))
        return;
    IImage* image = nullptr;
    switch (m_buttonState)
    {
    case kOff:
        image = getPrimaryImage();
        break;
    case kOver:
        image = m_overImage;
        break;
    case kDown:
        image = m_downImage;
        break;
    default:
        return;
    }
    const CRect& area = getNormalisedArea();
    if (image != nullptr)
    {
        graphics.drawImage(image, area, image->getImageArea());
        return;
    }
    // The state's fill, frame and text colours stand at the same offset in each group of three.
    const long fill = m_buttonState == kDown ? kOnColour : (m_buttonState == kOver ? kOverColour : kOffColour);
    const CDimension corner(area.getWidth() / 16, area.getWidth() / 16);
    graphics.getMutableBrush().setColour(m_colours[fill]);
    graphics.getMutablePen().setColour(m_colours[fill + kOnFrameColour]);
    graphics.fillRoundedRectangle(area, corner);
    graphics.drawRoundedRectangle(area, corner);
    graphics.setTextColour(m_colours[fill + kOnTextColour]);
    graphics.drawText(m_labelText, area, Fonts::CFont::getDefaultFont(), Graphics::CGraphics::kCentreMiddle);
}

void CRolloverButton::getDescriptors(TCountedPointerArray<CControlDescriptor>& list)
{
    CControl::getDescriptors(list);
    list.addElement(new CControlDescriptor(CString(kDownImage), CControlDescriptor::kImage, nullptr));
    list.addElement(new CControlDescriptor(CString(kOverImage), CControlDescriptor::kImage, nullptr));
    list.addElement(new CControlDescriptor(CString(kCursorChange), CControlDescriptor::kBoolean, nullptr));
    list.addElement(new CControlDescriptor(CString(kLabelText), CControlDescriptor::kString, nullptr));
    for (const char* name : kColourNames)
        list.addElement(new CControlDescriptor(CString(name), CControlDescriptor::kColour, nullptr));
}

bool CRolloverButton::applyDescriptor(const CControlDescriptor& descriptor)
{
    const CString& name = descriptor.getDescriptorName();
    if (name == kDownImage || name == kOverImage || name == kLabelText)
    {
        if (!descriptor.isValueOfClass(CString::classRecord()))
            return false;
        const auto& text = *dynamic_cast<const CString*>(descriptor.getValue());
        if (name == kDownImage)
            setDownImage(CImageManager::getImage(text));
        else if (name == kOverImage)
            setOverImage(CImageManager::getImage(text));
        else
            m_labelText = text;
        return true;
    }
    if (name == kCursorChange)
    {
        if (!descriptor.isValueOfClass(CBool::classRecord()))
            return false;
        setCursorChange(dynamic_cast<const CBool*>(descriptor.getValue())->getValue());
        return true;
    }
    const long colour = indexOfName(name, kColourNames);
    if (colour < 0)
        return CControl::applyDescriptor(descriptor);
    if (!descriptor.isValueOfClass(CAlphaColour::classRecord()))
        return false;
    m_colours[colour] = *dynamic_cast<const CAlphaColour*>(descriptor.getValue());
    return true;
}

bool CRolloverButton::fillDescriptor(CControlDescriptor& descriptor)
{
    const CString& name = descriptor.getDescriptorName();
    const long colour = indexOfName(name, kColourNames);
    if (name == kDownImage)
        descriptor.setValue(new CString(CImageManager::getReferenceName(m_downImage)));
    else if (name == kOverImage)
        descriptor.setValue(new CString(CImageManager::getReferenceName(m_overImage)));
    else if (name == kCursorChange)
        descriptor.setValue(new CBool(m_cursorChange));
    else if (name == kLabelText)
        descriptor.setValue(new CString(m_labelText));
    else if (colour >= 0)
        descriptor.setValue(new CAlphaColour(m_colours[colour]));
    else
        return CControl::fillDescriptor(descriptor);
    return true;
}
} // namespace Controls
} // namespace GUI
} // namespace Brivant
