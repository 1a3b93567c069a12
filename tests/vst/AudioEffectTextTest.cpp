// The text helpers hosts show values with: exact digits, truncation, and never a byte past the buffer.
#include "vst/AudioEffect.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace
{
class CTextEffect : public AudioEffect
{
public:
    CTextEffect() : AudioEffect(nullptr, 1, 1) {}
    void processReplacing(float**, float**, VstInt32) override {}
};

class AudioEffectTextTest : public ::testing::Test
{
protected:
    // Writes through a helper into a guarded buffer and checks nothing lands beyond maxLen + 1 bytes.
    template <typename Helper, typename Value>
    std::string write(Helper helper, Value value, VstInt32 maxLen = 24)
    {
        char buffer[64];
        std::fill(std::begin(buffer), std::end(buffer), '#');
        (m_effect.*helper)(value, buffer, maxLen);
        for (size_t i = static_cast<size_t>(maxLen) + 1; i < sizeof(buffer); ++i)
            EXPECT_EQ('#', buffer[i]) << "byte " << i << " written for maxLen " << maxLen;
        return std::string(buffer, strnlen(buffer, static_cast<size_t>(maxLen) + 1));
    }

    std::string floatText(float value, VstInt32 maxLen = 24) { return write(&AudioEffect::float2string, value, maxLen); }
    std::string intText(VstInt32 value, VstInt32 maxLen = 24) { return write(&AudioEffect::int2string, value, maxLen); }

    CTextEffect m_effect;
};

TEST_F(AudioEffectTextTest, floatTextHasEightCharactersWithTruncatedFraction)
{
    EXPECT_EQ("1.500000", floatText(1.5f));
    EXPECT_EQ("-0.25000", floatText(-0.25f));
    EXPECT_EQ("0.000000", floatText(0.0f));
    EXPECT_EQ("12.50000", floatText(12.5f));
    EXPECT_EQ("-12.5000", floatText(-12.5f));
    EXPECT_EQ("1000.000", floatText(1000.0f));
    // 2/3 is cut, not rounded: the last digit stays 6.
    EXPECT_EQ("0.666666", floatText(2.0f / 3.0f));
    // The float nearest 0.1 lies above it; the float nearest 0.7 lies below it and shows its 9s.
    EXPECT_EQ("0.100000", floatText(0.1f));
    EXPECT_EQ("0.699999", floatText(0.7f));
}

TEST_F(AudioEffectTextTest, floatTextWhoseIntegerFillsTheWidthHasNoFraction)
{
    EXPECT_EQ("1234567.", floatText(1234567.0f));
    EXPECT_EQ("-123456.", floatText(-123456.0f));
}

TEST_F(AudioEffectTextTest, floatTextBeyondTheWidthKeepsEveryIntegerDigit)
{
    EXPECT_EQ("12345678.", floatText(12345678.0f));
    EXPECT_EQ("16777216.", floatText(16777216.0f));
    EXPECT_EQ("-9999999.", floatText(-9999999.0f));
}

TEST_F(AudioEffectTextTest, floatTextOfHugeOrNonFiniteValuesIsClear)
{
    EXPECT_EQ("Huge!", floatText(100000000.0f));
    EXPECT_EQ("Huge!", floatText(-10000000.0f));
    EXPECT_EQ("Huge!", floatText(std::numeric_limits<float>::infinity()));
    EXPECT_EQ("Huge!", floatText(-std::numeric_limits<float>::infinity()));
    EXPECT_EQ("NaN", floatText(std::numeric_limits<float>::quiet_NaN()));
}

TEST_F(AudioEffectTextTest, everyTextIsCutToMaxLenWithTheTerminatorBehind)
{
    EXPECT_EQ("1.50", floatText(1.5f, 4));
    EXPECT_EQ("20.0", floatText(20.0f, 4));
    EXPECT_EQ("Hu", floatText(1e9f, 2));
    EXPECT_EQ("", floatText(1.5f, 0));
    EXPECT_EQ("-12", intText(-12345, 3));
    EXPECT_EQ("Hug", intText(100000000, 3));
}

TEST_F(AudioEffectTextTest, intTextWritesDecimalDigitsAndSign)
{
    EXPECT_EQ("0", intText(0));
    EXPECT_EQ("7", intText(7));
    EXPECT_EQ("-42", intText(-42));
    EXPECT_EQ("99999999", intText(99999999));
    EXPECT_EQ("-99999999", intText(-99999999));
    EXPECT_EQ("Huge!", intText(100000000));
    EXPECT_EQ("Huge!", intText(-100000000));
    EXPECT_EQ("Huge!", intText(std::numeric_limits<VstInt32>::min()));
}

TEST_F(AudioEffectTextTest, decibelTextOfSilenceIsMinusInfinity)
{
    EXPECT_EQ("-oo", write(&AudioEffect::dB2string, 0.0f));
    EXPECT_EQ("-oo", write(&AudioEffect::dB2string, -1.0f));
    EXPECT_EQ("0.000000", write(&AudioEffect::dB2string, 1.0f));
    EXPECT_EQ("20.00000", write(&AudioEffect::dB2string, 10.0f));
    EXPECT_EQ("-6.02059", write(&AudioEffect::dB2string, 0.5f));
}

TEST_F(AudioEffectTextTest, hertzAndMillisecondTextsUseTheSampleRate)
{
    m_effect.setSampleRate(48000.0f);
    EXPECT_EQ("480.0000", write(&AudioEffect::Hz2string, 100.0f));
    EXPECT_EQ("0.000000", write(&AudioEffect::Hz2string, 0.0f));
    EXPECT_EQ("1000.000", write(&AudioEffect::ms2string, 48000.0f));
    EXPECT_EQ("1.000000", write(&AudioEffect::ms2string, 48.0f));
}

} // namespace
