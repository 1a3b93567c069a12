#include "compressor/CEQ.hpp"

#include <algorithm>
#include <cmath>

using Brivant::Basics::CClass;

static_assert(std::atomic<float>::is_always_lock_free, "gains and coefficients are shared with the audio thread");

namespace
{
constexpr float kPi = 3.1415927f;
// Added to the first pole of each cascade; nothing in the system sets it.
constexpr float kBias = 0.0f;

void resetIfNotFinite(float* values, int count)
{
    for (int i = 0; i < count; ++i)
        if (!std::isfinite(values[i]))
            values[i] = 0.0f;
}
} // namespace

CEQ::CEQ() : m_lowCoefficient{0.0f, 0.0f}, m_highCoefficient{0.0f, 0.0f}, m_state(), m_lowGain(1.0f), m_midGain(1.0f),
             m_highGain(1.0f)
{
}

CEQ::~CEQ() = default;

// The reciprocal of the rate rounded to a float, the float pi; product and sine in extended precision. A section
// p += c (x - p) has its pole at 1 - c: held at c <= 1 the pole never goes below 0, where a cut band would boost
// near Nyquist (below 30 kHz for the 5 kHz band).
float CEQ::bandCoefficient(float frequency, float sampleRate)
{
    const float period = 1.0f / sampleRate;
    const long double angle =
        static_cast<long double>(kPi) * static_cast<long double>(frequency) * static_cast<long double>(period);
    return std::min(1.0f, static_cast<float>(2.0L * std::sin(angle)));
}

void CEQ::setSampleRate(float sampleRate)
{
    if (!std::isfinite(sampleRate) || sampleRate <= 0.0f)
        return;
    const float low = bandCoefficient(kLowFrequency, sampleRate);
    const float high = bandCoefficient(kHighFrequency, sampleRate);
    for (int channel = 0; channel < kChannels; ++channel)
    {
        m_lowCoefficient[channel].store(low, std::memory_order_relaxed);
        m_highCoefficient[channel].store(high, std::memory_order_relaxed);
    }
}

float CEQ::getLowCoefficient(int channel) const
{
    return m_lowCoefficient[channel == 1 ? 1 : 0].load(std::memory_order_relaxed);
}

float CEQ::getHighCoefficient(int channel) const
{
    return m_highCoefficient[channel == 1 ? 1 : 0].load(std::memory_order_relaxed);
}

void CEQ::setGains(float low, float mid, float high)
{
    setLowGain(low);
    setMidGain(mid);
    setHighGain(high);
}

void CEQ::process(float* channel1, float* channel2)
{
    processChannel(0, channel1);
    processChannel(1, channel2);
}

void CEQ::reset()
{
    for (CChannelState& state : m_state)
        state = CChannelState();
}

// Per sample, single precision:
//   s = x + 1e-15
//   p0 += lf (s - p0) + bias;  p_k += lf (p_(k-1) - p_k), k = 1..3      low = p3
//   q0 += hf (s - q0) + bias;  q_k += hf (q_(k-1) - q_k), k = 1..3
//   d = s[n - 3];  high = d - q3;  mid = d - (high + low)
//   y = (low gL + high gH) + mid gM
void CEQ::processChannel(int channel, float* samples)
{
    const float lf = m_lowCoefficient[channel].load(std::memory_order_relaxed);
    const float hf = m_highCoefficient[channel].load(std::memory_order_relaxed);
    const float lowGain = getLowGain();
    const float midGain = getMidGain();
    const float highGain = getHighGain();

    CChannelState& state = m_state[channel];
    float p0 = state.low[0], p1 = state.low[1], p2 = state.low[2], p3 = state.low[3];
    float q0 = state.high[0], q1 = state.high[1], q2 = state.high[2], q3 = state.high[3];
    float oldest = state.history[0], middle = state.history[1], newest = state.history[2];

    for (int i = 0; i < kBlockSize; ++i)
    {
        const float s = samples[i] + kOffset;
        p0 += lf * (s - p0) + kBias;
        p1 += lf * (p0 - p1);
        p2 += lf * (p1 - p2);
        p3 += lf * (p2 - p3);
        q0 += hf * (s - q0) + kBias;
        q1 += hf * (q0 - q1);
        q2 += hf * (q1 - q2);
        q3 += hf * (q2 - q3);
        const float delayed = oldest;
        oldest = middle;
        middle = newest;
        newest = s;
        const float low = p3;
        const float high = delayed - q3;
        const float mid = delayed - (high + low);
        samples[i] = (low * lowGain + high * highGain) + mid * midGain;
    }

    const float low[kPoles] = {p0, p1, p2, p3};
    const float high[kPoles] = {q0, q1, q2, q3};
    const float history[kDelay] = {oldest, middle, newest};
    std::copy(low, low + kPoles, state.low);
    std::copy(high, high + kPoles, state.high);
    std::copy(history, history + kDelay, state.history);
    // Non-finite input must not poison the filters for good; finite state carries over untouched.
    resetIfNotFinite(state.low, kPoles);
    resetIfNotFinite(state.high, kPoles);
    resetIfNotFinite(state.history, kDelay);
}
