// A scrolling display of one cycle of a signal: the program feeds it one value (0 bottom .. 1 top) per pixel
// column; it draws the columns as a line, with a marker at the column written next and a gap just ahead of the
// newest value.
#pragma once

#include "foundation/mathtools/CPolygon.hpp"
#include "gui/core/CControl.hpp"

namespace Brivant
{
namespace GUI
{
namespace Controls
{
class CWaveCycle : public CControl
{
    BRIVANT_CLASS_RECORD(CWaveCycle, "CControl");

public:
    // One point per column, all on the middle line.
    CWaveCycle(IControlRoot* root, long id, const ::Brivant::MathTools::CRect& area);

    // Writes the column at the write index and moves on, wrapping at the width; values outside 0..1 land
    // outside the area and are clipped. No redraw: the caller asks for one when it wants the display to follow.
    void addSample(double value);

    const ::Brivant::MathTools::CPolygon& getPoints() const { return m_points; }
    long getWriteIndex() const { return m_writeIndex; }

    // "Wave Colour" and "Line Colour" after the base's.
    void getDescriptors(Collections::TCountedPointerArray<CControlDescriptor>& list) override;
    bool applyDescriptor(const CControlDescriptor& descriptor) override;
    bool fillDescriptor(CControlDescriptor& descriptor) override;
    // A new size rebuilds the points on its middle line; a move keeps them. The write index stays.
    void setArea(const ::Brivant::MathTools::CRect& area) override;
    void drawControl(Graphics::CGraphics& graphics) override;

private:
    // The point of a column, when the column is one of the area's.
    void setColumn(long column, long y);
    Basics::CAlphaColour* colourNamed(const ::Brivant::Basics::CString& name);

    ::Brivant::MathTools::CPolygon m_points;
    long m_writeIndex;
    Basics::CAlphaColour m_waveColour;
    Basics::CAlphaColour m_lineColour;
};
} // namespace Controls
} // namespace GUI
} // namespace Brivant
