// VolturaLite's effect built in-process: what construction leaves and in which order, the editor stand-in's
// parameter updates and the meter sampled once per ring, the classes the edition is built from, the caller's
// floating-point control word, missing channels, and no heap allocation on the audio path.
#include "tests/compressor/ReferenceModel.hpp"
#include "tests/compressor/TestSignals.hpp"
#include "tests/support/CAllocationCounter.hpp"
#include "tests/support/CCountingHost.hpp"
#include "tests/support/CEventBlock.hpp"
#include "tests/support/TInProcessEffectTest.hpp"

#include "foundation/basics/CClassManager.hpp"
#include "lite/CHolvane.hpp"

#include <gtest/gtest.h>
#include <xmmintrin.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <iterator>
#include <limits>
#include <string>
#include <vector>

namespace
{
using Brivant::Basics::CClass;
using Brivant::Basics::CClassManager;
using Brivant::Holvane::CHolvane;
using VolturaTests::CRecordingEditor;
using ReferenceModel::liteProgram;
using VolturaTests::CCountingHost;
using VolturaTests::CEventBlock;
using Channels = std::vector<std::vector<float>>;

constexpr size_t kRing = 16;
constexpr VstInt32 kParameters = 6;
constexpr long kMeter = 7;
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

Channels noiseChannels(uint32_t seed, size_t frames, float amplitude)
{
    TestSignals::CNoise noise(seed);
    Channels channels(2);
    for (auto& channel : channels)
        channel = noise.block(frames, amplitude);
    return channels;
}

class CLiteEffectFixture : public VolturaTests::TInProcessEffectTest<CHolvane, ReferenceModel::LiteEffect>
{
};

// ---------------------------------------------------------------------------------------------------------------

class CLiteConstructionTest : public CLiteEffectFixture
{
};

// The programs are filled from 12 down to 0; the editor, built last, reads program 0's values through getParameter.
TEST_F(CLiteConstructionTest, endsOnTheDefaultProgramWithItsValuesApplied)
{
    EXPECT_EQ(0, m_effect->getProgram());
    for (VstInt32 index = 0; index < kParameters; ++index)
        EXPECT_EQ(static_cast<float>(liteProgram(0).values[static_cast<size_t>(index)]), m_effect->getParameter(index))
            << "parameter " << index;
    EXPECT_EQ(44100.0f, m_effect->getSamplingRate());

    char name[32];
    for (VstInt32 program = 0; program < 13; ++program)
    {
        ASSERT_TRUE(m_effect->getProgramNameIndexed(0, program, name));
        EXPECT_STRNE("(empty)", name) << "program " << program;
    }
}

TEST_F(CLiteConstructionTest, recordCarriesPinsDelayIdentityFlagsAndEditorSize)
{
    AEffect* record = m_effect->getAeffect();
    EXPECT_EQ(effFlagsHasEditor | effFlagsCanReplacing, record->flags);
    EXPECT_EQ(2, record->numInputs);
    EXPECT_EQ(2, record->numOutputs);
    EXPECT_EQ(6, record->numParams);
    EXPECT_EQ(13, record->numPrograms);
    EXPECT_EQ(16, record->initialDelay);
    EXPECT_EQ(('S' << 24) | ('q' << 16) | ('a' << 8) | '2', record->uniqueID);
    ERect* rect = nullptr;
    ASSERT_TRUE(editor().getRect(&rect));
    ASSERT_NE(nullptr, rect);
    EXPECT_EQ(500, rect->right - rect->left);
    EXPECT_EQ(158, rect->bottom - rect->top);
    EXPECT_STREQ("CHolvane", m_effect->getClass().getClassName());
    EXPECT_STREQ("CVstEffect", m_effect->getClass().getParentName());
}

// The host's dispatcher stops at numInputs itself; asked directly, the effect still knows only its stereo pair.
TEST_F(CLiteConstructionTest, inputPinsBeyondTheStereoPairAnswerFalse)
{
    VstPinProperties right{};
    ASSERT_TRUE(m_effect->getInputProperties(1, &right));
    EXPECT_STREQ("Right input", right.label);
    EXPECT_STREQ("R in", right.shortLabel);
    EXPECT_EQ(3, right.flags);

    VstPinProperties untouched;
    std::memset(&untouched, 0x5A, sizeof(untouched));
    for (VstInt32 pin : {2, 3, -1})
    {
        VstPinProperties properties = untouched;
        EXPECT_FALSE(m_effect->getInputProperties(pin, &properties)) << pin;
        EXPECT_EQ(0, std::memcmp(&untouched, &properties, sizeof(properties))) << pin;
        EXPECT_FALSE(m_effect->getOutputProperties(pin, &properties)) << pin;
        EXPECT_EQ(0, std::memcmp(&untouched, &properties, sizeof(properties))) << pin;
    }
    EXPECT_FALSE(m_effect->getInputProperties(0, nullptr));
}

// ---------------------------------------------------------------------------------------------------------------

// The executable links only what the Lite effect uses, as the Lite library does: the registry holds the records
// of the classes built in and none of those only Pro uses.
TEST(CLiteClassRegistryTest, noneOfProsOwnClassesIsBuiltIn)
{
    CClassManager& registry = CClassManager::getManager();
    for (const char* absent : {"CEQ", "CMidSide", "CValveModel", "CVstParamSelect"})
        EXPECT_EQ(nullptr, registry.getClassWithName(absent)) << absent;
    for (long index = 0; index < registry.getNumberOfClasses(); ++index)
        EXPECT_NE(0, std::strncmp("TAudioBuffer", registry.getClassAt(index)->getClassName(), 12))
            << registry.getClassAt(index)->getClassName();
    for (const char* present : {"CHolvane", "CVstEffect", "CCompressorSC", "CVstParamFloat", "CVstParamFloatExp"})
        EXPECT_NE(nullptr, registry.getClassWithName(present)) << present;
}

// ---------------------------------------------------------------------------------------------------------------

class CLiteEditorUpdateTest : public CLiteEffectFixture
{
};

TEST_F(CLiteEditorUpdateTest, everyHostChangeReachesTheEditorWithTheHostsValue)
{
    for (VstInt32 index = 0; index < kParameters; ++index)
    {
        const long before = editor().getUpdateCount(index);
        const float value = 0.125f + 0.15f * static_cast<float>(index);
        m_effect->setParameter(index, value);
        EXPECT_EQ(before + 1, editor().getUpdateCount(index)) << "parameter " << index;
        // Ratio too: the host's value, not the slope side the parameter holds.
        EXPECT_EQ(value, editor().getLastUpdate(index)) << "parameter " << index;
    }
    const long before = editor().getUpdateCount(4);
    m_effect->setParameter(4, kNaN);
    EXPECT_EQ(before, editor().getUpdateCount(4)) << "NaN is no change";
    m_effect->setParameter(1, 3.0f);
    EXPECT_EQ(1.0, editor().getLastUpdate(1)) << "the clamped value";
}

TEST_F(CLiteEditorUpdateTest, noUpdateWhileTheEditorIsChangingTheEffect)
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

TEST_F(CLiteEditorUpdateTest, programChangesAndControllersReachTheEditor)
{
    m_effect->setProgram(7);
    for (VstInt32 index = 0; index < kParameters; ++index)
        EXPECT_NEAR(liteProgram(7).values[static_cast<size_t>(index)], editor().getLastUpdate(index), 1e-6) << index;

    CEventBlock events;
    events.controlChange(12, 0);
    events.controlChange(74, 127);
    m_effect->processEvents(events.build());
    EXPECT_EQ(12, m_effect->getProgram());
    EXPECT_EQ(1.0, editor().getLastUpdate(0));
    EXPECT_NEAR(liteProgram(12).values[1], editor().getLastUpdate(1), 1e-6);
}

// ---------------------------------------------------------------------------------------------------------------

// The meter (index 7) after each call: the wet signal's peak before mix and master, taken only at the frames where
// the ring fills, from the samples leaving it there.
class CLiteMeterTest : public CLiteEffectFixture
{
protected:
    void SetUp() override { start(44100.0f); }

    // The peak the meter shows for frames [from, from + frames) of an uncompressed signal: at every frame f that
    // fills the ring ((f + 1) % 16 == 0), the larger magnitude of the two samples input 16 frames earlier.
    static double uncompressedPeak(const Channels& signal, size_t from, size_t frames)
    {
        double peak = 0.0;
        for (size_t f = from; f < from + frames; ++f)
            if ((f + 1) % kRing == 0 && f >= kRing)
                peak = std::max({peak, std::fabs(static_cast<double>(signal[0][f - kRing])),
                                 std::fabs(static_cast<double>(signal[1][f - kRing]))});
        return peak;
    }

    // Loud everywhere except at the samples the meter reads, which are small and distinct.
    static Channels combSignal(size_t frames)
    {
        Channels signal(2, std::vector<float>(frames));
        for (size_t i = 0; i < frames; ++i)
        {
            const bool sampled = (i + 1) % kRing == 0;
            signal[0][i] = sampled ? 0.001f * static_cast<float>(i % 97) : (i % 2 == 0 ? 0.9f : -0.8f);
            signal[1][i] = sampled ? -0.002f * static_cast<float>(i % 89) : (i % 3 == 0 ? -0.95f : 0.7f);
        }
        return signal;
    }

    // Runs the signal in calls of varying size; answers the meter value after each.
    std::vector<double> meterValues(CHolvane& effect, const Channels& signal, bool compareWithModel)
    {
        static const size_t kSizes[] = {1, 7, 150, 1024, 64, 17, 333, 15};
        std::vector<double> values;
        size_t position = 0;
        for (size_t call = 0; position < signal[0].size(); ++call)
        {
            const size_t frames = std::min(kSizes[call % 8], signal[0].size() - position);
            const long before = static_cast<CRecordingEditor*>(effect.getEditor())->getUpdateCount(kMeter);
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

TEST_F(CLiteMeterTest, uncompressedMeterReadsOnlyTheSampleLeavingAtEachFullRing)
{
    const Channels signal = combSignal(4000);
    size_t position = 0;
    for (size_t frames : {20u, 11u, 1u, 69u, 15u, 1000u, 7u, 9u, 2000u})
    {
        processCall(*m_effect, signal, position, frames);
        EXPECT_EQ(uncompressedPeak(signal, position, frames), editor().getLastUpdate(kMeter))
            << frames << " frames at " << position;
        position += frames;
    }
}

// Frames 20 to 30 complete no ring: the meter shows 0 although loud samples leave the ring all the while.
TEST_F(CLiteMeterTest, aShortCallThatCompletesNoRingReportsZero)
{
    const Channels signal = noiseChannels(60, 64, 0.9f);
    processCall(*m_effect, signal, 0, 20);
    const long before = editor().getUpdateCount(kMeter);
    const Channels output = processCall(*m_effect, signal, 20, 11);
    EXPECT_EQ(0.0, editor().getLastUpdate(kMeter));
    EXPECT_EQ(before + 1, editor().getUpdateCount(kMeter));
    EXPECT_GT(std::fabs(output[0][0]), 0.0f) << "the leaving samples are not silent";

    processCall(*m_effect, signal, 31, 1);
    EXPECT_EQ(std::max(std::fabs(static_cast<double>(signal[0][15])), std::fabs(static_cast<double>(signal[1][15]))),
              editor().getLastUpdate(kMeter));
}

// Compressed, the meter follows the model; Mix and Master come after it, so an effect that differs only in them
// shows the same values.
TEST_F(CLiteMeterTest, compressedPeakBeforeMixAndMaster)
{
    set(1, 0.4f);
    set(2, 0.8f);
    set(5, 0.3f);
    set(0, 0.2f);
    Channels signal = noiseChannels(61, 30000, 0.9f);
    for (size_t i = 10000; i < 20000; ++i)
        for (auto& channel : signal)
            channel[i] *= 0.02f;
    const std::vector<double> meter = meterValues(*m_effect, signal, true);

    CHolvane other(CCountingHost::callback);
    CRecordingEditor::replaceEditor(other);
    other.setSampleRate(44100.0f);
    other.resume();
    for (VstInt32 index = 0; index < kParameters; ++index)
        other.setParameter(index, m_effect->getParameter(index));
    other.setParameter(5, 1.0f);
    other.setParameter(0, 0.9f);
    EXPECT_EQ(meter, meterValues(other, signal, false));
}

TEST_F(CLiteMeterTest, emptyCallReportsZeroAndAnUpdatingEditorHearsNothing)
{
    expectEmptyCallReportsZeroAndUpdatingEditorHearsNothing(kMeter, noiseChannels(64, 512, 0.9f));
}

// ---------------------------------------------------------------------------------------------------------------

class CLiteFloatingPointTest : public CLiteEffectFixture
{
};

TEST_F(CLiteFloatingPointTest, callersControlWordIsRestored)
{
    set(1, 0.5f);
    expectCallersControlWordRestored(noiseChannels(71, 1000, 0.9f));
}

TEST_F(CLiteFloatingPointTest, denormalsAreFlushedWhileProcessing)
{
    expectDenormalsFlushed(2);
}

// ---------------------------------------------------------------------------------------------------------------

class CLiteChannelTest : public CLiteEffectFixture
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

TEST_F(CLiteChannelTest, nullOutputsAreSkippedAndTheRingStillMoves)
{
    Channels signal = noiseChannels(82, 1000, 0.9f);
    const Channels expected = processCall(m_reference, signal, 0, 1000);

    std::vector<float> right(400, kNaN);
    float* rightOnly[2] = {nullptr, right.data()};
    float* inputs[2] = {signal[0].data(), signal[1].data()};
    m_effect->processReplacing(inputs, rightOnly, 400);
    EXPECT_TRUE(std::equal(right.begin(), right.end(), expected[1].begin()));

    float* none[2] = {nullptr, nullptr};
    for (float*& input : inputs)
        input += 400;
    m_effect->processReplacing(inputs, none, 300);

    const Channels rest = processCall(*m_effect, signal, 700, 300);
    EXPECT_TRUE(std::equal(rest[0].begin(), rest[0].end(), expected[0].begin() + 700));
    EXPECT_TRUE(std::equal(rest[1].begin(), rest[1].end(), expected[1].begin() + 700));
}

// Accumulating, reached by no host call: the same output as replacing, added to what the buffers hold.
TEST_F(CLiteChannelTest, accumulatingAddsToTheOutputs)
{
    Channels signal = noiseChannels(84, 700, 0.9f);
    const Channels replaced = processCall(m_reference, signal, 0, 700);
    float* inputs[2] = {signal[0].data(), signal[1].data()};
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

// ---------------------------------------------------------------------------------------------------------------

class CLiteAllocationTest : public CLiteEffectFixture
{
};

// The audio thread's work: events (program selection and the five controllers), parameter and program changes,
// and blocks of every size. The counter must first be seen to count in this executable.
TEST_F(CLiteAllocationTest, theAudioPathAllocatesNothing)
{
    VolturaTests::CAllocationCounter::arm();
    std::vector<float> grown(100);
    ASSERT_EQ(1, VolturaTests::CAllocationCounter::disarm()) << "the counter sees an allocation made on purpose";

    start(48000.0f);
    const size_t kSizes[] = {1, 7, 16, 17, 150, 512, 1024, 4096, 15, 33, 64, 0, 2, 100};
    Channels signal = noiseChannels(91, 4096, 0.9f);
    float* inputs[2] = {signal[0].data(), signal[1].data()};
    Channels output(2, std::vector<float>(4096));
    float* outputs[2] = {output[0].data(), output[1].data()};
    std::vector<CEventBlock> events(std::size(kSizes));
    for (size_t i = 0; i < events.size(); ++i)
    {
        events[i].controlChange(static_cast<unsigned char>(i), 0);
        for (unsigned char controller = 70; controller <= 74; ++controller)
            events[i].controlChange(controller, static_cast<unsigned char>(9 * i));
    }
    std::vector<VstEvents*> blocks;
    for (CEventBlock& block : events)
        blocks.push_back(block.build());
    CCountingHost::clear();

    VolturaTests::CAllocationCounter::arm();
    for (int round = 0; round < 3; ++round)
    {
        for (size_t i = 0; i < events.size(); ++i)
        {
            m_effect->processEvents(blocks[i]);
            for (VstInt32 index = 0; index < kParameters; ++index)
                m_effect->setParameter(index, static_cast<float>((index + i + round) % 7) / 6.0f);
            m_effect->processReplacing(inputs, outputs, static_cast<VstInt32>(kSizes[i]));
        }
        m_effect->setProgram(round + 5);
    }
    const long allocations = VolturaTests::CAllocationCounter::disarm();
    EXPECT_EQ(0, allocations);
    EXPECT_EQ(0u, CCountingHost::count()) << "nothing on the audio path calls the host";
    for (const auto& channel : output)
        for (float sample : channel)
            ASSERT_TRUE(std::isfinite(sample));
}
} // namespace
