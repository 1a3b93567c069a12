#include "gui/controls/CAnimation.hpp"

#include "foundation/basics/CBool.hpp"
#include "foundation/collections/TCountedPointerArray.hpp"
#include "gui/core/CControlDescriptor.hpp"
#include "gui/core/CGraphics.hpp"
#include "gui/core/IImage.hpp"

#include <algorithm>
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
using ::Brivant::MathTools::CRect;
using Graphics::CGraphics;
using Graphics::CImageManager;
using Graphics::IImage;

CAnimation::CAnimation(IControlRoot* root, long id, const CRect& area)
    : CControl(root, id, area, nullptr), m_frameHeight(0), m_numberOfFrames(0), m_source(0, 0, 0, 0),
      m_invert(false)
{
    setValue(0.0);
    setMouseEnabled(false);
}

void CAnimation::setAnimationReference(const CImageManager::CAnimationReference* reference, bool invert)
{
    if (reference != nullptr)
        setAnimationImage(reference->getImage(), reference->getFrameHeight(), reference->getNumberOfFrames(), invert);
}

void CAnimation::setAnimationImage(IImage* image, long frameHeight, long numberOfFrames, bool invert)
{
    setPrimaryImage(image);
    if (getPrimaryImage() != nullptr)
    {
        m_frameHeight = frameHeight;
        m_numberOfFrames = numberOfFrames;
        m_source.setRect(0, 0, getPrimaryImage()->getImageSize().getWidth(), frameHeight);
    }
    m_invert = invert;
}

void CAnimation::getDescriptors(TCountedPointerArray<CControlDescriptor>& list)
{
    CControl::getDescriptors(list);
    list.addElement(new CControlDescriptor(CString("Invert"), CControlDescriptor::kBoolean, nullptr));
}

bool CAnimation::applyDescriptor(const CControlDescriptor& descriptor)
{
    const CString& name = descriptor.getDescriptorName();
    if (name == "Invert")
    {
        if (!descriptor.isValueOfClass(CBool::classRecord()))
            return false;
        m_invert = dynamic_cast<const CBool*>(descriptor.getValue())->getValue();
        return true;
    }
    if (name == "Primary Image")
    {
        if (!descriptor.isValueOfClass(CString::classRecord()))
            return false;
        // A layout names a film strip here; a name the manager does not know leaves the strip as it was.
        setAnimationReference(
            CImageManager::getAnimationReference(*dynamic_cast<const CString*>(descriptor.getValue())), false);
        return true;
    }
    return CControl::applyDescriptor(descriptor);
}

bool CAnimation::fillDescriptor(CControlDescriptor& descriptor)
{
    if (descriptor.getDescriptorName() == "Invert")
    {
        descriptor.setValue(new CBool(m_invert));
        return true;
    }
    return CControl::fillDescriptor(descriptor);
}

bool CAnimation::selectFrame()
{
    const long frames = m_numberOfFrames;
    if (frames < 1 || m_frameHeight < 1)
        return false;
    // A strip may claim more frames than its picture holds; only whole frames inside it are ever drawn.
    const ::Brivant::MathTools::CDimension& size = getPrimaryImage()->getImageSize();
    const long fitting = std::min(frames, size.getHeight() / m_frameHeight);
    if (fitting < 1)
        return false;
    long index = m_source.getTop() / m_frameHeight;
    const double value = getValue();
    // Negative and NaN values keep the frame drawn last.
    if (value >= 0.0)
    {
        // frame = trunc((n - 1) * value), wrapped once by n so that 1.5 of 129 frames shows frame 63.
        double frame = std::trunc((frames - 1) * (m_invert ? 1.0 - value : value));
        if (frame < 0.0)
            frame += frames;
        else if (frame >= frames)
            frame -= frames;
        // Still outside (a value of about 2 or more, or infinite): the nearest end of the strip.
        index = frame < 0.0 ? 0 : (frame >= frames ? frames - 1 : static_cast<long>(frame));
    }
    index = std::max(0L, std::min(index, fitting - 1));
    m_source.setRect(0, index * m_frameHeight, size.getWidth(), m_frameHeight);
    return true;
}

void CAnimation::drawControl(CGraphics& graphics)
{
    if (!drawEnabledControl(graphics))
        return;
    if (getPrimaryImage() == nullptr)
    {
        drawPrimaryImage(graphics, isDefaultDrawing());
        return;
    }
    if (selectFrame())
        graphics.drawImage(getPrimaryImage(), getNormalisedArea(), m_source);
}
} // namespace Controls
} // namespace GUI
} // namespace Brivant
