// The effect base against a recording host: what it asks while built, its names, and the block's MIDI.
#include "CRecordingHost.hpp"
#include "foundation/exceptions/CException.hpp"
#include "foundation/host/CApplication.hpp"
#include "tests/foundation/basics/CCountChange.hpp"
#include "tests/support/CClassRegistryKeeper.hpp"
#include "tests/support/CEventBlock.hpp"
#include "vst/CVstEffect.hpp"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

using Brivant::Host::CApplication;
using Brivant::Midi::CMidiEvent;
using Brivant::Vst::CHostCanDo;
using Brivant::Vst::CVstEffect;
using Brivant::Vst::CVstTempo;
using VolturaTests::CEventBlock;

namespace
{
// Exposes the block's events, as the compressor effects read them.
class CProbeVstEffect : public CVstEffect
{
public:
    explicit CProbeVstEffect(audioMasterCallback host) : CVstEffect(host, 4, 2) {}
    using CVstEffect::getMidiEvents;
    using CVstEffect::getTempoReader;
};

class CVstEffectTest : public ::testing::Test
{
protected:
    ~CVstEffectTest() override { CApplication::uninitialiseApplication(nullptr); }

    VolturaTests::CClassRegistryKeeper m_registry;
    CRecordingHost m_host;
};

TEST_F(CVstEffectTest, buildingAsksTheHostsCapabilitiesThenItsNames)
{
    CProbeVstEffect effect(CRecordingHost::callback);
    const std::vector<std::string> expected = {
        "sendVstEvents",   "sendVstMidiEvent", "sendVstTimeInfo",         "receiveVstEvents",
        "receiveVstMidiEvent", "receiveVstTimeInfo", "reportConnectionChanges", "acceptIOChanges",
        "sizeWindow",      "asyncProcessing",  "offline",                 "supplyIdle",
        "supportShell",    "editFile",         "closeFileSelector",       "startStopProcess"};
    ASSERT_EQ(expected.size() + 3, m_host.calls.size());
    for (size_t i = 0; i < expected.size(); ++i)
    {
        EXPECT_EQ(audioMasterCanDo, m_host.calls[i].opcode);
        EXPECT_EQ(expected[i], m_host.calls[i].text);
    }
    EXPECT_EQ(audioMasterGetProductString, m_host.calls[16].opcode);
    EXPECT_EQ(audioMasterGetVendorString, m_host.calls[17].opcode);
    EXPECT_EQ(audioMasterGetVendorVersion, m_host.calls[18].opcode);
}

TEST_F(CVstEffectTest, onlyAPositiveCanDoAnswerCounts)
{
    m_host.canDoYes = {"sizeWindow", "offline"};
    m_host.canDoNoAnswer = -1;
    m_host.vendorVersionAnswer = 7;
    CProbeVstEffect effect(CRecordingHost::callback);
    const CHostCanDo& canDo = effect.getHostCanDo();
    EXPECT_TRUE(canDo.canDo(CHostCanDo::kSizeWindow));
    EXPECT_TRUE(canDo.canDo(CHostCanDo::kOffline));
    EXPECT_FALSE(canDo.canDo(CHostCanDo::kSendVstEvents));
    EXPECT_FALSE(canDo.canDo(CHostCanDo::kNumberOfCapabilities));
    EXPECT_STREQ("Recording Host", canDo.getHostProductString().getString());
    EXPECT_STREQ("Recording Vendor", canDo.getHostVendorString().getString());
    EXPECT_EQ(7, canDo.getHostVendorVersion());
}

TEST_F(CVstEffectTest, longHostNamesAreKeptWhole)
{
    m_host.productText = std::string(200, 'p');
    CProbeVstEffect effect(CRecordingHost::callback);
    EXPECT_EQ(std::string(200, 'p'), effect.getHostCanDo().getHostProductString().getString());
}

TEST_F(CVstEffectTest, namesFillTheProtocolFieldCutTo23Characters)
{
    CApplication::initialiseApplication("Selvan Quarrow Audio", "An edition with a rather long name", "Vst Compressor",
                                        "1", "key", "notice", nullptr);
    CProbeVstEffect effect(CRecordingHost::callback);
    char name[32];
    std::memset(name, '#', sizeof(name));
    EXPECT_TRUE(effect.getEffectName(name));
    EXPECT_STREQ("An edition with a rathe", name);
    EXPECT_EQ('#', name[24]) << "only the 24-byte field is written";
    std::memset(name, '#', sizeof(name));
    EXPECT_TRUE(effect.getVendorString(name));
    EXPECT_STREQ("Selvan Quarrow Audio", name);
    EXPECT_EQ(0, name[23]) << "the field is zero-filled behind the name";
    EXPECT_FALSE(effect.getProductString(nullptr));
}

TEST_F(CVstEffectTest, eventsAreKeptUpTo128PerBlockAcrossCalls)
{
    CProbeVstEffect effect(CRecordingHost::callback);
    CEventBlock first;
    CEventBlock second;
    for (int i = 0; i < 100; ++i)
    {
        first.add(0x90, 60, 100, i);
        second.add(0xB0, 7, 64, 100 + i);
    }
    EXPECT_EQ(1, effect.processEvents(first.build()));
    EXPECT_EQ(1, effect.processEvents(second.build()));
    EXPECT_EQ(128, effect.getMidiEvents().getNumberOfEvents());
    EXPECT_EQ(127, effect.getMidiEvents().getEvent(127)->getDelta());

    float* nothing[2] = {nullptr, nullptr};
    effect.processReplacing(nothing, nothing, 0);
    EXPECT_EQ(0, effect.getMidiEvents().getNumberOfEvents()) << "processing clears the block's events";
}

TEST_F(CVstEffectTest, onlyTheListenedChannelIsKept)
{
    CProbeVstEffect effect(CRecordingHost::callback);
    CEventBlock block;
    block.add(0xB1, 70, 10);
    block.add(0xB0, 71, 20);
    effect.processEvents(block.build());
    ASSERT_EQ(1, effect.getMidiEvents().getNumberOfEvents());
    EXPECT_EQ(71, effect.getMidiEvents().getEvent(0)->getValue());

    effect.setMidiChannel(1);
    effect.processEvents(block.build());
    ASSERT_EQ(2, effect.getMidiEvents().getNumberOfEvents());
    EXPECT_EQ(70, effect.getMidiEvents().getEvent(1)->getValue());
}

TEST_F(CVstEffectTest, messagesAreStoredAsTheEffectsReadThem)
{
    CProbeVstEffect effect(CRecordingHost::callback);
    CEventBlock block;
    block.add(0x90, 0xBC, 0xE4, 5);  // stray high bits on the data bytes
    block.add(0xB0, 123, 99);
    block.add(0xB0, 126, 99);
    block.add(0xE0, 0x00, 0x40);
    block.add(0xE0, 0x00, 0x00);
    block.add(0xC0, 5, 0);   // program change: not taken
    block.add(0xD0, 5, 0);   // channel pressure: not taken
    block.add(0xA0, 60, 5);  // poly pressure: not taken
    effect.processEvents(block.build());
    Brivant::Midi::CMidiEventList& events = effect.getMidiEvents();
    ASSERT_EQ(5, events.getNumberOfEvents());
    EXPECT_EQ(0x90, events.getEvent(0)->getStatus());
    EXPECT_EQ(0x3C, events.getEvent(0)->getValue());
    EXPECT_EQ(0x64, events.getEvent(0)->getSubValue());
    EXPECT_EQ(5, events.getEvent(0)->getDelta());
    EXPECT_EQ(CMidiEvent::kAllNotesOff, events.getEvent(1)->getStatus());
    EXPECT_EQ(0, events.getEvent(1)->getSubValue());
    EXPECT_EQ(CMidiEvent::kAllNotesOff, events.getEvent(2)->getStatus());
    EXPECT_DOUBLE_EQ(0.0, events.getEvent(3)->getPitchValue());
    EXPECT_DOUBLE_EQ(-1.0, events.getEvent(4)->getPitchValue());
}

TEST_F(CVstEffectTest, malformedEventBlocksAreSkipped)
{
    CProbeVstEffect effect(CRecordingHost::callback);
    EXPECT_EQ(1, effect.processEvents(nullptr));
    VstEvents negative{};
    negative.numEvents = -3;
    effect.processEvents(&negative);

    VstEvent sysex{};
    sysex.type = kVstSysExType;
    VstEvents holes{};
    holes.numEvents = 2;
    holes.events[0] = nullptr;
    holes.events[1] = &sysex;
    effect.processEvents(&holes);
    EXPECT_EQ(0, effect.getMidiEvents().getNumberOfEvents());
}

TEST_F(CVstEffectTest, changedFlagsFollowSampleRateAndBlockSize)
{
    CProbeVstEffect effect(CRecordingHost::callback);
    effect.setSampleRate(44100.0f);
    effect.setBlockSize(1024);
    EXPECT_FALSE(effect.hasSampleRateChanged());
    EXPECT_FALSE(effect.hasBlockSizeChanged());
    effect.setSampleRate(48000.0f);
    effect.setBlockSize(64);
    EXPECT_TRUE(effect.hasSampleRateChanged());
    EXPECT_TRUE(effect.hasBlockSizeChanged());
    EXPECT_FLOAT_EQ(48000.0f, effect.getSampleRate());
}

TEST_F(CVstEffectTest, defaultTextsOfTheBase)
{
    CProbeVstEffect effect(CRecordingHost::callback);
    AEffect* record = effect.getAeffect();
    char text[64] = {};
    record->dispatcher(record, effGetParamName, 0, 0, text, 0);
    EXPECT_STREQ("No param", text);
    record->dispatcher(record, effGetProgramNameIndexed, 1, 0, text, 0);
    EXPECT_STREQ("Default", text);
    EXPECT_EQ(1, record->dispatcher(record, effGetNumMidiInputChannels, 0, 0, nullptr, 0));
    EXPECT_EQ(0, record->dispatcher(record, effGetNumMidiOutputChannels, 0, 0, nullptr, 0));
    EXPECT_STREQ("CVstEffect", effect.getClass().getClassName());
}

TEST_F(CVstEffectTest, namesReachTheHostAsWholeZeroFilledFields)
{
    CApplication::initialiseApplication("Selvan Quarrow Audio", "VolturaPro", "Vst Compressor", "1", "key",
                                        "notice", nullptr);
    CProbeVstEffect effect(CRecordingHost::callback);
    AEffect* record = effect.getAeffect();
    for (const VstInt32 opcode : {effGetEffectName, effGetVendorString, effGetProductString})
    {
        char field[32];
        std::memset(field, '#', sizeof(field));
        EXPECT_EQ(1, record->dispatcher(record, opcode, 0, 0, field, 0));
        const size_t length = std::strlen(field);
        EXPECT_EQ(std::string(24 - length, '\0'), std::string(field + length, field + 24)) << field;
        EXPECT_EQ('#', field[24]);
    }
}

TEST_F(CVstEffectTest, theBlocksEventListCountsUnderItsOwnRecordBelowTheListsRecord)
{
    const VolturaTests::CCountChange count(Brivant::Vst::CVstMidiEventList::classRecord());
    CProbeVstEffect effect(CRecordingHost::callback);
    const Brivant::Basics::CClass& record = effect.getMidiEvents().getClass();
    EXPECT_STREQ("CVstMidiEventList", record.getClassName());
    EXPECT_TRUE(record.isTypeOf(Brivant::Midi::CMidiEventList::classRecord()));
    EXPECT_EQ(1, count.live());
}

// Text and method of the exception a call throws, or "" when it throws none.
template <typename Call>
std::string thrownBy(Call call)
{
    try
    {
        call();
    }
    catch (const Brivant::Exceptions::CException& exception)
    {
        return std::string(exception.getErrorReason().getString()) + " | " + exception.getFunctionName().getString();
    }
    return "";
}

TEST(CVstEffectHelpersTest, helpersRefuseAMissingEffect)
{
    EXPECT_EQ("Effect is NULL | CVstTempo::CVstTempo(AudioEffectX *)", thrownBy([] { CVstTempo tempo(nullptr); }));
    CHostCanDo canDo;
    EXPECT_EQ("Effect is NULL | CHostCanDo::setFromAudioEffectX(AudioEffectX *)",
              thrownBy([&] { canDo.setFromAudioEffectX(nullptr); }));
    EXPECT_STREQ(" ", canDo.getHostProductString().getString());
}

class CVstTempoTest : public CVstEffectTest
{
protected:
    CVstTempoTest()
    {
        m_info.sampleRate = 48000.0;
        m_info.tempo = 120.0;
        m_info.timeSigNumerator = 3;
        m_info.timeSigDenominator = 4;
        m_info.ppqPos = 5.5;
        m_info.barStartPos = 3.0;
        m_info.flags = kVstTempoValid | kVstTimeSigValid | kVstPpqPosValid | kVstBarsValid | kVstTransportPlaying;
        m_host.timeInfo = &m_info;
    }

    VstTimeInfo m_info{};
};

TEST_F(CVstTempoTest, samplesToTheNextBarFromThePosition)
{
    CProbeVstEffect effect(CRecordingHost::callback);
    CVstTempo& tempo = effect.getTempoReader();
    long filter = kVstTempoValid;
    ASSERT_TRUE(tempo.getTempoInformation(&filter));
    const CVstTempo::CTempoRecord& record = tempo.getTempoRecord();
    EXPECT_TRUE(record.barInformationComplete);
    EXPECT_TRUE(record.transportPlaying);
    EXPECT_EQ(24000, record.samplesPerBeat);
    // 3 + 3 - 5.5 = 0.5 beats of 24000 samples.
    EXPECT_EQ(12000, record.samplesToNextBar);
    EXPECT_EQ(kVstTempoValid, m_host.callsOf(audioMasterGetTime).at(0).value);
}

TEST_F(CVstTempoTest, aTempoOfZeroIsNoTempo)
{
    m_info.tempo = 0.0;
    CProbeVstEffect effect(CRecordingHost::callback);
    ASSERT_TRUE(effect.getTempoReader().getTempoInformation(nullptr));
    const CVstTempo::CTempoRecord& record = effect.getTempoReader().getTempoRecord();
    EXPECT_FALSE(record.tempoValid);
    EXPECT_EQ(0, record.samplesPerBeat);
    EXPECT_FALSE(record.barInformationComplete);
}

TEST_F(CVstTempoTest, aSignatureWithoutBeatsFallsBackToFourFour)
{
    m_info.timeSigNumerator = 0;
    CProbeVstEffect effect(CRecordingHost::callback);
    ASSERT_TRUE(effect.getTempoReader().getTempoInformation(nullptr));
    const CVstTempo::CTempoRecord& record = effect.getTempoReader().getTempoRecord();
    EXPECT_EQ(4, record.timeSignature.getNumerator());
    EXPECT_FALSE(record.barInformationComplete);
}

TEST_F(CVstTempoTest, positionsBeforeTheBarFoldIntoIt)
{
    m_info.ppqPos = 2.0;
    m_info.barStartPos = 9.0;  // 3 + 9 - 2 = 10 beats, folded to 1
    CProbeVstEffect effect(CRecordingHost::callback);
    ASSERT_TRUE(effect.getTempoReader().getTempoInformation(nullptr));
    EXPECT_EQ(24000, effect.getTempoReader().getTempoRecord().samplesToNextBar);
}

TEST_F(CVstTempoTest, noTimeInformationIsReported)
{
    m_host.timeInfo = nullptr;
    CProbeVstEffect effect(CRecordingHost::callback);
    EXPECT_FALSE(effect.getTempoReader().getTempoInformation(nullptr));
    EXPECT_FALSE(effect.getTempoReader().isValid());
}
} // namespace
