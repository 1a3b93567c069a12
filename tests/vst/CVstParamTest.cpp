// The parameter classes: mapping of the normalised value, display texts where the float rounding decides the
// digits, text cutting, select clamping (also under a concurrent writer) and copies.
#include "vst/AudioEffect.hpp"
#include "vst/CVstParam.hpp"
#include "vst/CVstParamSelect.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <limits>
#include <string>
#include <thread>

namespace
{
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInfinity = std::numeric_limits<float>::infinity();

std::string display(const CVstParam& parameter)
{
    char text[CVstParam::kDisplaySize + 8];
    std::fill(std::begin(text), std::end(text), '#');
    parameter.getDisplayText(text);
    for (size_t i = CVstParam::kDisplaySize; i < sizeof(text); ++i)
        EXPECT_EQ('#', text[i]) << "byte " << i << " written";
    return text;
}

std::string name(const CVstParam& parameter)
{
    char text[64];
    parameter.getName(text);
    return text;
}

std::string label(const CVstParam& parameter)
{
    char text[64];
    parameter.getLabel(text);
    return text;
}

std::string displayAt(CVstParam& parameter, float normalised)
{
    parameter.setValue(normalised);
    return display(parameter);
}

// How the effects show Ratio: the host's x is stored as 1 - x, the display is 1 / slope through float2string.
class CRatioDisplay : public AudioEffect
{
public:
    CRatioDisplay() : AudioEffect(nullptr, 1, 1) {}
    void processReplacing(float**, float**, VstInt32) override {}
    std::string at(float hostValue)
    {
        m_ratio.setValue(1.0f - hostValue);
        char text[32];
        float2string(1.0f / m_ratio.getRealValue(), text, 4);
        return text;
    }

private:
    CVstParamFloat m_ratio{"Ratio", " :1", 0.05f, 1.0f, 1.0f};
};

const char* const kKeyInput[] = {"Left", "Stereo", "Right"};
const char* const kSideChain[] = {"Internal", "External"};
} // namespace

TEST(CVstParamTest, plainValueIsItsOwnRealValue)
{
    CVstParam parameter("Plain", "x");
    EXPECT_EQ(0.0f, parameter.getNormalisedValue());
    EXPECT_EQ(0.0f, parameter.getRealValue());
    parameter.setValue(0.49f);
    EXPECT_EQ(0.49f, parameter.getNormalisedValue());
    EXPECT_EQ(0.49f, parameter.getRealValue());
    EXPECT_EQ(0, parameter.getIntegerValue());
    parameter.setValue(0.5f);
    EXPECT_EQ(1, parameter.getIntegerValue());
    parameter.setValue(-1.5f);
    EXPECT_EQ(-1, parameter.getIntegerValue());
    // Values no int holds saturate instead of converting out of range.
    parameter.setValue(kNaN);
    EXPECT_EQ(0, parameter.getIntegerValue());
    parameter.setValue(1e30f);
    EXPECT_EQ(std::numeric_limits<int32_t>::max(), parameter.getIntegerValue());
    parameter.setValue(-kInfinity);
    EXPECT_EQ(std::numeric_limits<int32_t>::min(), parameter.getIntegerValue());
}

TEST(CVstParamTest, magnitudeFormatsByDecade)
{
    CVstParam parameter("Plain", "");
    const struct
    {
        float value;
        const char* text;
    } cases[] = {{0.0f, "0.000"},       {9.9994f, "9.999"},     {10.0f, "10.00"},       {-12.5f, "-12.50"},
                 {99.99f, "99.99"},     {100.0f, "100.0"},      {251.2f, "251.2"},      {999.94f, "999.9"},
                 {1000.0f, "1000"},     {-4321.4f, "-4321"},    {999999.0f, "999999"},  {1000000.0f, "1e+06"},
                 {-2.5e7f, "-2.5e+07"}, {kInfinity, "inf"},     {-1e38f, "-1e+38"}};
    for (const auto& each : cases)
        EXPECT_EQ(each.text, displayAt(parameter, each.value)) << "value " << each.value;
}

TEST(CVstParamTest, textsAreCutToTwentyThreeCharacters)
{
    const CVstParam parameter("A name of more than twenty-three characters", "label far longer than allowed");
    EXPECT_EQ("A name of more than twe", name(parameter));
    EXPECT_EQ("label far longer than a", label(parameter));
    const CVstParam unnamed(nullptr, nullptr);
    EXPECT_EQ("", name(unnamed));
    EXPECT_EQ("", label(unnamed));
}

TEST(CVstParamFloatTest, linearRangeAndTheEffectsExamples)
{
    CVstParamFloat threshold("Threshold", "dB", -50.0f, 0.0f, -12.5f);
    EXPECT_EQ(0.75f, threshold.getNormalisedValue());
    EXPECT_EQ("-12.50", display(threshold));
    EXPECT_EQ(-12, threshold.getIntegerValue());
    EXPECT_EQ("dB", label(threshold));

    CVstParamFloat master("Master", "dB", -20.0f, 20.0f, 0.0f);
    EXPECT_EQ("0.000", display(master));
    // Not clamped: outside 0..1 the mapping carries on past the range.
    EXPECT_EQ(40.0f, (master.setValue(1.5f), master.getRealValue()));
    EXPECT_EQ(-60.0f, (master.setValue(-1.0f), master.getRealValue()));

    CRatioDisplay ratio;
    EXPECT_EQ("20.0", ratio.at(1.0f));
    EXPECT_EQ("1.00", ratio.at(0.0f));
}

// %g and %.0f print alike from 100000 to 1000000, so the switch shows only in the exponent form.
TEST(CVstParamFloatTest, builtFormatForLargeValues)
{
    CVstParamFloat wide("Wide", "", 0.0f, 1000000.0f, 0.0f);
    EXPECT_EQ("1000", displayAt(wide, 0.001f));
    EXPECT_EQ("99999", displayAt(wide, 0.099999f));
    EXPECT_EQ("250000", displayAt(wide, 0.25f));
    EXPECT_EQ("2.5e+06", displayAt(wide, 2.5f));
    wide.setPlusSign(true);
    EXPECT_EQ("+2.5e+06", display(wide));
}

TEST(CVstParamFloatTest, plusSignFlagAndRangeChanges)
{
    CVstParamFloat eq("EQ Low", "dB", -20.0f, 20.0f, 0.0f);
    EXPECT_EQ("10.00", displayAt(eq, 0.75f));
    eq.setPlusSign(true);
    EXPECT_EQ("+10.00", display(eq));
    EXPECT_EQ("+0.000", displayAt(eq, 0.5f));
    EXPECT_EQ("-20.00", displayAt(eq, 0.0f));

    // The normalised value stays, the real value moves with the range.
    eq.setValue(0.25f);
    eq.setRange(0.0f, 100.0f);
    EXPECT_EQ(0.25f, eq.getNormalisedValue());
    EXPECT_EQ(25.0f, eq.getRealValue());

    // A range of no width cannot divide out the initial value.
    const CVstParamFloat flat("Flat", "", 3.0f, 3.0f, 7.0f);
    EXPECT_EQ(0.0f, flat.getNormalisedValue());
    EXPECT_EQ(3.0f, flat.getRealValue());
}

TEST(CVstParamFloatExpTest, exponentialTimesAndTheirTexts)
{
    CVstParamFloatExp attack("Attack");
    EXPECT_EQ("ms", label(attack));
    EXPECT_EQ(0.0f, attack.getNormalisedValue());
    EXPECT_EQ(1.0f, attack.getRealValue());
    EXPECT_EQ("1.000", display(attack));
    EXPECT_EQ("5.623", displayAt(attack, 0.25f));
    EXPECT_EQ("31.62", displayAt(attack, 0.5f));
    EXPECT_EQ("251.2", displayAt(attack, 0.8f));
    // The float exp overshoots 1000 slightly; the clamp keeps the text "1000" rather than "1000.0" or "999.9".
    EXPECT_EQ(1000.0f, (attack.setValue(1.0f), attack.getRealValue()));
    EXPECT_EQ("1000", display(attack));
    EXPECT_EQ(1000, attack.getIntegerValue());
}

TEST(CVstParamFloatExpTest, realValueIsClampedToTheRange)
{
    CVstParamFloatExp release("Release");
    for (float outside : {2.0f, kInfinity})
        EXPECT_EQ(1000.0f, (release.setValue(outside), release.getRealValue()));
    for (float outside : {-1.0f, -kInfinity, kNaN})
        EXPECT_EQ(1.0f, (release.setValue(outside), release.getRealValue()));
    release.setValue(0.5f);
    release.setRange(10.0f, 1000.0f);
    EXPECT_EQ(0.5f, release.getNormalisedValue());
    EXPECT_NEAR(100.0f, release.getRealValue(), 1e-3f);
}

TEST(CVstParamSelectTest, threeOptionsTruncateAndClamp)
{
    CVstParamSelect keyInput(3, "Key Input", kKeyInput);
    EXPECT_EQ("", label(keyInput));
    EXPECT_EQ(0, keyInput.getIntegerValue());
    EXPECT_EQ("Left", display(keyInput));
    const struct
    {
        float value;
        int32_t index;
    } cases[] = {{0.0f, 0},  {0.3333f, 0}, {0.34f, 1}, {0.4f, 1},  {0.9f, 2},        {1.0f, 2},
                 {-1.0f, 0}, {2.0f, 2},    {kNaN, 0},  {1e30f, 2}, {-kInfinity, 0}, {kInfinity, 2}};
    for (const auto& each : cases)
    {
        keyInput.setValue(each.value);
        EXPECT_EQ(each.index, keyInput.getIntegerValue()) << "value " << each.value;
        EXPECT_EQ(static_cast<float>(each.index), keyInput.getRealValue()) << "value " << each.value;
        EXPECT_EQ(kKeyInput[each.index], display(keyInput)) << "value " << each.value;
    }
    // The normalised value is kept as given.
    keyInput.setValue(2.0f);
    EXPECT_EQ(2.0f, keyInput.getNormalisedValue());
}

TEST(CVstParamSelectTest, twoOptionsSplitAtTheMiddle)
{
    CVstParamSelect sideChain(2, "SideChain", kSideChain);
    EXPECT_EQ("Internal", displayAt(sideChain, 0.4999f));
    EXPECT_EQ("External", displayAt(sideChain, 0.5f));
    EXPECT_EQ(1, sideChain.getIntegerValue());
}

TEST(CVstParamSelectTest, optionsAndValues)
{
    CVstParamSelect select(2, "Mode", kSideChain);
    select.setValue(0.9f);
    EXPECT_EQ(0, select.getSelectedValue());
    const int32_t values[] = {10, 20, 30};
    select.setValues(3, values);
    EXPECT_EQ(20, select.getSelectedValue());

    // More options: the kept normalised value is applied again.
    select.setOptions(3, kKeyInput);
    EXPECT_EQ(2, select.getIntegerValue());
    EXPECT_EQ("Right", display(select));
    select.setOptionText(2, "A very long option text indeed");
    EXPECT_EQ("A very long option text", display(select));
    select.setOptionText(CVstParamSelect::kMaxOptions, "ignored");
    select.setOptionText(-1, "ignored");
    EXPECT_EQ(30, select.getSelectedValue());

    // Counts beyond the option table are kept to it; none leaves an index of 0 and an empty text.
    const CVstParamSelect tooMany(1000, "Many", nullptr);
    EXPECT_EQ(CVstParamSelect::kMaxOptions, tooMany.getNumberOfOptions());
    CVstParamSelect none(0, "None", nullptr);
    EXPECT_EQ("", displayAt(none, 0.7f));
    EXPECT_EQ(0, none.getIntegerValue());
    none.setValues(-4, values);
    EXPECT_EQ(0, none.getSelectedValue());
}

// The audio thread reads the index while the host writes any value, NaN included: it never sees an index
// outside the options.
TEST(CVstParamSelectTest, concurrentReaderNeverSeesAnIndexOutOfRange)
{
    CVstParamSelect valve(3, "Valve Modelling", kKeyInput);
    std::atomic<bool> done(false);
    std::thread writer([&] {
        const float values[] = {kNaN, -1.0f, 2.0f, 0.5f, 1e30f, -kInfinity, 1.0f, 0.99f};
        for (int round = 0; round < 200000; ++round)
            valve.setValue(values[round % 8]);
        done.store(true);
    });
    long outside = 0;
    while (!done.load())
    {
        const int32_t index = valve.getIntegerValue();
        if (index < 0 || index > 2)
            ++outside;
    }
    writer.join();
    EXPECT_EQ(0, outside);
}

TEST(CVstParamCopyTest, copiesAreNewUnreferencedInstancesWithTheSameValues)
{
    CVstParamSelect original(3, "Key Input", kKeyInput);
    original.setValue(0.4f);
    original.referenced();
    const long live = CVstParamSelect::classRecord().getInstanceCount();
    const CVstParamSelect copy(original);
    EXPECT_EQ(0, copy.getReferenceCount());
    EXPECT_EQ(live + 1, CVstParamSelect::classRecord().getInstanceCount());
    EXPECT_EQ("Stereo", display(copy));
    EXPECT_EQ("Key Input", name(copy));
    original.dereference();

    CVstParamFloat master("Master", "dB", -20.0f, 20.0f, 5.0f);
    CVstParamFloat other("Other", "%", 0.0f, 100.0f, 0.0f);
    other = master;
    EXPECT_EQ("5.000", display(other));
    EXPECT_EQ("dB", label(other));
    EXPECT_EQ("20.00", displayAt(other, 1.0f));
    EXPECT_EQ("5.000", display(master));

    // Every parameter class counts in its own record, below "CVstParam".
    const CVstParamFloatExp attack("Attack");
    EXPECT_EQ(std::string("CVstParamFloatExp"), attack.getClass().getClassName());
    EXPECT_EQ(std::string("CVstParam"), attack.getClass().getParentName());
    EXPECT_EQ(std::string("CCountedObject"), CVstParam::classRecord().getParentName());
}
