// VolturaPro's effect: 16 parameters, 10 programs, a side-chain key and the compressor's block path.
#pragma once

#include "compressor/CCompressorSC.hpp"
#include "compressor/CEQ.hpp"
#include "compressor/CHolvaneShared.hpp"
#include "compressor/CMidSide.hpp"
#include "compressor/CValveModel.hpp"
#include "compressor/TAudioBuffer.hpp"
#include "foundation/collections/TAutomaticPointer.hpp"
#include "vst/CVstEffect.hpp"
#include "vst/CVstParam.hpp"
#include "vst/CVstParamSelect.hpp"

#include <atomic>

namespace Brivant
{
namespace Vst
{
class CVstWindow;
}

namespace Holvane
{
using CHolvaneProgram = THolvaneProgram<16>;

class CHolvane : public Vst::CVstEffect
{
public:
    enum EParameter
    {
        kMaster,
        kThreshold,
        kRatio,
        kAttack,
        kRelease,
        kMix,
        kEqLow,
        kEqMid,
        kEqHigh,
        kSideChain,
        kMonitor,
        kMakeUpGain,
        kKeyInput,
        kSoftKnee,
        kValveModelling,
        kMidSide,
        kNumberOfParameters
    };
    static constexpr int kNumberOfPrograms = 10;
    static constexpr int kRingSize = CHolvaneShared::kRingSize;
    // The meter value reaches the editor at the index after the parameters' last.
    static constexpr long kMeterIndex = 17;

    explicit CHolvane(audioMasterCallback audioMaster);
    ~CHolvane() override;

    static Basics::CClass& classRecord();
    const Basics::CClass& getClass() const override;

    void resume() override;
    void processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) override;
    void processAccumulating(float** inputs, float** outputs, long sampleFrames) override;
    void setParameter(VstInt32 index, float value) override;
    float getParameter(VstInt32 index) override;
    void setProgram(VstInt32 program) override;
    void setProgramName(char* name) override;
    void getProgramName(char* name) override;
    void getParameterLabel(VstInt32 index, char* label) override;
    void getParameterDisplay(VstInt32 index, char* text) override;
    void getParameterName(VstInt32 index, char* text) override;
    bool getProgramNameIndexed(VstInt32 category, VstInt32 index, char* text) override;
    bool getInputProperties(VstInt32 index, VstPinProperties* properties) override;
    bool getOutputProperties(VstInt32 index, VstPinProperties* properties) override;
    VstInt32 processEvents(VstEvents* events) override;
    VstIntPtr vendorSpecific(VstInt32 index, VstIntPtr value, void* ptr, float opt) override;
    VstInt32 canDo(char* text) override;

    virtual void processBlock(float** inputs, float** outputs, long sampleFrames, bool replacing);

    float getSamplingRate() const { return m_samplingRate; }

private:
    // The settings the block path reads, taken once per call.
    struct CBlockSettings;

    CVstParam* parameter(int index) const { return m_parameters[index].getPointer(); }
    Vst::CVstWindow* editorWindow();
    void createParameters();
    void primeCompressor();
    void createPrograms();
    void updateMakeUpGain();
    void updateEqualiserGains();
    void runStages(const CBlockSettings& settings);
    void clearRing();
    CBlockSettings readSettings() const;

    CHolvaneProgram* m_programs;
    float m_samplingRate;
    std::atomic<float> m_masterGain;
    std::atomic<float> m_makeUpGain;
    std::atomic<int> m_sideChain;
    std::atomic<float> m_midWeight;
    std::atomic<float> m_sideWeight;
    Collections::TAutomaticPointer<CVstParam> m_parameters[kNumberOfParameters];
    Collections::TAutomaticPointer<CEQ> m_equaliser;
    Collections::TAutomaticPointer<CValveModel> m_valve;
    Collections::TAutomaticPointer<CCompressorSC> m_compressor;
    Collections::TAutomaticPointer<Audio::TAudioBuffer<float>> m_audioBuffer;
    Collections::TAutomaticPointer<CMidSide> m_midSide;
    float m_wetLeft[kRingSize];
    float m_wetRight[kRingSize];
    float m_dryLeft[kRingSize];
    float m_dryRight[kRingSize];
    float m_keyLeft[kRingSize];
    float m_keyRight[kRingSize];
    std::atomic<int> m_ringPosition;
    float m_mix;
    Basics::TInstanceCount<CHolvane> m_instanceCount;
};
} // namespace Holvane
} // namespace Brivant
