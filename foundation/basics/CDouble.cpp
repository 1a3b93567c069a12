#include "foundation/basics/CDouble.hpp"

namespace Brivant
{
namespace Basics
{
namespace
{
const CClass& s_record = CDouble::classRecord();
} // namespace

CClass& CDouble::classRecord()
{
    static CClass record("CDouble", "CCountedObject");
    return record;
}

const CClass& CDouble::getClass() const { return classRecord(); }

CDouble::CDouble(double value) : TNumberWrapper(value) {}
} // namespace Basics
} // namespace Brivant
