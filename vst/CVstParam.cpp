#include "vst/CVstParam.hpp"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

using Brivant::Basics::CClass;

static_assert(std::atomic<float>::is_always_lock_free, "parameter values are shared with the audio thread");
static_assert(std::atomic<int32_t>::is_always_lock_free, "the selected index is shared with the audio thread");

namespace
{
// No class uses it; it only stands in the registry beside its siblings.
CClass& intParameterRecord()
{
    static CClass record("CVstParamInt", "CVstParam");
    return record;
}

const CClass& s_record = CVstParam::classRecord();
const CClass& s_floatRecord = CVstParamFloat::classRecord();
const CClass& s_expRecord = CVstParamFloatExp::classRecord();
const CClass& s_selectRecord = CVstParamSelect::classRecord();
const CClass& s_intRecord = intParameterRecord();
} // namespace

// ---------------------------------------------------------------------------------------------------------------

CClass& CVstParam::classRecord()
{
    static CClass record("CVstParam", "CCountedObject");
    return record;
}

const CClass& CVstParam::getClass() const { return classRecord(); }

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

CClass& CVstParamFloat::classRecord()
{
    static CClass record("CVstParamFloat", "CVstParam");
    return record;
}

const CClass& CVstParamFloat::getClass() const { return classRecord(); }

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

CClass& CVstParamFloatExp::classRecord()
{
    static CClass record("CVstParamFloatExp", "CVstParam");
    return record;
}

const CClass& CVstParamFloatExp::getClass() const { return classRecord(); }

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

// ---------------------------------------------------------------------------------------------------------------

CClass& CVstParamSelect::classRecord()
{
    static CClass record("CVstParamSelect", "CVstParam");
    return record;
}

const CClass& CVstParamSelect::getClass() const { return classRecord(); }

CVstParamSelect::CVstParamSelect(int32_t count, const char* name, const char* const* texts)
    : CVstParam(name, ""), m_count(clampCount(count)), m_texts(), m_index(0), m_values()
{
    for (int32_t i = 0; i < m_count; ++i)
        copyText(m_texts[i], texts != nullptr ? texts[i] : nullptr);
}

CVstParamSelect::CVstParamSelect(const CVstParamSelect& other)
    : CVstParam(other), m_count(other.m_count), m_index(other.getSelectedIndex())
{
    std::memcpy(m_texts, other.m_texts, sizeof(m_texts));
    std::memcpy(m_values, other.m_values, sizeof(m_values));
}

CVstParamSelect& CVstParamSelect::operator=(const CVstParamSelect& other)
{
    if (this != &other)
    {
        CVstParam::operator=(other);
        m_count = other.m_count;
        std::memcpy(m_texts, other.m_texts, sizeof(m_texts));
        m_index.store(other.getSelectedIndex(), std::memory_order_relaxed);
        std::memcpy(m_values, other.m_values, sizeof(m_values));
    }
    return *this;
}

// Clamps count * n in float before the conversion, so the index is in range from the one store on, and a
// NaN or huge value never reaches the (undefined) float-to-int conversion.
void CVstParamSelect::setValue(float normalised)
{
    const float last = static_cast<float>(m_count > 0 ? m_count - 1 : 0);
    float position = static_cast<float>(m_count) * normalised;
    if (!(position >= 0.0f))
        position = 0.0f;
    if (position > last)
        position = last;
    storeValues(normalised, normalised);
    m_index.store(static_cast<int32_t>(position), std::memory_order_relaxed);
}

float CVstParamSelect::getRealValue() const { return static_cast<float>(getSelectedIndex()); }

int32_t CVstParamSelect::getIntegerValue() const { return getSelectedIndex(); }

void CVstParamSelect::getDisplayText(char* text) const { copyText(text, m_texts[getSelectedIndex()]); }

void CVstParamSelect::setOptions(int32_t count, const char* const* texts)
{
    m_count = clampCount(count);
    for (int32_t i = 0; i < m_count; ++i)
        copyText(m_texts[i], texts != nullptr ? texts[i] : nullptr);
    setValue(getNormalisedValue());
}

void CVstParamSelect::setOptionText(int32_t index, const char* text)
{
    if (index >= 0 && index < kMaxOptions)
        copyText(m_texts[index], text);
}

void CVstParamSelect::setValues(int32_t count, const int32_t* values)
{
    if (values == nullptr)
        return;
    const int32_t kept = clampCount(count);
    for (int32_t i = 0; i < kept; ++i)
        m_values[i] = values[i];
}

int32_t CVstParamSelect::getSelectedValue() const { return m_values[getSelectedIndex()]; }

int32_t CVstParamSelect::clampCount(int32_t count)
{
    return count < 0 ? 0 : (count > kMaxOptions ? kMaxOptions : count);
}
