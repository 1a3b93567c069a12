// A rotary knob drawn from a film strip. Dragging right or up raises the value by 1/200 per pixel (1/20000 with
// Shift), the wheel moves it by 0.025 a notch (0.00625 with Shift), a double click restores the default; every
// change is reported to the action listener. The value a user sets stays within 0..1.
#pragma once

#include "foundation/mathtools/CPoint.hpp"
#include "gui/controls/CAnimation.hpp"

namespace Brivant
{
namespace GUI
{
namespace Controls
{
class CKnob : public CAnimation
{
    BRIVANT_CLASS_RECORD(CKnob, "CAnimation");

public:
    // Mouse-enabled, default value 0.5.
    CKnob(IControlRoot* root, long id, const ::Brivant::MathTools::CRect& area,
          Listeners::IActionListener* listener);

    // Taken as it is on a double click.
    virtual void setDefaultValue(double value);
    // The drag scale; every press starts a drag at 1/200 again, so it is what a reading gives back until then.
    virtual void setCoefficient(double coefficient);
    double getDefaultValue() const { return m_defaultValue; }
    double getCoefficient() const { return m_dragScale; }
    bool isDragging() const { return m_dragging; }

    // Adds "Default Value" and "Coefficient".
    void getDescriptors(Collections::TCountedPointerArray<CControlDescriptor>& list) override;
    bool applyDescriptor(const CControlDescriptor& descriptor) override;
    bool fillDescriptor(CControlDescriptor& descriptor) override;

    // A press locks the knob in its root so that the drag goes on outside it; the release unlocks it.
    void handleLeftButtonDown(Events::CMouseEvent& event) override;
    void handleLeftButtonUp(Events::CMouseEvent& event) override;
    void handleDoubleClick(Events::CMouseEvent& event) override;
    void handleMouseScroll(Events::CMouseEvent& event) override;
    void handleMouseMovement(Events::CMouseEvent& event) override;

private:
    // Takes the value held to 0..1 (NaN as 0); a change is redrawn and reported.
    void changeValue(double value);
    void report();

    double m_defaultValue;
    double m_dragReference;
    double m_dragScale;
    bool m_dragging;
    ::Brivant::MathTools::CPoint m_dragStart;
};
} // namespace Controls
} // namespace GUI
} // namespace Brivant
