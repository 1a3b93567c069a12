// A value shown as a horizontal bar growing from the left with its percentage written over it. It is a text
// label whose text is the percentage, and it takes no mouse or keyboard input.
#pragma once

#include "foundation/mathtools/CRect.hpp"
#include "gui/controls/CTextLabel.hpp"

namespace Brivant
{
namespace GUI
{
namespace Controls
{
class CProgressBar : public CTextLabel
{
    BRIVANT_CLASS_RECORD(CProgressBar, "CTextLabel");

public:
    // "0%", centred, with an empty bar.
    CProgressBar(IControlRoot* root, long id, const ::Brivant::MathTools::CRect& area);

    // Stored as it is, shown held to 0..1 (NaN as 0): the bar is that x (width - 4) wide and the text the
    // truncated percent.
    void setValue(double value) override;
    // The bar keeps its width and takes the new height.
    void setArea(const ::Brivant::MathTools::CRect& area) override;
    void drawControl(Graphics::CGraphics& graphics) override;
    // "Draw Text" after the label's properties.
    void getDescriptors(Collections::TCountedPointerArray<CControlDescriptor>& list) override;
    bool applyDescriptor(const CControlDescriptor& descriptor) override;
    bool fillDescriptor(CControlDescriptor& descriptor) override;

    // In the bar's own coordinates.
    const ::Brivant::MathTools::CRect& getBarArea() const { return m_barArea; }

private:
    ::Brivant::MathTools::CRect m_barArea;
    bool m_drawText;
};
} // namespace Controls
} // namespace GUI
} // namespace Brivant
