#include "vst/CVstParam.hpp"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

using Brivant::Basics::CClass;

static_assert(std::atomic<float>::is_always_lock_free, "parameter values are shared with the audio thread");

namespace
{
// No class uses it; it only stands in the registry beside its siblings.
CClass& intParameterRecord()
{
    static CClass record("CVstParamInt", "CVstParam");
    return record;
}

const CClass& s_intRecord = intParameterRecord();
} // namespace

// ---------------------------------------------------------------------------------------------------------------

CVstParam::CVstParam(const char* name, const char* label) : m_normalised(0.0f), m_real(0.0f)
{
    copyText(m_name, name);
    copyText(m_label, label);
}

CVstParam::CVstParam(const CVstParam& other)
    : CCountedObject(other), m_normalised(other.getNormalisedValue()), m_real(other.loadReal())
{
    std::memcpy(m_name, other.m_name, sizeof(m_name));
    std::memcpy(m_label, other.m_label, sizeof(m_label));
}

CVstParam& CVstParam::operator=(const CVstParam& other)
{
    if (this != &other)
    {
        CCountedObject::operator=(other);
        storeValues(other.getNormalisedValue(), other.loadReal());
        std::memcpy(m_name, other.m_name, sizeof(m_name));
        std::memcpy(m_label, other.m_label, sizeof(m_label));
    }
    return *this;
}

CVstParam::~CVstParam() = default;

void CVstParam::setValue(float normalised) { storeValues(normalised, normalised); }

float CVstParam::getNormalisedValue() const { return m_normalised.load(std::memory_order_relaxed); }

void CVstParam::getName(char* text) const { copyText(text, m_name); }

void CVstParam::getDisplayText(char* text) const { formatMagnitude(loadReal(), text); }

void CVstParam::getLabel(char* text) const { copyText(text, m_label); }

float CVstParam::getRealValue() const { return loadReal(); }

int32_t CVstParam::getIntegerValue() const { return roundToInteger(loadReal()); }

void CVstParam::storeValues(float normalised, float real)
{
    m_normalised.store(normalised, std::memory_order_relaxed);
    m_real.store(real, std::memory_order_relaxed);
}

void CVstParam::setLabel(const char* label) { copyText(m_label, label); }

void CVstParam::formatMagnitude(float value, char* text)
{
    const double v = static_cast<double>(value);
    const float size = std::fabs(value);
    if (size >= 1000000.0f)
        std::snprintf(text, kDisplaySize, "%g", v);
    else if (size >= 1000.0f)
        std::snprintf(text, kDisplaySize, "%.0f", v);
    else if (size >= 100.0f)
        std::snprintf(text, kDisplaySize, "%.1f", v);
    else if (size >= 10.0f)
        std::snprintf(text, kDisplaySize, "%.2f", v);
    else
        std::snprintf(text, kDisplaySize, "%.3f", v);
}

// Converting a float outside the int range is undefined, so saturate first.
int32_t CVstParam::roundToInteger(float value)
{
    const double rounded = std::floor(static_cast<double>(value) + 0.5);
    if (std::isnan(rounded))
        return 0;
    if (rounded <= static_cast<double>(std::numeric_limits<int32_t>::min()))
        return std::numeric_limits<int32_t>::min();
    if (rounded >= static_cast<double>(std::numeric_limits<int32_t>::max()))
        return std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(rounded);
}

void CVstParam::copyText(char* destination, const char* source)
{
    size_t length = 0;
    if (source != nullptr)
    {
        while (length < static_cast<size_t>(kTextSize - 1) && source[length] != 0)
            ++length;
        std::memcpy(destination, source, length);
    }
    destination[length] = 0;
}

// ---------------------------------------------------------------------------------------------------------------

CVstParamFloat::CVstParamFloat(const char* name, const char* label, float minimum, float maximum, float initial)
    : CVstParam(name, label), m_plusSign(false), m_minimum(minimum), m_maximum(maximum)
{
    const float width = maximum - minimum;
    setValue(width != 0.0f ? (initial - minimum) / width : 0.0f);
}

// real = min + (max - min) n, in single precision.
void CVstParamFloat::setValue(float normalised)
{
    storeValues(normalised, m_minimum + (m_maximum - m_minimum) * normalised);
}

// The built format: "%", "+" when flagged, then "g" from 100000 on, else 0 to 3 decimals by magnitude.
void CVstParamFloat::getDisplayText(char* text) const
{
    static const char* const kPlain[] = {"%.3f", "%.2f", "%.1f", "%.0f", "%g"};
    static const char* const kSigned[] = {"%+.3f", "%+.2f", "%+.1f", "%+.0f", "%+g"};
    const float value = loadReal();
    const float size = std::fabs(value);
    int format = 0;
    if (size >= 100000.0f)
        format = 4;
    else if (size >= 1000.0f)
        format = 3;
    else if (size >= 100.0f)
        format = 2;
    else if (size >= 10.0f)
        format = 1;
    std::snprintf(text, kDisplaySize, m_plusSign ? kSigned[format] : kPlain[format], static_cast<double>(value));
}

void CVstParamFloat::setRange(float minimum, float maximum)
{
    m_minimum = minimum;
    m_maximum = maximum;
    setValue(getNormalisedValue());
}

// ---------------------------------------------------------------------------------------------------------------

CVstParamFloatExp::CVstParamFloatExp(const char* name) : CVstParam(name, "ms"), m_minimum(1.0f), m_maximum(1000.0f)
{
    setValue(0.0f);
}

void CVstParamFloatExp::setValue(float normalised)
{
    const float lowest = std::log(m_minimum);
    const float highest = std::log(m_maximum);
    float real = std::exp(lowest + (highest - lowest) * normalised);
    // Written so that NaN lands on the minimum.
    if (!(real >= m_minimum))
        real = m_minimum;
    if (real > m_maximum)
        real = m_maximum;
    storeValues(normalised, real);
}

void CVstParamFloatExp::getDisplayText(char* text) const { formatMagnitude(loadReal(), text); }

void CVstParamFloatExp::setRange(float minimum, float maximum)
{
    m_minimum = minimum;
    m_maximum = maximum;
    setValue(getNormalisedValue());
}
