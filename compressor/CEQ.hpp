// Three-band equaliser on the detector (key) signal, two channels with shared band gains: the low band is a
// four-pole low-pass at 800 Hz, the high band the 3-sample-delayed input minus a four-pole low-pass at 5 kHz,
// the mid band what is left, so at unit gains the output is the input delayed by three samples.
#pragma once

#include "foundation/basics/CCountedObject.hpp"

#include <atomic>

class CEQ : public Brivant::Basics::CCountedObject
{
    BRIVANT_CLASS_RECORD(CEQ, "CCountedObject");

public:
    static constexpr int kBlockSize = 16;
    static constexpr int kChannels = 2;
    static constexpr int kPoles = 4;
    static constexpr int kDelay = 3;
    static constexpr float kLowFrequency = 800.0f;
    static constexpr float kHighFrequency = 5000.0f;
    // Keeps the poles out of the denormal range on silence.
    static constexpr float kOffset = 1e-15f;

    // State and coefficients 0, gains 1.
    CEQ();
    CEQ(const CEQ&) = delete;
    CEQ& operator=(const CEQ&) = delete;
    ~CEQ() override;

    // 2 sin(pi f / rate), at most 1, for a rate that is finite and positive.
    static float bandCoefficient(float frequency, float sampleRate);
    // Low and high coefficients of both channels for this rate; any other rate is ignored.
    void setSampleRate(float sampleRate);
    // Channel 0 or 1.
    float getLowCoefficient(int channel) const;
    float getHighCoefficient(int channel) const;

    // Linear factors, shared by both channels; each band can be set alone.
    void setGains(float low, float mid, float high);
    void setLowGain(float gain) { m_lowGain.store(gain, std::memory_order_relaxed); }
    void setMidGain(float gain) { m_midGain.store(gain, std::memory_order_relaxed); }
    void setHighGain(float gain) { m_highGain.store(gain, std::memory_order_relaxed); }
    float getLowGain() const { return m_lowGain.load(std::memory_order_relaxed); }
    float getMidGain() const { return m_midGain.load(std::memory_order_relaxed); }
    float getHighGain() const { return m_highGain.load(std::memory_order_relaxed); }

    // Filters 16 samples of each channel in place.
    void process(float* channel1, float* channel2);
    // Back to the empty filter state of a new equaliser; coefficients and gains stay.
    void reset();

private:
    struct CChannelState
    {
        float low[kPoles];
        float high[kPoles];
        // Oldest first.
        float history[kDelay];
    };

    void processChannel(int channel, float* samples);

    std::atomic<float> m_lowCoefficient[kChannels];
    std::atomic<float> m_highCoefficient[kChannels];
    CChannelState m_state[kChannels];
    std::atomic<float> m_lowGain;
    std::atomic<float> m_midGain;
    std::atomic<float> m_highGain;
};
