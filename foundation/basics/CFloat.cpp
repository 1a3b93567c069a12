#include "foundation/basics/CFloat.hpp"

namespace Brivant
{
namespace Basics
{
CFloat::CFloat(float value) : TNumberWrapper(value) {}
} // namespace Basics
} // namespace Brivant
