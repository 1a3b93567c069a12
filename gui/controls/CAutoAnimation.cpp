#include "gui/controls/CAutoAnimation.hpp"

#include "foundation/collections/TCountedPointerArray.hpp"
#include "gui/core/CControlDescriptor.hpp"
#include "gui/core/IControlRoot.hpp"
#include "gui/core/IWindow.hpp"

namespace Brivant
{
namespace GUI
{
namespace Controls
{
using ::Brivant::Basics::CString;
using ::Brivant::Collections::TCountedPointerArray;
using ::Brivant::MathTools::CRect;
using Graphics::CImageManager;

const char* const CAutoAnimation::kStyleNames[kNumberOfStyles] = {"Forward", "Backward", "Bounce", "Forward Loop",
                                                                   "Backward Loop"};

CAutoAnimation::CAutoAnimation(IControlRoot* root, long id, const CRect& area)
    : CAnimation(root, id, area), m_window(getControlRoot()->getParentWindow()), m_step(0.0), m_style(kForward),
      m_bouncingForward(true)
{
    if (m_window != nullptr)
        m_window->addTimedObject(this);
}

CAutoAnimation::~CAutoAnimation()
{
    if (m_window != nullptr)
        m_window->removeTimedObject(this);
}

void CAutoAnimation::setAutoAnimationImage(Graphics::IImage* image, long frameHeight, long numberOfFrames)
{
    setAnimationImage(image, frameHeight, numberOfFrames, false);
    // 1 / 0 would be an infinite step; a strip without frames has nothing to play.
    m_step = numberOfFrames > 0 ? 1.0 / numberOfFrames : 0.0;
}

void CAutoAnimation::setAnimationStyle(long style)
{
    if (style < 0 || style >= kNumberOfStyles)
        return;
    m_style = style;
    if (style == kBackward)
        setValue(1.0);
}

void CAutoAnimation::startAnimation(long milliseconds)
{
    if (m_window != nullptr)
        m_window->startTimer(getControlId(), milliseconds);
}

void CAutoAnimation::stopAnimation()
{
    if (m_window != nullptr)
        m_window->stopTimer(getControlId());
}

void CAutoAnimation::timerExpired()
{
    double value = getValue();
    switch (m_style)
    {
    case kForward:
    case kForwardLoop:
        value += m_step;
        if (value > 1.0)
        {
            value = 0.0;
            if (m_style == kForward)
                stopAnimation();
        }
        break;
    case kBackward:
    case kBackwardLoop:
        value -= m_step;
        if (value < 0.0)
        {
            value = 1.0;
            if (m_style == kBackward)
                stopAnimation();
        }
        break;
    case kBounce:
        // The value stays where it turned, a step beyond the end; the frame choice wraps it into the strip.
        value += m_bouncingForward ? m_step : -m_step;
        if (m_bouncingForward ? value > 1.0 : value < 0.0)
            m_bouncingForward = !m_bouncingForward;
        break;
    default:
        break;
    }
    setValue(value);
    update();
}

void CAutoAnimation::getDescriptors(TCountedPointerArray<CControlDescriptor>& list)
{
    CAnimation::getDescriptors(list);
    list.addElement(new CControlDescriptor(CString("AnimationStyle"), CControlDescriptor::kSelection, nullptr));
}

bool CAutoAnimation::applyDescriptor(const CControlDescriptor& descriptor)
{
    const CString& name = descriptor.getDescriptorName();
    if (name == "AnimationStyle")
    {
        const long style = descriptor.getSelectedIndex();
        if (style < 0 || style >= kNumberOfStyles)
            return false;
        setAnimationStyle(style);
        return true;
    }
    if (name == "Primary Image" && descriptor.isValueOfClass(CString::classRecord()))
    {
        // A strip from a layout must play as one set in code does, so its step follows it too.
        const CImageManager::CAnimationReference* reference =
            CImageManager::getAnimationReference(*dynamic_cast<const CString*>(descriptor.getValue()));
        if (reference != nullptr)
        {
            setAutoAnimationImage(reference->getImage(), reference->getFrameHeight(),
                                  reference->getNumberOfFrames());
            return true;
        }
    }
    return CAnimation::applyDescriptor(descriptor);
}

bool CAutoAnimation::fillDescriptor(CControlDescriptor& descriptor)
{
    if (descriptor.getDescriptorName() == "AnimationStyle")
    {
        // The descriptor holds the list while it is filled, so a failure to fill it lets it go.
        auto* names = new TCountedPointerArray<CString>();
        descriptor.setValue(names);
        for (const char* styleName : kStyleNames)
            names->addElement(new CString(styleName));
        descriptor.setSelectedIndex(m_style);
        return true;
    }
    return CAnimation::fillDescriptor(descriptor);
}
} // namespace Controls
} // namespace GUI
} // namespace Brivant
