// The plug-in side of the VST 2.4 protocol: owns the effect record the host holds and turns its calls into virtuals.
#pragma once

#include "vst/VstProtocol.hpp"

#include <atomic>

class AEffEditor;

class AudioEffect
{
public:
    AudioEffect(audioMasterCallback audioMaster, VstInt32 numPrograms, VstInt32 numParams);
    virtual ~AudioEffect();

    AudioEffect(const AudioEffect&) = delete;
    AudioEffect& operator=(const AudioEffect&) = delete;

    virtual VstIntPtr dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt);
    virtual void open() {}
    virtual void close() {}
    virtual void suspend() {}
    virtual void resume() {}
    virtual void setSampleRate(float sampleRate) { m_sampleRate = sampleRate; }
    virtual void setBlockSize(VstInt32 blockSize) { m_blockSize = blockSize; }
    virtual void processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) = 0;
    virtual void processDoubleReplacing(double** /*inputs*/, double** /*outputs*/, VstInt32 /*sampleFrames*/) {}
    virtual void setParameter(VstInt32 /*index*/, float /*value*/) {}
    virtual float getParameter(VstInt32 /*index*/) { return 0.0f; }
    virtual void setParameterAutomated(VstInt32 index, float value);
    virtual VstInt32 getProgram() { return m_currentProgram.load(); }
    virtual void setProgram(VstInt32 program) { m_currentProgram.store(program); }
    virtual void setProgramName(char* /*name*/) {}
    virtual void getProgramName(char* name) { *name = 0; }
    virtual void getParameterLabel(VstInt32 /*index*/, char* label) { *label = 0; }
    virtual void getParameterDisplay(VstInt32 /*index*/, char* text) { *text = 0; }
    virtual void getParameterName(VstInt32 /*index*/, char* text) { *text = 0; }
    virtual VstInt32 getChunk(void** /*data*/, bool /*isPreset*/) { return 0; }
    virtual VstInt32 setChunk(void* /*data*/, VstInt32 /*byteSize*/, bool /*isPreset*/) { return 0; }
    virtual void setUniqueID(VstInt32 uniqueId) { m_effect.uniqueID = uniqueId; }
    virtual void setNumInputs(VstInt32 inputs) { m_effect.numInputs = inputs; }
    virtual void setNumOutputs(VstInt32 outputs) { m_effect.numOutputs = outputs; }
    virtual void canProcessReplacing(bool state = true) { setFlag(effFlagsCanReplacing, state); }
    virtual void canDoubleReplacing(bool state = true) { setFlag(effFlagsCanDoubleReplacing, state); }
    virtual void programsAreChunks(bool state = true) { setFlag(effFlagsProgramChunks, state); }
    virtual void setInitialDelay(VstInt32 delay) { m_effect.initialDelay = delay; }
    virtual AEffEditor* getEditor() { return m_editor; }
    virtual AEffect* getAeffect() { return &m_effect; }
    virtual float getSampleRate() { return m_sampleRate; }
    virtual VstInt32 getBlockSize() { return m_blockSize; }
    virtual VstInt32 getMasterVersion();
    virtual VstInt32 getCurrentUniqueId();
    virtual void masterIdle();
    virtual bool isInputConnected(VstInt32 input);
    virtual bool isOutputConnected(VstInt32 output);
    virtual void dB2string(float value, char* text, VstInt32 maxLen);
    virtual void Hz2string(float samples, char* text, VstInt32 maxLen);
    virtual void ms2string(float samples, char* text, VstInt32 maxLen);
    virtual void float2string(float value, char* text, VstInt32 maxLen);
    virtual void int2string(VstInt32 value, char* text, VstInt32 maxLen);
    virtual void process(float** /*inputs*/, float** /*outputs*/, VstInt32 /*sampleFrames*/) {}
    virtual float getVu() { return 0.0f; }
    virtual void hasVu(bool state = true) { setFlag(effFlagsHasVu, state); }
    virtual void hasClip(bool state = true) { setFlag(effFlagsHasClip, state); }
    virtual void canMono(bool state = true) { setFlag(effFlagsCanMono, state); }
    virtual void setRealtimeQualities(VstInt32 qualities) { m_effect.realQualities = qualities; }
    virtual void setOfflineQualities(VstInt32 qualities) { m_effect.offQualities = qualities; }

    // Attaches the editor (owned from now on) and sets or clears the has-editor flag.
    void setEditor(AEffEditor* editor);

    // The effect behind a record the host hands back, or null for a record that is not ours.
    static AudioEffect* fromRecord(AEffect* record);

protected:
    void setFlag(VstInt32 flag, bool state);
    bool hasFlag(VstInt32 flag) const { return (m_effect.flags & flag) != 0; }
    VstIntPtr callHost(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr, float opt = 0.0f);

    bool isProgramIndex(VstIntPtr program) const { return program >= 0 && program < m_numPrograms; }
    bool isParameterIndex(VstInt32 index) const { return index >= 0 && index < m_numParams; }

    audioMasterCallback m_audioMaster;
    AEffEditor* m_editor;
    float m_sampleRate;
    VstInt32 m_blockSize;
    VstInt32 m_numPrograms;
    VstInt32 m_numParams;
    // MIDI program changes on the audio thread and the host's program calls on others meet here.
    std::atomic<VstInt32> m_currentProgram;
    AEffect m_effect;
};
