// A bipolar slider: its value runs from 0 to 1 with 0.5 at the centre line of the track, and it draws a bar from
// the centre line towards the top or right end for values above 0.5 and towards the bottom or left end below.
// It has no handle and no images of its own; pressing or dragging sets the value at the pointer.
#pragma once

#include "gui/core/CControl.hpp"

namespace Brivant
{
namespace GUI
{
namespace Controls
{
class CCenterSlider : public CControl
{
    BRIVANT_CLASS_RECORD(CCenterSlider, "CControl");

public:
    // At value 1, the bar over the whole upper (vertical) or right (horizontal) half.
    CCenterSlider(IControlRoot* root, long id, const ::Brivant::MathTools::CRect& area,
                  Listeners::IActionListener* listener);

    // Ignored outside 0..1; lays the bar out for the value and tells no listener.
    void setValue(double value) override;
    // The centre and the bar follow a new size; a move keeps the bar as it was.
    void setArea(const ::Brivant::MathTools::CRect& area) override;
    // Frame and background go to the base's default drawing.
    virtual void setSliderColours(Basics::CAlphaColour frame, Basics::CAlphaColour background, Basics::CAlphaColour off,
                                  Basics::CAlphaColour over, Basics::CAlphaColour down);

    void drawControl(Graphics::CGraphics& graphics) override;
    // "Off Colour", "Over Colour" and "Down Colour" after the base's properties.
    void getDescriptors(Collections::TCountedPointerArray<CControlDescriptor>& list) override;
    bool applyDescriptor(const CControlDescriptor& descriptor) override;
    bool fillDescriptor(CControlDescriptor& descriptor) override;

    // The press and the drag set the value at the pointer and report it; the slider is locked until the release.
    void handleLeftButtonDown(Events::CMouseEvent& event) override;
    void handleLeftButtonUp(Events::CMouseEvent& event) override;
    void handleMouseMovement(Events::CMouseEvent& event) override;
    // 0.025 a notch, 0.000625 with Shift; reported even when the step would leave 0..1 and is ignored.
    void handleMouseScroll(Events::CMouseEvent& event) override;

    // In the slider's own coordinates.
    const ::Brivant::MathTools::CRect& getBarArea() const { return m_barArea; }
    long getCentre() const { return m_centre; }
    bool isVertical() const { return m_vertical; }
    bool isPressed() const { return m_pressed; }

private:
    // Orientation, centre and the bar of value 1.
    void layout();
    void layoutBarForValue(double value);
    void setValueFromPointer(const ::Brivant::MathTools::CPoint& point);
    void report(const Events::CMouseEvent& event);

    long m_centre;
    Basics::CAlphaColour m_offColour;
    Basics::CAlphaColour m_overColour;
    Basics::CAlphaColour m_downColour;
    ::Brivant::MathTools::CRect m_barArea;
    bool m_vertical;
    bool m_pressed;
};
} // namespace Controls
} // namespace GUI
} // namespace Brivant
