#include "foundation/basics/CFloat.hpp"

namespace Brivant
{
namespace Basics
{
namespace
{
const CClass& s_record = CFloat::classRecord();
} // namespace

CClass& CFloat::classRecord()
{
    static CClass record("CFloat", "CCountedObject");
    return record;
}

const CClass& CFloat::getClass() const { return classRecord(); }

CFloat::CFloat(float value) : TNumberWrapper(value) {}
} // namespace Basics
} // namespace Brivant
