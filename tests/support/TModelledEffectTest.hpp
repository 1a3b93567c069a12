// A deliverable loaded through the test host beside the reference model of its block path: the same parameter
// changes, programs, rates and audio reach both, so each test compares what the effect and the model made of them.
// Also the host values and step-response measures the compressor tests of both editions use.
#pragma once

#include "tests/compressor/ReferenceModel.hpp"
#include "tests/compressor/TestSignals.hpp"
#include "tools/testhost/CTestHost.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <string>
#include <vector>

namespace VolturaTests
{
using Channels = std::vector<std::vector<float>>;

// The constant key on both channels that gives the detector this level.
inline float keyForLevel(double levelDb)
{
    return static_cast<float>(std::sqrt(std::pow(10.0, levelDb / 10.0) / 2.0));
}

// The host value of Ratio that gives this slope.
inline float ratioForSlope(double slope) { return static_cast<float>(1.0 - (slope - 0.05) / 0.95); }

// The host value of Threshold that gives this many dB.
inline float thresholdFor(double decibels) { return static_cast<float>((decibels + 50.0) / 50.0); }

// What the effect and the model made of the same input.
struct SRendered
{
    Channels output;
    std::vector<double> modelLeft;
    std::vector<double> modelRight;
    // The model's meter value of every call.
    std::vector<double> modelPeaks;

    // Largest |effect - model| over both channels from frame `from` on.
    double largestDifference(size_t from = 0) const
    {
        double worst = 0.0;
        for (size_t i = from; i < modelLeft.size(); ++i)
        {
            worst = std::max(worst, std::fabs(static_cast<double>(output[0][i]) - modelLeft[i]));
            worst = std::max(worst, std::fabs(static_cast<double>(output[1][i]) - modelRight[i]));
        }
        return worst;
    }
};

// How a constant input on both channels, stepping from one level to another, was followed.
struct STiming
{
    // Frames after the step until the gain had covered 1 - 1/e of the way from startDb to endDb.
    size_t effectFrames;
    size_t modelFrames;
    double largestDbDifference;
};

// Frames after `step` until the gain has covered 1 - 1/e of the way from startDb to endDb.
inline size_t settleFrames(const std::vector<double>& gainsDb, size_t step, double startDb, double endDb)
{
    const double mark = startDb + (endDb - startDb) * (1.0 - std::exp(-1.0));
    for (size_t i = step; i < gainsDb.size(); ++i)
        if (endDb < startDb ? gainsDb[i] <= mark : gainsDb[i] >= mark)
            return i - step;
    return gainsDb.size();
}

// The gain of effect and model (output over the input `delay` frames earlier) after a step at frame `step`.
inline STiming stepTiming(const SRendered& rendered, const std::vector<float>& input, size_t delay, size_t step,
                          double startDb, double endDb)
{
    std::vector<double> effectDb(input.size() - delay);
    std::vector<double> modelDb(effectDb.size());
    STiming timing{0, 0, 0.0};
    for (size_t i = 0; i < effectDb.size(); ++i)
    {
        effectDb[i] = ReferenceModel::gainToDecibels(rendered.output[0][i + delay] / input[i]);
        modelDb[i] = ReferenceModel::gainToDecibels(rendered.modelLeft[i + delay] / input[i]);
        timing.largestDbDifference = std::max(timing.largestDbDifference, std::fabs(effectDb[i] - modelDb[i]));
    }
    timing.effectFrames = settleFrames(effectDb, step, startDb, endDb);
    timing.modelFrames = settleFrames(modelDb, step, startDb, endDb);
    return timing;
}

// A one-pole smoother in single precision stops short of its target once a step would move it by less than
// half an ulp: up to ulp(over) / 2 / (1 - c) dB on the envelope, (1 - slope) = 0.5 times that on the gain;
// 20 dB of excess has an ulp of 2^-19. The rest (float coefficients, log and exp) stays within 1e-3 dB.
inline double envelopeToleranceDb(double timeMs, double rate)
{
    return 0.5 * std::ldexp(1.0, -20) / (1.0 - ReferenceModel::timeCoefficient(timeMs, rate)) + 1e-3;
}

template <class Model>
class TModelledEffectTest : public ::testing::Test
{
protected:
    explicit TModelledEffectTest(const char* path) : m_path(path) {}

    void SetUp() override
    {
        std::string error;
        ASSERT_TRUE(m_host.load(m_path, error)) << error;
    }

    // A fresh effect and model, for tests that run several cases from the start.
    void reload()
    {
        std::string error;
        ASSERT_TRUE(m_host.load(m_path, error)) << error;
        m_model = Model();
    }

    // Construction leaves the detector primed at about -14.5 dB; a second of silence lets it rest at the floor
    // (the compressor runs only while the threshold is below 0 dB).
    void quietDown()
    {
        const size_t frames = TestSignals::blockFrames(1.0, m_model.sampleRate());
        render(Channels(static_cast<size_t>(effect()->numInputs), std::vector<float>(frames, 0.0f)), 512);
    }

    AEffect* effect() const { return m_host.effect(); }
    float get(VstInt32 index) const { return effect()->getParameter(effect(), index); }
    void setEffectOnly(VstInt32 index, float value) { effect()->setParameter(effect(), index, value); }
    std::string display(VstInt32 index) { return m_host.queryString(effGetParamDisplay, index).text; }

    // The same change on the effect and the model.
    void set(VstInt32 index, float value)
    {
        setEffectOnly(index, value);
        m_model.setParameter(index, value);
    }
    void setProgram(int program)
    {
        m_host.dispatch(effSetProgram, 0, program);
        m_model.setProgram(program);
    }
    void start(float sampleRate, VstInt32 blockSize = 512)
    {
        m_host.start(sampleRate, blockSize);
        m_model.resume(sampleRate);
    }

    // The effect's input channels through the effect and the model, in calls of `block` frames.
    SRendered render(const Channels& inputs, size_t block)
    {
        const size_t length = inputs[0].size();
        SRendered rendered;
        rendered.output.assign(2, std::vector<float>(length));
        rendered.modelLeft.resize(length);
        rendered.modelRight.resize(length);
        Channels blockInputs(inputs.size());
        std::vector<const float*> modelInputs(inputs.size());
        Channels blockOutputs;
        for (size_t position = 0; position < length; position += block)
        {
            const size_t frames = std::min(block, length - position);
            for (size_t channel = 0; channel < inputs.size(); ++channel)
            {
                blockInputs[channel].assign(inputs[channel].begin() + static_cast<std::ptrdiff_t>(position),
                                            inputs[channel].begin() + static_cast<std::ptrdiff_t>(position + frames));
                modelInputs[channel] = blockInputs[channel].data();
            }
            EXPECT_TRUE(m_host.process(blockInputs, blockOutputs, static_cast<VstInt32>(frames)));
            for (size_t channel = 0; channel < 2; ++channel)
                std::copy(blockOutputs[channel].begin(), blockOutputs[channel].end(),
                          rendered.output[channel].begin() + static_cast<std::ptrdiff_t>(position));
            rendered.modelPeaks.push_back(m_model.process(modelInputs.data(), &rendered.modelLeft[position],
                                                          &rendered.modelRight[position], static_cast<long>(frames)));
        }
        return rendered;
    }

    CTestHost m_host;
    Model m_model;

private:
    const char* m_path;
};
} // namespace VolturaTests
