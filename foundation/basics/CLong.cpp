#include "foundation/basics/CLong.hpp"

namespace Brivant
{
namespace Basics
{
namespace
{
const CClass& s_record = CLong::classRecord();
} // namespace

CClass& CLong::classRecord()
{
    static CClass record("CLong", "CCountedObject");
    return record;
}

const CClass& CLong::getClass() const { return classRecord(); }

CLong::CLong(long value) : TNumberWrapper(value) {}
} // namespace Basics
} // namespace Brivant
