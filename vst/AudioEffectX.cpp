// The extension opcodes of the dispatcher and the wrappers of the VST 2.x host calls.
#include "vst/AudioEffectX.hpp"

#include "vst/AEffEditor.hpp"
#include "vst/CHostText.hpp"

namespace
{
constexpr size_t kNameField = kVstMaxNameLen;
constexpr size_t kProgramNameWidth = kVstMaxProgNameLen - 1;

// Pin labels go through a zeroed copy so the host's record always holds terminated texts.
VstIntPtr answerPin(bool answered, const VstPinProperties& properties, void* ptr)
{
    if (!answered)
        return 0;
    VstPinProperties* target = static_cast<VstPinProperties*>(ptr);
    *target = properties;
    target->label[kVstMaxLabelLen - 1] = 0;
    target->shortLabel[kVstMaxShortLabelLen - 1] = 0;
    return 1;
}

VstKeyCode makeKeyCode(VstInt32 index, VstIntPtr value, float opt)
{
    VstKeyCode key{};
    key.character = index;
    key.virt = static_cast<unsigned char>(value & 0xFF);
    key.modifier = static_cast<unsigned char>(static_cast<VstInt32>(opt) & 0xFF);
    return key;
}
} // namespace

AudioEffectX::AudioEffectX(audioMasterCallback audioMaster, VstInt32 numPrograms, VstInt32 numParams)
    : AudioEffect(audioMaster, numPrograms, numParams)
{
}

VstIntPtr AudioEffectX::dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt)
{
    switch (opcode)
    {
    case effProcessEvents:
        return ptr == nullptr ? 0 : processEvents(static_cast<VstEvents*>(ptr));
    case effCanBeAutomated:
        return isParameterIndex(index) && canParameterBeAutomated(index) ? 1 : 0;
    case effString2Parameter:
        if (ptr == nullptr || !isParameterIndex(index))
            return 0;
        return string2parameter(index, static_cast<char*>(ptr)) ? 1 : 0;
    case effGetProgramNameIndexed:
    {
        if (ptr == nullptr || !isProgramIndex(index))
            return 0;
        CHostText text;
        if (!getProgramNameIndexed(static_cast<VstInt32>(value), index, text.buffer()))
            return 0;
        text.copyTo(static_cast<char*>(ptr), kProgramNameWidth);
        return 1;
    }
    case effGetInputProperties:
    case effGetOutputProperties:
    {
        VstInt32 pins = opcode == effGetInputProperties ? m_effect.numInputs : m_effect.numOutputs;
        if (ptr == nullptr || index < 0 || index >= pins)
            return 0;
        VstPinProperties properties{};
        bool answered = opcode == effGetInputProperties ? getInputProperties(index, &properties)
                                                        : getOutputProperties(index, &properties);
        return answerPin(answered, properties, ptr);
    }
    case effGetPlugCategory:
        return getPlugCategory();
    case effOfflineNotify:
        return ptr != nullptr && offlineNotify(static_cast<VstAudioFile*>(ptr), static_cast<VstInt32>(value),
                                               index != 0)
                   ? 1
                   : 0;
    case effOfflinePrepare:
        return ptr != nullptr && offlinePrepare(static_cast<VstOfflineTask*>(ptr), static_cast<VstInt32>(value))
                   ? 1
                   : 0;
    case effOfflineRun:
        return ptr != nullptr && offlineRun(static_cast<VstOfflineTask*>(ptr), static_cast<VstInt32>(value)) ? 1 : 0;
    case effProcessVarIo:
        return ptr != nullptr && processVariableIo(static_cast<VstVariableIo*>(ptr)) ? 1 : 0;
    case effSetSpeakerArrangement:
        return setSpeakerArrangement(reinterpret_cast<VstSpeakerArrangement*>(value),
                                     static_cast<VstSpeakerArrangement*>(ptr))
                   ? 1
                   : 0;
    case effSetBypass:
        return setBypass(value != 0) ? 1 : 0;
    case effGetEffectName:
    case effGetVendorString:
    case effGetProductString:
    {
        if (ptr == nullptr)
            return 0;
        CHostText text;
        bool answered = opcode == effGetEffectName     ? getEffectName(text.buffer())
                        : opcode == effGetVendorString ? getVendorString(text.buffer())
                                                       : getProductString(text.buffer());
        if (!answered)
            return 0;
        // Whatever the host's buffer held behind the name must not reach it as part of the field.
        text.fillField(static_cast<char*>(ptr), kNameField);
        return 1;
    }
    case effGetVendorVersion:
        return getVendorVersion();
    case effVendorSpecific:
        return vendorSpecific(index, value, ptr, opt);
    case effCanDo:
        return ptr == nullptr ? 0 : canDo(static_cast<char*>(ptr));
    case effGetTailSize:
        return getGetTailSize();
    case effGetParameterProperties:
        if (ptr == nullptr || !isParameterIndex(index))
            return 0;
        return getParameterProperties(index, static_cast<VstParameterProperties*>(ptr)) ? 1 : 0;
    case effGetVstVersion:
        return getVstVersion();
    case effEditKeyDown:
    case effEditKeyUp:
    {
        if (m_editor == nullptr)
            return 0;
        VstKeyCode key = makeKeyCode(index, value, opt);
        bool used = opcode == effEditKeyDown ? m_editor->onKeyDown(key) : m_editor->onKeyUp(key);
        return used ? 1 : 0;
    }
    case effSetEditKnobMode:
        return m_editor != nullptr && m_editor->setKnobMode(static_cast<VstInt32>(value)) ? 1 : 0;
    case effGetMidiProgramName:
        return ptr == nullptr ? 0 : getMidiProgramName(index, static_cast<MidiProgramName*>(ptr));
    case effGetCurrentMidiProgram:
        return getCurrentMidiProgram(index, static_cast<MidiProgramName*>(ptr));
    case effGetMidiProgramCategory:
        return ptr == nullptr ? 0 : getMidiProgramCategory(index, static_cast<MidiProgramCategory*>(ptr));
    case effHasMidiProgramsChanged:
        return hasMidiProgramsChanged(index) ? 1 : 0;
    case effGetMidiKeyName:
        return ptr != nullptr && getMidiKeyName(index, static_cast<MidiKeyName*>(ptr)) ? 1 : 0;
    case effBeginSetProgram:
        return beginSetProgram() ? 1 : 0;
    case effEndSetProgram:
        return endSetProgram() ? 1 : 0;
    case effGetSpeakerArrangement:
        if (value == 0 || ptr == nullptr)
            return 0;
        return getSpeakerArrangement(reinterpret_cast<VstSpeakerArrangement**>(value),
                                     static_cast<VstSpeakerArrangement**>(ptr))
                   ? 1
                   : 0;
    case effShellGetNextPlugin:
        return ptr == nullptr ? 0 : getNextShellPlugin(static_cast<char*>(ptr));
    case effStartProcess:
        return startProcess();
    case effStopProcess:
        return stopProcess();
    case effSetTotalSampleToProcess:
        return setTotalSampleToProcess(static_cast<VstInt32>(value));
    case effSetPanLaw:
        return setPanLaw(static_cast<VstInt32>(value), opt) ? 1 : 0;
    case effBeginLoadBank:
        return ptr != nullptr && beginLoadBank(static_cast<VstPatchChunkInfo*>(ptr)) ? 1 : 0;
    case effBeginLoadProgram:
        return ptr != nullptr && beginLoadProgram(static_cast<VstPatchChunkInfo*>(ptr)) ? 1 : 0;
    case effSetProcessPrecision:
        return setProcessPrecision(static_cast<VstInt32>(value)) ? 1 : 0;
    case effGetNumMidiInputChannels:
        return getNumMidiInputChannels();
    case effGetNumMidiOutputChannels:
        return getNumMidiOutputChannels();
    default:
        return AudioEffect::dispatcher(opcode, index, value, ptr, opt);
    }
}

void AudioEffectX::resume()
{
    bool wantsMidi = hasFlag(effFlagsIsSynth);
    if (!wantsMidi)
    {
        char question[] = "receiveVstMidiEvent";
        wantsMidi = canDo(question) == 1;
    }
    if (wantsMidi)
        wantEvents(1);
}

VstInt32 AudioEffectX::getPlugCategory()
{
    return hasFlag(effFlagsIsSynth) ? kPlugCategSynth : kPlugCategUnknown;
}

bool AudioEffectX::getSpeakerArrangement(VstSpeakerArrangement** input, VstSpeakerArrangement** output)
{
    *input = nullptr;
    *output = nullptr;
    return false;
}

bool AudioEffectX::beginEdit(VstInt32 index)
{
    return callHost(audioMasterBeginEdit, index) != 0;
}

bool AudioEffectX::endEdit(VstInt32 index)
{
    return callHost(audioMasterEndEdit, index) != 0;
}

bool AudioEffectX::ioChanged()
{
    return callHost(audioMasterIOChanged) != 0;
}

double AudioEffectX::updateSampleRate()
{
    VstIntPtr rate = callHost(audioMasterGetSampleRate);
    if (rate > 0)
        m_sampleRate = static_cast<float>(rate);
    return m_sampleRate;
}

VstInt32 AudioEffectX::updateBlockSize()
{
    VstIntPtr size = callHost(audioMasterGetBlockSize);
    if (size > 0 && size <= INT32_MAX)
        m_blockSize = static_cast<VstInt32>(size);
    return m_blockSize;
}

VstInt32 AudioEffectX::getInputLatency()
{
    return static_cast<VstInt32>(callHost(audioMasterGetInputLatency));
}

VstInt32 AudioEffectX::getOutputLatency()
{
    return static_cast<VstInt32>(callHost(audioMasterGetOutputLatency));
}

VstTimeInfo* AudioEffectX::getTimeInfo(VstInt32 filter)
{
    return reinterpret_cast<VstTimeInfo*>(callHost(audioMasterGetTime, 0, filter));
}

VstInt32 AudioEffectX::getCurrentProcessLevel()
{
    return static_cast<VstInt32>(callHost(audioMasterGetCurrentProcessLevel));
}

VstInt32 AudioEffectX::getAutomationState()
{
    return static_cast<VstInt32>(callHost(audioMasterGetAutomationState));
}

bool AudioEffectX::sendVstEventsToHost(VstEvents* events)
{
    return callHost(audioMasterProcessEvents, 0, 0, events) == 1;
}

void AudioEffectX::wantEvents(VstInt32 filter)
{
    callHost(audioMasterWantMidi, 0, filter);
}

VstInt32 AudioEffectX::tempoAt(VstInt32 position)
{
    return static_cast<VstInt32>(callHost(audioMasterTempoAt, 0, position));
}

VstInt32 AudioEffectX::getNumAutomatableParameters()
{
    return static_cast<VstInt32>(callHost(audioMasterGetNumAutomatableParameters));
}

VstInt32 AudioEffectX::getParameterQuantization()
{
    return static_cast<VstInt32>(callHost(audioMasterGetParameterQuantization));
}

bool AudioEffectX::needIdle()
{
    return callHost(audioMasterNeedIdle) != 0;
}

bool AudioEffectX::sizeWindow(VstInt32 width, VstInt32 height)
{
    return callHost(audioMasterSizeWindow, width, height) != 0;
}

AEffect* AudioEffectX::getPreviousPlug(VstInt32 input)
{
    return reinterpret_cast<AEffect*>(callHost(audioMasterGetPreviousPlug, 0, input));
}

AEffect* AudioEffectX::getNextPlug(VstInt32 output)
{
    return reinterpret_cast<AEffect*>(callHost(audioMasterGetNextPlug, 0, output));
}

VstInt32 AudioEffectX::willProcessReplacing()
{
    return static_cast<VstInt32>(callHost(audioMasterWillReplaceOrAccumulate));
}

bool AudioEffectX::offlineStart(VstAudioFile* files, VstInt32 numAudioFiles, VstInt32 numNewAudioFiles)
{
    return callHost(audioMasterOfflineStart, numNewAudioFiles, numAudioFiles, files) != 0;
}

bool AudioEffectX::offlineRead(VstOfflineTask* task, VstOfflineOption option, bool readSource)
{
    return callHost(audioMasterOfflineRead, readSource ? 1 : 0, option, task) != 0;
}

bool AudioEffectX::offlineWrite(VstOfflineTask* task, VstOfflineOption option)
{
    return callHost(audioMasterOfflineWrite, 0, option, task) != 0;
}

VstInt32 AudioEffectX::offlineGetCurrentPass()
{
    return static_cast<VstInt32>(callHost(audioMasterOfflineGetCurrentPass));
}

VstInt32 AudioEffectX::offlineGetCurrentMetaPass()
{
    return static_cast<VstInt32>(callHost(audioMasterOfflineGetCurrentMetaPass));
}

void AudioEffectX::setOutputSamplerate(float sampleRate)
{
    callHost(audioMasterSetOutputSampleRate, 0, 0, nullptr, sampleRate);
}

VstSpeakerArrangement* AudioEffectX::getOutputSpeakerArrangement()
{
    return reinterpret_cast<VstSpeakerArrangement*>(callHost(audioMasterGetOutputSpeakerArrangement));
}

VstSpeakerArrangement* AudioEffectX::getInputSpeakerArrangement()
{
    return reinterpret_cast<VstSpeakerArrangement*>(callHost(audioMasterGetInputSpeakerArrangement));
}

bool AudioEffectX::getHostVendorString(char* text)
{
    return callHost(audioMasterGetVendorString, 0, 0, text) != 0;
}

bool AudioEffectX::getHostProductString(char* text)
{
    return callHost(audioMasterGetProductString, 0, 0, text) != 0;
}

VstInt32 AudioEffectX::getHostVendorVersion()
{
    return static_cast<VstInt32>(callHost(audioMasterGetVendorVersion));
}

VstIntPtr AudioEffectX::hostVendorSpecific(VstInt32 index, VstIntPtr value, void* ptr, float opt)
{
    return callHost(audioMasterVendorSpecific, index, value, ptr, opt);
}

// Hosts answer -1 for "no"; only a positive answer is a yes.
VstInt32 AudioEffectX::canHostDo(char* text)
{
    return callHost(audioMasterCanDo, 0, 0, text) > 0 ? 1 : 0;
}

VstInt32 AudioEffectX::getHostLanguage()
{
    return static_cast<VstInt32>(callHost(audioMasterGetLanguage));
}

void* AudioEffectX::openWindow(void* window)
{
    return reinterpret_cast<void*>(callHost(audioMasterOpenWindow, 0, 0, window));
}

bool AudioEffectX::closeWindow(void* window)
{
    return callHost(audioMasterCloseWindow, 0, 0, window) != 0;
}

void* AudioEffectX::getDirectory()
{
    return reinterpret_cast<void*>(callHost(audioMasterGetDirectory));
}

bool AudioEffectX::updateDisplay()
{
    return callHost(audioMasterUpdateDisplay) != 0;
}

bool AudioEffectX::openFileSelector(VstFileSelect* selector)
{
    return selector != nullptr && callHost(audioMasterOpenFileSelector, 0, 0, selector) != 0;
}

bool AudioEffectX::closeFileSelector(VstFileSelect* selector)
{
    return selector != nullptr && callHost(audioMasterCloseFileSelector, 0, 0, selector) != 0;
}

bool AudioEffectX::getChunkFile(void* nativePath)
{
    return nativePath != nullptr && callHost(audioMasterGetChunkFile, 0, 0, nativePath) != 0;
}
