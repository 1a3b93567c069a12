#include "foundation/mathtools/CParameter.hpp"

#include "foundation/basics/CDouble.hpp"

#include <climits>
#include <cmath>

namespace Brivant
{
namespace MathTools
{
using Basics::CClass;
using Basics::CString;

namespace
{
constexpr long kDecimals = 2;
constexpr double kNormalisedTop = 0.99999;
} // namespace

CParameter::CParameter() : m_value(0.5), m_minimum(0.0), m_maximum(1.0), m_range(1.0) {}

CParameter::CParameter(double minimum, double maximum, double normalised)
    : m_value(0.0), m_minimum(0.0), m_maximum(0.0), m_range(0.0)
{
    CParameter::setRange(minimum, maximum);
    m_value = m_range * normalised + m_minimum;
}

CParameter::~CParameter() = default;

void CParameter::setRange(double minimum, double maximum)
{
    if (!(maximum >= minimum))
        return;
    m_minimum = minimum;
    m_maximum = maximum;
    m_range = maximum - minimum;
}

double CParameter::getValue() const { return m_value; }

void CParameter::getValueAsString(CString& out) const { out = Basics::CDouble(m_value).getValueAsString(kDecimals); }

void CParameter::setNormalisedValue(double normalised) { m_value = m_range * normalised + m_minimum; }

double CParameter::setNormalisedValueAndGetValue(double normalised)
{
    setNormalisedValue(normalised);
    return getValue();
}

double CParameter::denormaliseValue(double minimum, double maximum, double normalised)
{
    return minimum + (maximum - minimum) * normalised;
}

long CParameter::denormaliseValueRoundedUp(long minimum, long maximum, double normalised)
{
    // In doubles, so neither the span nor the result can overflow a long before it is held to range; the
    // level meter passes audio peaks, which may be infinite or NaN.
    const double value = std::ceil((static_cast<double>(maximum) - minimum) * normalised + minimum);
    if (std::isnan(value))
        return minimum;
    if (value >= static_cast<double>(LONG_MAX))
        return LONG_MAX;
    if (value <= static_cast<double>(LONG_MIN))
        return LONG_MIN;
    return static_cast<long>(value);
}

double CParameter::normaliseValue(long minimum, long maximum, long value)
{
    if (maximum == minimum)
        return 0.0;
    return kNormalisedTop / (static_cast<double>(maximum) - minimum) * (static_cast<double>(value) - minimum);
}
} // namespace MathTools
} // namespace Brivant
