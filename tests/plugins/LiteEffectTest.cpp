// VolturaLite as a host meets it: the 64-bit DLL loaded through the test host, its parameters, programs and
// queries, its MIDI mapping, and its audio compared with the double-precision model of its block path.
#include "tests/compressor/ReferenceModel.hpp"
#include "tests/compressor/TestSignals.hpp"
#include "tests/support/CEventBlock.hpp"
#include "tests/support/TModelledEffectTest.hpp"
#include "tools/testhost/CTestHost.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <limits>
#include <string>
#include <vector>

namespace
{
using ReferenceModel::decibelsToGain;
using ReferenceModel::gainToDecibels;
using ReferenceModel::liteProgram;
using VolturaTests::Channels;
using VolturaTests::CEventBlock;
using VolturaTests::keyForLevel;
using VolturaTests::ratioForSlope;
using VolturaTests::SRendered;
using VolturaTests::thresholdFor;

constexpr size_t kDelay = 16;
constexpr VstInt32 kParameters = 6;
constexpr int kPrograms = 13;
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInfinity = std::numeric_limits<float>::infinity();
constexpr VstInt32 kRangeQuery = static_cast<VstInt32>(0xdeadbef0u);
constexpr VstIntPtr kVendorAnswer = 0xbeef;
constexpr float kRatio20 = 1.0f;
constexpr int kTzn = 7;

// Lite's master stage: 10^((Master dB + 2) / 20), Master being -20 .. 20 dB over the host's 0 .. 1.
double masterGain(double hostValue) { return decibelsToGain(-20.0 + 40.0 * hostValue + 2.0); }

Channels twoChannels(const std::vector<float>& left, const std::vector<float>& right) { return {left, right}; }

Channels noiseChannels(uint32_t seed, size_t frames, float amplitude)
{
    TestSignals::CNoise noise(seed);
    std::vector<float> left = noise.block(frames, amplitude);
    std::vector<float> right = noise.block(frames, amplitude);
    return twoChannels(left, right);
}

class LiteEffectFixture : public VolturaTests::TModelledEffectTest<ReferenceModel::LiteEffect>
{
protected:
    LiteEffectFixture() : TModelledEffectTest(VOLTURA_LITE) {}
};

// ---------------------------------------------------------------------------------------------------------------
// Parameter texts and values.

class LiteParameterTest : public LiteEffectFixture
{
};

// Clamped values act as the ends of the range: Master at +1.5 is +20 dB shown, +22 dB applied.
TEST_F(LiteParameterTest, clampedMasterActsAsItsTopEnd)
{
    start(44100.0f, 256);
    setEffectOnly(0, 1.5f);
    const Channels signal = noiseChannels(8, 1024, 0.04f);
    const Channels output = m_host.render(signal);
    const double gain = masterGain(1.0);
    for (size_t channel = 0; channel < 2; ++channel)
        for (size_t i = kDelay; i < output[channel].size(); ++i)
            ASSERT_NEAR(signal[channel][i - kDelay] * gain, output[channel][i], 1e-6 * gain) << "frame " << i;
}

// ---------------------------------------------------------------------------------------------------------------
// Programs.

class LiteProgramTest : public LiteEffectFixture
{
};

// TZN: Threshold at -50 dB with 20:1, the fastest attack and release, Master +6 dB shown (+8 dB applied).
TEST_F(LiteProgramTest, tznIsTheHardestSetting)
{
    m_host.dispatch(effSetProgram, 0, kTzn);
    EXPECT_EQ("TZN", m_host.queryString(effGetProgramName).text);
    EXPECT_EQ("6.000", display(0));
    EXPECT_EQ("-50.00", display(1));
    EXPECT_EQ("20.0", display(2));
    EXPECT_EQ("1.000", display(3));
    EXPECT_EQ("1.000", display(4));
    EXPECT_EQ("1.000", display(5));
}

// ---------------------------------------------------------------------------------------------------------------
// Host queries: identity, can-do, pins, the vendor extension.

class LiteHostQueryTest : public LiteEffectFixture
{
};

TEST_F(LiteHostQueryTest, identityIsSqa2WithTwoInputsAndTwoOutputs)
{
    EXPECT_EQ(('S' << 24) | ('q' << 16) | ('a' << 8) | '2', effect()->uniqueID);
    EXPECT_EQ(2, effect()->numInputs);
    EXPECT_EQ(2, effect()->numOutputs);
    EXPECT_EQ(16, effect()->initialDelay);
    EXPECT_EQ("VolturaLite", m_host.queryString(effGetEffectName).text);
}

// ---------------------------------------------------------------------------------------------------------------
// Latency and the output stage: master 2 dB above the value shown, the dry/wet mix.

class LiteLatencyTest : public LiteEffectFixture, public ::testing::WithParamInterface<VstInt32>
{
protected:
    // Output must be the input 16 frames later times `gain` rounded to a float, with silence before.
    static void expectDelayedCopy(const Channels& input, const Channels& output, double gain)
    {
        ASSERT_EQ(2u, output.size());
        for (size_t channel = 0; channel < 2; ++channel)
            for (size_t i = 0; i < output[channel].size(); ++i)
                ASSERT_EQ(i >= kDelay ? static_cast<float>(input[channel][i - kDelay] * gain) : 0.0f,
                          output[channel][i])
                    << "channel " << channel << " frame " << i;
    }

    static Channels impulses()
    {
        std::vector<float> left(3000, 0.0f);
        std::vector<float> right(3000, 0.0f);
        left[0] = 1.0f;
        right[1000] = -0.5f;
        left[2047] = 0.25f;
        right[2048] = 0.75f;
        return twoChannels(left, right);
    }
};

INSTANTIATE_TEST_SUITE_P(BlockSizes, LiteLatencyTest, ::testing::Values(1, 7, 16, 17, 1024));

// Mix 0 is the delayed dry input times master however hard the compressor works. One frame of silence first lets
// the mix ramp from the program's 1 down to 0 before any sound arrives.
TEST_P(LiteLatencyTest, mixZeroIsTheDryInputTwoDecibelsUpWhateverTheCompressor)
{
    m_host.start(44100.0f, GetParam());
    m_host.dispatch(effSetProgram, 0, kTzn);
    setEffectOnly(0, 0.5f);
    setEffectOnly(5, 0.0f);
    Channels ignored;
    ASSERT_TRUE(m_host.process(Channels(2, std::vector<float>(1, 0.0f)), ignored, 1));
    const Channels signal = impulses();
    expectDelayedCopy(signal, m_host.render(signal), decibelsToGain(2.0));
    Channels noise = noiseChannels(9, 5000, 0.9f);
    expectDelayedCopy(noise, m_host.render(noise), decibelsToGain(2.0));
}

class LiteOutputStageTest : public LiteEffectFixture
{
};

// With compression the wet signal differs from the dry one, so the mix shows: a new Mix value ramps linearly over
// the next call, and resume keeps the mix where it is. The model mixes in double, the effect ramps in float.
TEST_F(LiteOutputStageTest, mixMovesOverTheCallAfterAChangeAndStaysThroughResume)
{
    start(44100.0f, 1000);
    set(1, thresholdFor(-30.0));
    set(2, ratioForSlope(0.2));
    set(3, ReferenceModel::timeParameterValue(1.0));
    set(4, ReferenceModel::timeParameterValue(30.0));
    const Channels signal = noiseChannels(13, 3000, 0.8f);
    Channels parts[3];
    for (size_t part = 0; part < 3; ++part)
        for (size_t channel = 0; channel < 2; ++channel)
            parts[part].emplace_back(signal[channel].begin() + static_cast<std::ptrdiff_t>(1000 * part),
                                     signal[channel].begin() + static_cast<std::ptrdiff_t>(1000 * (part + 1)));
    EXPECT_LT(render(parts[0], 1000).largestDifference(), 1e-5);
    set(5, 0.25f);
    const SRendered ramp = render(parts[1], 1000);
    const SRendered settled = render(parts[2], 1000);
    EXPECT_LT(ramp.largestDifference(), 1e-5);
    EXPECT_LT(settled.largestDifference(), 1e-5);

    // Where the wet signal is pulled well below the dry one, the mix 0.25 leaves mostly the dry signal.
    double dryEnergy = 0.0;
    double outputEnergy = 0.0;
    for (size_t i = 500; i < 1000; ++i)
    {
        dryEnergy += signal[0][2000 + i - kDelay] * signal[0][2000 + i - kDelay];
        outputEnergy += settled.output[0][i] * settled.output[0][i];
    }
    const double levelDb = 10.0 * std::log10(outputEnergy / dryEnergy);
    EXPECT_GT(levelDb, 20.0 * std::log10(0.75 * masterGain(0.5)));
    EXPECT_LT(levelDb, 20.0 * std::log10(masterGain(0.5)));

    m_host.stop();
    m_host.dispatch(effMainsChanged, 0, 1);
    m_model.resume(44100.0f);
    const SRendered resumed = render(parts[0], 1000);
    for (size_t i = 0; i < kDelay; ++i)
        EXPECT_EQ(0.0f, resumed.output[0][i]) << "the ring starts empty";
    EXPECT_LT(resumed.largestDifference(), 1e-5);
}

// Threshold at 0 dB skips the compressor whatever the ratio and times: a full-scale square wave, 3 dB over that
// threshold, comes out unchanged but for master. The detector stands still meanwhile, so once the threshold comes
// down the effect goes on as the model does from where it was left.
TEST_F(LiteOutputStageTest, zeroDecibelThresholdIsTransparentAndLeavesTheDetectorAlone)
{
    start(48000.0f, 512);
    set(2, kRatio20);
    set(3, 0.0f);
    set(4, 0.0f);
    std::vector<float> square(20000);
    for (size_t i = 0; i < square.size(); ++i)
        square[i] = (i / 50) % 2 == 0 ? 1.0f : -1.0f;
    const SRendered loud = render(twoChannels(square, square), 512);
    for (size_t channel = 0; channel < 2; ++channel)
        for (size_t i = 0; i < square.size(); ++i)
            ASSERT_EQ(i >= kDelay ? static_cast<float>(square[i - kDelay] * decibelsToGain(2.0)) : 0.0f,
                      loud.output[channel][i])
                << "channel " << channel << " frame " << i;

    set(1, thresholdFor(-30.0));
    const SRendered compressed = render(noiseChannels(4, 20000, 0.5f), 512);
    EXPECT_LT(compressed.largestDifference(), 2e-5);
}

// ---------------------------------------------------------------------------------------------------------------
// The compressor through the effect: static curve, time constants, every program, resume.

class LiteCompressionTest : public LiteEffectFixture, public ::testing::WithParamInterface<float>
{
protected:
    // Gain in dB at frame i of a constant input on both channels, master taken out.
    double gainDbAt(const SRendered& rendered, const std::vector<float>& input, size_t i) const
    {
        return gainToDecibels(rendered.output[0][i] / input[i - kDelay]) - gainToDecibels(masterGain(get(0)));
    }

    // A constant input stepping from `before` to `after` at 0.5 s; threshold -30 dB, slope 0.5. The detector is
    // primed far above the threshold, so it first rests in silence with these settings.
    VolturaTests::STiming measure(float attackValue, float releaseValue, float before, float after)
    {
        const double rate = GetParam();
        start(GetParam(), 512);
        set(1, thresholdFor(-30.0));
        set(2, ratioForSlope(0.5));
        set(3, attackValue);
        set(4, releaseValue);
        quietDown();
        const size_t step = TestSignals::blockFrames(0.5, rate);
        std::vector<float> input(step, before);
        input.resize(step + TestSignals::blockFrames(1.5, rate), after);
        const SRendered rendered = render(twoChannels(input, input), 512);
        // Master at 0 dB shown adds its 2 dB to both ends of the step.
        const double beforeDb = ReferenceModel::Compressor::staticGainDb(
            ReferenceModel::Compressor::constantKeyLevelDb(before, before), -30.0, 0.5);
        const double afterDb = ReferenceModel::Compressor::staticGainDb(
            ReferenceModel::Compressor::constantKeyLevelDb(after, after), -30.0, 0.5);
        return VolturaTests::stepTiming(rendered, input, kDelay, step, beforeDb + 2.0, afterDb + 2.0);
    }
};

INSTANTIATE_TEST_SUITE_P(Rates, LiteCompressionTest, ::testing::Values(44100.0f, 48000.0f, 96000.0f));

// A staircase of constant levels from 20 dB under to 28 dB over a -24 dB threshold, each step held 0.3 s. The
// settled gain is the plain curve -(level - threshold)(1 - slope), with no knee, within 2e-3 dB (the compressor's
// own float rounding, about 1e-3 dB, and what is left of the 20 ms release); the output follows the model within
// 1e-5 of full scale.
TEST_P(LiteCompressionTest, staticCurveIsThePlainGain)
{
    const double rate = GetParam();
    const size_t stepFrames = TestSignals::blockFrames(0.3, rate);
    std::vector<double> levels;
    std::vector<float> input;
    for (double level = -44.0; level <= 4.0; level += 4.0)
    {
        levels.push_back(level);
        input.resize(input.size() + stepFrames, keyForLevel(level));
    }
    input.resize(input.size() + kDelay, input.back());
    const Channels signal = twoChannels(input, input);
    for (double slope : {0.05, 0.5, 1.0})
    {
        reload();
        start(static_cast<float>(rate), 441);
        set(1, thresholdFor(-24.0));
        set(2, ratioForSlope(slope));
        set(3, ReferenceModel::timeParameterValue(2.0));
        set(4, ReferenceModel::timeParameterValue(20.0));
        const SRendered rendered = render(signal, 441);
        for (size_t step = 0; step < levels.size(); ++step)
        {
            const size_t last = (step + 1) * stepFrames - 1 + kDelay;
            const float key = input[last - kDelay];
            const double expected = ReferenceModel::Compressor::staticGainDb(
                ReferenceModel::Compressor::constantKeyLevelDb(key, key), -24.0, slope);
            EXPECT_NEAR(expected, gainDbAt(rendered, input, last), 2e-3)
                << "slope " << slope << ", level " << levels[step];
        }
        EXPECT_LT(rendered.largestDifference(), 1e-5) << "slope " << slope;
    }
}

// From 40 dB under the threshold to 20 dB over it: 1 - 1/e of the -10 dB change is covered about one attack time
// later, plus up to 5 ms for the 5 ms RMS detector. The effect lands within a frame (plus 0.2 % for the float
// coefficient) of the model and follows it within the float envelope's resolution throughout.
TEST_P(LiteCompressionTest, attackTimeConstant)
{
    for (double attack : {10.0, 100.0})
    {
        reload();
        const VolturaTests::STiming timing = measure(static_cast<float>(ReferenceModel::timeParameterValue(attack)),
                                                     0.0f, keyForLevel(-70.0), keyForLevel(-10.0));
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
TEST_P(LiteCompressionTest, releaseTimeConstant)
{
    for (double release : {50.0, 500.0})
    {
        reload();
        const VolturaTests::STiming timing =
            measure(static_cast<float>(ReferenceModel::timeParameterValue(1.0)),
                    static_cast<float>(ReferenceModel::timeParameterValue(release)), keyForLevel(-10.0),
                    keyForLevel(-70.0));
        const double modelledMs = 1000.0 * static_cast<double>(timing.modelFrames) / GetParam();
        SCOPED_TRACE(testing::Message() << "release " << release << " ms");
        EXPECT_NEAR(static_cast<double>(timing.modelFrames), static_cast<double>(timing.effectFrames),
                    1.0 + 0.005 * static_cast<double>(timing.modelFrames));
        EXPECT_GE(modelledMs, release + 5.0);
        EXPECT_LE(modelledMs, release + 15.0);
        EXPECT_LT(timing.largestDbDifference, VolturaTests::envelopeToleranceDb(release, GetParam()));
    }
}

// Built, the detector has been primed with a constant 0.5 through the plain gain, which leaves the buffer at 0.5:
// its power rests near 0.34 (about -4.6 dB; Pro's knee routine leaves it near -14.5 dB). Right after construction a
// quiet input far under a -30 dB threshold is therefore pulled down hard at first and let go over the release.
TEST_P(LiteCompressionTest, primedDetectorPullsDownTheFirstQuietBlocks)
{
    start(GetParam(), 64);
    set(1, thresholdFor(-30.0));
    set(2, ratioForSlope(0.05));
    set(3, ReferenceModel::timeParameterValue(1.0));
    set(4, ReferenceModel::timeParameterValue(20.0));
    const std::vector<float> quiet(TestSignals::blockFrames(0.3, GetParam()), keyForLevel(-60.0));
    const SRendered rendered = render(twoChannels(quiet, quiet), 64);
    const auto gainDb = [&](size_t i) { return gainToDecibels(rendered.output[0][i] / quiet[i - kDelay]); };
    double lowestDb = 0.0;
    for (size_t i = kDelay; i < kDelay + TestSignals::blockFrames(0.01, GetParam()); ++i)
        lowestDb = std::min(lowestDb, gainDb(i));
    EXPECT_LT(lowestDb, 2.0 - 10.0) << "pulled down within 10 ms while the primed power decays";
    EXPECT_NEAR(2.0, gainDb(quiet.size() - 1), 1e-3) << "let go once the detector has settled";
    EXPECT_LT(rendered.largestDifference(), 1e-8);
}

// Resume sets the envelope back to its floor but leaves the detector's power as it was: a loud signal carries on
// at once from almost no gain reduction and is pulled down again over the attack time. The float envelope of the
// 300 ms release strays from the double one by up to some 3e-5 of full scale at 96 kHz.
TEST_P(LiteCompressionTest, resumeRestartsTheEnvelopeButKeepsTheDetectorsPower)
{
    start(GetParam(), 256);
    set(1, thresholdFor(-40.0));
    set(2, ratioForSlope(0.25));
    set(3, ReferenceModel::timeParameterValue(30.0));
    set(4, ReferenceModel::timeParameterValue(300.0));
    const Channels before = noiseChannels(35, 22050, 0.8f);
    const SRendered compressed = render(before, 256);
    EXPECT_LT(gainToDecibels(std::fabs(compressed.output[0].back() / before[0][before[0].size() - 1 - kDelay])),
              -18.0);
    EXPECT_LT(compressed.largestDifference(), 5e-5);

    m_host.stop();
    m_host.dispatch(effMainsChanged, 0, 1);
    m_model.resume(GetParam());
    const Channels after = noiseChannels(36, 22050, 0.8f);
    const SRendered resumed = render(after, 256);
    for (size_t i = 0; i < kDelay; ++i)
        EXPECT_EQ(0.0f, resumed.output[0][i]) << "the ring starts empty";
    EXPECT_GT(gainToDecibels(std::fabs(resumed.output[0][kDelay] / after[0][0])), 2.0 - 0.1);
    EXPECT_LT(resumed.largestDifference(), 5e-5);
}

// ---------------------------------------------------------------------------------------------------------------
// What the library is built from.

// Class records carry their names into the file: Lite's carries none of the stages or types only Pro uses, while
// the Pro file, built the same way, carries them all.
TEST(LiteLibraryTest, carriesNoneOfProsOwnClasses)
{
    auto contents = [](const char* path) {
        std::ifstream file(path, std::ios::binary);
        EXPECT_TRUE(file.good()) << path;
        return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    };
    // A record's name as a string of its own: not preceded by a character of a longer name.
    auto holdsName = [](const std::string& image, const std::string& name) {
        for (size_t at = image.find(name); at != std::string::npos; at = image.find(name, at + 1))
        {
            const char before = at > 0 ? image[at - 1] : '\0';
            const char after = at + name.size() < image.size() ? image[at + name.size()] : '\0';
            if (!std::isalnum(static_cast<unsigned char>(before)) && before != '_' && (after == '\0' || after == '<'))
                return true;
        }
        return false;
    };
    const std::string lite = contents(VOLTURA_LITE);
    const std::string pro = contents(VOLTURA_PRO);
    for (const char* name : {"CEQ", "CMidSide", "CValveModel", "CVstParamSelect", "TAudioBuffer"})
    {
        EXPECT_FALSE(holdsName(lite, name)) << name;
        EXPECT_TRUE(holdsName(pro, name)) << name;
    }
    for (const char* name : {"CHolvane", "CCompressorSC", "CVstParamFloat", "CVstParamFloatExp"})
        EXPECT_TRUE(holdsName(lite, name)) << name;
}
} // namespace
