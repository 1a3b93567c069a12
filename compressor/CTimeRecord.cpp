#include "compressor/CTimeRecord.hpp"

#include <cmath>

namespace
{
bool isUsable(float value) { return std::isfinite(value) && value > 0.0f; }
} // namespace

CTimeRecord::CTimeRecord(float sampleRate, float timeMs)
    : m_sampleRate(isUsable(sampleRate) ? sampleRate : 44100.0f), m_time(isUsable(timeMs) ? timeMs : 1.0f),
      m_coefficient(0.0f)
{
    recompute();
}

void CTimeRecord::setSampleRate(float sampleRate)
{
    if (!isUsable(sampleRate))
        return;
    m_sampleRate.store(sampleRate, std::memory_order_relaxed);
    recompute();
}

void CTimeRecord::setTime(float timeMs)
{
    if (!isUsable(timeMs))
        return;
    m_time.store(timeMs, std::memory_order_relaxed);
    recompute();
}

// The exponent in single precision, the exp in double, the result stored as a float.
void CTimeRecord::recompute()
{
    const float exponent = -1000.0f / (getTime() * getSampleRate());
    m_coefficient.store(static_cast<float>(std::exp(static_cast<double>(exponent))), std::memory_order_relaxed);
}
