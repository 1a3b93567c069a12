// The areas one window paint draws: the rectangles of the window's update region, those lying close together
// merged, so that two redraws far apart (a knob and its label) do not repaint all that lies between them.
#pragma once

#include "foundation/mathtools/CRect.hpp"

#include <cstdint>

struct HDC__;

namespace Brivant
{
namespace GUI
{
namespace Windowing
{
class CUpdateAreas
{
public:
    // More rectangles than this are painted as their bounding rectangle.
    static constexpr long kMaximumAreas = 8;

    CUpdateAreas();

    // The rectangles a paint's context (BeginPaint's) may draw in, in the window's client coordinates whatever
    // its layout: the update region less what covers the window. None when that is empty, cannot be read or has
    // more rectangles than fit.
    void readFrom(HDC__* paintContext);
    // An empty rectangle is ignored.
    void add(const ::Brivant::MathTools::CRect& area);
    // Each area cut to bounds (the paint's rectangle), those left empty dropped; with none left, bounds alone.
    void holdTo(const ::Brivant::MathTools::CRect& bounds);
    // Merges two areas wherever their bounding rectangle is hardly larger than the two together: one draw
    // of the controls there costs less than two.
    void consolidate();

    long getCount() const { return m_count; }
    ::Brivant::MathTools::CRect getArea(long index) const;

private:
    struct SArea
    {
        long left;
        long top;
        long right;
        long bottom;
        // In 64 bits: a large window's areas, and four or five times them, pass a 32-bit long.
        std::int64_t size() const { return static_cast<std::int64_t>(right - left) * (bottom - top); }
    };
    static SArea bounding(const SArea& first, const SArea& second);

    SArea m_areas[kMaximumAreas];
    long m_count;
    // Set once more areas arrived than fit: the first area then bounds them all.
    bool m_overflowed;
};
} // namespace Windowing
} // namespace GUI
} // namespace Brivant
