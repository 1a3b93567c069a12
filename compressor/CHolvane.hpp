// VolturaPro's effect: 16 parameters, 10 programs, a side-chain key and the compressor's full block path.
#pragma once

#include "compressor/CEQ.hpp"
#include "compressor/CMidSide.hpp"
#include "compressor/CProParameterTable.hpp"
#include "compressor/CValveModel.hpp"
#include "compressor/TAudioBuffer.hpp"
#include "compressor/THolvaneEffect.hpp"

namespace Brivant
{
namespace Holvane
{
class CHolvane : public THolvaneEffect<CProParameterTable>
{
    BRIVANT_CLASS_RECORD(CHolvane, "CVstEffect");

public:
    explicit CHolvane(audioMasterCallback audioMaster);
    ~CHolvane() override;

    void resume() override;
    bool getInputProperties(VstInt32 index, VstPinProperties* properties) override;
    void processBlock(float** inputs, float** outputs, long sampleFrames, bool replacing) override;

protected:
    void parameterChanged(int index, float value) override;
    void clearRing() override;

private:
    // The settings the block path reads, taken once per call.
    struct CBlockSettings;

    void updateMakeUpGain();
    void updateEqualiserGain(int index, float decibels);
    void runStages(const CBlockSettings& settings);
    CBlockSettings readSettings() const;

    std::atomic<float> m_masterGain;
    std::atomic<float> m_makeUpGain;
    std::atomic<int> m_sideChain;
    std::atomic<float> m_midWeight;
    std::atomic<float> m_sideWeight;
    Collections::TAutomaticPointer<CEQ> m_equaliser;
    Collections::TAutomaticPointer<CValveModel> m_valve;
    Collections::TAutomaticPointer<Audio::TAudioBuffer<float>> m_audioBuffer;
    Collections::TAutomaticPointer<CMidSide> m_midSide;
    float m_keyLeft[kRingSize];
    float m_keyRight[kRingSize];
    // Audio-thread state: the equaliser was left out on the last ring.
    bool m_equaliserLeftOut;
};
} // namespace Holvane
} // namespace Brivant
