// A value inside a range, set through a normalised number (0 at the minimum, 1 at the maximum).
#pragma once

#include "foundation/basics/CCountedObject.hpp"
#include "foundation/basics/CString.hpp"

namespace Brivant
{
namespace MathTools
{
class CParameter : public Basics::CCountedObject
{
    BRIVANT_CLASS_RECORD(CParameter, "CCountedObject");

public:
    // Value 0.5 in the range 0 .. 1.
    CParameter();
    // A maximum below the minimum leaves the range 0 .. 0 and the value 0.
    CParameter(double minimum, double maximum, double normalised);
    ~CParameter() override;

    // Ignored unless maximum >= minimum; the value is left as it is.
    virtual void setRange(double minimum, double maximum);
    virtual double getValue() const;
    // Two decimals.
    virtual void getValueAsString(Basics::CString& out) const;
    // Not clamped: a number outside 0 .. 1 gives a value outside the range.
    virtual void setNormalisedValue(double normalised);
    virtual double setNormalisedValueAndGetValue(double normalised);

    static double denormaliseValue(double minimum, double maximum, double normalised);
    // Rounded up; held to the range of a long, and the minimum for a number that is not one.
    static long denormaliseValueRoundedUp(long minimum, long maximum, double normalised);
    // Scaled by 0.99999, so the maximum gives 0.99999; 0 for an empty range.
    static double normaliseValue(long minimum, long maximum, long value);

private:
    double m_value;
    double m_minimum;
    double m_maximum;
    double m_range;
};
} // namespace MathTools
} // namespace Brivant
