#include "vst/CTimeSignature.hpp"

namespace Brivant
{
namespace Music
{
namespace
{
const Basics::CClass& s_record = CTimeSignature::classRecord();
}

CTimeSignature::CTimeSignature(long numerator, long denominator) : m_numerator(numerator), m_denominator(denominator)
{
}

Basics::CClass& CTimeSignature::classRecord()
{
    static Basics::CClass record("CTimeSignature", "CCountedObject");
    return record;
}

const Basics::CClass& CTimeSignature::getClass() const
{
    return classRecord();
}

void CTimeSignature::setTimeSignature(long numerator, long denominator)
{
    m_numerator = numerator;
    m_denominator = denominator;
}
} // namespace Music
} // namespace Brivant
