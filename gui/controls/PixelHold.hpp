// Whole pixels from positions a control computes in wider numbers than a coordinate holds.
#pragma once

#include <algorithm>
#include <cmath>

namespace Brivant
{
namespace GUI
{
namespace Controls
{
// Far beyond any screen, yet a few such positions still add up inside a 32-bit long.
const long kPixelReach = 1L << 24;

// A product of a fraction and a size, truncated toward zero as the layouts are written (0.29 of 100 is 28). A cast
// of NaN or of a value beyond long is undefined, so NaN counts as 0 and the rest stops at the reach.
inline long truncatedPixel(double value)
{
    if (std::isnan(value))
        return 0;
    const double reach = static_cast<double>(kPixelReach);
    return static_cast<long>(std::max(-reach, std::min(reach, value)));
}

// A position summed in 64 bits, held to the reach.
inline long heldPixel(long long value)
{
    return static_cast<long>(std::max<long long>(-kPixelReach, std::min<long long>(kPixelReach, value)));
}
} // namespace Controls
} // namespace GUI
} // namespace Brivant
