// A film strip that plays itself on its window's timer: each tick moves the value by one frame's step in one of
// five styles. It registers with its root's window for its lifetime and uses its control id as the timer id, so
// it needs an id other than 0 to start. Ticks are never reported to the action listener.
#pragma once

#include "gui/controls/CAnimation.hpp"
#include "gui/core/ITimedObject.hpp"

namespace Brivant
{
namespace GUI
{
namespace Windowing
{
class IWindow;
}

namespace Controls
{
class CAutoAnimation : public CAnimation, public Basics::ITimedObject
{
    BRIVANT_CLASS_RECORD(CAutoAnimation, "CAnimation");

public:
    enum EAnimationStyle : long
    {
        kForward = 0,
        kBackward = 1,
        kBounce = 2,
        kForwardLoop = 3,
        kBackwardLoop = 4,
        kNumberOfStyles = 5
    };

    // Step 0, Forward, bouncing forward.
    CAutoAnimation(IControlRoot* root, long id, const ::Brivant::MathTools::CRect& area);
    ~CAutoAnimation() override;

    // The strip, never inverted; the step becomes one frame, or 0 for a strip without frames.
    virtual void setAutoAnimationImage(Graphics::IImage* image, long frameHeight, long numberOfFrames);
    // A style outside 0..4 is refused. Backward starts from the end: the value becomes 1.
    virtual void setAnimationStyle(long style);
    // The window's timer with the control id; an id of 0 throws CException.
    virtual void startAnimation(long milliseconds);
    virtual void stopAnimation();

    double getStep() const { return m_step; }
    long getAnimationStyle() const { return m_style; }
    bool isBouncingForward() const { return m_bouncingForward; }

    // One step of the style, then a redraw.
    void timerExpired() override;
    long getTimerId() const override { return getControlId(); }

    // Adds "AnimationStyle"; a "Primary Image" strip sets the step as well.
    void getDescriptors(Collections::TCountedPointerArray<CControlDescriptor>& list) override;
    bool applyDescriptor(const CControlDescriptor& descriptor) override;
    bool fillDescriptor(CControlDescriptor& descriptor) override;

    static const char* const kStyleNames[kNumberOfStyles];

private:
    // The window registered with at construction, so that the same one is left and timed.
    Windowing::IWindow* m_window;
    double m_step;
    long m_style;
    bool m_bouncingForward;
};
} // namespace Controls
} // namespace GUI
} // namespace Brivant
