#include "foundation/basics/CLong.hpp"

namespace Brivant
{
namespace Basics
{
CLong::CLong(long value) : TNumberWrapper(value) {}
} // namespace Basics
} // namespace Brivant
