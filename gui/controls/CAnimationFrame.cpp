#include "gui/controls/CAnimationFrame.hpp"

#include "gui/core/CActionEvent.hpp"
#include "gui/core/CControlDescriptor.hpp"
#include "gui/core/CGraphics.hpp"
#include "gui/core/CImageManager.hpp"
#include "gui/core/IActionListener.hpp"
#include "gui/core/IImage.hpp"

namespace Brivant
{
namespace GUI
{
namespace Controls
{
using ::Brivant::Basics::CString;
using ::Brivant::MathTools::CRect;
using Graphics::CImageManager;

CAnimationFrame::CAnimationFrame(IControlRoot* root, long id, const CRect& area)
    : CControl(root, id, area, nullptr), m_frameHeight(0), m_frameIndex(0), m_source(0, 0, 0, 0)
{
    setMouseEnabled(false);
}

void CAnimationFrame::setFrameImage(Graphics::IImage* image, long frameHeight)
{
    setPrimaryImage(image);
    if (getPrimaryImage() == nullptr)
        return;
    m_frameHeight = frameHeight;
    m_source.setRect(0, 0, getPrimaryImage()->getImageSize().getWidth(), frameHeight);
}

void CAnimationFrame::setFrameIndex(long index)
{
    m_frameIndex = index;
    update();
}

bool CAnimationFrame::applyDescriptor(const CControlDescriptor& descriptor)
{
    if (!(descriptor.getDescriptorName() == "Primary Image"))
        return CControl::applyDescriptor(descriptor);
    if (!descriptor.isValueOfClass(CString::classRecord()))
        return false;
    const CString& name = *dynamic_cast<const CString*>(descriptor.getValue());
    // " " is what a frame without a strip writes: it reads back as no strip, so every layout written reads.
    if (name == " ")
    {
        setFrameImage(nullptr, 0);
        return true;
    }
    const CImageManager::CAnimationReference* reference = CImageManager::getAnimationReference(name);
    if (reference == nullptr)
        return false;
    setFrameImage(reference->getImage(), reference->getFrameHeight());
    return true;
}

void CAnimationFrame::drawControl(Graphics::CGraphics& graphics)
{
    if (!drawEnabledControl(graphics))
        return;
    Graphics::IImage* image = getPrimaryImage();
    if (image == nullptr)
    {
        drawPrimaryImage(graphics, isDefaultDrawing());
        return;
    }
    // An index or height from outside may point past the strip; GDI would copy whatever lies there.
    const ::Brivant::MathTools::CDimension& size = image->getImageSize();
    if (m_frameIndex < 0 || m_frameHeight < 1 || m_frameIndex >= size.getHeight() / m_frameHeight)
        return;
    m_source.setRect(0, m_frameIndex * m_frameHeight, size.getWidth(), m_frameHeight);
    graphics.drawImage(image, getNormalisedArea(), m_source);
}

void CAnimationFrame::handleLeftButtonDown(Events::CMouseEvent& event)
{
    if (getActionListener() != nullptr)
        getActionListener()->handleActionEvent(Events::CActionEvent(this, event));
}
} // namespace Controls
} // namespace GUI
} // namespace Brivant
