// VolturaLite's effect: the plain stereo compressor with master, threshold, ratio, attack, release and mix.
#pragma once

#include "compressor/THolvaneEffect.hpp"
#include "lite/CLiteParameterTable.hpp"

namespace Brivant
{
namespace Holvane
{
class CHolvane : public THolvaneEffect<CLiteParameterTable>
{
    BRIVANT_CLASS_RECORD(CHolvane, "CVstEffect");

public:
    explicit CHolvane(audioMasterCallback audioMaster);
    ~CHolvane() override;

    bool getInputProperties(VstInt32 index, VstPinProperties* properties) override;
    void processBlock(float** inputs, float** outputs, long sampleFrames, bool replacing) override;

protected:
    void parameterChanged(int index, float value) override;

private:
    std::atomic<double> m_masterGain;
};
} // namespace Holvane
} // namespace Brivant
