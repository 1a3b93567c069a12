// One chosen frame of a vertical film strip, and a click on it reported to the action listener. Mouse events are
// off until "Mouse Enabled" turns them on.
#pragma once

#include "gui/core/CControl.hpp"

namespace Brivant
{
namespace GUI
{
namespace Controls
{
class CAnimationFrame : public CControl
{
    BRIVANT_CLASS_RECORD(CAnimationFrame, "CControl");

public:
    // Frame 0, no action listener, not mouse-enabled.
    CAnimationFrame(IControlRoot* root, long id, const ::Brivant::MathTools::CRect& area);

    // The image becomes the primary image; the frame height is taken only when there is an image.
    virtual void setFrameImage(Graphics::IImage* image, long frameHeight);
    virtual void setFrameIndex(long index);

    long getFrameHeight() const { return m_frameHeight; }
    long getFrameIndex() const { return m_frameIndex; }
    const ::Brivant::MathTools::CRect& getSourceArea() const { return m_source; }

    // "Primary Image" names a film strip of the image manager; a name it does not know is refused.
    bool applyDescriptor(const CControlDescriptor& descriptor) override;

    // The chosen frame over the normalised area; a frame that does not lie wholly inside the picture draws nothing.
    void drawControl(Graphics::CGraphics& graphics) override;
    void handleLeftButtonDown(Events::CMouseEvent& event) override;

private:
    long m_frameHeight;
    long m_frameIndex;
    ::Brivant::MathTools::CRect m_source;
};
} // namespace Controls
} // namespace GUI
} // namespace Brivant
