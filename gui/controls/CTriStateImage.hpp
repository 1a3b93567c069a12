// One of three pictures, picked by a state the program sets (0, 1 or 2); it takes no mouse input.
#pragma once

#include "gui/core/CControl.hpp"

namespace Brivant
{
namespace GUI
{
namespace Controls
{
class CTriStateImage : public CControl
{
    BRIVANT_CLASS_RECORD(CTriStateImage, "CControl");

public:
    CTriStateImage(IControlRoot* root, long id, const ::Brivant::MathTools::CRect& area);
    // Releases the three pictures.
    ~CTriStateImage() override;

    // Each counted; no redraw.
    void setImages(Graphics::IImage* image1, Graphics::IImage* image2, Graphics::IImage* image3);
    // 0, 1 or 2, redrawn; anything else is ignored.
    void setState(unsigned long state);

    // "Image 1", "Image 2" and "Image 3" after the base's: image manager reference names.
    void getDescriptors(Collections::TCountedPointerArray<CControlDescriptor>& list) override;
    bool applyDescriptor(const CControlDescriptor& descriptor) override;
    bool fillDescriptor(CControlDescriptor& descriptor) override;

    // The state's picture stretched over the control; nothing without one.
    void drawControl(Graphics::CGraphics& graphics) override;

private:
    static constexpr long kStates = 3;

    // The holder a property name stands for, or null.
    Graphics::IImage** imageNamed(const ::Brivant::Basics::CString& name);

    Graphics::IImage* m_images[kStates];
    long m_state;
};
} // namespace Controls
} // namespace GUI
} // namespace Brivant
