// VolturaLite's effect built in-process: what both editions do alike (tests/support/TEffectEditionTests.hpp), and
// Lite's own: its pins asked directly, the classes it is built from and the meter sampled once per ring.
#include "tests/compressor/ReferenceModel.hpp"
#include "tests/compressor/TestSignals.hpp"
#include "tests/support/TEffectEditionTests.hpp"
#include "tests/support/TInProcessEffectTest.hpp"

#include "foundation/basics/CClassManager.hpp"
#include "lite/CHolvane.hpp"

#include <gtest/gtest.h>

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
using VolturaTests::CCountingHost;
using VolturaTests::CRecordingEditor;
using ReferenceModel::liteProgram;
using Channels = std::vector<std::vector<float>>;

constexpr size_t kRing = 16;
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

struct CLiteEffectEdition
{
    using Effect = CHolvane;
    using Model = ReferenceModel::LiteEffect;
    static constexpr VstInt32 kInputs = 2;
    static constexpr VstInt32 kParameters = 6;
    static constexpr VstInt32 kPrograms = 13;
    static constexpr long kMeter = 7;
    static constexpr long kEditorHeight = 158;
    static constexpr char kIdentity = '2';
    static constexpr int kBusyProgram = 7;
    static double programValue(int program, int index) { return liteProgram(program).values[static_cast<size_t>(index)]; }
};
} // namespace

namespace VolturaTests
{
INSTANTIATE_TYPED_TEST_SUITE_P(Lite, TEffectEditionTest, CLiteEffectEdition);
} // namespace VolturaTests

namespace
{
class CLiteEffectFixture : public VolturaTests::TInProcessEffectTest<CHolvane, ReferenceModel::LiteEffect>
{
};

// ---------------------------------------------------------------------------------------------------------------

class CLiteConstructionTest : public CLiteEffectFixture
{
};

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
    for (VstInt32 index = 0; index < CLiteEffectEdition::kParameters; ++index)
        other.setParameter(index, m_effect->getParameter(index));
    other.setParameter(5, 1.0f);
    other.setParameter(0, 0.9f);
    EXPECT_EQ(meter, meterValues(other, signal, false));
}
} // namespace
