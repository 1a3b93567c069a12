// A row of vertical bars, each a value from 0 to 1 drawn as a filled rectangle rising from the bottom, set by
// clicking or dragging across them (a step sequence or a curve drawn by hand). Bars start at the left edge, each
// slider width wide with the gap between them; every change the mouse makes reaches the action listener with the
// mouse event, and getSelectedSlider tells which bar it was.
#pragma once

#include "gui/core/CControl.hpp"

#include <vector>

namespace Brivant
{
namespace GUI
{
namespace Controls
{
class CSliderArray : public CControl
{
    BRIVANT_CLASS_RECORD(CSliderArray, "CControl");

public:
    // What setColours takes; frame and background are the control's own default colours.
    struct SColours
    {
        Basics::CAlphaColour frame;
        Basics::CAlphaColour background;
        Basics::CAlphaColour handle;
        Basics::CAlphaColour handleDown;
    };

    // Every bar starts full; a count below 0 gives none.
    CSliderArray(IControlRoot* root, long id, const ::Brivant::MathTools::CRect& area, long sliderWidth, long gapWidth,
                 long count, Listeners::IActionListener* listener);

    // Ignored unless 0 <= value <= 1 and the index names a bar; the listener is not told.
    virtual void setSliderValue(double value, long index);
    // 0 for an index that names no bar.
    virtual double getSliderValue(long index) const;
    // The bar the mouse set last during the current drag; 0 otherwise.
    virtual long getSelectedSlider() const;
    virtual void setColours(SColours colours);

    // The bars are laid out again, every one back to full.
    void setSliderLayout(long sliderWidth, long gapWidth);

    // The bars follow the new height and keep their values.
    void setArea(const ::Brivant::MathTools::CRect& area) override;
    void drawControl(Graphics::CGraphics& graphics) override;
    void getDescriptors(Collections::TCountedPointerArray<CControlDescriptor>& list) override;
    bool applyDescriptor(const CControlDescriptor& descriptor) override;
    bool fillDescriptor(CControlDescriptor& descriptor) override;

    void handleLeftButtonDown(Events::CMouseEvent& event) override;
    void handleLeftButtonUp(Events::CMouseEvent& event) override;
    void handleMouseMovement(Events::CMouseEvent& event) override;
    void handleMouseLeavingArea(Events::CMouseEvent& event) override;

private:
    // New bars, every one full; a count below 0 gives none. False, with the bars as they were, for more bars than
    // the control's width has pixels or for arrays that cannot be made.
    bool setSliderCount(long count);
    // Where bar index's column starts, in a sum that cannot overflow.
    long long getColumnLeft(std::size_t index) const;
    // Each bar's rectangle from its value and the current height and widths.
    void layoutSliders();
    // The bar whose column holds the point (edges included) takes the pointer's height as its value.
    void setSliderFromMouse(Events::CMouseEvent& event);
    void endDrag();

    Basics::CAlphaColour m_handleColour;
    Basics::CAlphaColour m_handleDownColour;
    std::vector<double> m_values;
    std::vector<::Brivant::MathTools::CRect> m_bars;
    long m_sliderWidth;
    long m_gapWidth;
    bool m_dragging;
    long m_selectedSlider;
};
} // namespace Controls
} // namespace GUI
} // namespace Brivant
