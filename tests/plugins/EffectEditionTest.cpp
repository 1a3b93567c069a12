// What both deliverables answer a host alike, loaded through the test host: parameter texts and clamping,
// programs, can-do, pins, the vendor extension, MIDI control, latency, master and robustness. Typed over an edition
// descriptor; each edition's own rules are in ProEffectTest.cpp and LiteEffectTest.cpp.
#include "tests/compressor/ReferenceModel.hpp"
#include "tests/compressor/TestSignals.hpp"
#include "tests/support/CEventBlock.hpp"
#include "tests/support/TModelledEffectTest.hpp"
#include "tools/testhost/CTestHost.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <type_traits>
#include <vector>

namespace
{
using ReferenceModel::decibelsToGain;
using VolturaTests::Channels;
using VolturaTests::CEventBlock;
using VolturaTests::SRendered;

constexpr size_t kDelay = 16;
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInfinity = std::numeric_limits<float>::infinity();
constexpr VstInt32 kRangeQuery = static_cast<VstInt32>(0xdeadbef0u);
constexpr VstIntPtr kVendorAnswer = 0xbeef;

struct SParameterText
{
    const char* name;
    const char* label;
    const char* display;
};

struct SDisplayCase
{
    VstInt32 index;
    float value;
    const char* display;
};

struct SClampCase
{
    VstInt32 index;
    float value;
    float stored;
    const char* display;
};

struct SProgramDisplay
{
    int program;
    VstInt32 index;
    const char* display;
};

struct SRange
{
    double minimum;
    double maximum;
};

struct CProPlugin
{
    using Model = ReferenceModel::ProEffect;
    static const char* path() { return VOLTURA_PRO; }
    static constexpr VstInt32 kInputs = 4;
    static constexpr VstInt32 kParameters = 16;
    static constexpr int kPrograms = 10;
    // The output stage's gain above the Master value shown.
    static constexpr double kMasterOffsetDb = 0.0;
    // The first input the missing-channel test leaves out: the side-chain pair, listened to.
    static constexpr VstInt32 kMissingFrom = 2;
    static constexpr int kEditedProgram = 7;
    static const char* programName(int program) { return ReferenceModel::proProgram(program).name; }
    static double programValue(int program, int index)
    {
        return ReferenceModel::proProgram(program).values[static_cast<size_t>(index)];
    }

    static constexpr SParameterText kTexts[] = {
        {"Master", "dB", "0.000"},        {"Threshold", "dB", "0.000"}, {"Ratio", " :1", "1.00"},
        {"Attack", "ms", "5.623"},        {"Release", "ms", "31.62"},   {"Mix", "mix", "1.000"},
        {"EQ Low", "dB", "0.000"},        {"EQ Mid", "dB", "0.000"},    {"EQ High", "dB", "0.000"},
        {"SideChain", "", "Internal"},    {"Monitor", "", "Output"},    {"MakeUpGain", "", "Off"},
        {"Key Input", "", "Stereo"},      {"Soft-Knee", "%", "0.000"},  {"Valve Modelling", "", "Bypass"},
        {"Mid/Side", " ", "0.000"}};
    static constexpr SDisplayCase kDisplays[] = {
        {0, 0.0f, "-20.00"},  {0, 1.0f, "20.00"},     {0, 0.75f, "10.00"},   {1, 0.0f, "-50.00"},
        {1, 0.75f, "-12.50"}, {3, 0.0f, "1.000"},     {3, 1.0f, "1000"},     {4, 0.5f, "31.62"},
        {5, 0.5f, "0.500"},   {9, 1.0f, "External"},  {10, 1.0f, "Input"},   {11, 1.0f, "On"},
        {12, 0.0f, "Left"},   {12, 0.3333f, "Left"},  {12, 0.34f, "Stereo"}, {12, 1.0f, "Right"},
        {13, 0.25f, "25.00"}, {13, 1.0f, "100.0"},    {14, 0.4f, "Soft"},    {14, 1.0f, "Dirty"},
        {15, 0.0f, "-1.000"}, {15, 1.0f, "1.000"},    {6, 0.0f, "-20.00"},   {8, 1.0f, "20.00"}};
    static constexpr SClampCase kClamps[] = {
        {0, 1.5f, 1.0f, "20.00"},     {0, -0.5f, 0.0f, "-20.00"},     {1, 7.0f, 1.0f, "0.000"},
        {2, 2.0f, 1.0f, "20.0"},      {2, -1.0f, 0.0f, "1.00"},       {3, -3.0f, 0.0f, "1.000"},
        {4, kInfinity, 1.0f, "1000"}, {5, -kInfinity, 0.0f, "0.000"}, {13, 1.01f, 1.0f, "100.0"},
        {15, -0.01f, 0.0f, "-1.000"}, {12, 5.0f, 1.0f, "Right"},      {14, -1.0f, 0.0f, "Bypass"}};
    static constexpr SProgramDisplay kProgramDisplays[] = {
        {5, 1, "-17.50"}, {5, 2, "3.47"}, {5, 3, "1.000"}, {5, 11, "On"},
        {5, 13, "50.00"}, {3, 14, "Dirty"}, {2, 14, "Soft"}};
    static constexpr int kProgramSequence[] = {5, 3, 0};
    static constexpr SRange kRanges[] = {{-20, 20}, {-50, 0}, {0, 1},   {1, 1000}, {1, 1000}, {0, 1},
                                         {-20, 20}, {-20, 20}, {-20, 20}, {0, 1},  {0, 1},    {0, 1},
                                         {0, 1},    {0, 100},  {0, 1},    {-1, 1}};
    // The option parameters, which the host extension names itself.
    static bool isSelector(VstIntPtr index) { return index == 9 || index == 10 || index == 11 || index == 12 || index == 14; }
    static constexpr const char* kInputPins[][2] = {
        {"Left input", "L in"}, {"Right input", "R in"}, {"Left sidechain", "xL in"}, {"Right sidechain", "xR in"}};

    // A program that compresses, with the equaliser and the valve or the release changed as well.
    static void busyForInput(CTestHost& host)
    {
        host.dispatch(effSetProgram, 0, 5);
        host.effect()->setParameter(host.effect(), 6, 0.3f);
        host.effect()->setParameter(host.effect(), 14, 0.4f);
    }
    static void busyForRates(CTestHost& host)
    {
        host.dispatch(effSetProgram, 0, 5);
        host.effect()->setParameter(host.effect(), 6, 0.3f);
        host.effect()->setParameter(host.effect(), 4, 0.3f);
    }
    static void busyForMissingInputs(CTestHost& host)
    {
        host.dispatch(effSetProgram, 0, 5);
        host.effect()->setParameter(host.effect(), 9, 1.0f);
    }
};

struct CLitePlugin
{
    using Model = ReferenceModel::LiteEffect;
    static const char* path() { return VOLTURA_LITE; }
    static constexpr VstInt32 kInputs = 2;
    static constexpr VstInt32 kParameters = 6;
    static constexpr int kPrograms = 13;
    static constexpr double kMasterOffsetDb = 2.0;
    static constexpr VstInt32 kMissingFrom = 1;
    static constexpr int kEditedProgram = 11;
    static const char* programName(int program) { return ReferenceModel::liteProgram(program).name; }
    static double programValue(int program, int index)
    {
        return ReferenceModel::liteProgram(program).values[static_cast<size_t>(index)];
    }

    static constexpr SParameterText kTexts[] = {{"Master", "dB", "0.000"}, {"Threshold", "dB", "0.000"},
                                                {"Ratio", " :1", "1.00"},  {"Attack", "ms", "5.623"},
                                                {"Release", "ms", "31.62"}, {"Mix", "mix", "1.000"}};
    static constexpr SDisplayCase kDisplays[] = {
        {0, 0.0f, "-20.00"}, {0, 1.0f, "20.00"},   {0, 0.75f, "10.00"},  {0, 0.55f, "2.000"},
        {1, 0.0f, "-50.00"}, {1, 0.75f, "-12.50"}, {1, 0.84f, "-8.000"}, {3, 0.0f, "1.000"},
        {3, 1.0f, "1000"},   {3, 0.8f, "251.2"},   {4, 0.5f, "31.62"},   {4, 0.3f, "7.943"},
        {5, 0.0f, "0.000"},  {5, 0.5f, "0.500"}};
    static constexpr SClampCase kClamps[] = {
        {0, 1.5f, 1.0f, "20.00"},   {0, -0.5f, 0.0f, "-20.00"},   {1, 7.0f, 1.0f, "0.000"},
        {1, -2.0f, 0.0f, "-50.00"}, {2, 2.0f, 1.0f, "20.0"},      {2, -1.0f, 0.0f, "1.00"},
        {3, -3.0f, 0.0f, "1.000"},  {4, kInfinity, 1.0f, "1000"}, {5, -kInfinity, 0.0f, "0.000"},
        {5, 1.01f, 1.0f, "1.000"}};
    static constexpr SProgramDisplay kProgramDisplays[] = {{5, 0, "0.200"}, {5, 1, "-8.000"}, {5, 2, "20.0"},
                                                           {5, 4, "7.943"}, {2, 1, "-20.00"}, {2, 2, "3.47"},
                                                           {2, 3, "2.818"}};
    static constexpr int kProgramSequence[] = {7, 12, 0};
    static constexpr SRange kRanges[] = {{-20, 20}, {-50, 0}, {0, 1}, {1, 1000}, {1, 1000}, {0, 1}};
    // No option parameters: the selector query answers 0 for every value, Pro's included.
    static bool isSelector(VstIntPtr) { return false; }
    static constexpr const char* kInputPins[][2] = {{"Left input", "L in"}, {"Right input", "R in"}};

    static void busyForInput(CTestHost& host) { host.dispatch(effSetProgram, 0, 3); }
    static void busyForRates(CTestHost& host) { host.dispatch(effSetProgram, 0, 3); }
    static void busyForMissingInputs(CTestHost& host) { host.dispatch(effSetProgram, 0, 5); }
};

template <class Plugin>
class TPluginEditionTest : public VolturaTests::TModelledEffectTest<typename Plugin::Model>
{
protected:
    TPluginEditionTest() : VolturaTests::TModelledEffectTest<typename Plugin::Model>(Plugin::path()) {}

    VstIntPtr canDo(const char* text)
    {
        std::string copy(text);
        return this->m_host.dispatch(effCanDo, 0, 0, &copy[0]);
    }

    VstIntPtr send(CEventBlock& events) { return this->m_host.dispatch(effProcessEvents, 0, 0, events.build()); }

    // The events of a block are dropped after its process call.
    void processOneBlock()
    {
        Channels output;
        ASSERT_TRUE(this->m_host.process(Channels(Plugin::kInputs, std::vector<float>(64, 0.0f)), output, 64));
    }

    void expectProgramValues(int program)
    {
        for (VstInt32 index = 0; index < Plugin::kParameters; ++index)
            EXPECT_NEAR(Plugin::programValue(program, index), this->get(index), 1e-6)
                << "program " << program << " parameter " << index;
    }

    bool hostWasToldOfAutomation() const
    {
        for (const CTestHost::SHostCall& call : this->m_host.calls())
            if (call.opcode == audioMasterAutomate)
                return true;
        return false;
    }

    // Main left and right, and silence on every other input.
    static Channels inputs(const std::vector<float>& left, const std::vector<float>& right)
    {
        Channels channels(Plugin::kInputs, std::vector<float>(left.size(), 0.0f));
        channels[0] = left;
        channels[1] = right;
        return channels;
    }

    static Channels noiseChannels(uint32_t seed, size_t frames, float amplitude)
    {
        TestSignals::CNoise noise(seed);
        std::vector<float> left = noise.block(frames, amplitude);
        std::vector<float> right = noise.block(frames, amplitude);
        return inputs(left, right);
    }

    static double masterGain(double hostValue)
    {
        return decibelsToGain(-20.0 + 40.0 * hostValue + Plugin::kMasterOffsetDb);
    }
};

using Editions = ::testing::Types<CProPlugin, CLitePlugin>;
class CEditionNames
{
public:
    template <class T>
    static std::string GetName(int)
    {
        return std::is_same<T, CProPlugin>::value ? "Pro" : "Lite";
    }
};
TYPED_TEST_SUITE(TPluginEditionTest, Editions, CEditionNames);

// ---------------------------------------------------------------------------------------------------------------
// Parameter texts and values.

TYPED_TEST(TPluginEditionTest, everyParameterNamesLabelsAndShowsTheDefaultProgram)
{
    ASSERT_EQ(TypeParam::kParameters, this->effect()->numParams);
    for (VstInt32 index = 0; index < TypeParam::kParameters; ++index)
    {
        SCOPED_TRACE(testing::Message() << "parameter " << index);
        const SParameterText& expected = TypeParam::kTexts[index];
        EXPECT_EQ(expected.name, this->m_host.queryString(effGetParamName, index).text);
        EXPECT_EQ(expected.label, this->m_host.queryString(effGetParamLabel, index).text);
        EXPECT_EQ(expected.display, this->display(index));
        EXPECT_FLOAT_EQ(static_cast<float>(TypeParam::programValue(0, index)), this->get(index));
    }
}

TYPED_TEST(TPluginEditionTest, displaysFollowTheRangesToTheirEnds)
{
    for (const SDisplayCase& each : TypeParam::kDisplays)
    {
        this->setEffectOnly(each.index, each.value);
        EXPECT_EQ(each.display, this->display(each.index)) << "parameter " << each.index << " at " << each.value;
    }
}

// The host sees the ratio, 1 / slope cut to four characters, not the slope the parameter holds, and reads back the
// value it set.
TYPED_TEST(TPluginEditionTest, ratioShowsTheRatioAndReadsBackTheHostValue)
{
    const struct
    {
        float value;
        const char* display;
    } cases[] = {{0.0f, "1.00"}, {1.0f, "20.0"}, {0.5f, "1.90"}, {0.6f, "2.32"}, {0.665f, "2.71"}, {0.75f, "3.47"}};
    for (const auto& each : cases)
    {
        this->setEffectOnly(2, each.value);
        EXPECT_EQ(each.display, this->display(2)) << each.value;
        EXPECT_NEAR(each.value, this->get(2), 6e-8) << "up to the rounding of 1 - value";
    }
    for (float value : {0.0f, 1.0f, 0.5f, 0.75f, 0.9f})
    {
        this->setEffectOnly(2, value);
        EXPECT_EQ(value, this->get(2)) << "from 0.5 on, and at the ends, the value comes back exactly";
    }
    for (float value : {0.1f, 0.3f, 0.49f})
    {
        this->setEffectOnly(2, value);
        EXPECT_NEAR(value, this->get(2), 6e-8) << "below 0.5 up to the rounding of 1 - value";
    }
}

TYPED_TEST(TPluginEditionTest, valuesOutsideTheRangeAreClampedAndNaNIsIgnored)
{
    for (const SClampCase& each : TypeParam::kClamps)
    {
        SCOPED_TRACE(testing::Message() << "parameter " << each.index << " set to " << each.value);
        this->setEffectOnly(each.index, each.value);
        EXPECT_EQ(each.stored, this->get(each.index));
        EXPECT_EQ(each.display, this->display(each.index));
        // The stored program value is clamped too: a program change back shows the same.
        this->m_host.dispatch(effSetProgram, 0, 0);
        EXPECT_EQ(each.stored, this->get(each.index));
        this->setEffectOnly(each.index, kNaN);
        EXPECT_EQ(each.stored, this->get(each.index)) << "NaN changes nothing";
        EXPECT_EQ(each.display, this->display(each.index));
    }
}

// ---------------------------------------------------------------------------------------------------------------
// Programs.

TYPED_TEST(TPluginEditionTest, everyProgramHasItsNameAndValues)
{
    CTestHost& host = this->m_host;
    ASSERT_EQ(TypeParam::kPrograms, this->effect()->numPrograms);
    EXPECT_EQ(0, host.dispatch(effGetProgram));
    for (int program = 0; program < TypeParam::kPrograms; ++program)
    {
        SCOPED_TRACE(testing::Message() << "program " << program);
        CTestHost::SStringReply indexed = host.queryString(effGetProgramNameIndexed, program);
        EXPECT_EQ(1, indexed.result);
        EXPECT_EQ(TypeParam::programName(program), indexed.text);

        host.dispatch(effSetProgram, 0, program);
        EXPECT_EQ(program, host.dispatch(effGetProgram));
        EXPECT_EQ(TypeParam::programName(program), host.queryString(effGetProgramName).text);
        this->expectProgramValues(program);
    }
    CTestHost::SStringReply beyond = host.queryString(effGetProgramNameIndexed, TypeParam::kPrograms);
    EXPECT_EQ(0, beyond.result);
    EXPECT_EQ(CTestHost::kStringSentinel, beyond.text[0]) << "nothing written beyond the last program";
}

TYPED_TEST(TPluginEditionTest, programChangesAreNotReportedAsAutomation)
{
    this->m_host.clearCalls();
    for (int program : TypeParam::kProgramSequence)
        this->m_host.dispatch(effSetProgram, 0, program);
    EXPECT_FALSE(this->hostWasToldOfAutomation());
}

TYPED_TEST(TPluginEditionTest, programValuesShowThroughTheParameterTexts)
{
    for (const SProgramDisplay& each : TypeParam::kProgramDisplays)
    {
        this->m_host.dispatch(effSetProgram, 0, each.program);
        EXPECT_EQ(each.display, this->display(each.index)) << "program " << each.program << " parameter " << each.index;
    }
}

TYPED_TEST(TPluginEditionTest, editsAndNamesStayWithTheirProgram)
{
    CTestHost& host = this->m_host;
    host.dispatch(effSetProgram, 0, TypeParam::kEditedProgram);
    this->setEffectOnly(0, 0.8f);
    this->setEffectOnly(2, 0.3f);
    char name[] = "A program name longer than the field";
    host.dispatch(effSetProgramName, 0, 0, name);
    host.dispatch(effSetProgram, 0, 0);
    EXPECT_EQ(0.5f, this->get(0));
    EXPECT_EQ(0.0f, this->get(2));
    EXPECT_EQ("Default", host.queryString(effGetProgramName).text);

    host.dispatch(effSetProgram, 0, TypeParam::kEditedProgram);
    EXPECT_EQ(0.8f, this->get(0));
    EXPECT_NEAR(0.3f, this->get(2), 6e-8);
    EXPECT_EQ("A program name longer t", host.queryString(effGetProgramName).text);
    EXPECT_EQ("A program name longer t", host.queryString(effGetProgramNameIndexed, TypeParam::kEditedProgram).text);
}

// ---------------------------------------------------------------------------------------------------------------
// Host queries: can-do, pins, the vendor extension.

TYPED_TEST(TPluginEditionTest, canDoAnswersExactTexts)
{
    for (const char* yes : {"plugAsChannelInsert", "plugAsSend", "2in2out", "receiveVstMidiEvent"})
        EXPECT_EQ(1, this->canDo(yes)) << yes;
    // The Cockos answer is a 32-bit value; a 64-bit host sees it through the pointer-sized result.
    EXPECT_EQ(static_cast<VstInt32>(0xbeef0000u), static_cast<VstInt32>(this->canDo("hasCockosExtensions")));
    for (const char* no : {"receiveVstTimeInfo", "sendVstMidiEvent", "", "2In2Out", "2in2Out", "2in2out ", "plugAsSen",
                           "plugasSend", "2in4out", "hasCockosExtension", "hasCockosExtensionsToo",
                           "receiveVstEvents", "bypass"})
        EXPECT_EQ(-1, this->canDo(no)) << "'" << no << "'";
}

TYPED_TEST(TPluginEditionTest, inputAndOutputPinsWithTheirLabels)
{
    CTestHost& host = this->m_host;
    for (VstInt32 pin = 0; pin < TypeParam::kInputs; ++pin)
    {
        VstPinProperties properties{};
        EXPECT_EQ(1, host.dispatch(effGetInputProperties, pin, 0, &properties));
        EXPECT_EQ(3, properties.flags);
        EXPECT_STREQ(TypeParam::kInputPins[pin][0], properties.label);
        EXPECT_STREQ(TypeParam::kInputPins[pin][1], properties.shortLabel);
    }
    const char* const outputs[][2] = {{"Left output", "L out"}, {"Right output", "R out"}};
    for (VstInt32 pin = 0; pin < 2; ++pin)
    {
        VstPinProperties properties{};
        EXPECT_EQ(1, host.dispatch(effGetOutputProperties, pin, 0, &properties));
        EXPECT_EQ(3, properties.flags);
        EXPECT_STREQ(outputs[pin][0], properties.label);
        EXPECT_STREQ(outputs[pin][1], properties.shortLabel);
    }

    // Pins that do not exist answer 0 and leave the host's record alone.
    VstPinProperties untouched;
    std::memset(&untouched, 0x5A, sizeof(untouched));
    for (VstInt32 pin : {TypeParam::kInputs, TypeParam::kInputs + 1, -1})
    {
        VstPinProperties in = untouched;
        EXPECT_EQ(0, host.dispatch(effGetInputProperties, pin, 0, &in)) << pin;
        EXPECT_EQ(0, std::memcmp(&untouched, &in, sizeof(in))) << pin;
    }
    for (VstInt32 pin : {2, 3, -1})
    {
        VstPinProperties out = untouched;
        EXPECT_EQ(0, host.dispatch(effGetOutputProperties, pin, 0, &out)) << pin;
        EXPECT_EQ(0, std::memcmp(&untouched, &out, sizeof(out))) << pin;
    }
}

TYPED_TEST(TPluginEditionTest, vendorRangeQueryWritesEachParametersRealRange)
{
    CTestHost& host = this->m_host;
    for (VstIntPtr index = 0; index < TypeParam::kParameters; ++index)
    {
        double range[3] = {-999.0, -999.0, -999.0};
        EXPECT_EQ(kVendorAnswer, host.dispatch(effVendorSpecific, kRangeQuery, index, range));
        EXPECT_EQ(TypeParam::kRanges[index].minimum, range[0]) << "parameter " << index;
        EXPECT_EQ(TypeParam::kRanges[index].maximum, range[1]) << "parameter " << index;
        EXPECT_EQ(-999.0, range[2]) << "two doubles only";
    }
    double range[2] = {-999.0, -999.0};
    for (VstIntPtr index : {VstIntPtr(TypeParam::kParameters), VstIntPtr(TypeParam::kParameters + 9), VstIntPtr(-1),
                            VstIntPtr(1) << (8 * sizeof(VstIntPtr) - 2)})
        EXPECT_EQ(0, host.dispatch(effVendorSpecific, kRangeQuery, index, range)) << index;
    EXPECT_EQ(-999.0, range[0]);
    EXPECT_EQ(0, host.dispatch(effVendorSpecific, kRangeQuery, 1, nullptr));
}

TYPED_TEST(TPluginEditionTest, vendorTextQueryFormatsWithPercentOneF)
{
    CTestHost& host = this->m_host;
    char text[64];
    std::memset(text, 0x7E, sizeof(text));
    EXPECT_EQ(kVendorAnswer, host.dispatch(effVendorSpecific, effGetParamDisplay, 5, text, 0.5f));
    EXPECT_STREQ("0.500000", text);
    EXPECT_EQ(kVendorAnswer, host.dispatch(effVendorSpecific, effGetParamDisplay, 0, text, -12.25f));
    EXPECT_STREQ("-12.250000", text);
    EXPECT_EQ(kVendorAnswer, host.dispatch(effVendorSpecific, effGetParamDisplay, 3, text, 1000.0f));
    EXPECT_STREQ("1000.000000", text);
    std::memset(text, 0x7E, sizeof(text));
    for (VstIntPtr index : {VstIntPtr(TypeParam::kParameters), VstIntPtr(TypeParam::kParameters + 3), VstIntPtr(-1)})
        EXPECT_EQ(0, host.dispatch(effVendorSpecific, effGetParamDisplay, index, text, 1.0f)) << index;
    EXPECT_EQ(0x7E, text[0]);
    EXPECT_EQ(0, host.dispatch(effVendorSpecific, effGetParamDisplay, 3, nullptr, 1.0f));
}

// A value whose "%1f" text does not fit the host's field is written in the shortest form that reads back as the same
// value, never cut into another number.
TYPED_TEST(TPluginEditionTest, vendorTextQueryNeverShowsAnotherNumber)
{
    for (float value : {1e30f, -1e30f, 3.4e38f, 1.5e22f, -123456789e9f})
    {
        char text[kVstMaxParamStrLen + 8];
        std::memset(text, 0x7E, sizeof(text));
        EXPECT_EQ(kVendorAnswer, this->m_host.dispatch(effVendorSpecific, effGetParamDisplay, 0, text, value));
        EXPECT_LT(std::strlen(text), size_t(kVstMaxParamStrLen)) << value;
        EXPECT_EQ(value, std::strtof(text, nullptr)) << text;
    }
}

// The selector query (index 8) answers for the option parameters alone; other indexes are not the extension's.
TYPED_TEST(TPluginEditionTest, selectorQueryAnswersOnlyForOptionParameters)
{
    CTestHost& host = this->m_host;
    for (VstIntPtr value = -1; value <= 16; ++value)
    {
        EXPECT_EQ(TypeParam::isSelector(value) ? kVendorAnswer : 0, host.dispatch(effVendorSpecific, effGetParamName, value, nullptr))
            << value;
    }
    char text[64] = {};
    for (VstInt32 index : {0, 6, 9, 0x12345678, static_cast<VstInt32>(0xdeadbef1u)})
        EXPECT_EQ(0, host.dispatch(effVendorSpecific, index, 1, text, 0.5f)) << index;
}

// ---------------------------------------------------------------------------------------------------------------
// MIDI: program selection and the controllers 70 to 74.

TYPED_TEST(TPluginEditionTest, controllersBelowTheProgramCountSelectThatProgramWhateverTheirValue)
{
    CTestHost& host = this->m_host;
    host.start(44100.0f, 64);
    host.clearCalls();
    const int last = TypeParam::kPrograms - 1;
    for (int controller = 0; controller < TypeParam::kPrograms; ++controller)
    {
        // Start each from a program the controller does not pick, so a change shows.
        host.dispatch(effSetProgram, 0, controller == 7 ? 5 : 7);
        CEventBlock events;
        events.controlChange(static_cast<unsigned char>(controller), static_cast<unsigned char>(9 * controller));
        EXPECT_EQ(1, this->send(events));
        EXPECT_EQ(controller, host.dispatch(effGetProgram)) << "controller " << controller;
        this->expectProgramValues(controller);
        this->processOneBlock();
    }
    EXPECT_EQ(TypeParam::programName(last), host.queryString(effGetProgramName).text);

    CEventBlock inOrder;
    inOrder.controlChange(0, 0);
    inOrder.controlChange(static_cast<unsigned char>(last), 127);
    this->send(inOrder);
    EXPECT_EQ(last, host.dispatch(effGetProgram)) << "events apply in order";
    this->processOneBlock();

    host.dispatch(effSetProgram, 0, 7);
    CEventBlock notAProgram;
    notAProgram.controlChange(static_cast<unsigned char>(TypeParam::kPrograms), 0);
    notAProgram.controlChange(static_cast<unsigned char>(TypeParam::kPrograms), 127);
    notAProgram.controlChange(69, 3);
    notAProgram.controlChange(75, 3);
    notAProgram.add(0x90, 60, 100);
    notAProgram.add(0xE0, 0, 0x40);
    notAProgram.add(0xC0, 3, 0);
    this->send(notAProgram);
    EXPECT_EQ(7, host.dispatch(effGetProgram));
    this->expectProgramValues(7);
    EXPECT_FALSE(this->hostWasToldOfAutomation());
}

TYPED_TEST(TPluginEditionTest, controllersSeventyToSeventyFourSetTheirParametersWithoutAutomation)
{
    this->m_host.start(44100.0f, 64);
    this->m_host.clearCalls();
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
        this->send(events);
        for (const auto& each : mapping)
            EXPECT_NEAR(value / 127.0, this->get(each.parameter), 1e-6)
                << "controller " << int(each.controller) << " value " << int(value);
        EXPECT_EQ(1.0f, this->get(5)) << "Mix has no controller";
        this->processOneBlock();
    }
    // Controller 74 at 127 is Master at +20 dB.
    EXPECT_EQ("20.00", this->display(0));
    EXPECT_EQ("0.000", this->display(1));
    EXPECT_EQ("20.0", this->display(2));
    EXPECT_EQ("1000", this->display(3));
    EXPECT_FALSE(this->hostWasToldOfAutomation());
}

TYPED_TEST(TPluginEditionTest, onlyTheEffectsChannelIsHeard)
{
    this->m_host.start(44100.0f, 64);
    CEventBlock events;
    events.add(0xB1, 74, 127);
    events.add(0xBF, 3, 0);
    this->send(events);
    EXPECT_EQ(0.5f, this->get(0));
    EXPECT_EQ(0, this->m_host.dispatch(effGetProgram));
}

// ---------------------------------------------------------------------------------------------------------------
// Latency, master and every program against the model.

// The Default program leaves the compressor out (Threshold 0 dB): the output is the input 16 samples later, times
// the master stage at Master 0 dB rounded to a float, with silence before; at every block size.
TYPED_TEST(TPluginEditionTest, anImpulseComesOutSixteenSamplesLater)
{
    std::vector<float> left(3000, 0.0f);
    std::vector<float> right(3000, 0.0f);
    left[0] = 1.0f;
    right[1000] = -0.5f;
    left[2047] = 0.25f;
    right[2048] = 0.75f;
    const Channels signal = this->inputs(left, right);
    const double gain = decibelsToGain(TypeParam::kMasterOffsetDb);
    for (VstInt32 block : {1, 7, 15, 16, 17, 150, 1024})
    {
        SCOPED_TRACE(testing::Message() << "blocks of " << block);
        this->reload();
        EXPECT_EQ(16, this->effect()->initialDelay);
        this->m_host.start(44100.0f, block);
        const Channels output = this->m_host.render(signal);
        ASSERT_EQ(2u, output.size());
        for (size_t channel = 0; channel < 2; ++channel)
            for (size_t i = 0; i < output[channel].size(); ++i)
                ASSERT_EQ(i >= kDelay ? static_cast<float>(signal[channel][i - kDelay] * gain) : 0.0f,
                          output[channel][i])
                    << "channel " << channel << " frame " << i;
    }
}

TYPED_TEST(TPluginEditionTest, masterScalesTheOutput)
{
    this->start(44100.0f, 256);
    for (float master : {0.0f, 0.25f, 0.75f, 1.0f, 0.5f})
    {
        this->set(0, master);
        const double gain = this->masterGain(master);
        const Channels signal = this->noiseChannels(11, 2048, 0.5f);
        const SRendered rendered = this->render(signal, 256);
        for (size_t channel = 0; channel < 2; ++channel)
            for (size_t i = kDelay; i < signal[0].size(); ++i)
                ASSERT_NEAR(signal[channel][i - kDelay] * gain, rendered.output[channel][i], 1e-6 * gain)
                    << "master " << master << " frame " << i;
        EXPECT_LT(rendered.largestDifference(kDelay), 1e-6 * gain) << "master " << master;
    }
}

// Every factory program on programme-like noise, against the model at three rates; the program is chosen before
// the rate, so its times must be recomputed at resume. Relative to the output's scale (master up to +8 dB), the
// float envelope of the longest releases strays up to some 1e-4 from the double one.
TYPED_TEST(TPluginEditionTest, everyProgramFollowsTheModel)
{
    for (float rate : {44100.0f, 48000.0f, 96000.0f})
    {
        for (int program = 0; program < TypeParam::kPrograms; ++program)
        {
            this->reload();
            this->setProgram(program);
            this->start(rate, 300);
            TestSignals::CNoise noise(40 + static_cast<uint32_t>(program));
            const size_t frames = TestSignals::blockFrames(0.5, rate);
            std::vector<float> left(frames);
            std::vector<float> right(frames);
            for (size_t i = 0; i < frames; ++i)
            {
                const float envelope = (i / (frames / 6)) % 2 == 0 ? 0.05f : 0.9f;
                left[i] = noise.next(envelope);
                right[i] = noise.next(envelope);
            }
            const double scale = this->m_model.masterGain();
            EXPECT_LT(this->render(this->inputs(left, right), 300).largestDifference(), 2e-4 * scale)
                << "rate " << rate << " program " << program;
        }
    }
}

// ---------------------------------------------------------------------------------------------------------------
// Robustness: bad input, bad rates, missing channels, empty calls.

// NaN or infinity in the input spoils at most the ring blocks it passes through; clean input after it comes out
// finite and, once the detector has settled again, as if nothing had happened.
TYPED_TEST(TPluginEditionTest, nonFiniteInputIsFollowedByCleanOutput)
{
    for (float bad : {kNaN, kInfinity, -kInfinity})
    {
        SCOPED_TRACE(testing::Message() << "input " << bad);
        CTestHost undisturbedHost;
        std::string error;
        ASSERT_TRUE(undisturbedHost.load(TypeParam::path(), error)) << error;
        this->reload();
        for (CTestHost* host : {&this->m_host, &undisturbedHost})
        {
            host->start(44100.0f, 256);
            TypeParam::busyForInput(*host);
        }
        Channels signal = this->noiseChannels(51, 44100, 0.7f);
        const Channels clean = undisturbedHost.render(signal);
        const size_t at = 1000;
        signal[0][at] = bad;
        signal[1][at + 5] = bad;
        const Channels output = this->m_host.render(signal);
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
TYPED_TEST(TPluginEditionTest, unusableSampleRatesCountAsFortyFourOneHundred)
{
    const Channels signal = this->noiseChannels(52, 22050, 0.8f);
    auto renderAt = [&](float rate) {
        this->reload();
        TypeParam::busyForRates(this->m_host);
        this->m_host.start(rate, 512);
        return this->m_host.render(signal);
    };
    const Channels reference = renderAt(44100.0f);
    for (float rate : {0.0f, 8000.0f, 11025.0f, kNaN, kInfinity, -kInfinity, -44100.0f})
        EXPECT_TRUE(renderAt(rate) == reference) << "rate " << rate;
    EXPECT_FALSE(renderAt(48000.0f) == reference);
    EXPECT_FALSE(renderAt(11026.0f) == reference);
}

// A host that leaves a channel unconnected may pass a null pointer for it: a missing input counts as silence, a
// missing output is skipped, and the other channels come out as usual.
TYPED_TEST(TPluginEditionTest, missingChannelsAreSilenceInAndSkippedOut)
{
    CTestHost reference;
    std::string error;
    ASSERT_TRUE(reference.load(TypeParam::path(), error)) << error;
    for (CTestHost* host : {&this->m_host, &reference})
    {
        host->start(44100.0f, 512);
        TypeParam::busyForMissingInputs(*host);
    }
    Channels signal = this->noiseChannels(53, 512, 0.9f);
    Channels silenced = signal;
    std::vector<float*> inputs;
    for (VstInt32 channel = 0; channel < TypeParam::kInputs; ++channel)
    {
        const bool missing = channel >= TypeParam::kMissingFrom;
        if (missing)
            std::fill(silenced[channel].begin(), silenced[channel].end(), 0.0f);
        inputs.push_back(missing ? nullptr : signal[channel].data());
    }
    Channels expected;
    ASSERT_TRUE(reference.process(silenced, expected, 512));
    AEffect* effect = this->effect();
    std::vector<float> left(512, kNaN);
    std::vector<float> right(512, kNaN);
    float* outputs[2] = {left.data(), right.data()};
    effect->processReplacing(effect, inputs.data(), outputs, 512);
    EXPECT_EQ(expected[0], left) << "inputs missing";
    EXPECT_EQ(expected[1], right) << "inputs missing";

    ASSERT_TRUE(reference.process(silenced, expected, 512));
    std::fill(left.begin(), left.end(), kNaN);
    float* leftOnly[2] = {left.data(), nullptr};
    effect->processReplacing(effect, inputs.data(), leftOnly, 512);
    EXPECT_EQ(expected[0], left) << "right output pointer missing";

    ASSERT_TRUE(reference.process(silenced, expected, 512));
    std::fill(right.begin(), right.end(), kNaN);
    float* rightOnly[2] = {nullptr, right.data()};
    effect->processReplacing(effect, inputs.data(), rightOnly, 512);
    EXPECT_EQ(expected[1], right) << "left output pointer missing";

    // Both pointer arrays missing: nothing to read or write, the ring moves on with silence.
    effect->processReplacing(effect, nullptr, nullptr, 512);
    ASSERT_TRUE(reference.process(Channels(TypeParam::kInputs, std::vector<float>(512, 0.0f)), expected, 512));
    Channels after;
    ASSERT_TRUE(this->m_host.process(signal, after, 512));
    ASSERT_TRUE(reference.process(signal, expected, 512));
    EXPECT_EQ(expected, after);
}

TYPED_TEST(TPluginEditionTest, zeroFramesWriteNothingAndKeepTheRing)
{
    this->m_host.start(44100.0f, 64);
    std::vector<float> left(40, 0.0f);
    left[0] = 1.0f;
    std::vector<float> right(40, 0.0f);
    right[3] = -0.5f;
    Channels signal = this->inputs(left, right);
    std::vector<float*> inputs;
    for (auto& channel : signal)
        inputs.push_back(channel.data());
    std::vector<float> outLeft(40, 7.0f);
    std::vector<float> outRight(40, 7.0f);
    float* outputs[2] = {outLeft.data(), outRight.data()};
    AEffect* effect = this->effect();

    effect->processReplacing(effect, inputs.data(), outputs, 10);
    for (VstInt32 frames : {0, -5})
    {
        std::fill(outLeft.begin(), outLeft.end(), 7.0f);
        std::fill(outRight.begin(), outRight.end(), 7.0f);
        effect->processReplacing(effect, inputs.data(), outputs, frames);
        EXPECT_EQ(std::vector<float>(40, 7.0f), outLeft) << frames;
        EXPECT_EQ(std::vector<float>(40, 7.0f), outRight) << frames;
    }
    for (float*& input : inputs)
        input += 10;
    effect->processReplacing(effect, inputs.data(), outputs, 30);
    const double gain = decibelsToGain(TypeParam::kMasterOffsetDb);
    for (size_t i = 0; i < 30; ++i)
    {
        EXPECT_EQ(i == 6 ? static_cast<float>(gain) : 0.0f, outLeft[i]) << "frame " << i + 10;
        EXPECT_EQ(i == 9 ? static_cast<float>(-0.5 * gain) : 0.0f, outRight[i]) << "frame " << i + 10;
    }
}

// An empty call ends its block like any other: the events it came with are dropped, so a host that sends events
// before empty calls never fills the list.
TYPED_TEST(TPluginEditionTest, aZeroFrameCallEndsTheBlocksEvents)
{
    this->m_host.start(44100.0f, 64);
    AEffect* effect = this->effect();
    for (int round = 0; round < 13; ++round)
    {
        CEventBlock events;
        for (int i = 0; i < 10; ++i)
            events.controlChange(71, 64);
        this->send(events);
        effect->processReplacing(effect, nullptr, nullptr, 0);
    }
    CEventBlock last;
    last.controlChange(71, 127);
    this->send(last);
    this->processOneBlock();
    EXPECT_EQ(1.0f, this->get(1));
}
} // namespace
