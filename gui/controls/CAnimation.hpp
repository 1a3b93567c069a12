// A display of one frame of a vertical film strip, chosen by the value: 0 the first frame, 1 the last (inverted:
// the other way round). It takes no mouse input; the knob and the timed animations build on it.
#pragma once

#include "gui/core/CControl.hpp"
#include "gui/core/CImageManager.hpp"

namespace Brivant
{
namespace GUI
{
namespace Controls
{
class CAnimation : public CControl
{
    BRIVANT_CLASS_RECORD(CAnimation, "CControl");

public:
    // Value 0, not mouse-enabled, no action listener.
    CAnimation(IControlRoot* root, long id, const ::Brivant::MathTools::CRect& area);

    // The reference's strip with its frame height and count; a null reference changes nothing.
    virtual void setAnimationReference(const Graphics::CImageManager::CAnimationReference* reference, bool invert);
    // The image becomes the primary image; frame data are taken only when there is an image, the invert flag
    // always.
    virtual void setAnimationImage(Graphics::IImage* image, long frameHeight, long numberOfFrames, bool invert);

    // Adds "Invert"; "Primary Image" names a film strip of the image manager.
    void getDescriptors(Collections::TCountedPointerArray<CControlDescriptor>& list) override;
    bool applyDescriptor(const CControlDescriptor& descriptor) override;
    bool fillDescriptor(CControlDescriptor& descriptor) override;

    // The frame for the value; a negative or NaN value keeps the frame drawn last.
    void drawControl(Graphics::CGraphics& graphics) override;

    long getFrameHeight() const { return m_frameHeight; }
    long getNumberOfFrames() const { return m_numberOfFrames; }
    bool isInverted() const { return m_invert; }
    // The part of the strip drawn last (or to be drawn when nothing was yet).
    const ::Brivant::MathTools::CRect& getSourceRectangle() const { return m_source; }

private:
    // Moves the source rectangle to the value's frame; false when no frame of the strip lies inside the image.
    bool selectFrame();

    long m_frameHeight;
    long m_numberOfFrames;
    ::Brivant::MathTools::CRect m_source;
    bool m_invert;
};
} // namespace Controls
} // namespace GUI
} // namespace Brivant
