// A level display: the value (0..1) lights a row of small rounded segments, upwards when the area is taller than
// wide, else left to right; their colour steps evenly from the base colour towards the max colour. It takes no
// input, and setting a value asks for no redraw: the owner does, once per update.
#pragma once

#include "gui/core/CControl.hpp"

namespace Brivant
{
namespace GUI
{
namespace Controls
{
class CLevelMeter : public CControl
{
    BRIVANT_CLASS_RECORD(CLevelMeter, "CControl");

public:
    // A step count below 1 is taken as 1. Blue to white.
    CLevelMeter(IControlRoot* root, long id, const ::Brivant::MathTools::CRect& area, long stepCount);

    // step = (max - base) / step count per channel, truncated toward zero.
    virtual void setColours(const Basics::CAlphaColour& base, const Basics::CAlphaColour& max);

    // Held to 0..1, NaN as 0; lights ceil(step count * value) segments.
    void setValue(double value) override;
    void setArea(const ::Brivant::MathTools::CRect& area) override;
    // Adds "Step Count", "Base Colour" and "Max Colour".
    void getDescriptors(Collections::TCountedPointerArray<CControlDescriptor>& list) override;
    bool applyDescriptor(const CControlDescriptor& descriptor) override;
    bool fillDescriptor(CControlDescriptor& descriptor) override;
    void drawControl(Graphics::CGraphics& graphics) override;

    long getStepCount() const { return m_stepCount; }
    long getLitSegments() const { return m_litSegments; }
    bool isVertical() const { return m_vertical; }
    const ::Brivant::MathTools::CDimension& getSegmentSize() const { return m_segmentSize; }
    const Basics::CAlphaColour& getBaseColour() const { return m_baseColour; }
    const Basics::CAlphaColour& getMaxColour() const { return m_maxColour; }

private:
    // Orientation and segment size from the area and the step count.
    void layOut();

    long m_litSegments;
    long m_stepCount;
    bool m_vertical;
    ::Brivant::MathTools::CDimension m_segmentSize;
    Basics::CAlphaColour m_baseColour;
    Basics::CAlphaColour m_maxColour;
    long m_redStep;
    long m_greenStep;
    long m_blueStep;
};
} // namespace Controls
} // namespace GUI
} // namespace Brivant
