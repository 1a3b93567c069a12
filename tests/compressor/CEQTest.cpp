// The detector equaliser: coefficients, the neutral direct path, band gains, the model at three rates and
// recovery from non-finite input.
#include "ReferenceModel.hpp"
#include "TestSignals.hpp"

#include "compressor/CEQ.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace
{
constexpr size_t kBlock = CEQ::kBlockSize;
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInfinity = std::numeric_limits<float>::infinity();
const double kRates[] = {44100.0, 48000.0, 96000.0};

// Filters both channels in 16-sample blocks, in place.
void run(CEQ& equaliser, std::vector<float>& first, std::vector<float>& second)
{
    for (size_t start = 0; start + kBlock <= first.size(); start += kBlock)
        equaliser.process(&first[start], &second[start]);
}

std::vector<double> runModel(ReferenceModel::Equaliser& model, const std::vector<float>& input)
{
    std::vector<double> output(input.size());
    for (size_t i = 0; i < input.size(); ++i)
        output[i] = model.step(input[i]);
    return output;
}

float gainOf(double decibels) { return static_cast<float>(ReferenceModel::decibelsToGain(decibels)); }
} // namespace

TEST(CEQTest, startsNeutralAndTakesBothChannelsCoefficientsFromTheRate)
{
    CEQ equaliser;
    EXPECT_EQ(1.0f, equaliser.getLowGain());
    EXPECT_EQ(1.0f, equaliser.getMidGain());
    EXPECT_EQ(1.0f, equaliser.getHighGain());
    for (double rate : kRates)
    {
        equaliser.setSampleRate(static_cast<float>(rate));
        for (int channel : {0, 1})
        {
            EXPECT_NEAR(ReferenceModel::Equaliser::coefficient(800.0, rate), equaliser.getLowCoefficient(channel), 1e-7);
            EXPECT_NEAR(ReferenceModel::Equaliser::coefficient(5000.0, rate), equaliser.getHighCoefficient(channel),
                        1e-7);
        }
    }
    // A rate that would give unusable coefficients is refused.
    const float kept = equaliser.getHighCoefficient(0);
    for (float unusable : {0.0f, -44100.0f, kNaN, kInfinity})
        equaliser.setSampleRate(unusable);
    EXPECT_EQ(kept, equaliser.getHighCoefficient(0));
}

// Cutting the high band only lowers the key, at low rates too, where 5 kHz comes near the Nyquist frequency: a
// sine at 0.45 times the rate never comes out louder than it went in.
TEST(CEQTest, aCutBandNeverBoostsNearNyquist)
{
    for (double rate : {16000.0, 22050.0, 24000.0, 32000.0, 44100.0})
    {
        CEQ equaliser;
        equaliser.setSampleRate(static_cast<float>(rate));
        equaliser.setGains(1.0f, 1.0f, 0.1f);
        std::vector<float> first = TestSignals::sine(TestSignals::blockFrames(0.2, rate), 0.45 * rate, rate);
        std::vector<float> second(first.size(), 0.0f);
        run(equaliser, first, second);
        const auto settled = std::minmax_element(first.begin() + first.size() / 2, first.end());
        EXPECT_LE(std::max(-*settled.first, *settled.second), 1.0f) << "rate " << rate;
    }
}

class CEQRateTest : public ::testing::TestWithParam<double>
{
protected:
    CEQRateTest() { m_equaliser.setSampleRate(static_cast<float>(GetParam())); }
    CEQ m_equaliser;
};

INSTANTIATE_TEST_SUITE_P(Rates, CEQRateTest, ::testing::ValuesIn(kRates));

// The three bands add up to the direct path: the key comes out three samples late plus the 1e-15 offset, up
// to single-precision rounding of the bands.
TEST_P(CEQRateTest, neutralGainsDelayTheKeyByThreeSamples)
{
    TestSignals::CNoise noise(1);
    const std::vector<float> first = noise.block(8192);
    const std::vector<float> second = noise.block(8192, 0.25f);
    std::vector<float> outFirst = first;
    std::vector<float> outSecond = second;
    run(m_equaliser, outFirst, outSecond);
    for (size_t i = 0; i < first.size(); ++i)
    {
        const double earlierFirst = i >= 3 ? first[i - 3] : 0.0;
        const double earlierSecond = i >= 3 ? second[i - 3] : 0.0;
        ASSERT_NEAR(earlierFirst + 1e-15, outFirst[i], 1e-6) << "frame " << i;
        ASSERT_NEAR(earlierSecond + 1e-15, outSecond[i], 0.25e-6) << "frame " << i;
    }
}

// A constant key lies wholly in the low band: EQ Low at -20 dB brings it to a tenth, mid and high leave it.
TEST_P(CEQRateTest, constantKeySettlesThroughTheLowBandOnly)
{
    const size_t frames = TestSignals::blockFrames(0.05, GetParam());
    for (int band = 0; band < 3; ++band)
    {
        m_equaliser.setGains(band == 0 ? 0.1f : 1.0f, band == 1 ? 0.1f : 1.0f, band == 2 ? 0.1f : 1.0f);
        std::vector<float> first(frames, 0.5f);
        std::vector<float> second(frames, -0.25f);
        run(m_equaliser, first, second);
        const double factor = band == 0 ? 0.1 : 1.0;
        SCOPED_TRACE(testing::Message() << "band " << band);
        EXPECT_NEAR(0.5 * factor, first.back(), 1e-6);
        EXPECT_NEAR(-0.25 * factor, second.back(), 1e-6);
    }
}

TEST_P(CEQRateTest, noiseAndSinesFollowTheModel)
{
    const double rate = GetParam();
    const struct
    {
        double low, mid, high;
    } settings[] = {{-20.0, 0.0, 0.0}, {0.0, -20.0, 0.0}, {0.0, 0.0, -20.0}, {20.0, -6.0, 12.0}, {-20.0, 20.0, -20.0}};
    TestSignals::CNoise noise(99);
    const size_t frames = TestSignals::blockFrames(0.1, rate);
    const std::vector<float> signals[] = {noise.block(frames), TestSignals::sine(frames, 100.0, rate),
                                          TestSignals::sine(frames, 2000.0, rate), TestSignals::sine(frames, 9000.0, rate)};
    for (const auto& gains : settings)
    {
        for (size_t s = 0; s < std::size(signals); ++s)
        {
            CEQ equaliser;
            equaliser.setSampleRate(static_cast<float>(rate));
            equaliser.setGains(gainOf(gains.low), gainOf(gains.mid), gainOf(gains.high));
            ReferenceModel::Equaliser model(rate, ReferenceModel::decibelsToGain(gains.low),
                                            ReferenceModel::decibelsToGain(gains.mid),
                                            ReferenceModel::decibelsToGain(gains.high));
            std::vector<float> first = signals[s];
            std::vector<float> second(frames, 0.0f);
            run(equaliser, first, second);
            const std::vector<double> expected = runModel(model, signals[s]);
            double worst = 0.0;
            for (size_t i = 0; i < frames; ++i)
                worst = std::max(worst, std::fabs(expected[i] - first[i]));
            // The silent second channel shares nothing with the first but the settings.
            EXPECT_LT(*std::max_element(second.begin(), second.end()), 1e-13f);
            // Unit-amplitude input, band gains up to 10: a few float steps of the largest band.
            EXPECT_LT(worst, 2e-5) << "gains " << gains.low << "/" << gains.mid << "/" << gains.high << " dB, signal "
                                   << s;
        }
    }
}

// A block of nothing but NaN or infinity leaves every pole and the history non-finite; all are reset to 0, so
// the equaliser then runs exactly like a new one.
TEST(CEQRecoveryTest, wholeNonFiniteBlockRestartsFromAnEmptyState)
{
    for (float bad : {kNaN, kInfinity, -kInfinity})
    {
        CEQ disturbed;
        CEQ fresh;
        for (CEQ* equaliser : {&disturbed, &fresh})
        {
            equaliser->setSampleRate(48000.0f);
            equaliser->setGains(0.5f, 2.0f, 0.1f);
        }
        std::vector<float> badBlock(kBlock, bad);
        disturbed.process(badBlock.data(), badBlock.data());

        TestSignals::CNoise noise(12);
        std::vector<float> first = noise.block(1024);
        std::vector<float> second = noise.block(1024);
        std::vector<float> freshFirst = first;
        std::vector<float> freshSecond = second;
        run(disturbed, first, second);
        run(fresh, freshFirst, freshSecond);
        SCOPED_TRACE(testing::Message() << "input " << bad);
        EXPECT_EQ(freshFirst, first);
        EXPECT_EQ(freshSecond, second);
    }
}

TEST(CEQRecoveryTest, singleNonFiniteSampleSpoilsNoLaterBlock)
{
    for (float bad : {kNaN, kInfinity})
    {
        CEQ equaliser;
        equaliser.setSampleRate(44100.0f);
        equaliser.setGains(0.1f, 1.0f, 1.0f);
        TestSignals::CNoise noise(4);
        std::vector<float> first = noise.block(1024);
        std::vector<float> second = noise.block(1024);
        first[2 * kBlock + 5] = bad;
        run(equaliser, first, second);
        for (size_t i = 3 * kBlock; i < first.size(); ++i)
            ASSERT_TRUE(std::isfinite(first[i])) << "input " << bad << ", frame " << i;
        for (float sample : second)
            ASSERT_TRUE(std::isfinite(sample));
    }
}
