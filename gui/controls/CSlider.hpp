// A linear slider: a handle moving along the long side of the area, drawn from images or plain colours, set by
// dragging it, by pressing beside it (it jumps to centre on the press) and by the wheel. It is vertical when the
// area is at least as high as wide. The mouse reads 1 at the top (or left) end of the track and 0 at the other,
// while setValue puts the handle value x travel from the start; both directions are relied on (the scroll bar
// turns the mouse's value into its offset, and resets itself with setValue(0)).
#pragma once

#include "foundation/mathtools/CPoint.hpp"
#include "gui/core/CControl.hpp"

namespace Brivant
{
namespace GUI
{
namespace Controls
{
class CSlider : public CControl
{
    BRIVANT_CLASS_RECORD(CSlider, "CControl");

public:
    // Handle states, which pick the handle's image or colour.
    enum EHandleState : long
    {
        kNormal = 0,
        kOver = 1,
        kDown = 2
    };

    // The handle is a third of the length at the start of the track; the value stays at 1.
    CSlider(IControlRoot* root, long id, const ::Brivant::MathTools::CRect& area, Listeners::IActionListener* listener);
    // Releases the four handle images.
    ~CSlider() override;

    // Ignored outside 0..1; the listener is not told.
    void setValue(double value) override;
    // A new size lays the handle out again at a third of the length and puts it where the value says; a move
    // that keeps the size keeps the handle as it is.
    void setArea(const ::Brivant::MathTools::CRect& area) override;
    void drawControl(Graphics::CGraphics& graphics) override;
    // Disabled: the disabled image and the handle's disabled image, and false.
    bool drawEnabledControl(Graphics::CGraphics& graphics) override;
    void getDescriptors(Collections::TCountedPointerArray<CControlDescriptor>& list) override;
    bool applyDescriptor(const CControlDescriptor& descriptor) override;
    bool fillDescriptor(CControlDescriptor& descriptor) override;

    void handleLeftButtonDown(Events::CMouseEvent& event) override;
    void handleLeftButtonUp(Events::CMouseEvent& event) override;
    void handleMouseMovement(Events::CMouseEvent& event) override;
    // 5 pixels a notch, 1 with Shift; only the sign of the wheel counts.
    void handleMouseScroll(Events::CMouseEvent& event) override;
    void handleMouseLeavingArea(Events::CMouseEvent& event) override;

    // A non-null normal image replaces the handle's and gives the handle its size, at the start of the track;
    // the other three are replaced as given (null clears).
    virtual void setHandleImages(Graphics::IImage* normal, Graphics::IImage* over, Graphics::IImage* down,
                                 Graphics::IImage* disabled);
    virtual void setSliderColours(Basics::CAlphaColour frame, Basics::CAlphaColour background,
                                  Basics::CAlphaColour handle, Basics::CAlphaColour over, Basics::CAlphaColour down);
    // Over the handle (edges included) the slider is hovered and locked in its root so that it sees the pointer
    // leave; elsewhere it is normal and unlocked.
    virtual void updateHoverState(const ::Brivant::MathTools::CPoint& point);

    // In the slider's own coordinates.
    const ::Brivant::MathTools::CRect& getHandleArea() const { return m_handleArea; }
    long getHandleState() const { return m_handleState; }
    bool isVertical() const { return m_vertical; }
    bool isDragging() const { return m_dragging; }
    // The pixels the handle can move; 0 or less when it fills the track.
    double getTravel() const { return m_travel; }

protected:
    // The handle's place and size for the current area: a third of the length at the start of the track.
    virtual void layoutHandle();
    // The area's height (vertical) or width.
    long getTrackLength() const;
    long getHandleLength() const;
    // The handle's top (vertical) or left.
    long getHandlePosition() const;
    void setHandlePosition(long position);
    void setHandleLength(long length);
    void setTravel(double travel) { m_travel = travel; }
    // Held to the track; the start when the handle fills it.
    long clampPosition(long position) const;
    // Moves the handle, takes the value the mouse reads there and tells the listener.
    void moveHandleTo(long position);
    // The wheel's step: down (a wheel value below 0) moves towards the far end, anything else back.
    void moveHandleByWheel(Events::CMouseEvent& event, long step);
    bool isInHandle(const ::Brivant::MathTools::CPoint& point) const;

private:
    void drawHandle(Graphics::CGraphics& graphics);

    Graphics::IImage* m_handleImage;
    Graphics::IImage* m_handleOverImage;
    Graphics::IImage* m_handleDownImage;
    Graphics::IImage* m_handleDisabledImage;
    ::Brivant::MathTools::CRect m_handleArea;
    ::Brivant::MathTools::CPoint m_dragReference;
    long m_handleState;
    bool m_vertical;
    bool m_dragging;
    double m_travel;
    Basics::CAlphaColour m_handleColour;
    Basics::CAlphaColour m_handleOverColour;
    Basics::CAlphaColour m_handleDownColour;
};
} // namespace Controls
} // namespace GUI
} // namespace Brivant
