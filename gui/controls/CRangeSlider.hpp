// A slider that selects a sub-range [minimum, maximum] of 0..1 with a bar along its track: either end of the bar
// can be dragged, the whole bar dragged, moved by a press beside it or by the wheel. Vertical sliders have the
// maximum at the top, horizontal ones at the right. Either end can be locked; in jump-to-maximum mode every press
// sets the maximum at the pointer with the minimum at 0. The control value of the base is not used.
#pragma once

#include "foundation/mathtools/CPoint.hpp"
#include "gui/core/CControl.hpp"

namespace Brivant
{
namespace GUI
{
namespace Windowing
{
class CCursor;
}

namespace Controls
{
class CRangeSlider : public CControl
{
    BRIVANT_CLASS_RECORD(CRangeSlider, "CControl");

public:
    enum EBarState : long
    {
        kNormal = 0,
        kOver = 1,
        kDown = 2
    };
    enum EDragMode : long
    {
        kNoDrag = 0,
        kMaximumEnd = 1,
        kWholeBar = 2,
        kMinimumEnd = 3
    };

    // The bar starts at the origin a third of the length long, though the range reads 0..1 until it is set.
    CRangeSlider(IControlRoot* root, long id, const ::Brivant::MathTools::CRect& area,
                 Listeners::IActionListener* listener);

    // Ignored outside 0..1; each moves only its own end of the bar and tells no listener.
    virtual void setMinimum(double value);
    virtual void setMaximum(double value);
    virtual double getMinimum() const { return m_minimum; }
    virtual double getMaximum() const { return m_maximum; }
    // The range is taken only when maximum > minimum; jumpToMax forces the minimum locked and the maximum free.
    virtual void setRangeOptions(bool lockMinimum, bool lockMaximum, double minimum, double maximum, bool jumpToMax);
    virtual void setSliderColours(Basics::CAlphaColour frame, Basics::CAlphaColour background,
                                  Basics::CAlphaColour handle, Basics::CAlphaColour over, Basics::CAlphaColour down);
    // Over an end zone that is free to move the bar shows hovering and the slider is locked in its root, so that it
    // sees the pointer leave; elsewhere it is normal and unlocked.
    virtual void updateHoverState(const ::Brivant::MathTools::CPoint& point);

    // Lays the bar out again and puts it where the range says.
    void setArea(const ::Brivant::MathTools::CRect& area) override;
    void drawControl(Graphics::CGraphics& graphics) override;
    void getDescriptors(Collections::TCountedPointerArray<CControlDescriptor>& list) override;
    bool applyDescriptor(const CControlDescriptor& descriptor) override;
    bool fillDescriptor(CControlDescriptor& descriptor) override;

    // Every change by the mouse, and every release, is reported with the mouse event's modifier keys.
    void handleLeftButtonDown(Events::CMouseEvent& event) override;
    void handleLeftButtonUp(Events::CMouseEvent& event) override;
    void handleMouseMovement(Events::CMouseEvent& event) override;
    // 5 pixels a notch, 1 with Shift; the locks do not hold the wheel.
    void handleMouseScroll(Events::CMouseEvent& event) override;
    void handleMouseLeavingArea(Events::CMouseEvent& event) override;

    // In the slider's own coordinates.
    const ::Brivant::MathTools::CRect& getBarArea() const { return m_barArea; }
    long getBarState() const { return m_barState; }
    long getDragMode() const { return m_dragMode; }
    bool isVertical() const { return m_vertical; }
    bool isMinimumLocked() const { return m_lockMinimum; }
    bool isMaximumLocked() const { return m_lockMaximum; }
    bool isJumpToMaximum() const { return m_jumpToMaximum; }

private:
    long getTrackLength() const;
    long getBarStart() const;
    long getBarLength() const;
    // Moves the bar along the track, its length kept.
    void setBarStart(long start);
    void placeMinimumEnd(double value);
    void placeMaximumEnd(double value);
    // Both values from the bar's ends; a track of no length keeps them.
    void readValuesFromBar();
    void report(const Events::CMouseEvent& event);
    bool isInBar(const ::Brivant::MathTools::CPoint& point) const;
    bool isInMaximumZone(const ::Brivant::MathTools::CPoint& point) const;
    bool isInMinimumZone(const ::Brivant::MathTools::CPoint& point) const;
    Windowing::CCursor& resizeCursor() const;
    void showCursor(Events::CMouseEvent& event, Windowing::CCursor& cursor) const;

    ::Brivant::MathTools::CRect m_barArea;
    ::Brivant::MathTools::CPoint m_dragReference;
    Basics::CAlphaColour m_handleColour;
    Basics::CAlphaColour m_handleOverColour;
    Basics::CAlphaColour m_handleDownColour;
    long m_barState;
    bool m_vertical;
    long m_dragMode;
    double m_minimum;
    double m_maximum;
    bool m_lockMaximum;
    bool m_lockMinimum;
    bool m_jumpToMaximum;
    // A press beside the bar moves it without taking the values; the release takes them if no drag did.
    bool m_valuesPending;
};
} // namespace Controls
} // namespace GUI
} // namespace Brivant
