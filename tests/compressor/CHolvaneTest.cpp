// VolturaPro's effect built in-process: what construction leaves, the editor stand-in's parameter updates and
// meter, the caller's floating-point control word, missing channels and empty calls, and no heap allocation on the
// audio path.
#include "ReferenceModel.hpp"
#include "TestSignals.hpp"
#include "tests/support/CAllocationCounter.hpp"
#include "tests/support/CCountingHost.hpp"
#include "tests/support/CEventBlock.hpp"
#include "tests/support/TInProcessEffectTest.hpp"

#include "compressor/CHolvane.hpp"

#include <gtest/gtest.h>
#include <xmmintrin.h>

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
using VolturaTests::CEventBlock;
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

class CHolvaneFixture : public VolturaTests::TInProcessEffectTest<CHolvane, ReferenceModel::ProEffect>
{
};

// ---------------------------------------------------------------------------------------------------------------

class CHolvaneConstructionTest : public CHolvaneFixture
{
};

TEST_F(CHolvaneConstructionTest, endsOnTheDefaultProgramWithItsValuesApplied)
{
    EXPECT_EQ(0, m_effect->getProgram());
    const ReferenceModel::ProProgram& defaults = ReferenceModel::proProgram(0);
    for (VstInt32 index = 0; index < 16; ++index)
    {
        EXPECT_EQ(static_cast<float>(defaults.values[static_cast<size_t>(index)]), m_effect->getParameter(index))
            << "parameter " << index;
    }
    EXPECT_EQ(44100.0f, m_effect->getSamplingRate());
    EXPECT_EQ(-1, m_effect->canDo(nullptr));
}

TEST_F(CHolvaneConstructionTest, recordCarriesPinsDelayIdentityAndFlags)
{
    AEffect* record = m_effect->getAeffect();
    EXPECT_EQ(effFlagsHasEditor | effFlagsCanReplacing, record->flags);
    EXPECT_EQ(4, record->numInputs);
    EXPECT_EQ(2, record->numOutputs);
    EXPECT_EQ(16, record->numParams);
    EXPECT_EQ(10, record->numPrograms);
    EXPECT_EQ(16, record->initialDelay);
    EXPECT_EQ(('S' << 24) | ('q' << 16) | ('a' << 8) | '1', record->uniqueID);
    ERect* rect = nullptr;
    ASSERT_TRUE(editor().getRect(&rect));
    ASSERT_NE(nullptr, rect);
    EXPECT_EQ(500, rect->right - rect->left);
    EXPECT_EQ(400, rect->bottom - rect->top);
}

// ---------------------------------------------------------------------------------------------------------------

class CHolvaneEditorUpdateTest : public CHolvaneFixture
{
};

TEST_F(CHolvaneEditorUpdateTest, everyHostChangeReachesTheEditorWithTheHostsValue)
{
    for (VstInt32 index = 0; index < 16; ++index)
    {
        const long before = editor().getUpdateCount(index);
        const float value = 0.125f + 0.05f * static_cast<float>(index);
        m_effect->setParameter(index, value);
        EXPECT_EQ(before + 1, editor().getUpdateCount(index)) << "parameter " << index;
        // Ratio too: the host's value, not the slope side the parameter holds.
        EXPECT_EQ(value, editor().getLastUpdate(index)) << "parameter " << index;
    }
    const long before = editor().getUpdateCount(3);
    m_effect->setParameter(3, kNaN);
    EXPECT_EQ(before, editor().getUpdateCount(3)) << "NaN is no change";
}

TEST_F(CHolvaneEditorUpdateTest, noUpdateWhileTheEditorIsChangingTheEffect)
{
    editor().setUpdatingEffect(true);
    const long before = editor().getUpdateCount(0);
    m_effect->setParameter(0, 0.9f);
    EXPECT_EQ(before, editor().getUpdateCount(0));
    EXPECT_EQ(0.9f, m_effect->getParameter(0)) << "the change itself is applied";

    editor().setUpdatingEffect(false);
    m_effect->setParameter(0, 0.1f);
    EXPECT_EQ(before + 1, editor().getUpdateCount(0));
    EXPECT_EQ(0.1f, editor().getLastUpdate(0));
}

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

TEST_F(CHolvaneEditorUpdateTest, programChangesAndControllersReachTheEditor)
{
    m_effect->setProgram(5);
    const ReferenceModel::ProProgram& bass = ReferenceModel::proProgram(5);
    for (VstInt32 index = 0; index < 16; ++index)
        EXPECT_NEAR(bass.values[static_cast<size_t>(index)], editor().getLastUpdate(index), 1e-6) << index;

    CEventBlock events;
    events.controlChange(74, 127);
    m_effect->processEvents(events.build());
    EXPECT_EQ(1.0, editor().getLastUpdate(0));
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

TEST_F(CHolvaneMeterTest, emptyCallReportsZeroAndAnUpdatingEditorHearsNothing)
{
    expectEmptyCallReportsZeroAndUpdatingEditorHearsNothing(kMeter, noiseChannels(64, 512, 0.9f));
}

// ---------------------------------------------------------------------------------------------------------------

class CHolvaneFloatingPointTest : public CHolvaneFixture
{
};

TEST_F(CHolvaneFloatingPointTest, callersControlWordIsRestored)
{
    set(1, 0.5f);
    expectCallersControlWordRestored(noiseChannels(71, 1000, 0.9f));
}

TEST_F(CHolvaneFloatingPointTest, denormalsAreFlushedWhileProcessing)
{
    expectDenormalsFlushed(4);
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

TEST_F(CHolvaneChannelTest, nullOutputsAreSkippedAndTheRingStillMoves)
{
    Channels signal = noiseChannels(82, 1000, 0.9f);
    const Channels expected = processCall(m_reference, signal, 0, 1000);

    std::vector<float> left(400, kNaN);
    float* leftOnly[2] = {left.data(), nullptr};
    float* inputs[4];
    for (size_t channel = 0; channel < 4; ++channel)
        inputs[channel] = signal[channel].data();
    m_effect->processReplacing(inputs, leftOnly, 400);
    EXPECT_TRUE(std::equal(left.begin(), left.end(), expected[0].begin()));

    float* none[2] = {nullptr, nullptr};
    for (size_t channel = 0; channel < 4; ++channel)
        inputs[channel] += 400;
    m_effect->processReplacing(inputs, none, 300);

    const Channels rest = processCall(*m_effect, signal, 700, 300);
    EXPECT_TRUE(std::equal(rest[0].begin(), rest[0].end(), expected[0].begin() + 700));
    EXPECT_TRUE(std::equal(rest[1].begin(), rest[1].end(), expected[1].begin() + 700));
}

// Accumulating: the same output as replacing, added to what the buffers hold.
TEST_F(CHolvaneChannelTest, accumulatingAddsToTheOutputs)
{
    Channels signal = noiseChannels(84, 700, 0.9f);
    const Channels replaced = processCall(m_reference, signal, 0, 700);
    float* inputs[4] = {signal[0].data(), signal[1].data(), signal[2].data(), signal[3].data()};
    Channels output(2, std::vector<float>(700));
    for (size_t i = 0; i < 700; ++i)
    {
        output[0][i] = 0.25f * static_cast<float>(i % 5);
        output[1][i] = -0.5f;
    }
    const Channels held = output;
    float* outputs[2] = {output[0].data(), output[1].data()};
    m_effect->processAccumulating(inputs, outputs, 700);
    for (size_t channel = 0; channel < 2; ++channel)
        for (size_t i = 0; i < 700; ++i)
            ASSERT_EQ(held[channel][i] + replaced[channel][i], output[channel][i]) << "frame " << i;
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

class CHolvaneAllocationTest : public CHolvaneFixture
{
};

TEST_F(CHolvaneAllocationTest, counterSeesAnAllocationMadeOnPurpose)
{
    VolturaTests::CAllocationCounter::arm();
    std::unique_ptr<int> allocated(new int(3));
    std::vector<float> grown(100);
    EXPECT_EQ(2, VolturaTests::CAllocationCounter::disarm());
}

// The audio thread's work: events, parameter and program changes, and blocks of every size.
TEST_F(CHolvaneAllocationTest, theAudioPathAllocatesNothing)
{
    start(48000.0f);
    const size_t kSizes[] = {1, 7, 16, 17, 150, 512, 1024, 4096};
    Channels signal = noiseChannels(91, 4096, 0.9f);
    float* inputs[4] = {signal[0].data(), signal[1].data(), signal[2].data(), signal[3].data()};
    Channels output(2, std::vector<float>(4096));
    float* outputs[2] = {output[0].data(), output[1].data()};
    std::vector<CEventBlock> events(8);
    for (size_t i = 0; i < events.size(); ++i)
    {
        events[i].controlChange(static_cast<unsigned char>(i), 0);
        for (unsigned char controller = 70; controller <= 74; ++controller)
            events[i].controlChange(controller, static_cast<unsigned char>(16 * i));
    }
    std::vector<VstEvents*> blocks;
    for (CEventBlock& block : events)
        blocks.push_back(block.build());
    CCountingHost::clear();

    VolturaTests::CAllocationCounter::arm();
    for (int round = 0; round < 3; ++round)
    {
        for (size_t i = 0; i < 8; ++i)
        {
            m_effect->processEvents(blocks[i]);
            for (VstInt32 index = 0; index < 16; ++index)
                m_effect->setParameter(index, static_cast<float>((index + i + round) % 7) / 6.0f);
            m_effect->processReplacing(inputs, outputs, static_cast<VstInt32>(kSizes[i]));
        }
        m_effect->setProgram(round);
        m_effect->processReplacing(inputs, outputs, 0);
    }
    const long allocations = VolturaTests::CAllocationCounter::disarm();
    EXPECT_EQ(0, allocations);
    EXPECT_EQ(0u, CCountingHost::count()) << "nothing on the audio path calls the host";
    for (const auto& channel : output)
        for (float sample : channel)
            ASSERT_TRUE(std::isfinite(sample));
}
} // namespace
