// An XY pad with a second, passive handle showing where modulation has moved the values; only the program moves
// it. Values the program sets move both the puck and the handle.
#pragma once

#include "gui/controls/CXYPad.hpp"

namespace Brivant
{
namespace GUI
{
namespace Controls
{
class CModulatedXYPad : public CXYPad
{
    BRIVANT_CLASS_RECORD(CModulatedXYPad, "CXYPad");

public:
    // The handle starts as a copy of the puck.
    CModulatedXYPad(IControlRoot* root, long id, const ::Brivant::MathTools::CRect& area,
                    Listeners::IActionListener* listener);
    // Releases the handle's picture.
    ~CModulatedXYPad() override;

    // The handle follows any value, held to 0..1 (NaN as 0); the puck only values in 0..1.
    void setXValue(double x) override;
    void setYValue(double y) override;
    // Moves the handle alone, to the values held to 0..1 (NaN as 0), and redraws; the values stay.
    virtual void setModulationValues(double x, double y);
    // Counted; the handle keeps its size; no redraw.
    virtual void setModulationHandleImage(Graphics::IImage* image);

    // "Mod Handle Image" after the pad's.
    void getDescriptors(Collections::TCountedPointerArray<CControlDescriptor>& list) override;
    bool applyDescriptor(const CControlDescriptor& descriptor) override;
    bool fillDescriptor(CControlDescriptor& descriptor) override;
    // The handle between the background and the puck.
    void drawControl(Graphics::CGraphics& graphics) override;

private:
    void placeHandleHorizontally(double x);
    void placeHandleVertically(double y);

    ::Brivant::MathTools::CRect m_handle;
    Graphics::IImage* m_handleImage;
};
} // namespace Controls
} // namespace GUI
} // namespace Brivant
