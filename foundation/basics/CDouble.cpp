#include "foundation/basics/CDouble.hpp"

namespace Brivant
{
namespace Basics
{
CDouble::CDouble(double value) : TNumberWrapper(value) {}
} // namespace Basics
} // namespace Brivant
