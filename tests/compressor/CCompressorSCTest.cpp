// The gain computer against its formulas: settings, the static curve, time constants at three rates, the
// double-precision model on noise, and recovery from non-finite input.
#include "ReferenceModel.hpp"
#include "TestSignals.hpp"
#include "tests/support/TTwoThreadRounds.hpp"

#include "compressor/CCompressorSC.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace
{
using ReferenceModel::CompressorSettings;
using ReferenceModel::gainToDecibels;

constexpr size_t kBlock = CCompressorSC::kBlockSize;
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInfinity = std::numeric_limits<float>::infinity();
const double kRates[] = {44100.0, 48000.0, 96000.0};

void configure(CCompressorSC& compressor, const CompressorSettings& settings)
{
    compressor.setSampleRate(static_cast<float>(settings.sampleRate));
    compressor.setThreshold(static_cast<float>(settings.thresholdDb));
    compressor.setSlope(static_cast<float>(settings.slope));
    compressor.getAttack().setTime(static_cast<float>(settings.attackMs));
    compressor.getRelease().setTime(static_cast<float>(settings.releaseMs));
    compressor.getRmsSmoother().setTime(static_cast<float>(settings.rmsMs));
    compressor.setKnee(static_cast<float>(settings.knee.value_or(1.0)));
    compressor.setEnvelope(CCompressorSC::kEnvelopeFloor);
}

// Runs a key through the production routine with unit audio, so the audio that comes out is the gain.
std::vector<float> productionGains(CCompressorSC& compressor, const CompressorSettings& settings,
                                   const std::vector<float>& keyLeft, const std::vector<float>& keyRight)
{
    std::vector<float> left(keyLeft.size(), 1.0f);
    std::vector<float> right(keyLeft.size(), 1.0f);
    for (size_t start = 0; start + kBlock <= keyLeft.size(); start += kBlock)
    {
        if (settings.knee)
            compressor.process(&keyLeft[start], &keyRight[start], &left[start], &right[start]);
        else
            compressor.processPlain(&keyLeft[start], &keyRight[start], &left[start], &right[start]);
    }
    EXPECT_EQ(left, right) << "both channels take the same gain";
    return left;
}

std::vector<double> modelGains(ReferenceModel::Compressor& model, const std::vector<float>& keyLeft,
                               const std::vector<float>& keyRight)
{
    std::vector<double> gains(keyLeft.size());
    for (size_t i = 0; i < keyLeft.size(); ++i)
        gains[i] = model.step(keyLeft[i], keyRight[i]);
    return gains;
}

// A constant key on both channels giving this detector level.
float keyForLevel(double levelDb) { return static_cast<float>(std::sqrt(std::pow(10.0, levelDb / 10.0) / 2.0)); }

// The first frame from `from` on at which the gain has covered 1 - 1/e of the way from startDb to endDb.
template <typename Gain>
size_t settleFrame(const std::vector<Gain>& gains, size_t from, double startDb, double endDb)
{
    const double mark = startDb + (endDb - startDb) * (1.0 - std::exp(-1.0));
    for (size_t i = from; i < gains.size(); ++i)
    {
        const double db = gainToDecibels(static_cast<double>(gains[i]));
        if (endDb < startDb ? db <= mark : db >= mark)
            return i - from;
    }
    return gains.size();
}

float maximumDecibelDifference(const std::vector<float>& production, const std::vector<double>& model)
{
    double worst = 0.0;
    for (size_t i = 0; i < production.size(); ++i)
        worst = std::max(worst, std::fabs(gainToDecibels(production[i]) - gainToDecibels(model[i])));
    return static_cast<float>(worst);
}

// Frames the production routine and the model take, after a step of the key from one constant level to another,
// to cover 1 - 1/e of the change in gain between the two settled gains.
std::pair<size_t, size_t> settleFrames(const CompressorSettings& settings, float before, float after)
{
    CCompressorSC compressor;
    configure(compressor, settings);
    ReferenceModel::Compressor model(settings);
    const size_t step = TestSignals::blockFrames(0.5, settings.sampleRate);
    std::vector<float> key(step, before);
    key.resize(step + TestSignals::blockFrames(3.0, settings.sampleRate), after);
    const double fromDb = model.staticGainDb(ReferenceModel::Compressor::constantKeyLevelDb(before, before));
    const double toDb = model.staticGainDb(ReferenceModel::Compressor::constantKeyLevelDb(after, after));
    return {settleFrame(productionGains(compressor, settings, key, key), step, fromDb, toDb),
            settleFrame(modelGains(model, key, key), step, fromDb, toDb)};
}
} // namespace

TEST(CCompressorSCTest, timeRecordsStartAtFortyFourKilohertzAndRecomputeFromTheirOwnHalves)
{
    CCompressorSC compressor;
    EXPECT_EQ(0.0f, compressor.getThreshold());
    EXPECT_EQ(1.0f, compressor.getSlope());
    EXPECT_EQ(0.5f, compressor.getKnee());
    EXPECT_EQ(0.0f, compressor.getRmsState());
    const CTimeRecord* records[] = {&compressor.getRmsSmoother(), &compressor.getAttack(), &compressor.getRelease()};
    const float times[] = {5.0f, 1.0f, 1.0f};
    for (int i = 0; i < 3; ++i)
    {
        EXPECT_EQ(44100.0f, records[i]->getSampleRate());
        EXPECT_EQ(times[i], records[i]->getTime());
        EXPECT_NEAR(ReferenceModel::timeCoefficient(times[i], 44100.0), records[i]->getCoefficient(), 1e-7);
    }

    compressor.getAttack().setTime(20.0f);
    compressor.setSampleRate(96000.0f);
    EXPECT_NEAR(ReferenceModel::timeCoefficient(5.0, 96000.0), compressor.getRmsSmoother().getCoefficient(), 1e-7);
    EXPECT_NEAR(ReferenceModel::timeCoefficient(20.0, 96000.0), compressor.getAttack().getCoefficient(), 1e-7);
    EXPECT_NEAR(ReferenceModel::timeCoefficient(1.0, 96000.0), compressor.getRelease().getCoefficient(), 1e-7);

    // Rates and times that would make a smoother unstable are refused.
    for (float unusable : {0.0f, -48000.0f, kNaN, kInfinity})
    {
        compressor.setSampleRate(unusable);
        compressor.getAttack().setTime(unusable);
    }
    EXPECT_EQ(96000.0f, compressor.getAttack().getSampleRate());
    EXPECT_EQ(20.0f, compressor.getAttack().getTime());
    EXPECT_NEAR(ReferenceModel::timeCoefficient(20.0, 96000.0), compressor.getAttack().getCoefficient(), 1e-7);
}

// A time set on one thread while the rate changes on another: the coefficient left is the one of the time and the
// rate the record ends with, as a record built with them has it, however the two recomputations meet.
TEST(CCompressorSCTest, timeAndRateSetOnTwoThreadsLeaveTheirCoefficient)
{
    CTimeRecord record(44100.0f, 1.0f);
    const int unsound = VolturaTests::unsoundRounds(
        20000, [&](int round) { record.setTime(round % 2 == 0 ? 300.0f : 2.0f); },
        [&](int round) { record.setSampleRate(round / 2 % 2 == 0 ? 96000.0f : 22050.0f); },
        [&](int) {
            return record.getCoefficient() == CTimeRecord(record.getSampleRate(), record.getTime()).getCoefficient();
        });
    EXPECT_EQ(0, unsound);
}

TEST(CCompressorSCTest, slopeOneLeavesOnlyTheKneeFactor)
{
    TestSignals::CNoise noise(11);
    const std::vector<float> key = noise.block(4096, 4.0f);
    const std::vector<float> audio = noise.block(4096);
    for (float knee : {1.0f, 0.0f})
    {
        CCompressorSC compressor;
        compressor.setThreshold(-40.0f);
        compressor.setKnee(knee);
        std::vector<float> left = audio;
        std::vector<float> right = audio;
        for (size_t start = 0; start < key.size(); start += kBlock)
            compressor.process(&key[start], &key[start], &left[start], &right[start]);
        const double factor = knee == 1.0f ? 1.0 : 28.0 / 36.0;
        for (size_t i = 0; i < audio.size(); ++i)
            ASSERT_NEAR(audio[i] * factor, left[i], 1e-6) << "knee " << knee << ", frame " << i;
    }
}

TEST(CCompressorSCTest, settledGainsAtAndAboveTheThreshold)
{
    // A key of 0.7071 on both channels has power 1 (0 dB): exactly at a 0 dB threshold nothing is compressed.
    {
        CCompressorSC compressor;
        compressor.setSlope(0.05f);
        compressor.setKnee(1.0f);
        const std::vector<float> key(8192, 0.7071f);
        const CompressorSettings settings{44100.0, 0.0, 0.05, 1.0, 1.0, 5.0, 1.0};
        for (float gain : productionGains(compressor, settings, key, key))
            ASSERT_EQ(1.0f, gain);
    }
    // 20 dB above the threshold with slope 0.5 settles at -10 dB; silence then releases back to unity.
    {
        const CompressorSettings settings{44100.0, -30.0, 0.5, 1.0, 30.0, 5.0, 1.0};
        CCompressorSC compressor;
        configure(compressor, settings);
        std::vector<float> key(TestSignals::blockFrames(0.5, 44100.0), keyForLevel(-10.0));
        key.resize(2 * key.size(), 0.0f);
        const std::vector<float> gains = productionGains(compressor, settings, key, key);
        EXPECT_NEAR(std::pow(10.0, -10.0 / 20.0), gains[key.size() / 2 - 1], 1e-4);
        EXPECT_NEAR(1.0, gains.back(), 1e-6);
    }
}

class CCompressorSCRateTest : public ::testing::TestWithParam<double>
{
};

INSTANTIATE_TEST_SUITE_P(Rates, CCompressorSCRateTest, ::testing::ValuesIn(kRates));

// Settled gain of a constant key from well below to well above the threshold, plain and with knees.
TEST_P(CCompressorSCRateTest, staticCurveMatchesTheModelWithinAThousandthOfADecibel)
{
    const double rate = GetParam();
    for (double slope : {0.05, 0.5})
    {
        for (std::optional<double> knee : {std::optional<double>(), std::optional<double>(0.0),
                                           std::optional<double>(0.4), std::optional<double>(1.0)})
        {
            for (double level = -44.0; level <= 4.0; level += 4.0)
            {
                const CompressorSettings settings{rate, -24.0, slope, 2.0, 20.0, 5.0, knee};
                CCompressorSC compressor;
                configure(compressor, settings);
                ReferenceModel::Compressor model(settings);
                const std::vector<float> key(TestSignals::blockFrames(0.3, rate), keyForLevel(level));
                const float settled = productionGains(compressor, settings, key, key).back();
                const double modelled = modelGains(model, key, key).back();
                const double expectedDb = model.staticGainDb(ReferenceModel::Compressor::constantKeyLevelDb(key[0], key[0]));
                SCOPED_TRACE(testing::Message() << "slope " << slope << ", knee " << knee.value_or(-1) << ", level " << level);
                EXPECT_NEAR(gainToDecibels(modelled), gainToDecibels(settled), 1e-3);
                EXPECT_NEAR(expectedDb, gainToDecibels(settled), 1e-3);
            }
        }
    }
}

// A step from silence to 20 dB over the threshold: the gain covers 1 - 1/e of its change about one attack time
// later (the 5 ms RMS detector adds about 2 ms). The production routine lands within a frame of the model, plus
// 0.2 % for the float rounding of the coefficient (1 - c is about 1e-4 at 100 ms).
TEST_P(CCompressorSCRateTest, attackTimeConstant)
{
    const double rate = GetParam();
    for (double attack : {10.0, 100.0})
    {
        const auto frames = settleFrames({rate, -30.0, 0.5, attack, 1000.0, 5.0, std::nullopt}, 0.0f, keyForLevel(-10.0));
        const double modelledMs = 1000.0 * static_cast<double>(frames.second) / rate;
        SCOPED_TRACE(testing::Message() << "attack " << attack << " ms");
        EXPECT_NEAR(static_cast<double>(frames.second), static_cast<double>(frames.first), 1.0 + 0.002 * frames.second);
        EXPECT_GE(modelledMs, attack);
        EXPECT_LE(modelledMs, attack + 5.0);
    }
}

// From a settled -10 dB to silence: the gain recovers 1 - 1/e of the way about one release time later, after the
// detector's level has fallen through the 20 dB excess (8.7 dB per 5 ms RMS time constant: about 11.5 ms). The
// float coefficient's rounding is up to 0.15 % of the time at 500 ms and 96 kHz.
TEST_P(CCompressorSCRateTest, releaseTimeConstant)
{
    const double rate = GetParam();
    for (double release : {50.0, 500.0})
    {
        const auto frames = settleFrames({rate, -30.0, 0.5, 1.0, release, 5.0, std::nullopt}, keyForLevel(-10.0), 0.0f);
        const double modelledMs = 1000.0 * static_cast<double>(frames.second) / rate;
        SCOPED_TRACE(testing::Message() << "release " << release << " ms");
        EXPECT_NEAR(static_cast<double>(frames.second), static_cast<double>(frames.first), 1.0 + 0.005 * frames.second);
        EXPECT_GE(modelledMs, release + 5.0);
        EXPECT_LE(modelledMs, release + 15.0);
    }
}

// Bursts of noise crossing the threshold in both directions, sample by sample against the model. The float
// envelope drifts from the double one mostly through the rounding of 1 - c (a few 1e-4 relative at 80 ms and
// 96 kHz), some 1e-4 dB on a 15 dB gain reduction.
TEST_P(CCompressorSCRateTest, noiseBurstsFollowTheModel)
{
    const double rate = GetParam();
    for (std::optional<double> knee : {std::optional<double>(), std::optional<double>(0.3)})
    {
        const CompressorSettings settings{rate, -18.0, 0.25, 5.0, 80.0, 5.0, knee};
        CCompressorSC compressor;
        configure(compressor, settings);
        ReferenceModel::Compressor model(settings);
        TestSignals::CNoise noise(2024);
        const size_t frames = TestSignals::blockFrames(1.0, rate);
        std::vector<float> left(frames);
        std::vector<float> right(frames);
        const size_t burst = frames / 8;
        for (size_t i = 0; i < frames; ++i)
        {
            const float envelope = (i / burst) % 2 == 0 ? 0.01f : 0.9f;
            left[i] = noise.next(envelope);
            right[i] = noise.next(envelope);
        }
        SCOPED_TRACE(testing::Message() << "knee " << knee.value_or(-1));
        EXPECT_LT(maximumDecibelDifference(productionGains(compressor, settings, left, right),
                                           modelGains(model, left, right)),
                  2e-3f);
    }
}

// How the effect primes the detector: one buffer as both key channels and both audio channels, so each sample
// is read as key and then scaled once for each audio channel.
TEST(CCompressorSCTest, oneBufferAsKeyAndBothAudioChannels)
{
    CCompressorSC compressor;
    ReferenceModel::Compressor model({44100.0, 0.0, 1.0, 1.0, 1.0, 5.0, 0.5});
    std::vector<float> buffer(kBlock, 0.5f);
    std::vector<double> modelled(kBlock, 0.5);
    for (int run = 0; run < 16; ++run)
    {
        compressor.process(buffer.data(), buffer.data(), buffer.data(), buffer.data());
        for (double& sample : modelled)
        {
            const double gain = model.step(sample, sample);
            sample *= gain * gain;
        }
    }
    for (size_t i = 0; i < kBlock; ++i)
        EXPECT_NEAR(modelled[i], buffer[i], 1e-5 * modelled[i]);
    EXPECT_NEAR(model.rmsState(), compressor.getRmsState(), 1e-5 * model.rmsState());
}

TEST(CCompressorSCRecoveryTest, nonFiniteKeyResetsTheDetectorAndTheOutputRecovers)
{
    for (float bad : {kNaN, kInfinity, -kInfinity})
    {
        const CompressorSettings settings{48000.0, -20.0, 0.2, 5.0, 50.0, 5.0, 0.5};
        CCompressorSC compressor;
        CCompressorSC undisturbed;
        configure(compressor, settings);
        configure(undisturbed, settings);
        TestSignals::CNoise noise(77);
        std::vector<float> key = noise.block(TestSignals::blockFrames(1.0, 48000.0), 0.5f);
        std::vector<float> disturbedKey = key;
        disturbedKey[4 * kBlock + 3] = bad;

        const std::vector<float> gains = productionGains(compressor, settings, disturbedKey, key);
        const std::vector<float> reference = productionGains(undisturbed, settings, key, key);
        SCOPED_TRACE(testing::Message() << "key " << bad);
        for (size_t i = 5 * kBlock; i < gains.size(); ++i)
            ASSERT_TRUE(std::isfinite(gains[i])) << "frame " << i;
        EXPECT_TRUE(std::isfinite(compressor.getEnvelope()));
        EXPECT_TRUE(std::isfinite(compressor.getRmsState()));
        // Restarted from an empty detector, it has caught up with the undisturbed one well within a second.
        EXPECT_NEAR(gainToDecibels(reference.back()), gainToDecibels(gains.back()), 1e-3);
    }
}

TEST(CCompressorSCRecoveryTest, detectorStateResetsExactlyToItsRestingValues)
{
    CCompressorSC compressor;
    compressor.setThreshold(-30.0f);
    compressor.setSlope(0.5f);
    std::vector<float> key(kBlock, kNaN);
    std::vector<float> audio(kBlock, 1.0f);
    compressor.process(key.data(), key.data(), audio.data(), audio.data());
    EXPECT_EQ(0.0f, compressor.getRmsState());

    compressor.setEnvelope(kInfinity);
    std::fill(key.begin(), key.end(), 0.0f);
    compressor.processPlain(key.data(), key.data(), audio.data(), audio.data());
    EXPECT_EQ(CCompressorSC::kEnvelopeFloor, compressor.getEnvelope());

    // A threshold that is not a number counts as no excess rather than feeding NaN into the envelope.
    compressor.setThreshold(kNaN);
    compressor.setKnee(1.0f);
    std::fill(key.begin(), key.end(), 0.9f);
    std::fill(audio.begin(), audio.end(), 1.0f);
    compressor.process(key.data(), key.data(), audio.data(), audio.data());
    EXPECT_EQ(std::vector<float>(kBlock, 1.0f), audio);
}
