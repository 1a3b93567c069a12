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

TEST_F(LiteParameterTest, everyParameterNamesLabelsAndShowsTheDefaultProgram)
{
    const struct
    {
        const char* name;
        const char* label;
        const char* display;
    } expected[] = {{"Master", "dB", "0.000"}, {"Threshold", "dB", "0.000"}, {"Ratio", " :1", "1.00"},
                    {"Attack", "ms", "5.623"}, {"Release", "ms", "31.62"},   {"Mix", "mix", "1.000"}};
    ASSERT_EQ(kParameters, effect()->numParams);
    for (VstInt32 index = 0; index < kParameters; ++index)
    {
        SCOPED_TRACE(testing::Message() << "parameter " << index);
        EXPECT_EQ(expected[index].name, m_host.queryString(effGetParamName, index).text);
        EXPECT_EQ(expected[index].label, m_host.queryString(effGetParamLabel, index).text);
        EXPECT_EQ(expected[index].display, display(index));
        EXPECT_FLOAT_EQ(static_cast<float>(liteProgram(0).values[static_cast<size_t>(index)]), get(index));
    }
}

TEST_F(LiteParameterTest, displaysFollowTheRangesToTheirEnds)
{
    const struct
    {
        VstInt32 index;
        float value;
        const char* display;
    } cases[] = {{0, 0.0f, "-20.00"}, {0, 1.0f, "20.00"},  {0, 0.75f, "10.00"}, {0, 0.55f, "2.000"},
                 {1, 0.0f, "-50.00"}, {1, 0.75f, "-12.50"}, {1, 0.84f, "-8.000"}, {3, 0.0f, "1.000"},
                 {3, 1.0f, "1000"},   {3, 0.8f, "251.2"},   {4, 0.5f, "31.62"},  {4, 0.3f, "7.943"},
                 {5, 0.0f, "0.000"},  {5, 0.5f, "0.500"}};
    for (const auto& each : cases)
    {
        setEffectOnly(each.index, each.value);
        EXPECT_EQ(each.display, display(each.index)) << "parameter " << each.index << " at " << each.value;
    }
}

// The host sees the ratio, 1 / slope cut to four characters, and reads back the value it set.
TEST_F(LiteParameterTest, ratioShowsTheRatioAndReadsBackTheHostValue)
{
    const struct
    {
        float value;
        const char* display;
    } cases[] = {{0.0f, "1.00"}, {1.0f, "20.0"}, {0.5f, "1.90"}, {0.6f, "2.32"}, {0.665f, "2.71"}, {0.75f, "3.47"}};
    for (const auto& each : cases)
    {
        setEffectOnly(2, each.value);
        EXPECT_EQ(each.display, display(2)) << each.value;
        EXPECT_NEAR(each.value, get(2), 6e-8) << "up to the rounding of 1 - value";
    }
}

TEST_F(LiteParameterTest, valuesOutsideTheRangeAreClampedAndNaNIsIgnored)
{
    const struct
    {
        VstInt32 index;
        float value;
        float stored;
        const char* display;
    } cases[] = {{0, 1.5f, 1.0f, "20.00"},     {0, -0.5f, 0.0f, "-20.00"},      {1, 7.0f, 1.0f, "0.000"},
                 {1, -2.0f, 0.0f, "-50.00"},   {2, 2.0f, 1.0f, "20.0"},         {2, -1.0f, 0.0f, "1.00"},
                 {3, -3.0f, 0.0f, "1.000"},    {4, kInfinity, 1.0f, "1000"},    {5, -kInfinity, 0.0f, "0.000"},
                 {5, 1.01f, 1.0f, "1.000"}};
    for (const auto& each : cases)
    {
        SCOPED_TRACE(testing::Message() << "parameter " << each.index << " set to " << each.value);
        setEffectOnly(each.index, each.value);
        EXPECT_EQ(each.stored, get(each.index));
        EXPECT_EQ(each.display, display(each.index));
        // The stored program value is clamped too: a program change back shows the same.
        m_host.dispatch(effSetProgram, 0, 0);
        EXPECT_EQ(each.stored, get(each.index));
        setEffectOnly(each.index, kNaN);
        EXPECT_EQ(each.stored, get(each.index)) << "NaN changes nothing";
        EXPECT_EQ(each.display, display(each.index));
    }
}

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

TEST_F(LiteProgramTest, everyProgramHasItsNameAndValues)
{
    const char* const names[kPrograms] = {"Default", "Mix",     "Bass Guitar", "Vocals", "Acoustic Guitar",
                                          "Hard",    "Drums",   "TZN",         "-------", "Voltura",
                                          "From",    "Selvan",  "Quarrow"};
    ASSERT_EQ(kPrograms, effect()->numPrograms);
    EXPECT_EQ(0, m_host.dispatch(effGetProgram));
    for (int program = 0; program < kPrograms; ++program)
    {
        SCOPED_TRACE(testing::Message() << "program " << program);
        CTestHost::SStringReply indexed = m_host.queryString(effGetProgramNameIndexed, program);
        EXPECT_EQ(1, indexed.result);
        EXPECT_EQ(names[program], indexed.text);

        m_host.dispatch(effSetProgram, 0, program);
        EXPECT_EQ(program, m_host.dispatch(effGetProgram));
        EXPECT_EQ(names[program], m_host.queryString(effGetProgramName).text);
        for (VstInt32 index = 0; index < kParameters; ++index)
            EXPECT_NEAR(liteProgram(program).values[static_cast<size_t>(index)], get(index), 1e-6)
                << "parameter " << index;
    }
    CTestHost::SStringReply quarrow = m_host.queryString(effGetProgramNameIndexed, 12);
    EXPECT_EQ(1, quarrow.result);
    EXPECT_EQ("Quarrow", quarrow.text);
    CTestHost::SStringReply beyond = m_host.queryString(effGetProgramNameIndexed, 13);
    EXPECT_EQ(0, beyond.result);
    EXPECT_EQ(CTestHost::kStringSentinel, beyond.text[0]) << "nothing written for program 13";
}

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

TEST_F(LiteProgramTest, programValuesShowThroughTheParameterTexts)
{
    m_host.dispatch(effSetProgram, 0, 5);
    EXPECT_EQ("0.200", display(0));
    EXPECT_EQ("-8.000", display(1));
    EXPECT_EQ("20.0", display(2));
    EXPECT_EQ("7.943", display(4));
    m_host.dispatch(effSetProgram, 0, 2);
    EXPECT_EQ("-20.00", display(1));
    // Slope 0.05 + 0.95 * 0.25 = 0.2875: ratio 3.478, truncated.
    EXPECT_EQ("3.47", display(2));
    EXPECT_EQ("2.818", display(3));
}

TEST_F(LiteProgramTest, programChangesAreNotReportedAsAutomation)
{
    m_host.clearCalls();
    for (int program : {7, 12, 0})
        m_host.dispatch(effSetProgram, 0, program);
    for (const CTestHost::SHostCall& call : m_host.calls())
        EXPECT_NE(audioMasterAutomate, call.opcode);
}

TEST_F(LiteProgramTest, editsAndNamesStayWithTheirProgram)
{
    m_host.dispatch(effSetProgram, 0, 11);
    setEffectOnly(0, 0.8f);
    setEffectOnly(2, 0.3f);
    char name[] = "A program name longer than the field";
    m_host.dispatch(effSetProgramName, 0, 0, name);
    m_host.dispatch(effSetProgram, 0, 0);
    EXPECT_EQ(0.5f, get(0));
    EXPECT_EQ(0.0f, get(2));
    EXPECT_EQ("Default", m_host.queryString(effGetProgramName).text);

    m_host.dispatch(effSetProgram, 0, 11);
    EXPECT_EQ(0.8f, get(0));
    EXPECT_NEAR(0.3f, get(2), 6e-8);
    EXPECT_EQ("A program name longer t", m_host.queryString(effGetProgramName).text);
    EXPECT_EQ("A program name longer t", m_host.queryString(effGetProgramNameIndexed, 11).text);
}

// ---------------------------------------------------------------------------------------------------------------
// Host queries: identity, can-do, pins, the vendor extension.

class LiteHostQueryTest : public LiteEffectFixture
{
protected:
    VstIntPtr canDo(const char* text)
    {
        std::string copy(text);
        return m_host.dispatch(effCanDo, 0, 0, &copy[0]);
    }
};

TEST_F(LiteHostQueryTest, identityIsSqa2WithTwoInputsAndTwoOutputs)
{
    EXPECT_EQ(('S' << 24) | ('q' << 16) | ('a' << 8) | '2', effect()->uniqueID);
    EXPECT_EQ(2, effect()->numInputs);
    EXPECT_EQ(2, effect()->numOutputs);
    EXPECT_EQ(16, effect()->initialDelay);
    EXPECT_EQ("VolturaLite", m_host.queryString(effGetEffectName).text);
}

TEST_F(LiteHostQueryTest, canDoAnswersExactTexts)
{
    for (const char* yes : {"plugAsChannelInsert", "plugAsSend", "2in2out", "receiveVstMidiEvent"})
        EXPECT_EQ(1, canDo(yes)) << yes;
    EXPECT_EQ(static_cast<VstInt32>(0xbeef0000u), static_cast<VstInt32>(canDo("hasCockosExtensions")));
    for (const char* no : {"receiveVstTimeInfo", "sendVstMidiEvent", "", "2in2Out", "plugasSend", "2in4out",
                           "hasCockosExtension", "bypass"})
        EXPECT_EQ(-1, canDo(no)) << "'" << no << "'";
}

TEST_F(LiteHostQueryTest, twoInputAndTwoOutputPinsWithTheirLabels)
{
    const char* const inputs[][2] = {{"Left input", "L in"}, {"Right input", "R in"}};
    const char* const outputs[][2] = {{"Left output", "L out"}, {"Right output", "R out"}};
    for (VstInt32 pin = 0; pin < 2; ++pin)
    {
        VstPinProperties in{};
        EXPECT_EQ(1, m_host.dispatch(effGetInputProperties, pin, 0, &in));
        EXPECT_EQ(3, in.flags);
        EXPECT_STREQ(inputs[pin][0], in.label);
        EXPECT_STREQ(inputs[pin][1], in.shortLabel);
        VstPinProperties out{};
        EXPECT_EQ(1, m_host.dispatch(effGetOutputProperties, pin, 0, &out));
        EXPECT_EQ(3, out.flags);
        EXPECT_STREQ(outputs[pin][0], out.label);
        EXPECT_STREQ(outputs[pin][1], out.shortLabel);
    }

    // A third pin, the side-chain pair Pro has among them, answers 0 and leaves the host's record alone.
    VstPinProperties untouched;
    std::memset(&untouched, 0x5A, sizeof(untouched));
    for (VstInt32 pin : {2, 3, -1})
    {
        VstPinProperties in = untouched;
        EXPECT_EQ(0, m_host.dispatch(effGetInputProperties, pin, 0, &in)) << pin;
        EXPECT_EQ(0, std::memcmp(&untouched, &in, sizeof(in))) << pin;
        VstPinProperties out = untouched;
        EXPECT_EQ(0, m_host.dispatch(effGetOutputProperties, pin, 0, &out)) << pin;
        EXPECT_EQ(0, std::memcmp(&untouched, &out, sizeof(out))) << pin;
    }
}

TEST_F(LiteHostQueryTest, vendorRangeQueryWritesEachParametersRealRange)
{
    const double ranges[kParameters][2] = {{-20, 20}, {-50, 0}, {0, 1}, {1, 1000}, {1, 1000}, {0, 1}};
    for (VstIntPtr index = 0; index < kParameters; ++index)
    {
        double range[3] = {-999.0, -999.0, -999.0};
        EXPECT_EQ(kVendorAnswer, m_host.dispatch(effVendorSpecific, kRangeQuery, index, range));
        EXPECT_EQ(ranges[index][0], range[0]) << "parameter " << index;
        EXPECT_EQ(ranges[index][1], range[1]) << "parameter " << index;
        EXPECT_EQ(-999.0, range[2]) << "two doubles only";
    }
    double range[2] = {-999.0, -999.0};
    for (VstIntPtr index : {VstIntPtr(6), VstIntPtr(15), VstIntPtr(-1)})
        EXPECT_EQ(0, m_host.dispatch(effVendorSpecific, kRangeQuery, index, range)) << index;
    EXPECT_EQ(-999.0, range[0]);
    EXPECT_EQ(0, m_host.dispatch(effVendorSpecific, kRangeQuery, 1, nullptr));
}

TEST_F(LiteHostQueryTest, vendorTextQueryFormatsWithPercentOneF)
{
    char text[64];
    std::memset(text, 0x7E, sizeof(text));
    EXPECT_EQ(kVendorAnswer, m_host.dispatch(effVendorSpecific, effGetParamDisplay, 5, text, 0.5f));
    EXPECT_STREQ("0.500000", text);
    EXPECT_EQ(kVendorAnswer, m_host.dispatch(effVendorSpecific, effGetParamDisplay, 0, text, -12.25f));
    EXPECT_STREQ("-12.250000", text);
    EXPECT_EQ(kVendorAnswer, m_host.dispatch(effVendorSpecific, effGetParamDisplay, 3, text, 1000.0f));
    EXPECT_STREQ("1000.000000", text);
    std::memset(text, 0x7E, sizeof(text));
    for (VstIntPtr index : {6, 9, -1})
        EXPECT_EQ(0, m_host.dispatch(effVendorSpecific, effGetParamDisplay, index, text, 1.0f)) << index;
    EXPECT_EQ(0x7E, text[0]);
    EXPECT_EQ(0, m_host.dispatch(effVendorSpecific, effGetParamDisplay, 3, nullptr, 1.0f));
}

// Lite has no selector parameters: the selector query (index 8) answers 0 for every value, Pro's included.
TEST_F(LiteHostQueryTest, selectorQueryAndOtherIndexesAnswerZero)
{
    for (VstIntPtr value = -1; value <= 16; ++value)
        EXPECT_EQ(0, m_host.dispatch(effVendorSpecific, effGetParamName, value, nullptr)) << value;
    char text[64] = {};
    for (VstInt32 index : {0, 6, 9, 0x12345678, static_cast<VstInt32>(0xdeadbef1u)})
        EXPECT_EQ(0, m_host.dispatch(effVendorSpecific, index, 1, text, 0.5f)) << index;
}

// ---------------------------------------------------------------------------------------------------------------
// MIDI: program selection below 13 and the controllers 70 to 74.

class LiteMidiTest : public LiteEffectFixture
{
protected:
    void SetUp() override
    {
        LiteEffectFixture::SetUp();
        m_host.start(44100.0f, 64);
        m_host.clearCalls();
    }

    VstIntPtr send(CEventBlock& events) { return m_host.dispatch(effProcessEvents, 0, 0, events.build()); }

    // The events of a block are dropped after its process call.
    void processOneBlock()
    {
        Channels output;
        ASSERT_TRUE(m_host.process(Channels(2, std::vector<float>(64, 0.0f)), output, 64));
    }

    void expectProgramValues(int program)
    {
        for (VstInt32 index = 0; index < kParameters; ++index)
            EXPECT_NEAR(liteProgram(program).values[static_cast<size_t>(index)], get(index), 1e-6)
                << "program " << program << " parameter " << index;
    }

    bool hostWasToldOfAutomation() const
    {
        for (const CTestHost::SHostCall& call : m_host.calls())
            if (call.opcode == audioMasterAutomate)
                return true;
        return false;
    }
};

TEST_F(LiteMidiTest, everyControllerBelowThirteenSelectsThatProgram)
{
    for (unsigned char controller = 0; controller < 13; ++controller)
    {
        // Start each from a program the controller does not pick, so a change shows.
        m_host.dispatch(effSetProgram, 0, controller == kTzn ? 5 : kTzn);
        CEventBlock events;
        events.controlChange(controller, static_cast<unsigned char>(9 * controller));
        EXPECT_EQ(1, send(events));
        EXPECT_EQ(controller, m_host.dispatch(effGetProgram)) << "controller " << int(controller);
        expectProgramValues(controller);
        processOneBlock();
    }
    EXPECT_FALSE(hostWasToldOfAutomation());
}

TEST_F(LiteMidiTest, controllerTwelveSelectsQuarrowAndThirteenChangesNothing)
{
    CEventBlock first;
    first.controlChange(12, 0);
    send(first);
    EXPECT_EQ(12, m_host.dispatch(effGetProgram));
    EXPECT_EQ("Quarrow", m_host.queryString(effGetProgramName).text);
    processOneBlock();

    m_host.dispatch(effSetProgram, 0, kTzn);
    CEventBlock notAProgram;
    notAProgram.controlChange(13, 0);
    notAProgram.controlChange(13, 127);
    notAProgram.controlChange(69, 3);
    notAProgram.controlChange(75, 3);
    notAProgram.add(0x90, 5, 100);
    notAProgram.add(0xC0, 3, 0);
    send(notAProgram);
    EXPECT_EQ(kTzn, m_host.dispatch(effGetProgram));
    expectProgramValues(kTzn);
}

TEST_F(LiteMidiTest, controllersSeventyToSeventyFourSetTheirParametersWithoutAutomation)
{
    const struct
    {
        unsigned char controller;
        VstInt32 parameter;
    } mapping[] = {{70, 2}, {71, 1}, {72, 3}, {73, 4}, {74, 0}};
    for (unsigned char value : {0, 1, 64, 100, 127})
    {
        CEventBlock events;
        for (const auto& each : mapping)
            events.controlChange(each.controller, value);
        send(events);
        for (const auto& each : mapping)
            EXPECT_NEAR(value / 127.0, get(each.parameter), 1e-6)
                << "controller " << int(each.controller) << " value " << int(value);
        EXPECT_EQ(1.0f, get(5)) << "Mix has no controller";
        processOneBlock();
    }
    EXPECT_EQ("20.00", display(0));
    EXPECT_EQ("0.000", display(1));
    EXPECT_EQ("20.0", display(2));
    EXPECT_EQ("1000", display(3));
    EXPECT_FALSE(hostWasToldOfAutomation());
}

TEST_F(LiteMidiTest, onlyTheEffectsChannelIsHeard)
{
    CEventBlock events;
    events.add(0xB1, 74, 127);
    events.add(0xBF, 3, 0);
    send(events);
    EXPECT_EQ(0.5f, get(0));
    EXPECT_EQ(0, m_host.dispatch(effGetProgram));
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

// The Default program leaves the compressor out (Threshold 0 dB): the output is the input, 16 samples later and
// 2 dB louder at Master 0 dB.
TEST_P(LiteLatencyTest, anImpulseComesOutSixteenSamplesLaterTwoDecibelsUp)
{
    EXPECT_EQ(16, effect()->initialDelay);
    m_host.start(44100.0f, GetParam());
    const Channels signal = impulses();
    expectDelayedCopy(signal, m_host.render(signal), decibelsToGain(2.0));
}

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

TEST_F(LiteOutputStageTest, masterScalesTheOutputTwoDecibelsAboveItsDisplay)
{
    start(44100.0f, 256);
    for (float master : {0.0f, 0.25f, 0.75f, 1.0f, 0.5f})
    {
        set(0, master);
        const double gain = masterGain(master);
        const Channels signal = noiseChannels(11, 2048, 0.5f);
        const SRendered rendered = render(signal, 256);
        for (size_t channel = 0; channel < 2; ++channel)
            for (size_t i = kDelay; i < signal[0].size(); ++i)
                ASSERT_NEAR(signal[channel][i - kDelay] * gain, rendered.output[channel][i], 1e-6 * gain)
                    << "master " << master << " frame " << i;
        EXPECT_LT(rendered.largestDifference(kDelay), 1e-6 * gain) << "master " << master;
    }
}

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

// Every factory program on programme-like noise, against the model; the program is chosen before the rate, so
// its times must be recomputed at resume. Relative to the output's scale (master up to +8 dB), the float
// envelope strays up to some 1e-4 from the double one.
TEST_P(LiteCompressionTest, everyProgramFollowsTheModel)
{
    for (int program = 0; program < kPrograms; ++program)
    {
        reload();
        setProgram(program);
        start(GetParam(), 300);
        TestSignals::CNoise noise(40 + static_cast<uint32_t>(program));
        const size_t frames = TestSignals::blockFrames(0.5, GetParam());
        std::vector<float> left(frames);
        std::vector<float> right(frames);
        for (size_t i = 0; i < frames; ++i)
        {
            const float envelope = (i / (frames / 6)) % 2 == 0 ? 0.05f : 0.9f;
            left[i] = noise.next(envelope);
            right[i] = noise.next(envelope);
        }
        const double scale = m_model.masterGain();
        EXPECT_LT(render(twoChannels(left, right), 300).largestDifference(), 2e-4 * scale) << "program " << program;
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
// Robustness: bad input, bad rates, missing channels, empty calls.

class LiteRobustnessTest : public LiteEffectFixture
{
};

// NaN or infinity in the input spoils at most the ring blocks it passes through; clean input after it comes out
// finite and, once the detector has settled again, as if nothing had happened.
TEST_F(LiteRobustnessTest, nonFiniteInputIsFollowedByCleanOutput)
{
    for (float bad : {kNaN, kInfinity, -kInfinity})
    {
        SCOPED_TRACE(testing::Message() << "input " << bad);
        CTestHost undisturbedHost;
        std::string error;
        ASSERT_TRUE(undisturbedHost.load(VOLTURA_LITE, error)) << error;
        reload();
        for (CTestHost* host : {&m_host, &undisturbedHost})
        {
            host->start(44100.0f, 256);
            host->dispatch(effSetProgram, 0, 3);
        }
        Channels signal = noiseChannels(51, 44100, 0.7f);
        const Channels clean = undisturbedHost.render(signal);
        const size_t at = 1000;
        signal[0][at] = bad;
        signal[1][at + 5] = bad;
        const Channels output = m_host.render(signal);
        const size_t firstClean = (at / kDelay + 2) * kDelay;
        for (size_t channel = 0; channel < 2; ++channel)
        {
            for (size_t i = firstClean; i < output[channel].size(); ++i)
                ASSERT_TRUE(std::isfinite(output[channel][i])) << "channel " << channel << " frame " << i;
            for (size_t i = output[channel].size() - 1000; i < output[channel].size(); ++i)
                ASSERT_NEAR(clean[channel][i], output[channel][i], 1e-4 * std::fabs(clean[channel][i]) + 1e-7)
                    << "channel " << channel << " frame " << i;
        }
    }
}

// Rates that are not finite, or 11025 or less, run exactly as 44100 does; 48000 and 11026 do not.
TEST_F(LiteRobustnessTest, unusableSampleRatesCountAsFortyFourOneHundred)
{
    const Channels signal = noiseChannels(52, 22050, 0.8f);
    auto renderAt = [&](float rate) {
        reload();
        m_host.dispatch(effSetProgram, 0, 3);
        m_host.start(rate, 512);
        return m_host.render(signal);
    };
    const Channels reference = renderAt(44100.0f);
    for (float rate : {0.0f, 8000.0f, 11025.0f, kNaN, kInfinity, -kInfinity, -44100.0f})
        EXPECT_TRUE(renderAt(rate) == reference) << "rate " << rate;
    EXPECT_FALSE(renderAt(48000.0f) == reference);
    EXPECT_FALSE(renderAt(11026.0f) == reference);
}

// A missing input counts as silence, a missing output is skipped, and the other channel comes out as usual.
TEST_F(LiteRobustnessTest, missingChannelsAreSilenceInAndSkippedOut)
{
    CTestHost reference;
    std::string error;
    ASSERT_TRUE(reference.load(VOLTURA_LITE, error)) << error;
    for (CTestHost* host : {&m_host, &reference})
    {
        host->start(44100.0f, 512);
        host->dispatch(effSetProgram, 0, 5);
    }
    Channels signal = noiseChannels(53, 512, 0.9f);
    Channels silenced = signal;
    std::fill(silenced[1].begin(), silenced[1].end(), 0.0f);
    Channels expected;
    ASSERT_TRUE(reference.process(silenced, expected, 512));

    float* inputs[2] = {signal[0].data(), nullptr};
    std::vector<float> left(512, kNaN);
    std::vector<float> right(512, kNaN);
    float* outputs[2] = {left.data(), right.data()};
    effect()->processReplacing(effect(), inputs, outputs, 512);
    EXPECT_EQ(expected[0], left) << "right input pointer missing";
    EXPECT_EQ(expected[1], right) << "right input pointer missing";

    ASSERT_TRUE(reference.process(silenced, expected, 512));
    std::fill(right.begin(), right.end(), kNaN);
    float* rightOnly[2] = {nullptr, right.data()};
    effect()->processReplacing(effect(), inputs, rightOnly, 512);
    EXPECT_EQ(expected[1], right) << "left output pointer missing";

    // Both pointer arrays missing: nothing to read or write, the ring moves on with silence.
    effect()->processReplacing(effect(), nullptr, nullptr, 512);
    ASSERT_TRUE(reference.process(Channels(2, std::vector<float>(512, 0.0f)), expected, 512));
    Channels after;
    ASSERT_TRUE(m_host.process(signal, after, 512));
    ASSERT_TRUE(reference.process(signal, expected, 512));
    EXPECT_EQ(expected, after);
}

TEST_F(LiteRobustnessTest, zeroFramesWriteNothingAndKeepTheRing)
{
    m_host.start(44100.0f, 64);
    std::vector<float> left(40, 0.0f);
    left[0] = 1.0f;
    std::vector<float> right(40, 0.0f);
    right[3] = -0.5f;
    float* inputs[2] = {left.data(), right.data()};
    std::vector<float> outLeft(40, 7.0f);
    std::vector<float> outRight(40, 7.0f);
    float* outputs[2] = {outLeft.data(), outRight.data()};

    effect()->processReplacing(effect(), inputs, outputs, 10);
    for (VstInt32 frames : {0, -5})
    {
        std::fill(outLeft.begin(), outLeft.end(), 7.0f);
        std::fill(outRight.begin(), outRight.end(), 7.0f);
        effect()->processReplacing(effect(), inputs, outputs, frames);
        EXPECT_EQ(std::vector<float>(40, 7.0f), outLeft) << frames;
        EXPECT_EQ(std::vector<float>(40, 7.0f), outRight) << frames;
    }
    float* rest[2] = {left.data() + 10, right.data() + 10};
    effect()->processReplacing(effect(), rest, outputs, 30);
    const float gain = static_cast<float>(decibelsToGain(2.0));
    for (size_t i = 0; i < 30; ++i)
    {
        EXPECT_EQ(i == 6 ? gain : 0.0f, outLeft[i]) << "frame " << i + 10;
        EXPECT_EQ(i == 9 ? static_cast<float>(-0.5 * decibelsToGain(2.0)) : 0.0f, outRight[i]) << "frame " << i + 10;
    }
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
