// A musical time signature, numerator over denominator.
#pragma once

#include "foundation/basics/CCountedObject.hpp"

namespace Brivant
{
namespace Music
{
class CTimeSignature : public Basics::CCountedObject
{
    BRIVANT_CLASS_RECORD(CTimeSignature, "CCountedObject");

public:
    CTimeSignature(long numerator = 4, long denominator = 4);

    void setTimeSignature(long numerator, long denominator);
    void setNumerator(long numerator) { m_numerator = numerator; }
    void setDenominator(long denominator) { m_denominator = denominator; }
    long getNumerator() const { return m_numerator; }
    long getDenominator() const { return m_denominator; }

private:
    long m_numerator;
    long m_denominator;
};
} // namespace Music
} // namespace Brivant
