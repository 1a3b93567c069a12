// Whole pixels from the products of fractions and sizes that controls lay their parts out with.
#pragma once

#include <cmath>

namespace Brivant
{
namespace GUI
{
namespace Controls
{
// Truncated toward zero, except that a product within a hair of a whole number is that number: 0.8 of 150 must
// give 120 and (1 - 0.8) of 150 must give 30, though in binary fractions they fall just either side.
inline long truncateToPixel(double value)
{
    const double nearest = std::round(value);
    return std::fabs(value - nearest) < 1e-9 ? static_cast<long>(nearest) : static_cast<long>(value);
}
} // namespace Controls
} // namespace GUI
} // namespace Brivant
