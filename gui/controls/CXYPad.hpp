// Two values at once from a puck dragged inside the pad: x from 0 at the left to 1 at the right, y from 0 at the
// bottom to 1 at the top. Shift moves only y, Ctrl only x. The listener reads getXValue and getYValue; the
// control's ordinary value is not used.
#pragma once

#include "foundation/mathtools/CPoint.hpp"
#include "gui/core/CControl.hpp"

namespace Brivant
{
namespace GUI
{
namespace Controls
{
class CXYPad : public CControl
{
    BRIVANT_CLASS_RECORD(CXYPad, "CControl");

public:
    // The puck is a tenth of the area each way, placed where the first values (x 1, y 0) put it.
    CXYPad(IControlRoot* root, long id, const ::Brivant::MathTools::CRect& area,
           Listeners::IActionListener* listener);
    // Releases the puck's pictures.
    ~CXYPad() override;

    virtual double getXValue() const { return m_xValue; }
    virtual double getYValue() const { return m_yValue; }
    // Values outside 0..1 are ignored and NaN counts as 0; the puck moves there, unreported.
    virtual void setXValue(double x);
    virtual void setYValue(double y);
    // Counted, no redraw; an off picture gives the puck its size.
    virtual void setImages(Graphics::IImage* off, Graphics::IImage* over, Graphics::IImage* down);
    // No redraw.
    virtual void setColours(const Basics::CAlphaColour& frame, const Basics::CAlphaColour& background,
                            const Basics::CAlphaColour& off, const Basics::CAlphaColour& over,
                            const Basics::CAlphaColour& down);
    // Over the puck (edges included): state over, and locked so that leaving it is seen; else state off and
    // unlocked.
    virtual void checkMouseOver(const ::Brivant::MathTools::CPoint& point);

    // "Off Image", "Over Image", "Down Image", "Off Colour", "Over Colour", "Down Colour" after the base's.
    void getDescriptors(Collections::TCountedPointerArray<CControlDescriptor>& list) override;
    bool applyDescriptor(const CControlDescriptor& descriptor) override;
    bool fillDescriptor(CControlDescriptor& descriptor) override;
    // The puck keeps its size and place; the travels follow the new size.
    void setArea(const ::Brivant::MathTools::CRect& area) override;
    void drawControl(Graphics::CGraphics& graphics) override;

    // A press centres the puck on the pointer (Shift: only vertically, Ctrl: only horizontally) and starts a
    // drag; the listener is told on the press and on every drag movement, not on the release.
    void handleLeftButtonDown(Events::CMouseEvent& event) override;
    void handleLeftButtonUp(Events::CMouseEvent& event) override;
    // Centres the puck, unreported.
    void handleDoubleClick(Events::CMouseEvent& event) override;
    void handleMouseMovement(Events::CMouseEvent& event) override;

protected:
    const ::Brivant::MathTools::CRect& getPuckArea() const { return m_puck; }
    double getHorizontalTravel() const { return m_horizontalTravel; }
    double getVerticalTravel() const { return m_verticalTravel; }
    // The pad's background, false when disabled; then the puck over whatever a subclass drew in between.
    bool drawBackground(Graphics::CGraphics& graphics);
    void drawPuck(Graphics::CGraphics& graphics);

private:
    enum EState : long
    {
        kOff = 0,
        kOver = 1,
        kDown = 2
    };

    void computeTravels();
    // The values from the puck's place; no travel (the puck as large as the pad) reads x 0 and y 1.
    void readHorizontalValue();
    void readVerticalValue();
    void placeHorizontally(double x);
    void placeVertically(double y);
    // Edges included.
    bool isOverPuck(const ::Brivant::MathTools::CPoint& point) const;
    void releaseLock();
    void notifyListener();

    ::Brivant::MathTools::CRect m_puck;
    ::Brivant::MathTools::CPoint m_grabOffset;
    long m_state;
    bool m_dragging;
    double m_verticalTravel;
    double m_horizontalTravel;
    double m_xValue;
    double m_yValue;
    Graphics::IImage* m_offImage;
    Graphics::IImage* m_overImage;
    Graphics::IImage* m_downImage;
    Basics::CAlphaColour m_offColour;
    Basics::CAlphaColour m_overColour;
    Basics::CAlphaColour m_downColour;
};
} // namespace Controls
} // namespace GUI
} // namespace Brivant
