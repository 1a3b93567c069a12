// VolturaPro as a host meets it: the 64-bit DLL loaded through the test host, its parameters, programs and
// queries, its MIDI mapping, and its audio compared with the double-precision model of the whole block path.
#include "tests/compressor/ReferenceModel.hpp"
#include "tests/compressor/TestSignals.hpp"
#include "tests/support/CEventBlock.hpp"
#include "tests/support/TModelledEffectTest.hpp"
#include "tools/testhost/CTestHost.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

namespace
{
using ReferenceModel::decibelsToGain;
using ReferenceModel::gainToDecibels;
using ReferenceModel::proProgram;
using VolturaTests::Channels;
using VolturaTests::CEventBlock;
using VolturaTests::keyForLevel;
using VolturaTests::ratioForSlope;
using VolturaTests::SRendered;
using VolturaTests::thresholdFor;

constexpr size_t kDelay = 16;
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInfinity = std::numeric_limits<float>::infinity();
constexpr VstInt32 kRangeQuery = static_cast<VstInt32>(0xdeadbef0u);
constexpr VstIntPtr kVendorAnswer = 0xbeef;

// Host values used throughout: Soft-Knee 1 leaves the plain gain, 0 shapes it fully.
constexpr float kPlainKnee = 1.0f;
constexpr float kRatio20 = 1.0f;
constexpr float kMonitorInput = 1.0f;
constexpr float kKeyLeft = 0.0f;
constexpr float kKeyStereo = 0.4f;
constexpr float kKeyRight = 1.0f;
constexpr float kExternal = 1.0f;
constexpr float kValveSoft = 0.4f;
constexpr float kValveDirty = 1.0f;
constexpr float kMakeUpOn = 1.0f;

// The gain the knee alone gives when nothing is compressed: (1 - knee) 28/36 + knee.
double uncompressedKneeGain(double knee) { return ReferenceModel::Compressor::kneeGain(1.0, knee); }

Channels fourChannels(const std::vector<float>& left, const std::vector<float>& right,
                      const std::vector<float>& sideLeft = {}, const std::vector<float>& sideRight = {})
{
    Channels channels{left, right, sideLeft, sideRight};
    for (size_t channel = 2; channel < 4; ++channel)
        channels[channel].resize(left.size(), 0.0f);
    return channels;
}

Channels noiseChannels(uint32_t seed, size_t frames, float amplitude)
{
    TestSignals::CNoise noise(seed);
    std::vector<float> left = noise.block(frames, amplitude);
    std::vector<float> right = noise.block(frames, amplitude);
    return fourChannels(left, right);
}

class ProEffectFixture : public VolturaTests::TModelledEffectTest<ReferenceModel::ProEffect>
{
protected:
    ProEffectFixture() : TModelledEffectTest(VOLTURA_PRO) {}
};

// ---------------------------------------------------------------------------------------------------------------
// Host queries: can-do, pins, the vendor extension, closing.

class ProHostQueryTest : public ProEffectFixture
{
};

TEST_F(ProHostQueryTest, closingAfterProcessingReleasesTheEffect)
{
    m_host.start(44100.0f, 256);
    const Channels signal = noiseChannels(5, 1000, 0.5f);
    Channels output;
    ASSERT_TRUE(m_host.process(signal, output, 256));
    m_host.stop();
    EXPECT_EQ(1, m_host.dispatch(effClose));
    EXPECT_EQ(nullptr, m_host.effect());
    m_host.unload();
    EXPECT_FALSE(m_host.isLibraryLoaded());
}

// ---------------------------------------------------------------------------------------------------------------
// MIDI: program selection and the controllers 70 to 74.

class ProMidiTest : public ProEffectFixture
{
protected:
    void SetUp() override
    {
        ProEffectFixture::SetUp();
        m_host.start(44100.0f, 64);
        m_host.clearCalls();
    }

    VstIntPtr send(CEventBlock& events) { return m_host.dispatch(effProcessEvents, 0, 0, events.build()); }

    void processOneBlock()
    {
        Channels output;
        ASSERT_TRUE(m_host.process(Channels(4, std::vector<float>(64, 0.0f)), output, 64));
    }

    bool hostWasToldOfAutomation() const
    {
        for (const CTestHost::SHostCall& call : m_host.calls())
            if (call.opcode == audioMasterAutomate)
                return true;
        return false;
    }
};

TEST_F(ProMidiTest, aBlockKeepsAtMost128Events)
{
    CEventBlock events;
    for (int i = 0; i < 127; ++i)
        events.controlChange(20, 1);
    events.controlChange(74, 0);
    events.controlChange(74, 127);
    events.controlChange(3, 0);
    send(events);
    EXPECT_EQ(0.0f, get(0)) << "the 128th event is applied, the 129th is not";
    EXPECT_EQ(0, m_host.dispatch(effGetProgram));

    // The list is full for the rest of this block; the next block starts empty.
    CEventBlock late;
    late.controlChange(74, 127);
    send(late);
    EXPECT_EQ(0.0f, get(0));
    processOneBlock();
    send(late);
    EXPECT_EQ(1.0f, get(0));
}

TEST_F(ProMidiTest, aSecondEventCallInTheSameBlockAppliesOnlyItsOwnEvents)
{
    CEventBlock first;
    first.controlChange(74, 127);
    send(first);
    EXPECT_EQ(1.0f, get(0));
    setEffectOnly(0, 0.5f);

    CEventBlock second;
    second.controlChange(71, 0);
    send(second);
    EXPECT_EQ(0.0f, get(1));
    EXPECT_EQ(0.5f, get(0)) << "the first call's controller is not applied again";
}

// ---------------------------------------------------------------------------------------------------------------
// Latency and transparency.

class ProTransparencyTest : public ProEffectFixture
{
protected:
    // Output must be the input 16 frames later, bit for bit, with silence before.
    static void expectDelayedCopy(const Channels& input, const Channels& output, size_t from = 0)
    {
        for (size_t channel = 0; channel < 2; ++channel)
            for (size_t i = from; i < output[channel].size(); ++i)
                ASSERT_EQ(i >= kDelay ? input[channel][i - kDelay] : 0.0f, output[channel][i])
                    << "channel " << channel << " frame " << i;
    }
};

TEST_F(ProTransparencyTest, defaultProgramIsBitExactAfterTheDelay)
{
    m_host.start(44100.0f, 333);
    const Channels loud = noiseChannels(1, 44100, 1.0f);
    expectDelayedCopy(loud, m_host.render(loud));
    Channels quiet = noiseChannels(2, 4096, 1e-30f);
    expectDelayedCopy(quiet, m_host.render(quiet), kDelay);
}

// Threshold at 0 dB skips the compressor, so the knee shaping never applies either.
TEST_F(ProTransparencyTest, zeroDecibelThresholdBypassesWhateverTheKneeAndRatio)
{
    setEffectOnly(13, 0.7f);
    setEffectOnly(2, kRatio20);
    m_host.start(48000.0f, 512);
    const Channels loud = noiseChannels(3, 20000, 1.0f);
    expectDelayedCopy(loud, m_host.render(loud));
}

TEST_F(ProTransparencyTest, backOnTheDefaultProgramTheEffectIsTransparentAgain)
{
    m_host.start(44100.0f, 512);
    m_host.dispatch(effSetProgram, 0, 3);
    m_host.render(noiseChannels(4, 10000, 0.8f));
    m_host.dispatch(effSetProgram, 0, 0);
    const Channels signal = noiseChannels(5, 10000, 0.8f);
    expectDelayedCopy(signal, m_host.render(signal), kDelay);
}

// Resume empties the ring: nothing from before comes out afterwards.
TEST_F(ProTransparencyTest, resumeStartsFromAnEmptyRing)
{
    m_host.start(44100.0f, 100);
    m_host.render(noiseChannels(6, 1010, 0.9f));
    m_host.stop();
    m_host.dispatch(effMainsChanged, 0, 1);
    const Channels signal = noiseChannels(7, 500, 0.9f);
    expectDelayedCopy(signal, m_host.render(signal));
}

// ---------------------------------------------------------------------------------------------------------------
// The output stage: master, mix and make-up.

class ProOutputStageTest : public ProEffectFixture
{
};

// Mix 0 is the delayed dry input times master however hard the wet path works.
TEST_F(ProOutputStageTest, mixZeroGivesTheDryInputTimesMaster)
{
    start(44100.0f, 512);
    setProgram(3);
    set(11, kMakeUpOn);
    set(0, 0.7f);
    set(5, 0.0f);
    const Channels signal = noiseChannels(12, 20000, 0.9f);
    const SRendered rendered = render(signal, 512);
    const double gain = decibelsToGain(8.0);
    // The first call ramps from the earlier Mix to 0.
    for (size_t channel = 0; channel < 2; ++channel)
        for (size_t i = 512; i < signal[0].size(); ++i)
            ASSERT_NEAR(signal[channel][i - kDelay] * gain, rendered.output[channel][i], 1e-6 * gain) << "frame " << i;
    EXPECT_LT(rendered.largestDifference(), 1e-6 * gain);
}

// Soft valve makes the wet path differ from the dry one, so the mix shows in the output.
TEST_F(ProOutputStageTest, mixMovesLinearlyOverTheCallAfterAChange)
{
    start(44100.0f, 1000);
    set(14, kValveSoft);
    const Channels signal = noiseChannels(13, 3000, 0.8f);
    Channels first(4);
    Channels second(4);
    Channels third(4);
    for (size_t channel = 0; channel < 4; ++channel)
    {
        first[channel].assign(signal[channel].begin(), signal[channel].begin() + 1000);
        second[channel].assign(signal[channel].begin() + 1000, signal[channel].begin() + 2000);
        third[channel].assign(signal[channel].begin() + 2000, signal[channel].end());
    }
    render(first, 1000);
    set(5, 0.25f);
    const SRendered ramp = render(second, 1000);
    const SRendered settled = render(third, 1000);

    // Frame k of the ramp mixes at 1 + (k + 1) (0.25 - 1) / 1000: wet w and dry d give (w - d) m + d. The float
    // sum of 1000 steps may stray a few 1e-6 from the exact mix.
    for (size_t k = 0; k < 1000; ++k)
    {
        const float dry = signal[0][1000 + k - kDelay];
        const double wet = ReferenceModel::valve(dry, ReferenceModel::kSoftValve);
        const double mix = 1.0 + static_cast<double>(k + 1) * (0.25 - 1.0) / 1000.0;
        ASSERT_NEAR((wet - dry) * mix + dry, ramp.output[0][k], 5e-6) << "frame " << k;
    }
    for (size_t k = 0; k < 1000; ++k)
    {
        const float dry = signal[0][2000 + k - kDelay];
        const double wet = ReferenceModel::valve(dry, ReferenceModel::kSoftValve);
        ASSERT_NEAR((wet - dry) * 0.25 + dry, settled.output[0][k], 5e-6) << "frame " << k;
    }
    EXPECT_LT(ramp.largestDifference(), 5e-6);
    EXPECT_LT(settled.largestDifference(), 5e-6);

    // Resume empties the ring but keeps the mix where it is: no new ramp from anywhere.
    m_host.stop();
    m_host.dispatch(effMainsChanged, 0, 1);
    m_model.resume(44100.0f);
    const SRendered resumed = render(first, 1000);
    for (size_t k = kDelay; k < 1000; ++k)
    {
        const float dry = first[0][k - kDelay];
        const double wet = ReferenceModel::valve(dry, ReferenceModel::kSoftValve);
        ASSERT_NEAR((wet - dry) * 0.25 + dry, resumed.output[0][k], 5e-6) << "frame " << k;
    }
    EXPECT_LT(resumed.largestDifference(), 5e-6);
}

// Below the threshold with the plain knee the gain is 1, so the output is the input times the make-up alone.
class ProMakeUpTest : public ProEffectFixture
{
protected:
    // Largest relative deviation of output / delayed input from `factor`.
    double deviationFrom(double factor)
    {
        const Channels signal = noiseChannels(14, 8192, 0.001f);
        const SRendered rendered = render(signal, 512);
        double worst = 0.0;
        for (size_t channel = 0; channel < 2; ++channel)
            for (size_t i = kDelay; i < signal[0].size(); ++i)
                if (std::fabs(signal[channel][i - kDelay]) > 1e-5f)
                    worst = std::max(worst, std::fabs(rendered.output[channel][i] /
                                                          (signal[channel][i - kDelay] * factor) - 1.0));
        EXPECT_LT(rendered.largestDifference(), 1e-8);
        return worst;
    }

    // 10^((|T| - s |T|) / 20) * 0.75.
    static double makeUp(double thresholdDb, double slope)
    {
        return decibelsToGain(std::fabs(thresholdDb) * (1.0 - slope)) * 0.75;
    }
};

TEST_F(ProMakeUpTest, oneFactorWhicheverOfTheThreeWasSetLast)
{
    start(44100.0f);
    set(13, kPlainKnee);
    const double expected = makeUp(-20.0, 0.525);

    set(1, 0.6f);
    set(2, 0.5f);
    set(11, kMakeUpOn);
    quietDown();
    EXPECT_LT(deviationFrom(expected), 1e-5) << "MakeUpGain last";
    set(1, 0.6f);
    EXPECT_LT(deviationFrom(expected), 1e-5) << "Threshold last";
    set(2, 0.5f);
    EXPECT_LT(deviationFrom(expected), 1e-5) << "Ratio last";

    set(11, 0.0f);
    EXPECT_LT(deviationFrom(1.0), 1e-6) << "MakeUpGain Off";
}

// A program change applies MakeUpGain after Threshold and Ratio; the factor is the same 0.75.
TEST_F(ProMakeUpTest, aProgramChangeGivesTheSameFactor)
{
    start(44100.0f);
    // Release is none of the three; shortened, the primed detector rests within the second of silence.
    setProgram(5);
    set(4, 0.0f);
    quietDown();
    // Bass: -17.5 dB, slope 0.2875, knee 0.5.
    EXPECT_LT(deviationFrom(makeUp(-17.5, 0.2875) * uncompressedKneeGain(0.5)), 1e-5);
    setProgram(4);
    // Guitar: -9 dB, slope 0.43, knee 0.2; its Soft valve bypassed so that only gains remain.
    set(14, 0.0f);
    set(4, 0.0f);
    quietDown();
    EXPECT_LT(deviationFrom(makeUp(-9.0, 0.43) * uncompressedKneeGain(0.2)), 1e-5);
}

// ---------------------------------------------------------------------------------------------------------------
// The stages of the block: valve, detector equaliser, mid/side, and which signal feeds the detector.

class ProStageTest : public ProEffectFixture
{
};

TEST_F(ProStageTest, valveShapesTheWetSignal)
{
    start(44100.0f, 64);
    std::vector<float> left = {0.5f, -0.5f, 0.25f, 1.0f, -1.0f, 0.0f};
    std::vector<float> right(left.size(), 0.0f);
    for (int i = 0; i <= 500; ++i)
    {
        left.push_back(-1.25f + 2.5f * static_cast<float>(i) / 500.0f);
        right.push_back(1.0f - 2.0f * static_cast<float>(i) / 500.0f);
    }
    left.resize(left.size() + kDelay, 0.0f);
    right.resize(left.size(), 0.0f);
    const Channels signal = fourChannels(left, right);

    set(14, kValveSoft);
    const SRendered soft = render(signal, 64);
    EXPECT_NEAR(0.525, soft.output[0][kDelay], 1e-6);
    EXPECT_NEAR(-0.525, soft.output[0][kDelay + 1], 1e-6);
    EXPECT_LT(soft.largestDifference(), 5e-7);

    set(14, kValveDirty);
    const SRendered dirty = render(signal, 64);
    EXPECT_NEAR(0.3, dirty.output[0][kDelay + 2], 1e-6);
    EXPECT_NEAR(0.0, dirty.output[0][kDelay + 3], 1e-6);
    EXPECT_NEAR(0.0, dirty.output[0][kDelay + 4], 1e-6);
    EXPECT_LT(dirty.largestDifference(kDelay), 5e-7);
}

// With Monitor Input the output is the detector's key (delayed like the audio), chosen by Key Input.
TEST_F(ProStageTest, monitorInputShowsTheKeyKeyInputChooses)
{
    start(44100.0f, 100);
    set(10, kMonitorInput);
    const Channels signal = noiseChannels(21, 4000, 0.7f);
    const struct
    {
        float keyInput;
        size_t leftSource;
        size_t rightSource;
    } cases[] = {{kKeyLeft, 0, 0}, {kKeyStereo, 0, 1}, {kKeyRight, 1, 1}};
    for (const auto& each : cases)
    {
        set(12, each.keyInput);
        const SRendered rendered = render(signal, 100);
        SCOPED_TRACE(testing::Message() << "Key Input " << each.keyInput);
        // The first ring's worth still holds the previous selection.
        for (size_t i = 2 * kDelay; i < signal[0].size(); ++i)
        {
            ASSERT_NEAR(signal[each.leftSource][i - kDelay], rendered.output[0][i], 1e-7) << "frame " << i;
            ASSERT_NEAR(signal[each.rightSource][i - kDelay], rendered.output[1][i], 1e-7) << "frame " << i;
        }
        EXPECT_LT(rendered.largestDifference(), 1e-7);
    }
}

TEST_F(ProStageTest, midSideWeightsTheKeysSumAndDifference)
{
    start(44100.0f, 128);
    set(10, kMonitorInput);
    const Channels signal = noiseChannels(22, 4000, 0.7f);
    set(15, 0.0f);
    const SRendered mono = render(signal, 128);
    set(15, 1.0f);
    const SRendered side = render(signal, 128);
    for (size_t i = 2 * kDelay; i < signal[0].size(); ++i)
    {
        const double left = signal[0][i - kDelay];
        const double right = signal[1][i - kDelay];
        ASSERT_NEAR((left + right) / 2.0, mono.output[0][i], 2e-7) << "frame " << i;
        ASSERT_NEAR((left + right) / 2.0, mono.output[1][i], 2e-7) << "frame " << i;
        ASSERT_NEAR((left - right) / 2.0, side.output[0][i], 2e-7) << "frame " << i;
        ASSERT_NEAR((right - left) / 2.0, side.output[1][i], 2e-7) << "frame " << i;
    }
    for (float width : {0.25f, 0.75f, 0.5f})
    {
        set(15, width);
        EXPECT_LT(render(signal, 128).largestDifference(), 2e-7) << "Mid/Side " << width;
    }
}

// Identical channels have no side: with only the side weighted the detector hears nothing.
TEST_F(ProStageTest, sideOnlyKeyOfAMonoSignalDoesNotCompress)
{
    start(44100.0f, 512);
    set(1, thresholdFor(-40.0));
    set(2, kRatio20);
    set(13, 0.3f);
    set(15, 1.0f);
    quietDown();
    std::vector<float> mono = TestSignals::CNoise(23).block(22050, 0.9f);
    const Channels signal = fourChannels(mono, mono);
    const SRendered rendered = render(signal, 512);
    const double knee = uncompressedKneeGain(0.3);
    for (size_t i = kDelay; i < mono.size(); ++i)
        ASSERT_NEAR(mono[i - kDelay] * knee, rendered.output[0][i], 1e-6) << "frame " << i;
    EXPECT_LT(rendered.largestDifference(), 1e-6);

    set(15, 0.5f);
    const SRendered compressed = render(signal, 512);
    EXPECT_LT(std::fabs(compressed.output[0].back()), 0.5 * std::fabs(mono.back()) + 1e-3);
    EXPECT_LT(compressed.largestDifference(), 5e-6);
}

// A constant key lies wholly in the low band: EQ Low at -20 dB brings it to a tenth, the other bands leave it.
TEST_F(ProStageTest, equaliserShapesTheKeyByBand)
{
    start(44100.0f, 256);
    set(10, kMonitorInput);
    const std::vector<float> constant(8192, 0.5f);
    const Channels signal = fourChannels(constant, constant);
    const struct
    {
        VstInt32 band;
        double settled;
    } cases[] = {{6, 0.05}, {7, 0.5}, {8, 0.5}};
    for (const auto& each : cases)
    {
        for (VstInt32 band : {6, 7, 8})
            set(band, 0.5f);
        set(each.band, 0.0f);
        const SRendered rendered = render(signal, 256);
        SCOPED_TRACE(testing::Message() << "band " << each.band);
        EXPECT_NEAR(each.settled, rendered.output[0].back(), 2e-6);
        EXPECT_NEAR(each.settled, rendered.output[1].back(), 2e-6);
        EXPECT_LT(rendered.largestDifference(), 2e-6);
    }
}

TEST_F(ProStageTest, equaliserFollowsTheModelOnNoise)
{
    for (float rate : {44100.0f, 96000.0f})
    {
        start(rate, 200);
        set(10, kMonitorInput);
        set(6, 0.65f);
        set(7, 0.25f);
        set(8, 0.8f);
        const Channels signal = noiseChannels(24, 20000, 0.5f);
        EXPECT_LT(render(signal, 200).largestDifference(), 2e-6) << rate;

        // Through the detector into the gain.
        set(10, 0.0f);
        set(1, thresholdFor(-30.0));
        set(2, ratioForSlope(0.25));
        set(3, ReferenceModel::timeParameterValue(3.0));
        set(4, ReferenceModel::timeParameterValue(60.0));
        set(13, 0.3f);
        EXPECT_LT(render(signal, 200).largestDifference(), 5e-6) << rate;
    }
}

class ProDetectorTest : public ProEffectFixture
{
protected:
    void SetUp() override
    {
        ProEffectFixture::SetUp();
        start(44100.0f, 512);
        set(1, thresholdFor(-40.0));
        set(2, kRatio20);
        set(3, ReferenceModel::timeParameterValue(2.0));
        set(4, ReferenceModel::timeParameterValue(50.0));
        set(13, 0.2f);
        quietDown();
    }
};

// With an external key that is silent the detector hears only the 1e-15 offset: no compression, the knee factor
// alone, however loud the main input.
TEST_F(ProDetectorTest, silentExternalKeyGivesNoCompression)
{
    set(9, kExternal);
    const Channels signal = noiseChannels(31, 22050, 0.95f);
    const SRendered rendered = render(signal, 512);
    const double knee = uncompressedKneeGain(0.2);
    for (size_t channel = 0; channel < 2; ++channel)
        for (size_t i = kDelay; i < signal[0].size(); ++i)
            ASSERT_NEAR(signal[channel][i - kDelay] * knee, rendered.output[channel][i], 1e-6) << "frame " << i;
    EXPECT_LT(rendered.largestDifference(), 1e-6);

    // The same main input keys itself when the side-chain is internal: it is compressed hard.
    set(9, 0.0f);
    const SRendered internal = render(signal, 512);
    double energy = 0.0;
    double compressedEnergy = 0.0;
    for (size_t i = signal[0].size() / 2; i < signal[0].size(); ++i)
    {
        energy += signal[0][i - kDelay] * signal[0][i - kDelay];
        compressedEnergy += internal.output[0][i] * internal.output[0][i];
    }
    EXPECT_LT(gainToDecibels(std::sqrt(compressedEnergy / energy)), -20.0);
    EXPECT_LT(internal.largestDifference(), 5e-6);
}

// A loud side-chain ducks a quiet main input, which alone would not be compressed.
TEST_F(ProDetectorTest, externalKeyDucksTheMainInput)
{
    set(9, kExternal);
    TestSignals::CNoise noise(32);
    const size_t frames = 44100;
    std::vector<float> mainLeft = noise.block(frames, 0.01f);
    std::vector<float> mainRight = noise.block(frames, 0.01f);
    std::vector<float> sideLeft(frames, 0.0f);
    std::vector<float> sideRight(frames, 0.0f);
    for (size_t i = frames / 4; i < 3 * frames / 4; ++i)
    {
        sideLeft[i] = noise.next(0.9f);
        sideRight[i] = noise.next(0.9f);
    }
    const SRendered rendered = render(fourChannels(mainLeft, mainRight, sideLeft, sideRight), 512);
    EXPECT_LT(rendered.largestDifference(), 2e-6);
    EXPECT_LT(std::fabs(rendered.output[0][frames / 2] / mainLeft[frames / 2 - kDelay]), 0.1);
    EXPECT_NEAR(uncompressedKneeGain(0.2), rendered.output[0][frames / 8] / mainLeft[frames / 8 - kDelay], 1e-5);
}

// A loud left channel and a silent right one: the key choice decides whether both are compressed.
TEST_F(ProDetectorTest, keyInputChoosesWhichChannelDrivesTheGain)
{
    TestSignals::CNoise noise(33);
    const std::vector<float> loud = noise.block(22050, 0.9f);
    const Channels signal = fourChannels(loud, std::vector<float>(loud.size(), 0.0f));
    set(12, kKeyRight);
    const SRendered right = render(signal, 512);
    for (size_t i = 2 * kDelay; i < loud.size(); ++i)
        ASSERT_NEAR(loud[i - kDelay] * uncompressedKneeGain(0.2), right.output[0][i], 1e-6) << "frame " << i;
    EXPECT_LT(right.largestDifference(), 1e-5);

    set(12, kKeyLeft);
    const SRendered left = render(signal, 512);
    EXPECT_LT(std::fabs(left.output[0].back()), 0.2 * std::fabs(loud[loud.size() - 1 - kDelay]) + 1e-3);
    EXPECT_LT(left.largestDifference(), 5e-6);
}

// ---------------------------------------------------------------------------------------------------------------
// The compressor through the effect: static curve and time constants.

class ProCompressionTest : public ProEffectFixture
{
protected:
    // Gain in dB at frame i of a constant input on both channels.
    static double gainDbAt(const SRendered& rendered, const std::vector<float>& input, size_t i)
    {
        return gainToDecibels(rendered.output[0][i] / input[i - kDelay]);
    }
};

// A staircase of constant levels from 20 dB under to 28 dB over a -24 dB threshold; each step settles for
// 0.3 s. The settled gain matches the static curve within 2e-3 dB (the compressor's own
// float rounding, about 1e-3 dB, and what is left of the 20 ms release).
TEST_F(ProCompressionTest, staticCurveWithAndWithoutTheKnee)
{
    const double rate = 44100.0;
    const size_t stepFrames = TestSignals::blockFrames(0.3, rate);
    std::vector<double> levels;
    std::vector<float> input;
    for (double level = -44.0; level <= 4.0; level += 4.0)
    {
        levels.push_back(level);
        input.resize(input.size() + stepFrames, keyForLevel(level));
    }
    input.resize(input.size() + kDelay, input.back());
    const Channels signal = fourChannels(input, input);
    for (double slope : {0.05, 0.5})
    {
        for (float knee : {0.0f, 0.4f, 1.0f})
        {
            reload();
            start(static_cast<float>(rate), 441);
            set(1, thresholdFor(-24.0));
            set(2, ratioForSlope(slope));
            set(3, ReferenceModel::timeParameterValue(2.0));
            set(4, ReferenceModel::timeParameterValue(20.0));
            set(13, knee);
            const SRendered rendered = render(signal, 441);
            const ReferenceModel::Compressor curve({rate, -24.0, slope, 2.0, 20.0, 5.0, static_cast<double>(knee)});
            for (size_t step = 0; step < levels.size(); ++step)
            {
                const size_t last = (step + 1) * stepFrames - 1 + kDelay;
                const float key = input[last - kDelay];
                const double expected = curve.staticGainDb(ReferenceModel::Compressor::constantKeyLevelDb(key, key));
                EXPECT_NEAR(expected, gainDbAt(rendered, input, last), 2e-3)
                    << "slope " << slope << ", knee " << knee << ", level " << levels[step];
            }
            EXPECT_LT(rendered.largestDifference(), 1e-5) << "slope " << slope << ", knee " << knee;
        }
    }
}

// Resume sets the envelope back to its floor but leaves the detector's power as it was: a loud signal carries
// on at once from almost no gain reduction and is pulled down again over the attack time. Had resume emptied the
// detector too, the output would stray some 4e-2 from the model; the float envelope alone strays about 1e-5.
TEST_F(ProCompressionTest, resumeRestartsTheEnvelopeButKeepsTheDetectorsPower)
{
    start(44100.0f, 256);
    set(1, thresholdFor(-40.0));
    set(2, ratioForSlope(0.25));
    set(3, ReferenceModel::timeParameterValue(30.0));
    set(4, ReferenceModel::timeParameterValue(300.0));
    set(13, kPlainKnee);
    const Channels before = noiseChannels(35, 22050, 0.8f);
    const SRendered compressed = render(before, 256);
    EXPECT_LT(gainToDecibels(std::fabs(compressed.output[0].back() / before[0][before[0].size() - 1 - kDelay])),
              -20.0);

    m_host.stop();
    m_host.dispatch(effMainsChanged, 0, 1);
    m_model.resume(44100.0f);
    const Channels after = noiseChannels(36, 22050, 0.8f);
    const SRendered resumed = render(after, 256);
    for (size_t i = 0; i < kDelay; ++i)
        EXPECT_EQ(0.0f, resumed.output[0][i]) << "the ring starts empty";
    EXPECT_GT(gainToDecibels(std::fabs(resumed.output[0][kDelay] / after[0][0])), -0.1);
    EXPECT_LT(resumed.largestDifference(), 2e-5);
}

class ProTimingTest : public ProCompressionTest, public ::testing::WithParamInterface<float>
{
protected:
    // A constant input stepping from `before` to `after` at 0.5 s; threshold -30 dB, slope 0.5, plain knee.
    VolturaTests::STiming measure(float attackValue, float releaseValue, float before, float after)
    {
        const double rate = GetParam();
        start(GetParam(), 512);
        set(1, thresholdFor(-30.0));
        set(2, ratioForSlope(0.5));
        set(3, attackValue);
        set(4, releaseValue);
        set(13, kPlainKnee);
        const size_t step = TestSignals::blockFrames(0.5, rate);
        std::vector<float> input(step, before);
        input.resize(step + TestSignals::blockFrames(1.5, rate), after);
        const SRendered rendered = render(fourChannels(input, input), 512);

        const double beforeDb = ReferenceModel::Compressor::staticGainDb(
            ReferenceModel::Compressor::constantKeyLevelDb(before, before), -30.0, 0.5);
        const double afterDb = ReferenceModel::Compressor::staticGainDb(
            ReferenceModel::Compressor::constantKeyLevelDb(after, after), -30.0, 0.5);
        return VolturaTests::stepTiming(rendered, input, kDelay, step, beforeDb, afterDb);
    }
};

INSTANTIATE_TEST_SUITE_P(Rates, ProTimingTest, ::testing::Values(44100.0f, 48000.0f, 96000.0f));

// From 40 dB under the threshold to 20 dB over it: 1 - 1/e of the -10 dB change is covered about one attack time
// later, plus up to 5 ms for the 5 ms RMS detector. The effect lands within a frame (plus 0.2 % for the float
// coefficient) of the model and follows it within the float envelope's resolution throughout.
TEST_P(ProTimingTest, attackTimeConstant)
{
    for (double attack : {10.0, 100.0})
    {
        reload();
        const VolturaTests::STiming timing = measure(static_cast<float>(ReferenceModel::timeParameterValue(attack)), 0.0f,
                                       keyForLevel(-70.0), keyForLevel(-10.0));
        const double modelledMs = 1000.0 * static_cast<double>(timing.modelFrames) / GetParam();
        SCOPED_TRACE(testing::Message() << "attack " << attack << " ms");
        EXPECT_NEAR(static_cast<double>(timing.modelFrames), static_cast<double>(timing.effectFrames),
                    1.0 + 0.002 * static_cast<double>(timing.modelFrames));
        EXPECT_GE(modelledMs, attack);
        EXPECT_LE(modelledMs, attack + 5.0);
        EXPECT_LT(timing.largestDbDifference, VolturaTests::envelopeToleranceDb(attack, GetParam()));
    }
}

// From 20 dB over to 40 dB under: the gain recovers 1 - 1/e of the way about one release time later, after the
// detector's level has fallen through the 20 dB excess (8.7 dB per 5 ms RMS time constant: about 11.5 ms).
TEST_P(ProTimingTest, releaseTimeConstant)
{
    for (double release : {50.0, 500.0})
    {
        reload();
        const VolturaTests::STiming timing = measure(static_cast<float>(ReferenceModel::timeParameterValue(1.0)),
                                       static_cast<float>(ReferenceModel::timeParameterValue(release)),
                                       keyForLevel(-10.0), keyForLevel(-70.0));
        const double modelledMs = 1000.0 * static_cast<double>(timing.modelFrames) / GetParam();
        SCOPED_TRACE(testing::Message() << "release " << release << " ms");
        EXPECT_NEAR(static_cast<double>(timing.modelFrames), static_cast<double>(timing.effectFrames),
                    1.0 + 0.005 * static_cast<double>(timing.modelFrames));
        EXPECT_GE(modelledMs, release + 5.0);
        EXPECT_LE(modelledMs, release + 15.0);
        EXPECT_LT(timing.largestDbDifference, VolturaTests::envelopeToleranceDb(release, GetParam()));
    }
}

// ---------------------------------------------------------------------------------------------------------------
// Robustness: bad input, bad rates, empty calls.

} // namespace
