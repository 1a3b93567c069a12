// One smoothing time of the compressor: a time in milliseconds at a sampling rate and its one-pole coefficient
// c = exp(-1000 / (time * rate)), so that y += (x - y) (1 - c) reaches 1 - 1/e of a step after `time` ms.
#pragma once

#include <atomic>

class CTimeRecord
{
public:
    CTimeRecord(float sampleRate, float timeMs);
    CTimeRecord(const CTimeRecord&) = delete;
    CTimeRecord& operator=(const CTimeRecord&) = delete;

    // Both recompute the coefficient from the stored other half. Values that are not finite and positive
    // would make the smoother unstable and are ignored.
    void setSampleRate(float sampleRate);
    void setTime(float timeMs);

    float getSampleRate() const { return m_sampleRate.load(std::memory_order_relaxed); }
    float getTime() const { return m_time.load(std::memory_order_relaxed); }
    float getCoefficient() const { return m_coefficient.load(std::memory_order_relaxed); }

private:
    void recompute();

    // Written by the host or editor thread while the audio thread reads the coefficient.
    std::atomic<float> m_sampleRate;
    std::atomic<float> m_time;
    std::atomic<float> m_coefficient;
};
