// The effect record's entry functions, the base dispatcher, the host-call wrappers and the text helpers.
#include "vst/AudioEffect.hpp"

#include "vst/AEffEditor.hpp"
#include "vst/CHostText.hpp"

#include <cmath>
#include <cstdint>
#include <cstring>

namespace
{
constexpr VstInt32 kIdentifyAnswer = vstFourCharacters("NvEf");
constexpr int kParameterTextWidth = kVstMaxParamStrLen - 1;
constexpr int kProgramNameWidth = kVstMaxProgNameLen - 1;

// No exception may reach the host: each entry catches everything and answers 0 or silence.
VstIntPtr VSTCALLBACK dispatchEntry(AEffect* record, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                    float opt) VST_ENTRY_ALIGN;
void VSTCALLBACK processEntry(AEffect* record, float** inputs, float** outputs, VstInt32 frames) VST_ENTRY_ALIGN;
void VSTCALLBACK processReplacingEntry(AEffect* record, float** inputs, float** outputs,
                                       VstInt32 frames) VST_ENTRY_ALIGN;
void VSTCALLBACK processDoubleReplacingEntry(AEffect* record, double** inputs, double** outputs,
                                             VstInt32 frames) VST_ENTRY_ALIGN;
void VSTCALLBACK setParameterEntry(AEffect* record, VstInt32 index, float value) VST_ENTRY_ALIGN;
float VSTCALLBACK getParameterEntry(AEffect* record, VstInt32 index) VST_ENTRY_ALIGN;

VstIntPtr VSTCALLBACK dispatchEntry(AEffect* record, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                    float opt)
{
    AudioEffect* effect = AudioEffect::fromRecord(record);
    if (effect == nullptr)
        return 0;
    if (opcode == effClose)
    {
        // The host forgets the record after close, so the effect goes even when closing it failed.
        try
        {
            effect->dispatcher(opcode, index, value, ptr, opt);
        }
        catch (...)
        {
        }
        try
        {
            delete effect;
        }
        catch (...)
        {
        }
        return 1;
    }
    try
    {
        return effect->dispatcher(opcode, index, value, ptr, opt);
    }
    catch (...)
    {
        return 0;
    }
}

template <typename Sample>
void writeSilence(Sample** outputs, VstInt32 count, VstInt32 frames)
{
    if (outputs == nullptr || frames <= 0)
        return;
    for (VstInt32 channel = 0; channel < count; ++channel)
        if (outputs[channel] != nullptr)
            std::memset(outputs[channel], 0, sizeof(Sample) * static_cast<size_t>(frames));
}

template <typename Sample, typename Call>
void guardedProcess(AEffect* record, Sample** inputs, Sample** outputs, VstInt32 frames, Call call)
{
    AudioEffect* effect = AudioEffect::fromRecord(record);
    // An empty call is a block like any other: it still ends the block's events and reports its meter.
    if (effect == nullptr || frames < 0)
        return;
    // Missing channels go on to the effect, which hears them as silence and skips them on output.
    (void)inputs;
    try
    {
        call(effect);
    }
    catch (...)
    {
        writeSilence(outputs, record->numOutputs, frames);
    }
}

void VSTCALLBACK processEntry(AEffect* record, float** inputs, float** outputs, VstInt32 frames)
{
    guardedProcess(record, inputs, outputs, frames,
                   [&](AudioEffect* effect) { effect->process(inputs, outputs, frames); });
}

void VSTCALLBACK processReplacingEntry(AEffect* record, float** inputs, float** outputs, VstInt32 frames)
{
    guardedProcess(record, inputs, outputs, frames,
                   [&](AudioEffect* effect) { effect->processReplacing(inputs, outputs, frames); });
}

void VSTCALLBACK processDoubleReplacingEntry(AEffect* record, double** inputs, double** outputs, VstInt32 frames)
{
    guardedProcess(record, inputs, outputs, frames,
                   [&](AudioEffect* effect) { effect->processDoubleReplacing(inputs, outputs, frames); });
}

void VSTCALLBACK setParameterEntry(AEffect* record, VstInt32 index, float value)
{
    AudioEffect* effect = AudioEffect::fromRecord(record);
    if (effect == nullptr || index < 0 || index >= record->numParams)
        return;
    try
    {
        effect->setParameter(index, value);
    }
    catch (...)
    {
    }
}

float VSTCALLBACK getParameterEntry(AEffect* record, VstInt32 index)
{
    AudioEffect* effect = AudioEffect::fromRecord(record);
    if (effect == nullptr || index < 0 || index >= record->numParams)
        return 0.0f;
    try
    {
        return effect->getParameter(index);
    }
    catch (...)
    {
        return 0.0f;
    }
}

// Writes text cut to maxLen characters behind which the terminator stands (the buffer holds maxLen + 1).
void writeCut(char* text, VstInt32 maxLen, const char* source)
{
    if (text == nullptr || maxLen < 0)
        return;
    CHostText::copyCut(text, source, static_cast<size_t>(maxLen));
}
} // namespace

AudioEffect::AudioEffect(audioMasterCallback audioMaster, VstInt32 numPrograms, VstInt32 numParams)
    : m_audioMaster(audioMaster), m_editor(nullptr), m_sampleRate(44100.0f), m_blockSize(1024),
      m_numPrograms(numPrograms), m_numParams(numParams), m_currentProgram(0)
{
    std::memset(&m_effect, 0, sizeof(m_effect));
    m_effect.magic = kEffectMagic;
    m_effect.dispatcher = dispatchEntry;
    m_effect.process = processEntry;
    m_effect.setParameter = setParameterEntry;
    m_effect.getParameter = getParameterEntry;
    m_effect.numPrograms = numPrograms;
    m_effect.numParams = numParams;
    m_effect.numInputs = 1;
    m_effect.numOutputs = 2;
    m_effect.flags = effFlagsCanReplacing;
    m_effect.ioRatio = 1.0f;
    m_effect.object = this;
    m_effect.uniqueID = vstFourCharacters("NoEf");
    m_effect.version = 1;
    m_effect.processReplacing = processReplacingEntry;
    m_effect.processDoubleReplacing = processDoubleReplacingEntry;
}

AudioEffect::~AudioEffect()
{
    // A host may close the effect with its editor still open: the window goes before the objects it shows.
    if (m_editor != nullptr && m_editor->isOpen())
        m_editor->close();
    delete m_editor;
}

AudioEffect* AudioEffect::fromRecord(AEffect* record)
{
    if (record == nullptr || record->magic != kEffectMagic)
        return nullptr;
    return static_cast<AudioEffect*>(record->object);
}

void AudioEffect::setEditor(AEffEditor* editor)
{
    m_editor = editor;
    setFlag(effFlagsHasEditor, editor != nullptr);
}

void AudioEffect::setFlag(VstInt32 flag, bool state)
{
    if (state)
        m_effect.flags |= flag;
    else
        m_effect.flags &= ~flag;
}

VstIntPtr AudioEffect::callHost(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt)
{
    if (m_audioMaster == nullptr)
        return 0;
    return m_audioMaster(&m_effect, opcode, index, value, ptr, opt);
}

VstIntPtr AudioEffect::dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt)
{
    switch (opcode)
    {
    case effOpen:
        open();
        return 0;
    case effClose:
        close();
        return 0;
    case effSetProgram:
        if (isProgramIndex(value))
            setProgram(static_cast<VstInt32>(value));
        return 0;
    case effGetProgram:
        return getProgram();
    case effSetProgramName:
    {
        if (ptr == nullptr)
            return 0;
        // The host's name may be unterminated; the effect only ever sees a cut, terminated copy.
        char name[kVstMaxProgNameLen];
        CHostText::copyCut(name, static_cast<const char*>(ptr), kProgramNameWidth);
        setProgramName(name);
        return 0;
    }
    case effGetProgramName:
    {
        if (ptr == nullptr)
            return 0;
        CHostText text;
        getProgramName(text.buffer());
        text.copyTo(static_cast<char*>(ptr), kProgramNameWidth);
        return 0;
    }
    case effGetParamLabel:
    case effGetParamDisplay:
    case effGetParamName:
    {
        if (ptr == nullptr || !isParameterIndex(index))
            return 0;
        CHostText text;
        if (opcode == effGetParamLabel)
            getParameterLabel(index, text.buffer());
        else if (opcode == effGetParamDisplay)
            getParameterDisplay(index, text.buffer());
        else
            getParameterName(index, text.buffer());
        text.copyTo(static_cast<char*>(ptr), kParameterTextWidth);
        return 0;
    }
    case effSetSampleRate:
        setSampleRate(opt);
        return 0;
    case effSetBlockSize:
        // A block size outside the protocol's 32-bit range is no block size.
        if (value > 0 && value <= INT32_MAX)
            setBlockSize(static_cast<VstInt32>(value));
        return 0;
    case effMainsChanged:
        if (value != 0)
            resume();
        else
            suspend();
        return 0;
    case effEditGetRect:
        if (m_editor == nullptr || ptr == nullptr)
            return 0;
        return m_editor->getRect(static_cast<ERect**>(ptr)) ? 1 : 0;
    case effEditOpen:
        if (m_editor == nullptr || ptr == nullptr)
            return 0;
        return m_editor->open(ptr) ? 1 : 0;
    case effEditClose:
        if (m_editor != nullptr)
            m_editor->close();
        return 0;
    case effEditIdle:
        if (m_editor != nullptr)
            m_editor->idle();
        return 0;
    case effIdentify:
        return kIdentifyAnswer;
    case effGetChunk:
        if (ptr == nullptr)
            return 0;
        return getChunk(static_cast<void**>(ptr), index != 0);
    case effSetChunk:
        if (ptr == nullptr || value < 0 || value > INT32_MAX)
            return 0;
        return setChunk(ptr, static_cast<VstInt32>(value), index != 0);
    default:
        return 0;
    }
}

void AudioEffect::setParameterAutomated(VstInt32 index, float value)
{
    setParameter(index, value);
    callHost(audioMasterAutomate, index, 0, nullptr, value);
}

VstInt32 AudioEffect::getMasterVersion()
{
    VstIntPtr version = callHost(audioMasterVersion);
    return version == 0 ? 1 : static_cast<VstInt32>(version);
}

VstInt32 AudioEffect::getCurrentUniqueId()
{
    return static_cast<VstInt32>(callHost(audioMasterCurrentId));
}

void AudioEffect::masterIdle()
{
    callHost(audioMasterIdle);
}

// The host answers 0 for a connected pin; with no host every pin counts as connected.
bool AudioEffect::isInputConnected(VstInt32 input)
{
    return callHost(audioMasterPinConnected, input, 0) == 0;
}

bool AudioEffect::isOutputConnected(VstInt32 output)
{
    return callHost(audioMasterPinConnected, output, 1) == 0;
}

void AudioEffect::dB2string(float value, char* text, VstInt32 maxLen)
{
    if (value <= 0.0f)
        writeCut(text, maxLen, "-oo");
    else
        float2string(static_cast<float>(20.0 * std::log10(static_cast<double>(value))), text, maxLen);
}

void AudioEffect::Hz2string(float samples, char* text, VstInt32 maxLen)
{
    float hertz = samples == 0.0f ? 0.0f : m_sampleRate / samples;
    float2string(hertz, text, maxLen);
}

void AudioEffect::ms2string(float samples, char* text, VstInt32 maxLen)
{
    float2string(samples * 1000.0f / m_sampleRate, text, maxLen);
}

// Eight characters in all, sign and point included: the integer digits first, the free places then go to
// fractional digits, truncated rather than rounded ("1.500000", "-0.25000").
void AudioEffect::float2string(float value, char* text, VstInt32 maxLen)
{
    constexpr int kWidth = 8;
    double v = static_cast<double>(value);
    if (std::isnan(v))
    {
        writeCut(text, maxLen, "NaN");
        return;
    }
    if (v > 99999999.0 || v < -9999999.0)
    {
        writeCut(text, maxLen, "Huge!");
        return;
    }
    bool negative = v < 0.0;
    double magnitude = negative ? -v : v;
    double integerPart = std::floor(magnitude);

    // Integer digits are collected from the lowest one up; all of them are kept even where they
    // exceed the width (from 10^7 on), as dropping the leading ones would print a different number.
    char integerDigits[16];
    int integerCount = 0;
    double rest = integerPart;
    do
    {
        integerDigits[integerCount++] = static_cast<char>('0' + static_cast<int>(std::fmod(rest, 10.0)));
        rest = std::floor(rest / 10.0);
    } while (rest >= 1.0 && integerCount < 15);

    char result[32];
    int length = 0;
    if (negative)
        result[length++] = '-';
    while (integerCount > 0)
        result[length++] = integerDigits[--integerCount];
    result[length++] = '.';

    int freePlaces = kWidth - length;
    if (freePlaces > 0)
    {
        double fraction = std::fmod(magnitude, 1.0) * std::pow(10.0, freePlaces);
        for (int place = freePlaces - 1; place >= 0; --place)
        {
            int digit = fraction > 0.0 ? static_cast<int>(std::fmod(fraction, 10.0)) : 0;
            result[length + place] = static_cast<char>('0' + digit);
            fraction /= 10.0;
        }
        length += freePlaces;
    }
    result[length] = 0;
    writeCut(text, maxLen, result);
}

void AudioEffect::int2string(VstInt32 value, char* text, VstInt32 maxLen)
{
    int64_t magnitude = value < 0 ? -static_cast<int64_t>(value) : static_cast<int64_t>(value);
    // Nine digits and more do not fit the protocol's display width, whichever the sign.
    if (magnitude >= 100000000)
    {
        writeCut(text, maxLen, "Huge!");
        return;
    }
    char digits[16];
    int count = 0;
    do
    {
        digits[count++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude > 0);

    char result[16];
    int length = 0;
    if (value < 0)
        result[length++] = '-';
    while (count > 0)
        result[length++] = digits[--count];
    result[length] = 0;
    writeCut(text, maxLen, result);
}
