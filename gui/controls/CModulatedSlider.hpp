// A range slider that also draws a thin mark across its track at a modulation position the program sets.
#pragma once

#include "gui/controls/CRangeSlider.hpp"

namespace Brivant
{
namespace GUI
{
namespace Controls
{
class CModulatedSlider : public CRangeSlider
{
    BRIVANT_CLASS_RECORD(CModulatedSlider, "CRangeSlider");

public:
    // The modulation starts at 1, the mark at the origin.
    CModulatedSlider(IControlRoot* root, long id, const ::Brivant::MathTools::CRect& area,
                     Listeners::IActionListener* listener);

    // Ignored outside 0..1 and when unchanged.
    void setModulationValue(double value);
    double getModulationValue() const { return m_modulationValue; }
    const ::Brivant::MathTools::CRect& getMarkArea() const { return m_markArea; }

    // The mark is laid across the new track where the modulation says.
    void setArea(const ::Brivant::MathTools::CRect& area) override;
    void drawControl(Graphics::CGraphics& graphics) override;
    // "Mod Mark Colour" after the range slider's properties.
    void getDescriptors(Collections::TCountedPointerArray<CControlDescriptor>& list) override;
    bool applyDescriptor(const CControlDescriptor& descriptor) override;
    bool fillDescriptor(CControlDescriptor& descriptor) override;

private:
    // 2 pixels thick, across the track.
    void layoutMark();
    void placeMark();

    double m_modulationValue;
    ::Brivant::MathTools::CRect m_markArea;
    Basics::CAlphaColour m_modMarkColour;
};
} // namespace Controls
} // namespace GUI
} // namespace Brivant
