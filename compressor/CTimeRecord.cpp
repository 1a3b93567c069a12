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
    m_sampleRate.store(sampleRate);
    recompute();
}

void CTimeRecord::setTime(float timeMs)
{
    if (!isUsable(timeMs))
        return;
    m_time.store(timeMs);
    recompute();
}

// The exponent in single precision, the exp in double, the result stored as a float. A time and a rate set on two
// threads at once can each read the other's old half; whoever finds after its store that a half has moved on
// computes again, so the last store is always of the last time and rate.
void CTimeRecord::recompute()
{
    for (;;)
    {
        const float time = m_time.load();
        const float rate = m_sampleRate.load();
        const float exponent = -1000.0f / (time * rate);
        m_coefficient.store(static_cast<float>(std::exp(static_cast<double>(exponent))));
        if (m_time.load() == time && m_sampleRate.load() == rate)
            return;
    }
}
