// An edition's effect built in-process beside the reference model of its block path, with a recording editor in
// place of the edition's own: single processReplacing calls on the effect and the same calls on the model.
#pragma once

#include "tests/support/CCountingHost.hpp"

#include "tests/support/CRecordingEditor.hpp"

#include <gtest/gtest.h>
#include <xmmintrin.h>

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

    TInProcessEffectTest()
        : m_effect(std::make_unique<Effect>(CCountingHost::callback)),
          m_editor(&CRecordingEditor::replaceEditor(*m_effect))
    {
    }

    CRecordingEditor& editor() { return *m_editor; }

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

    // A call of 0 frames reports a peak of 0 at `meter`; while the editor itself changes the effect, the meter
    // hears nothing.
    void expectEmptyCallReportsZeroAndUpdatingEditorHearsNothing(long meter, const Channels& signal)
    {
        processCall(*m_effect, signal, 0, 512);
        EXPECT_GT(editor().getLastUpdate(meter), 0.1);
        const long before = editor().getUpdateCount(meter);
        processCall(*m_effect, signal, 0, 0);
        EXPECT_EQ(0.0, editor().getLastUpdate(meter));
        EXPECT_EQ(before + 1, editor().getUpdateCount(meter));

        editor().setUpdatingEffect(true);
        processCall(*m_effect, signal, 0, 512);
        EXPECT_EQ(0.0, editor().getLastUpdate(meter));
        EXPECT_EQ(before + 1, editor().getUpdateCount(meter));
    }

    // Flush-to-zero and denormals-are-zero, the rounding mode and the masks: the caller gets back what it had.
    void expectCallersControlWordRestored(const Channels& signal)
    {
        constexpr unsigned int kControlBits = 0xFFC0;
        const unsigned int callerState = _mm_getcsr();
        for (unsigned int state : {0x1F80u, 0x9FC0u, 0x7F80u, 0xBF80u})
        {
            _mm_setcsr(state);
            processCall(*m_effect, signal, 0, signal[0].size());
            const unsigned int after = _mm_getcsr();
            _mm_setcsr(callerState);
            EXPECT_EQ(state & kControlBits, after & kControlBits) << std::hex << state;
        }
    }

    // On the Default program wet equals dry, so a denormal input leaves exact zeros when it is flushed; kept, it
    // would come through. The caller keeps denormals before and after.
    void expectDenormalsFlushed(size_t inputChannels)
    {
        const unsigned int callerState = _mm_getcsr();
        _mm_setcsr(0x1F80);
        volatile float denormal = 1e-40f;
        ASSERT_NE(0.0f, denormal * 1.0f) << "the caller keeps denormals";
        Channels signal(inputChannels, std::vector<float>(200, 1e-40f));
        for (size_t i = 0; i < 200; i += 2)
            signal[1][i] = -3e-39f;
        const Channels output = processCall(*m_effect, signal, 0, 200);
        for (size_t channel = 0; channel < 2; ++channel)
            for (size_t i = 0; i < 200; ++i)
                ASSERT_EQ(0.0f, output[channel][i]) << "channel " << channel << " frame " << i;
        EXPECT_EQ(0x1F80u, _mm_getcsr() & 0xFFC0u);
        _mm_setcsr(callerState);
    }

    std::unique_ptr<Effect> m_effect;
    CRecordingEditor* m_editor;
    Model m_model;
};
} // namespace VolturaTests
