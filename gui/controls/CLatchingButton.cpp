#include "gui/controls/CLatchingButton.hpp"

#include "foundation/collections/TCountedSwap.hpp"
#include "gui/core/CActionEvent.hpp"
#include "gui/core/CControlDescriptor.hpp"
#include "gui/core/CGraphics.hpp"
#include "gui/core/IActionListener.hpp"
#include "gui/core/IImage.hpp"

#include <cmath>

namespace Brivant
{
namespace GUI
{
namespace Controls
{
CLatchingButton::CLatchingButton(IControlRoot* root, long id, const ::Brivant::MathTools::CRect& area,
                                 Listeners::IActionListener* listener)
    : CControl(root, id, area, listener), m_latched(false)
{
    setValue(0.0);
}

CLatchingButton::~CLatchingButton() = default;

void CLatchingButton::setCursorChange(bool cursorChange) { setCursorChange(m_face, cursorChange); }

void CLatchingButton::setDownImage(Graphics::IImage* image) { setDownImage(m_face, image); }

void CLatchingButton::setCursorChange(CButtonFace& face, bool cursorChange) { face.m_cursorChange = cursorChange; }

void CLatchingButton::setDownImage(CButtonFace& face, Graphics::IImage* image)
{
    // The same image again changes nothing, even one that only the face holds.
    ::Brivant::Collections::swapCounted(face.m_downImage, image);
}

void CLatchingButton::setValue(double value)
{
    // NaN counts as off: kept, it would stay NaN through every release and never latch.
    const double held = std::isnan(value) ? 0.0 : value;
    CControl::setValue(held);
    m_latched = held >= 0.5;
}

void CLatchingButton::getDescriptors(Collections::TCountedPointerArray<CControlDescriptor>& list)
{
    CControl::getDescriptors(list);
    CButtonFace::appendDescriptors(list);
}

bool CLatchingButton::applyDescriptor(const CControlDescriptor& descriptor)
{
    if (CButtonFace::isFaceProperty(descriptor.getDescriptorName()))
        return m_face.applyDescriptor(descriptor);
    return CControl::applyDescriptor(descriptor);
}

bool CLatchingButton::fillDescriptor(CControlDescriptor& descriptor)
{
    if (CButtonFace::isFaceProperty(descriptor.getDescriptorName()))
        return m_face.fillDescriptor(descriptor);
    return CControl::fillDescriptor(descriptor);
}

void CLatchingButton::drawControl(Graphics::CGraphics& graphics)
{
    if (!drawEnabledControl(graphics))
        return;
    if (m_latched)
    {
        if (Graphics::IImage* down = m_face.getDownImage())
        {
            graphics.drawImage(down, getNormalisedArea(), down->getImageArea());
            return;
        }
    }
    else if (drawPrimaryImageIfPresent(graphics))
    {
        return;
    }
    m_face.drawRoundedFace(graphics, getNormalisedArea(), m_latched);
    m_face.drawCaption(graphics, getNormalisedArea(), m_latched);
}

void CLatchingButton::handleLeftButtonDown(Events::CMouseEvent& event) { m_face.pointerPressed(*this, event); }

void CLatchingButton::handleMouseMovement(Events::CMouseEvent& event) { m_face.pointerMoved(*this, event); }

void CLatchingButton::handleLeftButtonUp(Events::CMouseEvent& event)
{
    // A locked button can be released off itself before any move has unlocked it; that release is no click.
    if (!m_face.pointerReleased(*this, event))
        return;
    setValue(CButtonFace::mirrored(getValue()));
    update();
    if (Listeners::IActionListener* listener = getActionListener())
        listener->handleActionEvent(Events::CActionEvent(this));
}
} // namespace Controls
} // namespace GUI
} // namespace Brivant
