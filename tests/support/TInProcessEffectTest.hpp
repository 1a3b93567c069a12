// An edition's effect built in-process beside the reference model of its block path, with the editor stand-in
// the effect attaches to itself: single processReplacing calls on the effect and the same calls on the model.
#pragma once

#include "tests/support/CCountingHost.hpp"

#include "editor/CVstWindow.hpp"

#include <gtest/gtest.h>

#include <cstddef>
#include <limits>
#include <memory>
#include <vector>

namespace VolturaTests
{
template <class Effect, class Model>
class TInProcessEffectTest : public ::testing::Test
{
protected:
    using Channels = std::vector<std::vector<float>>;

    TInProcessEffectTest() : m_effect(std::make_unique<Effect>(CCountingHost::callback)) {}

    Brivant::Vst::CVstWindow& editor() { return *static_cast<Brivant::Vst::CVstWindow*>(m_effect->getEditor()); }

    // The same change on the effect and the model.
    void set(VstInt32 index, float value)
    {
        m_effect->setParameter(index, value);
        m_model.setParameter(index, value);
    }

    void start(float sampleRate)
    {
        m_effect->setSampleRate(sampleRate);
        m_effect->resume();
        m_model.resume(sampleRate);
    }

    // One processReplacing call over frames [offset, offset + frames) of every input channel; answers the two
    // output channels, handed over filled with NaN so that a sample left unwritten shows.
    static Channels processCall(Effect& effect, const Channels& inputs, size_t offset, size_t frames)
    {
        std::vector<float*> inputPointers(inputs.size());
        Channels copies(inputs.size());
        for (size_t channel = 0; channel < inputs.size(); ++channel)
        {
            copies[channel].assign(inputs[channel].begin() + static_cast<std::ptrdiff_t>(offset),
                                   inputs[channel].begin() + static_cast<std::ptrdiff_t>(offset + frames));
            inputPointers[channel] = copies[channel].data();
        }
        Channels outputs(2, std::vector<float>(frames, std::numeric_limits<float>::quiet_NaN()));
        float* outputPointers[2] = {outputs[0].data(), outputs[1].data()};
        effect.processReplacing(inputPointers.data(), outputPointers, static_cast<VstInt32>(frames));
        return outputs;
    }

    // The model's meter value for the same call.
    double modelCall(const Channels& inputs, size_t offset, size_t frames)
    {
        std::vector<const float*> pointers(inputs.size());
        for (size_t channel = 0; channel < inputs.size(); ++channel)
            pointers[channel] = inputs[channel].data() + offset;
        std::vector<double> left(frames);
        std::vector<double> right(frames);
        return m_model.process(pointers.data(), left.data(), right.data(), static_cast<long>(frames));
    }

    std::unique_ptr<Effect> m_effect;
    Model m_model;
};
} // namespace VolturaTests
