#include "gui/controls/CMomentaryButton.hpp"

#include "foundation/basics/CBool.hpp"
#include "foundation/collections/TCountedPointerArray.hpp"
#include "gui/controls/CLatchingButton.hpp"
#include "gui/core/CActionEvent.hpp"
#include "gui/core/CControlDescriptor.hpp"
#include "gui/core/CGraphics.hpp"
#include "gui/core/IActionListener.hpp"
#include "gui/core/IImage.hpp"

namespace Brivant
{
namespace GUI
{
namespace Controls
{
using ::Brivant::Basics::CBool;
using ::Brivant::Basics::CString;

namespace
{
const char kDrawText[] = "Draw Text";
}

CMomentaryButton::CMomentaryButton(IControlRoot* root, long id, const ::Brivant::MathTools::CRect& area,
                                   Listeners::IActionListener* listener)
    : CControl(root, id, area, listener), m_pressed(false), m_drawText(true)
{
}

CMomentaryButton::~CMomentaryButton() = default;

void CMomentaryButton::setCursorChange(bool cursorChange) { CLatchingButton::setCursorChange(m_face, cursorChange); }

void CMomentaryButton::setDownImage(Graphics::IImage* image) { CLatchingButton::setDownImage(m_face, image); }

void CMomentaryButton::setValue(double value)
{
    CControl::setValue(value);
    setPressed(value == 1.0);
}

void CMomentaryButton::setPressed(bool pressed)
{
    m_pressed = pressed;
    update();
}

void CMomentaryButton::getDescriptors(Collections::TCountedPointerArray<CControlDescriptor>& list)
{
    CControl::getDescriptors(list);
    CButtonFace::appendDescriptors(list);
    list.addElement(new CControlDescriptor(CString(kDrawText), CControlDescriptor::kBoolean, nullptr));
}

bool CMomentaryButton::applyDescriptor(const CControlDescriptor& descriptor)
{
    const CString& name = descriptor.getDescriptorName();
    if (CButtonFace::isFaceProperty(name))
        return m_face.applyDescriptor(descriptor);
    if (name == kDrawText)
    {
        if (!descriptor.isValueOfClass(CBool::classRecord()))
            return false;
        m_drawText = dynamic_cast<const CBool*>(descriptor.getValue())->getValue();
        return true;
    }
    return CControl::applyDescriptor(descriptor);
}

bool CMomentaryButton::fillDescriptor(CControlDescriptor& descriptor)
{
    const CString& name = descriptor.getDescriptorName();
    if (CButtonFace::isFaceProperty(name))
        return m_face.fillDescriptor(descriptor);
    if (name == kDrawText)
    {
        descriptor.setValue(new CBool(m_drawText));
        return true;
    }
    return CControl::fillDescriptor(descriptor);
}

void CMomentaryButton::drawControl(Graphics::CGraphics& graphics)
{
    if (!drawEnabledControl(graphics))
        return;
    Graphics::IImage* image = m_pressed ? m_face.getDownImage() : getPrimaryImage();
    if (image != nullptr)
        graphics.drawImage(image, getNormalisedArea(), image->getImageArea());
    else
        m_face.drawRoundedFace(graphics, getNormalisedArea(), m_pressed);
    if (m_drawText)
        m_face.drawCaption(graphics, getNormalisedArea(), m_pressed);
}

void CMomentaryButton::handleLeftButtonDown(Events::CMouseEvent& event)
{
    m_face.pointerPressed(*this, event);
    setPressed(true);
}

void CMomentaryButton::handleMouseMovement(Events::CMouseEvent& event)
{
    if (!m_face.pointerMoved(*this, event) && m_face.hasCursorChange())
        setPressed(false);
}

void CMomentaryButton::handleLeftButtonUp(Events::CMouseEvent& event)
{
    const bool on = m_face.pointerReleased(*this, event);
    setPressed(false);
    // A locked button can be released off itself before any move has unlocked it; that release is no click.
    if (!on)
        return;
    if (Listeners::IActionListener* listener = getActionListener())
        listener->handleActionEvent(Events::CActionEvent(this));
}

void CMomentaryButton::handleDoubleClick(Events::CMouseEvent& /*event*/) {}
} // namespace Controls
} // namespace GUI
} // namespace Brivant
