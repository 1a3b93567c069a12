// Reproducible test signals: fixed-seed noise (the same numbers on every library) and block-wise runners.
#pragma once

#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

namespace TestSignals
{
constexpr double kPi = 3.14159265358979323846;

// Uniform noise in [-amplitude, amplitude); mt19937 gives the same numbers on every library, the distributions do not.
class CNoise
{
public:
    explicit CNoise(uint32_t seed) : m_engine(seed) {}
    float next(float amplitude = 1.0f)
    {
        const double unit = static_cast<double>(m_engine() >> 8) / 16777216.0;
        return static_cast<float>((2.0 * unit - 1.0) * amplitude);
    }
    std::vector<float> block(size_t count, float amplitude = 1.0f)
    {
        std::vector<float> samples(count);
        for (float& sample : samples)
            sample = next(amplitude);
        return samples;
    }

private:
    std::mt19937 m_engine;
};

inline std::vector<float> sine(size_t count, double frequency, double sampleRate, double amplitude = 1.0)
{
    std::vector<float> samples(count);
    for (size_t i = 0; i < count; ++i)
        samples[i] = static_cast<float>(amplitude * std::sin(2.0 * kPi * frequency * static_cast<double>(i) / sampleRate));
    return samples;
}

// Frames for `seconds`, rounded up to whole 16-sample blocks.
inline size_t blockFrames(double seconds, double sampleRate)
{
    const size_t frames = static_cast<size_t>(std::ceil(seconds * sampleRate));
    return (frames + 15) / 16 * 16;
}
} // namespace TestSignals
