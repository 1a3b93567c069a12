#include "vst/CPassThroughEffect.hpp"

#include <cmath>
#include <cstring>

namespace Brivant
{
namespace Vst
{
namespace
{
constexpr int kLatency = 16;
constexpr int kMainOutputs = 2;
} // namespace

CPassThroughEffect::CPassThroughEffect(audioMasterCallback audioMaster, VstInt32 numParams, VstInt32 numPrograms,
                                       VstInt32 numInputs, VstInt32 uniqueId)
    : CVstEffect(audioMaster, numParams, numPrograms), m_values(static_cast<size_t>(numParams), 0.0f)
{
    setNumInputs(numInputs);
    setNumOutputs(kMainOutputs);
    canProcessReplacing();
    setUniqueID(uniqueId);
    setInitialDelay(kLatency);
}

void CPassThroughEffect::processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames)
{
    for (VstInt32 channel = 0; channel < m_effect.numOutputs; ++channel)
    {
        if (channel < m_effect.numInputs)
            std::memmove(outputs[channel], inputs[channel], sizeof(float) * static_cast<size_t>(sampleFrames));
        else
            std::memset(outputs[channel], 0, sizeof(float) * static_cast<size_t>(sampleFrames));
    }
    CVstEffect::processReplacing(inputs, outputs, sampleFrames);
}

void CPassThroughEffect::setParameter(VstInt32 index, float value)
{
    if (!isParameterIndex(index) || std::isnan(value))
        return;
    m_values[static_cast<size_t>(index)] = value < 0.0f ? 0.0f : (value > 1.0f ? 1.0f : value);
}

float CPassThroughEffect::getParameter(VstInt32 index)
{
    return isParameterIndex(index) ? m_values[static_cast<size_t>(index)] : 0.0f;
}
} // namespace Vst
} // namespace Brivant
