#include "foundation/basics/CBool.hpp"

namespace Brivant
{
namespace Basics
{
CBool::CBool(bool value) : TValueWrapper(value) {}

void CBool::getObjectDescription(char* text, long size) const { getValueAsString().getString(text, size); }

CString CBool::getValueAsString() const { return CString(getValue() ? "True" : "False"); }
} // namespace Basics
} // namespace Brivant
