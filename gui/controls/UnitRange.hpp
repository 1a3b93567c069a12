// Values of 0..1 as the controls show them: whatever arrives from a host or a caller is held to the range first,
// so that no later product of it and a size is cast to an integer out of that integer's range.
#pragma once

#include <cmath>

namespace Brivant
{
namespace GUI
{
namespace Controls
{
// Held to 0..1; NaN counts as 0.
inline double heldToUnitRange(double value)
{
    if (std::isnan(value))
        return 0.0;
    return value > 1.0 ? 1.0 : (value < 0.0 ? 0.0 : value);
}
} // namespace Controls
} // namespace GUI
} // namespace Brivant
