// The effect record and the dispatcher as a host sees them: answers, guards on every pointer and index,
// cut texts, and no exception ever reaching the caller.
#include "CRecordingHost.hpp"
#include "vst/AEffEditor.hpp"
#include "vst/AudioEffectX.hpp"

#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

namespace
{
constexpr const char* kLongText = "A text that is a good deal longer than twenty-three characters";

class CProbeEffect : public AudioEffectX
{
public:
    CProbeEffect(audioMasterCallback host, bool* deleted = nullptr) : AudioEffectX(host, 3, 4), m_deleted(deleted)
    {
        setNumInputs(2);
        setNumOutputs(2);
    }
    ~CProbeEffect() override
    {
        if (m_deleted != nullptr)
            *m_deleted = true;
    }

    void open() override
    {
        if (throwing)
            throw std::runtime_error("open failed");
    }
    void close() override
    {
        if (throwing)
            throw std::runtime_error("close failed");
    }
    void processReplacing(float** inputs, float** outputs, VstInt32 frames) override
    {
        if (throwing)
            throw std::runtime_error("process failed");
        ++processCalls;
        // Missing channels are silence in and are skipped out.
        for (VstInt32 channel = 0; channel < 2; ++channel)
            for (VstInt32 i = 0; outputs != nullptr && outputs[channel] != nullptr && i < frames; ++i)
                outputs[channel][i] =
                    inputs != nullptr && inputs[channel] != nullptr ? 2.0f * inputs[channel][i] : 0.0f;
    }
    void setParameter(VstInt32 index, float value) override
    {
        if (throwing)
            throw std::runtime_error("parameter failed");
        values.at(static_cast<size_t>(index)) = value;
        order.push_back("set");
    }
    float getParameter(VstInt32 index) override
    {
        if (throwing)
            throw std::runtime_error("parameter failed");
        return values.at(static_cast<size_t>(index));
    }
    void setProgram(VstInt32 program) override
    {
        AudioEffectX::setProgram(program);
        programsSet.push_back(program);
    }
    void getParameterName(VstInt32, char* text) override { std::strcpy(text, kLongText); }
    void getParameterLabel(VstInt32, char* text) override { std::strcpy(text, "dB"); }
    void getParameterDisplay(VstInt32 index, char* text) override { float2string(values[index], text, 8); }
    void getProgramName(char* name) override { std::strcpy(name, kLongText); }
    void setProgramName(char* name) override { programName = name; }
    bool getProgramNameIndexed(VstInt32, VstInt32 index, char* text) override
    {
        std::strcpy(text, index == 0 ? kLongText : "Short");
        return true;
    }
    bool getInputProperties(VstInt32, VstPinProperties* properties) override
    {
        std::memset(properties->label, 'x', sizeof(properties->label));
        std::strcpy(properties->shortLabel, "in");
        properties->flags = kVstPinIsActive | kVstPinIsStereo;
        return true;
    }
    bool getEffectName(char* name) override
    {
        std::strcpy(name, kLongText);
        return true;
    }
    VstInt32 canDo(char* text) override { return std::strcmp(text, "receiveVstMidiEvent") == 0 ? midiAnswer : -1; }

    using AudioEffect::callHost;

    bool throwing = false;
    int processCalls = 0;
    VstInt32 midiAnswer = 1;
    std::vector<float> values = std::vector<float>(4, 0.0f);
    std::vector<VstInt32> programsSet;
    std::vector<std::string> order;
    std::string programName;

private:
    bool* m_deleted;
};

class CProbeEditor : public AEffEditor
{
public:
    explicit CProbeEditor(AudioEffect* effect) : AEffEditor(effect) { m_rect = {0, 0, 400, 500}; }
    bool getRect(ERect** rect) override
    {
        *rect = &m_rect;
        return true;
    }
    bool onKeyDown(VstKeyCode& key) override
    {
        lastKey = key;
        return true;
    }
    VstKeyCode lastKey{};

private:
    ERect m_rect;
};

class AudioEffectDispatcherTest : public ::testing::Test
{
protected:
    AudioEffectDispatcherTest() : m_effect(new CProbeEffect(CRecordingHost::callback, &m_deleted)) {}
    ~AudioEffectDispatcherTest() override
    {
        if (!m_deleted)
            dispatch(effClose);
    }

    AEffect* record() { return m_effect->getAeffect(); }
    VstIntPtr dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr, float opt = 0)
    {
        return record()->dispatcher(record(), opcode, index, value, ptr, opt);
    }

    // Hands the dispatcher a buffer full of sentinels; answers the text and whether it stayed within 24 bytes.
    std::string text(VstInt32 opcode, VstInt32 index, VstIntPtr* answer = nullptr)
    {
        char buffer[128];
        std::memset(buffer, '#', sizeof(buffer));
        VstIntPtr result = dispatch(opcode, index, 0, buffer);
        if (answer != nullptr)
            *answer = result;
        EXPECT_EQ('#', buffer[24]) << "opcode " << opcode << " wrote past the protocol's 24 bytes";
        return std::string(buffer, strnlen(buffer, 24));
    }

    // A query given a bad index writes nothing at all.
    void expectUntouched(VstInt32 opcode, VstInt32 index)
    {
        char buffer[64];
        std::memset(buffer, '#', sizeof(buffer));
        EXPECT_EQ(0, dispatch(opcode, index, 0, buffer)) << "opcode " << opcode << " index " << index;
        EXPECT_EQ(std::string(64, '#'), std::string(buffer, 64)) << "opcode " << opcode << " index " << index;
        EXPECT_EQ(0, dispatch(opcode, 0, 0, nullptr)) << "opcode " << opcode << " with a null text";
    }

    CRecordingHost m_host;
    bool m_deleted = false;
    CProbeEffect* m_effect;
};

TEST_F(AudioEffectDispatcherTest, recordStartsWithTheProtocolDefaults)
{
    AEffect* effect = record();
    EXPECT_EQ(0x56737450, effect->magic);
    EXPECT_EQ(effFlagsCanReplacing, effect->flags);
    EXPECT_EQ(3, effect->numPrograms);
    EXPECT_EQ(4, effect->numParams);
    EXPECT_EQ(0x4E6F4566, effect->uniqueID);
    EXPECT_EQ(1, effect->version);
    EXPECT_FLOAT_EQ(1.0f, effect->ioRatio);
    EXPECT_EQ(static_cast<void*>(static_cast<AudioEffect*>(m_effect)), effect->object);
    EXPECT_EQ(0, effect->initialDelay);
    EXPECT_NE(nullptr, effect->processReplacing);
    EXPECT_NE(nullptr, effect->processDoubleReplacing);
    EXPECT_FLOAT_EQ(44100.0f, m_effect->getSampleRate());
    EXPECT_EQ(1024, m_effect->getBlockSize());
}

TEST_F(AudioEffectDispatcherTest, fixedAnswersOfThisSystem)
{
    EXPECT_EQ(0x4E764566, dispatch(effIdentify));
    EXPECT_EQ(2400, dispatch(effGetVstVersion));
    void* chunk = nullptr;
    EXPECT_EQ(0, dispatch(effGetChunk, 0, 0, &chunk));
    EXPECT_EQ(0, dispatch(effGetPlugCategory));
    EXPECT_EQ(0, dispatch(effGetTailSize));
    EXPECT_EQ(0, dispatch(effGetVendorVersion));
    EXPECT_EQ(-1, dispatch(effGetCurrentMidiProgram));
    EXPECT_EQ(12345, dispatch(effSetTotalSampleToProcess, 0, 12345));
    EXPECT_EQ(0, dispatch(effString2Parameter, 0, 0, const_cast<char*>("1")));
    EXPECT_EQ(0, dispatch(9999));
    m_effect->isSynth();
    EXPECT_EQ(2, dispatch(effGetPlugCategory));
}

TEST_F(AudioEffectDispatcherTest, everyParameterCanBeAutomatedButOnlyExistingOnes)
{
    for (VstInt32 index = 0; index < 4; ++index)
        EXPECT_EQ(1, dispatch(effCanBeAutomated, index));
    EXPECT_EQ(0, dispatch(effCanBeAutomated, 4));
    EXPECT_EQ(0, dispatch(effCanBeAutomated, -1));
}

TEST_F(AudioEffectDispatcherTest, setProgramTakesOnlyExistingProgramNumbers)
{
    dispatch(effSetProgram, 0, 2);
    EXPECT_EQ(2, dispatch(effGetProgram));
    dispatch(effSetProgram, 0, 3);
    dispatch(effSetProgram, 0, -1);
    dispatch(effSetProgram, 0, static_cast<VstIntPtr>(1) << 31);
    EXPECT_EQ(2, dispatch(effGetProgram));
    EXPECT_EQ(std::vector<VstInt32>{2}, m_effect->programsSet);
}

TEST_F(AudioEffectDispatcherTest, textsReachTheHostCutTo23Characters)
{
    EXPECT_EQ(std::string(kLongText, 23), text(effGetParamName, 1));
    EXPECT_EQ("dB", text(effGetParamLabel, 3));
    m_effect->values[2] = 0.5f;
    EXPECT_EQ("0.500000", text(effGetParamDisplay, 2));
    EXPECT_EQ(std::string(kLongText, 23), text(effGetProgramName, 0));
    VstIntPtr answer = 0;
    EXPECT_EQ(std::string(kLongText, 23), text(effGetEffectName, 0, &answer));
    EXPECT_EQ(1, answer);
    EXPECT_EQ(std::string(kLongText, 23), text(effGetProgramNameIndexed, 0, &answer));
    EXPECT_EQ(1, answer);
    EXPECT_EQ("Short", text(effGetProgramNameIndexed, 2, &answer));
}

TEST_F(AudioEffectDispatcherTest, queriesWithBadIndexesOrNullPointersWriteNothing)
{
    for (VstInt32 opcode : {effGetParamName, effGetParamLabel, effGetParamDisplay})
    {
        expectUntouched(opcode, 4);
        expectUntouched(opcode, -1);
    }
    expectUntouched(effGetProgramNameIndexed, 3);
    expectUntouched(effGetProgramNameIndexed, -1);
    expectUntouched(effGetInputProperties, 2);
    expectUntouched(effGetOutputProperties, -1);
    EXPECT_EQ(0, dispatch(effGetProgramName, 0, 0, nullptr));
    EXPECT_EQ(0, dispatch(effGetEffectName, 0, 0, nullptr));
    EXPECT_EQ(0, dispatch(effCanDo, 0, 0, nullptr));
    EXPECT_EQ(0, dispatch(effProcessEvents, 0, 0, nullptr));
    EXPECT_EQ(0, dispatch(effGetChunk, 0, 0, nullptr));
    EXPECT_EQ(0, dispatch(effSetProgramName, 0, 0, nullptr));
    // The base answers no name at all: the host hears 0 and its buffer stays as it was.
    char vendor[32];
    std::memset(vendor, '#', sizeof(vendor));
    EXPECT_EQ(0, dispatch(effGetVendorString, 0, 0, vendor));
    EXPECT_EQ('#', vendor[0]);
}

TEST_F(AudioEffectDispatcherTest, unterminatedProgramNameFromTheHostIsCut)
{
    char name[40];
    std::memset(name, 'n', sizeof(name));
    dispatch(effSetProgramName, 0, 0, name);
    EXPECT_EQ(std::string(23, 'n'), m_effect->programName);
}

TEST_F(AudioEffectDispatcherTest, pinPropertiesAnswerExistingPinsWithTerminatedLabels)
{
    VstPinProperties pin;
    std::memset(&pin, '#', sizeof(pin));
    EXPECT_EQ(1, dispatch(effGetInputProperties, 1, 0, &pin));
    EXPECT_EQ(std::string(kVstMaxLabelLen - 1, 'x'), std::string(pin.label));
    EXPECT_STREQ("in", pin.shortLabel);
    EXPECT_EQ(kVstPinIsActive | kVstPinIsStereo, pin.flags);
    // The base class has no output pins to describe.
    EXPECT_EQ(0, dispatch(effGetOutputProperties, 0, 0, &pin));
}

TEST_F(AudioEffectDispatcherTest, closeDeletesTheEffectAndAnswersOne)
{
    EXPECT_EQ(1, dispatch(effClose));
    EXPECT_TRUE(m_deleted);
}

TEST_F(AudioEffectDispatcherTest, closeDeletesTheEffectEvenWhenClosingThrows)
{
    m_effect->throwing = true;
    EXPECT_EQ(1, dispatch(effClose));
    EXPECT_TRUE(m_deleted);
}

TEST_F(AudioEffectDispatcherTest, noExceptionCrossesAnEntry)
{
    m_effect->throwing = true;
    EXPECT_EQ(0, dispatch(effOpen));
    record()->setParameter(record(), 0, 0.5f);
    EXPECT_FLOAT_EQ(0.0f, record()->getParameter(record(), 0));

    std::vector<float> left(8, 1.0f), right(8, 1.0f), outLeft(8, 3.0f), outRight(8, 3.0f);
    float* inputs[] = {left.data(), right.data()};
    float* outputs[] = {outLeft.data(), outRight.data()};
    record()->processReplacing(record(), inputs, outputs, 8);
    EXPECT_EQ(std::vector<float>(8, 0.0f), outLeft);
    EXPECT_EQ(std::vector<float>(8, 0.0f), outRight);
}

TEST_F(AudioEffectDispatcherTest, processEntryLeavesMissingChannelsToTheEffect)
{
    std::vector<float> left(4, 1.0f), right(4, 1.0f), outLeft(4, 3.0f), outRight(4, 3.0f);
    float* inputs[] = {left.data(), nullptr};
    float* outputs[] = {outLeft.data(), outRight.data()};
    record()->processReplacing(record(), inputs, outputs, 4);
    EXPECT_EQ(1, m_effect->processCalls);
    EXPECT_EQ(std::vector<float>(4, 2.0f), outLeft) << "the channels that are there still play";
    EXPECT_EQ(std::vector<float>(4, 0.0f), outRight);

    inputs[1] = right.data();
    outLeft.assign(4, 3.0f);
    record()->processReplacing(record(), inputs, outputs, 0);
    EXPECT_EQ(2, m_effect->processCalls) << "an empty block is still a block";
    record()->processReplacing(record(), inputs, outputs, -3);
    EXPECT_EQ(2, m_effect->processCalls) << "a negative count is refused";
    EXPECT_EQ(std::vector<float>(4, 3.0f), outLeft);
    record()->processReplacing(record(), inputs, nullptr, 4);
    EXPECT_EQ(3, m_effect->processCalls);

    // The accumulating entry reaches the empty `process`: nothing is written.
    outRight.assign(4, 3.0f);
    record()->process(record(), inputs, outputs, 4);
    EXPECT_EQ(std::vector<float>(4, 3.0f), outRight);
}

TEST_F(AudioEffectDispatcherTest, parameterEntriesIgnoreIndexesOutsideTheEffect)
{
    record()->setParameter(record(), 4, 0.5f);
    record()->setParameter(record(), -1, 0.5f);
    EXPECT_FLOAT_EQ(0.0f, record()->getParameter(record(), 4));
    EXPECT_FLOAT_EQ(0.0f, record()->getParameter(record(), -1));
    record()->setParameter(record(), 3, 0.25f);
    EXPECT_FLOAT_EQ(0.25f, record()->getParameter(record(), 3));
}

TEST_F(AudioEffectDispatcherTest, foreignRecordsAreRefused)
{
    AEffect copy = *record();
    copy.magic = 0;
    EXPECT_EQ(0, record()->dispatcher(&copy, effIdentify, 0, 0, nullptr, 0));
    EXPECT_EQ(0, record()->dispatcher(nullptr, effIdentify, 0, 0, nullptr, 0));
    EXPECT_FLOAT_EQ(0.0f, record()->getParameter(nullptr, 0));
}

TEST_F(AudioEffectDispatcherTest, editorOpcodesNeedAnEditorAndAPointer)
{
    ERect* rect = nullptr;
    EXPECT_EQ(0, dispatch(effEditGetRect, 0, 0, &rect));
    EXPECT_EQ(0, dispatch(effEditIdle));

    CProbeEditor* editor = new CProbeEditor(m_effect);
    m_effect->setEditor(editor);
    EXPECT_EQ(effFlagsCanReplacing | effFlagsHasEditor, record()->flags);
    EXPECT_EQ(1, dispatch(effEditGetRect, 0, 0, &rect));
    ASSERT_NE(nullptr, rect);
    EXPECT_EQ(500, rect->right);
    EXPECT_EQ(0, dispatch(effEditGetRect, 0, 0, nullptr));
    EXPECT_EQ(0, dispatch(effEditOpen, 0, 0, nullptr));
    EXPECT_FALSE(editor->isOpen());

    EXPECT_EQ(1, dispatch(effEditKeyDown, 'a', 0x1234, nullptr, 258.0f));
    EXPECT_EQ('a', editor->lastKey.character);
    EXPECT_EQ(0x34, editor->lastKey.virt);
    EXPECT_EQ(2, editor->lastKey.modifier);
    EXPECT_EQ(0, dispatch(effEditKeyUp));
    EXPECT_EQ(0, dispatch(effSetEditKnobMode, 0, 2));
}

TEST_F(AudioEffectDispatcherTest, automatedChangeSetsTheParameterThenTellsTheHost)
{
    m_effect->setParameterAutomated(2, 0.75f);
    EXPECT_FLOAT_EQ(0.75f, m_effect->values[2]);
    std::vector<CRecordingHost::CCall> automate = m_host.callsOf(audioMasterAutomate);
    ASSERT_EQ(1u, automate.size());
    EXPECT_EQ(2, automate[0].index);
    EXPECT_FLOAT_EQ(0.75f, automate[0].opt);
}

TEST_F(AudioEffectDispatcherTest, resumeAsksForMidiOnlyWhenTheEffectTakesIt)
{
    dispatch(effMainsChanged, 0, 1);
    std::vector<CRecordingHost::CCall> wants = m_host.callsOf(audioMasterWantMidi);
    ASSERT_EQ(1u, wants.size());
    EXPECT_EQ(1, wants[0].value);

    m_host.calls.clear();
    m_effect->midiAnswer = -1;
    dispatch(effMainsChanged, 0, 1);
    dispatch(effMainsChanged, 0, 0);
    EXPECT_TRUE(m_host.callsOf(audioMasterWantMidi).empty());
}

TEST_F(AudioEffectDispatcherTest, sampleRateAndBlockSizeAreStored)
{
    dispatch(effSetSampleRate, 0, 0, nullptr, 48000.0f);
    dispatch(effSetBlockSize, 0, 256);
    EXPECT_FLOAT_EQ(48000.0f, m_effect->getSampleRate());
    EXPECT_EQ(256, m_effect->getBlockSize());
    dispatch(effSetBlockSize, 0, -5);
    dispatch(effSetBlockSize, 0, 0);
    EXPECT_EQ(256, m_effect->getBlockSize());
}

TEST_F(AudioEffectDispatcherTest, hostCallWrappersReadTheAnswers)
{
    EXPECT_EQ(2400, m_effect->getMasterVersion());
    m_host.versionAnswer = 0;
    EXPECT_EQ(1, m_effect->getMasterVersion());

    // The host's -1 is a no.
    m_host.canDoYes = {"sizeWindow"};
    char yes[] = "sizeWindow";
    char no[] = "offline";
    EXPECT_EQ(1, m_effect->canHostDo(yes));
    EXPECT_EQ(0, m_effect->canHostDo(no));

    EXPECT_TRUE(m_effect->isInputConnected(0));
    EXPECT_DOUBLE_EQ(96000.0, m_effect->updateSampleRate());
    EXPECT_FLOAT_EQ(96000.0f, m_effect->getSampleRate());
    EXPECT_EQ(64, m_effect->updateBlockSize());

    char vendor[64] = {};
    EXPECT_TRUE(m_effect->getHostVendorString(vendor));
    EXPECT_STREQ("Recording Vendor", vendor);
    std::vector<CRecordingHost::CCall> pins = m_host.callsOf(audioMasterPinConnected);
    ASSERT_EQ(1u, pins.size());
    EXPECT_EQ(0, pins[0].value);
}

TEST(AudioEffectWithoutHost, wrappersAnswerTheirDefaults)
{
    CProbeEffect effect(nullptr);
    EXPECT_EQ(1, effect.getMasterVersion());
    EXPECT_TRUE(effect.isOutputConnected(1));
    EXPECT_EQ(0, effect.callHost(audioMasterAutomate));
    char text[] = "sendVstEvents";
    EXPECT_EQ(0, effect.canHostDo(text));
}
} // namespace
