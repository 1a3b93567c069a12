// The framework's base for VST effects: names from the application, the host's capabilities, the block's MIDI.
#pragma once

#include "foundation/basics/CCountedObject.hpp"
#include "vst/AudioEffectX.hpp"
#include "vst/CHostCanDo.hpp"
#include "vst/CVstMidiEventList.hpp"
#include "vst/CVstTempo.hpp"

namespace Brivant
{
namespace Threading
{
class CCriticalSection;
}

namespace Vst
{
class CVstEffect : public AudioEffectX, public Basics::CCountedObject
{
    BRIVANT_CLASS_RECORD(CVstEffect, "CCountedObject");

public:
    CVstEffect(audioMasterCallback audioMaster, long numParams, long numPrograms);
    ~CVstEffect() override;
    CVstEffect(const CVstEffect&) = delete;
    CVstEffect& operator=(const CVstEffect&) = delete;

    void resume() override;
    void setSampleRate(float sampleRate) override;
    void setBlockSize(VstInt32 blockSize) override;
    void processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) override;
    void processDoubleReplacing(double** inputs, double** outputs, VstInt32 sampleFrames) override;
    void setProgramName(char* name) override;
    void getProgramName(char* name) override;
    void getParameterLabel(VstInt32 index, char* label) override;
    void getParameterDisplay(VstInt32 index, char* text) override;
    void getParameterName(VstInt32 index, char* text) override;
    bool getProgramNameIndexed(VstInt32 category, VstInt32 index, char* text) override;
    VstInt32 getNumMidiInputChannels() override { return 1; }
    VstInt32 processEvents(VstEvents* events) override;
    bool getEffectName(char* name) override;
    bool getVendorString(char* text) override;
    bool getProductString(char* text) override;

    virtual void processAccumulating(float** inputs, float** outputs, long sampleFrames);
    // Later blocks keep only events of this channel (0 is MIDI channel 1).
    virtual void setMidiChannel(long channel);

    const CHostCanDo& getHostCanDo() const { return m_hostCanDo; }
    bool hasSampleRateChanged() const { return m_sampleRateChanged; }
    bool hasBlockSizeChanged() const { return m_blockSizeChanged; }

protected:
    // The effects read the block's events from here; the next process call clears it.
    CVstMidiEventList& getMidiEvents() { return m_midiEvents; }
    CVstTempo& getTempoReader() { return m_tempoReader; }
    double getTempo() const { return m_tempo; }

private:
    CHostCanDo m_hostCanDo;
    CVstTempo m_tempoReader;
    double m_tempo;
    double m_lastSampleRate;
    long m_lastBlockSize;
    bool m_blockSizeChanged;
    bool m_sampleRateChanged;
    CVstMidiEventList m_midiEvents;
    Threading::CCriticalSection* m_criticalSection;
};
} // namespace Vst
} // namespace Brivant
