#include "vst/CTimeSignature.hpp"

namespace Brivant
{
namespace Music
{
namespace
{
}

CTimeSignature::CTimeSignature(long numerator, long denominator) : m_numerator(numerator), m_denominator(denominator)
{
}

void CTimeSignature::setTimeSignature(long numerator, long denominator)
{
    m_numerator = numerator;
    m_denominator = denominator;
}
} // namespace Music
} // namespace Brivant
