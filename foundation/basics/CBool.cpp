#include "foundation/basics/CBool.hpp"

namespace Brivant
{
namespace Basics
{
namespace
{
const CClass& s_record = CBool::classRecord();
} // namespace

CClass& CBool::classRecord()
{
    static CClass record("CBool", "CCountedObject");
    return record;
}

const CClass& CBool::getClass() const { return classRecord(); }

CBool::CBool(bool value) : TValueWrapper(value) {}

void CBool::getObjectDescription(char* text, long size) const { getValueAsString().getString(text, size); }

CString CBool::getValueAsString() const { return CString(getValue() ? "True" : "False"); }
} // namespace Basics
} // namespace Brivant
