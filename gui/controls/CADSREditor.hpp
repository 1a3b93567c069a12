// An attack-decay-sustain-release envelope edited graphically: a filled five-point polygon whose corners are
// dragged through four square handles. It holds the four settings, each 0..1 when set by the mouse, and tells its
// action listener while a handle is dragged.
#pragma once

#include "foundation/mathtools/CPolygon.hpp"
#include "gui/core/CControl.hpp"

namespace Brivant
{
namespace GUI
{
namespace Controls
{
class CADSREditor : public CControl
{
    BRIVANT_CLASS_RECORD(CADSREditor, "CControl");

public:
    // The envelope settings, which are also the handles' indices.
    enum EStage : long
    {
        kNoStage = -1,
        kAttack = 0,
        kDecay = 1,
        kSustain = 2,
        kRelease = 3,
        kNumberOfStages = 4
    };

    // Attack, decay and release 1, sustain 0.5; the points laid out for the area, the settings not yet applied.
    CADSREditor(IControlRoot* root, long id, const ::Brivant::MathTools::CRect& area,
                Listeners::IActionListener* listener);

    // 0 for an index outside the four stages.
    virtual double getEnvelopeValue(long index) const;
    // Stored without a range test (NaN counts as 0) and the points moved to it; an index outside the four stages
    // changes nothing.
    virtual void setEnvelopeValue(long index, double value);
    void setEditorColours(const Basics::CAlphaColour& line, const Basics::CAlphaColour& poly,
                          const Basics::CAlphaColour& handle, const Basics::CAlphaColour& selHandle);

    // The points are laid out for the new size and the settings applied again.
    void setArea(const ::Brivant::MathTools::CRect& area) override;
    void drawControl(Graphics::CGraphics& graphics) override;
    // "Line Colour", "Poly Colour", "Handle Colour" and "Sel Handle Colour" after the base's properties.
    void getDescriptors(Collections::TCountedPointerArray<CControlDescriptor>& list) override;
    bool applyDescriptor(const CControlDescriptor& descriptor) override;
    bool fillDescriptor(CControlDescriptor& descriptor) override;

    // A press picks the handle under the pointer; dragging it reports each move. The editor is locked in its
    // root while the pointer is over it, so that it sees the pointer leave, and through a drag.
    void handleLeftButtonDown(Events::CMouseEvent& event) override;
    void handleLeftButtonUp(Events::CMouseEvent& event) override;
    void handleMouseMovement(Events::CMouseEvent& event) override;
    void handleMouseLeavingArea(Events::CMouseEvent& event) override;

    // P0 (start) to P4 (end of release), in the editor's own coordinates.
    const ::Brivant::MathTools::CPolygon& getEnvelope() const { return m_envelope; }
    // The handle of point P(index + 1).
    const ::Brivant::MathTools::CRect& getHandleArea(long index) const { return m_handles[index]; }
    long getSelectedHandle() const { return m_selectedHandle; }
    long getSegmentWidth() const { return m_segmentWidth; }
    long getInnerHeight() const { return m_innerHeight; }
    bool isOver() const { return m_over; }
    bool isPressed() const { return m_pressed; }

private:
    void layout();
    long getX(long point) const;
    long getY(long point) const;
    void setX(long point, long x);
    // Moves P2 with P1 (attack), then P3 a stage's width after P2 and P4 by as much as P3 moved.
    void moveAttackPeak(long x);
    void moveDecayEnd(long x);
    void placeHandles();
    void drag(const ::Brivant::MathTools::CPoint& point);
    bool isOnEditor(const ::Brivant::MathTools::CPoint& point) const;

    bool m_over;
    bool m_pressed;
    long m_selectedHandle;
    long m_segmentWidth;
    long m_innerHeight;
    long m_innerWidth;
    ::Brivant::MathTools::CPolygon m_envelope;
    ::Brivant::MathTools::CRect m_handles[kNumberOfStages];
    double m_values[kNumberOfStages];
    Basics::CAlphaColour m_lineColour;
    Basics::CAlphaColour m_polyColour;
    // The selected handle is outlined in the handle colour, the others in the "sel handle" colour.
    Basics::CAlphaColour m_handleColour;
    Basics::CAlphaColour m_selHandleColour;
};
} // namespace Controls
} // namespace GUI
} // namespace Brivant
