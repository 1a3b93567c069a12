// VolturaPro's effect built in-process: what both editions do alike (tests/support/TEffectEditionTests.hpp), and
// Pro's own: changes from other threads, the meter after make-up, missing inputs and empty calls.
#include "ReferenceModel.hpp"
#include "TestSignals.hpp"
#include "tests/support/CCountingHost.hpp"
#include "tests/support/TEffectEditionTests.hpp"
#include "tests/support/TInProcessEffectTest.hpp"
#include "tests/support/TTwoThreadRounds.hpp"

#include "compressor/CHolvane.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <thread>
#include <vector>

namespace
{
using Brivant::Holvane::CHolvane;
using VolturaTests::CRecordingEditor;
using VolturaTests::CCountingHost;
using Channels = std::vector<std::vector<float>>;

constexpr size_t kDelay = 16;
constexpr long kMeter = 17;
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

Channels noiseChannels(uint32_t seed, size_t frames, float amplitude)
{
    TestSignals::CNoise noise(seed);
    Channels channels(4);
    for (auto& channel : channels)
        channel = noise.block(frames, amplitude);
    return channels;
}

struct CProEffectEdition
{
    using Effect = CHolvane;
    using Model = ReferenceModel::ProEffect;
    static constexpr VstInt32 kInputs = 4;
    static constexpr VstInt32 kParameters = 16;
    static constexpr VstInt32 kPrograms = 10;
    static constexpr long kMeter = 17;
    static constexpr long kEditorHeight = 400;
    static constexpr char kIdentity = '1';
    static constexpr int kBusyProgram = 5;
    static double programValue(int program, int index)
    {
        return ReferenceModel::proProgram(program).values[static_cast<size_t>(index)];
    }
};
} // namespace

namespace VolturaTests
{
INSTANTIATE_TYPED_TEST_SUITE_P(Pro, TEffectEditionTest, CProEffectEdition);
} // namespace VolturaTests

namespace
{
class CHolvaneFixture : public VolturaTests::TInProcessEffectTest<CHolvane, ReferenceModel::ProEffect>
{
};

// ---------------------------------------------------------------------------------------------------------------

class CHolvaneEditorUpdateTest : public CHolvaneFixture
{
};

// The flag holds only on the thread that set it: host automation from another thread during a user's drag is shown.
TEST_F(CHolvaneEditorUpdateTest, anotherThreadsChangeDuringAUserChangeReachesTheEditor)
{
    editor().setUpdatingEffect(true);
    const long before = editor().getUpdateCount(4);
    std::thread([this] { m_effect->setParameter(4, 0.3f); }).join();
    EXPECT_EQ(before + 1, editor().getUpdateCount(4));
    EXPECT_EQ(0.3f, editor().getLastUpdate(4));
    m_effect->setParameter(4, 0.6f);
    EXPECT_EQ(before + 1, editor().getUpdateCount(4)) << "the user's own change is not echoed";
    editor().setUpdatingEffect(false);
}

// MIDI program changes on one thread and the host's on another: each program's stored values stay its own.
TEST_F(CHolvaneEditorUpdateTest, programChangesOnTwoThreadsKeepEveryProgramIntact)
{
    std::thread midi([this] {
        for (int i = 0; i < 10000; ++i)
            m_effect->setProgram(1 + i % 3);
    });
    for (int i = 0; i < 10000; ++i)
        m_effect->setProgram(4 + i % 2);
    midi.join();
    for (VstInt32 program = 0; program < 10; ++program)
    {
        m_effect->setProgram(program);
        for (VstInt32 index = 0; index < 16; ++index)
            ASSERT_NEAR(ReferenceModel::proProgram(program).values[static_cast<size_t>(index)],
                        m_effect->getParameter(index), 1e-6)
                << "program " << program << " parameter " << index;
    }
}

// Two parameters set on two threads at once leave the effect as one given their last values in turn does: with
// make-up on, Threshold and Ratio leave their make-up gain; heard on the Input monitor with the compressor left
// out, EQ Low and EQ Mid leave their band gains (a call hears the ring filtered in the call before, so the second
// of two shows a round's gains).
TEST_F(CHolvaneEditorUpdateTest, twoParametersSetOnTwoThreadsLeaveWhatTheirLastValuesGive)
{
    const struct
    {
        VstInt32 setting, first, second;
        int rounds, calls;
        Channels input;
    } cases[] = {{11, 1, 2, 5000, 1, Channels(4, std::vector<float>(kDelay, 0.001f))},
                 {10, 6, 7, 20000, 2, noiseChannels(29, 2 * kDelay, 0.5f)}};
    auto first = [](int round) { return round % 2 == 0 ? 0.2f : 0.7f; };
    auto second = [](int round) { return round / 2 % 2 == 0 ? 0.3f : 0.9f; };
    for (const auto& test : cases)
    {
        CHolvane effect(CCountingHost::callback), reference(CCountingHost::callback);
        for (CHolvane* each : {&effect, &reference})
            each->setParameter(test.setting, 1.0f);
        const int unsound = VolturaTests::unsoundRounds(
            test.rounds, [&](int round) { effect.setParameter(test.first, first(round)); },
            [&](int round) { effect.setParameter(test.second, second(round)); },
            [&](int round) {
                reference.setParameter(test.first, first(round));
                reference.setParameter(test.second, second(round));
                bool same = true;
                for (int call = 0; call < test.calls; ++call)
                    same = processCall(reference, test.input, call * kDelay, kDelay) ==
                           processCall(effect, test.input, call * kDelay, kDelay);
                return same;
            });
        EXPECT_EQ(0, unsound) << "parameters " << test.first << " and " << test.second;
    }
}

// ---------------------------------------------------------------------------------------------------------------

// The meter (index 17) after each call: the peak of the wet signal after make-up, before mix and master.
class CHolvaneMeterTest : public CHolvaneFixture
{
protected:
    void SetUp() override
    {
        start(44100.0f);
        set(1, 0.4f);
        set(2, 0.8f);
        set(11, 1.0f);
        set(13, 0.5f);
    }

    // Runs the signal in calls of varying size; answers the meter value after each.
    std::vector<double> meterValues(CHolvane& effect, const Channels& signal, bool compareWithModel)
    {
        static const size_t kSizes[] = {1, 7, 150, 1024, 64, 17, 333};
        std::vector<double> values;
        size_t position = 0;
        for (size_t call = 0; position < signal[0].size(); ++call)
        {
            const size_t frames = std::min(kSizes[call % 7], signal[0].size() - position);
            const long before = editor().getUpdateCount(kMeter);
            processCall(effect, signal, position, frames);
            values.push_back(static_cast<CRecordingEditor*>(effect.getEditor())->getLastUpdate(kMeter));
            if (compareWithModel)
            {
                EXPECT_EQ(before + 1, editor().getUpdateCount(kMeter));
                const double expected = modelCall(signal, position, frames);
                EXPECT_NEAR(expected, values.back(), 1e-4 * expected + 1e-9) << "call " << call;
            }
            position += frames;
        }
        return values;
    }
};

TEST_F(CHolvaneMeterTest, peakOfTheCompressedSignalAfterMakeUp)
{
    set(5, 0.3f);
    set(0, 0.2f);
    Channels signal = noiseChannels(61, 30000, 0.9f);
    for (size_t i = 10000; i < 20000; ++i)
        for (auto& channel : signal)
            channel[i] *= 0.02f;
    const std::vector<double> meter = meterValues(*m_effect, signal, true);

    // Mix and Master come after the meter: an effect that differs only in them shows the same values.
    CHolvane other(CCountingHost::callback);
    CRecordingEditor::replaceEditor(other);
    other.setSampleRate(44100.0f);
    other.resume();
    for (VstInt32 index = 0; index < 16; ++index)
        other.setParameter(index, m_effect->getParameter(index));
    other.setParameter(5, 1.0f);
    other.setParameter(0, 0.9f);
    EXPECT_EQ(meter, meterValues(other, signal, false));
}

// With the compressor bypassed and make-up off the wet signal is the delayed input: its block peak is the meter.
TEST_F(CHolvaneMeterTest, uncompressedPeakIsTheDelayedInputsPeak)
{
    set(1, 1.0f);
    set(11, 0.0f);
    set(0, 0.0f);
    set(5, 0.0f);
    const Channels signal = noiseChannels(62, 4000, 0.8f);
    size_t position = 0;
    for (size_t frames : {100u, 37u, 1000u, 1u, 2000u})
    {
        processCall(*m_effect, signal, position, frames);
        double peak = 0.0;
        for (size_t i = position; i < position + frames; ++i)
            if (i >= kDelay)
                peak = std::max({peak, std::fabs(static_cast<double>(signal[0][i - kDelay])),
                                 std::fabs(static_cast<double>(signal[1][i - kDelay]))});
        EXPECT_EQ(peak, editor().getLastUpdate(kMeter)) << "call at " << position;
        position += frames;
    }
}

// With Monitor Input the meter follows the processed key: here shaped by the equaliser and mid/side.
TEST_F(CHolvaneMeterTest, monitorInputMetersTheDetectorSignal)
{
    set(10, 1.0f);
    set(6, 0.1f);
    set(8, 0.9f);
    set(15, 0.3f);
    meterValues(*m_effect, noiseChannels(63, 20000, 0.7f), true);
}

// ---------------------------------------------------------------------------------------------------------------

// Missing channels: an input pointer that is null reads as silence, an output pointer that is null is skipped.
class CHolvaneChannelTest : public CHolvaneFixture
{
protected:
    void SetUp() override
    {
        for (CHolvane* effect : {m_effect.get(), &m_reference})
        {
            effect->setSampleRate(44100.0f);
            effect->resume();
            effect->setProgram(5);
        }
    }

    CHolvane m_reference{CCountingHost::callback};
};

TEST_F(CHolvaneChannelTest, nullInputsReadAsSilence)
{
    for (float sideChain : {0.0f, 1.0f})
    {
        m_effect->setParameter(9, sideChain);
        m_reference.setParameter(9, sideChain);
        Channels signal = noiseChannels(81, 600, 0.9f);
        for (size_t missing : {1u, 3u})
        {
            SCOPED_TRACE(testing::Message() << "SideChain " << sideChain << ", channel " << missing << " missing");
            Channels silenced = signal;
            std::fill(silenced[missing].begin(), silenced[missing].end(), 0.0f);
            float* inputs[4] = {signal[0].data(), signal[1].data(), signal[2].data(), signal[3].data()};
            inputs[missing] = nullptr;
            Channels output(2, std::vector<float>(600, kNaN));
            float* outputs[2] = {output[0].data(), output[1].data()};
            m_effect->processReplacing(inputs, outputs, 600);
            EXPECT_EQ(processCall(m_reference, silenced, 0, 600), output);
        }
    }
}

TEST_F(CHolvaneChannelTest, zeroOrNegativeFramesWriteNothing)
{
    Channels signal = noiseChannels(83, 64, 0.9f);
    for (VstInt32 frames : {0, -1, -64})
    {
        std::vector<float> left(64, 3.0f);
        std::vector<float> right(64, 3.0f);
        float* outputs[2] = {left.data(), right.data()};
        float* inputs[4];
        for (size_t channel = 0; channel < 4; ++channel)
            inputs[channel] = signal[channel].data();
        m_effect->processReplacing(inputs, outputs, frames);
        EXPECT_EQ(std::vector<float>(64, 3.0f), left) << frames;
        EXPECT_EQ(std::vector<float>(64, 3.0f), right) << frames;
    }
    // The ring did not move: both effects still agree.
    EXPECT_EQ(processCall(m_reference, signal, 0, 64), processCall(*m_effect, signal, 0, 64));
}

// ---------------------------------------------------------------------------------------------------------------

class CHolvaneStageTest : public CHolvaneFixture
{
};

// An equaliser left flat comes back with the state a new one has: what it held of the signal before it was left
// out never reaches the detector, so on a quiet signal it works exactly like one that was never left out.
TEST_F(CHolvaneStageTest, anEqualiserBackFromFlatStartsAfresh)
{
    CHolvane reference(CCountingHost::callback);
    for (CHolvane* effect : {m_effect.get(), &reference})
    {
        effect->setSampleRate(44100.0f);
        effect->resume();
        // Threshold -20 dB, 20:1, the fastest attack and release, EQ Low at -20 dB.
        for (VstInt32 index : {1, 2, 3, 4, 6})
            effect->setParameter(index, index == 1 ? 0.6f : index == 2 ? 1.0f : 0.0f);
    }
    const Channels held(4, std::vector<float>(4410, 0.9f));
    const Channels quiet = noiseChannels(89, 11025, 0.01f);
    processCall(*m_effect, held, 0, 4410);
    processCall(reference, quiet, 0, 4410);
    m_effect->setParameter(6, 0.5f);
    processCall(*m_effect, quiet, 0, 11025);
    processCall(reference, quiet, 0, 11025);
    m_effect->setParameter(6, 0.0f);
    const Channels expected = processCall(reference, quiet, 0, 4410);
    const Channels output = processCall(*m_effect, quiet, 0, 4410);
    // From the first sample that entered the ring after the equaliser was back.
    for (size_t channel = 0; channel < 2; ++channel)
        EXPECT_TRUE(std::equal(output[channel].begin() + kDelay, output[channel].end(), expected[channel].begin() + kDelay));
}
} // namespace
