// An effect of a deliverable's shape that passes its main input through unchanged.
#pragma once

#include "vst/CVstEffect.hpp"

#include <vector>

namespace Brivant
{
namespace Vst
{
class CPassThroughEffect : public CVstEffect
{
public:
    CPassThroughEffect(audioMasterCallback audioMaster, VstInt32 numParams, VstInt32 numPrograms,
                       VstInt32 numInputs, VstInt32 uniqueId);

    void processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) override;
    void setParameter(VstInt32 index, float value) override;
    float getParameter(VstInt32 index) override;

private:
    std::vector<float> m_values;
};
} // namespace Vst
} // namespace Brivant
