#include "vst/CVstParamSelect.hpp"

#include <cmath>
#include <cstring>

using Brivant::Basics::CClass;

static_assert(std::atomic<int32_t>::is_always_lock_free, "the selected index is shared with the audio thread");

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
