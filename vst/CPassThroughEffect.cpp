#include "vst/CPassThroughEffect.hpp"

#include "foundation/host/CApplication.hpp"

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

bool writeName(char* target, const char* text)
{
    if (target == nullptr)
        return false;
    std::strcpy(target, text);
    return true;
}
} // namespace

CPassThroughEffect::CPassThroughEffect(audioMasterCallback audioMaster, VstInt32 numParams, VstInt32 numPrograms,
                                       VstInt32 numInputs, VstInt32 uniqueId)
    : AudioEffectX(audioMaster, numPrograms, numParams), m_values(static_cast<size_t>(numParams), 0.0f)
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

void CPassThroughEffect::getParameterName(VstInt32 /*index*/, char* text) { std::strcpy(text, "No param"); }
void CPassThroughEffect::getParameterLabel(VstInt32 /*index*/, char* text) { std::strcpy(text, "No param"); }
void CPassThroughEffect::getParameterDisplay(VstInt32 /*index*/, char* text) { std::strcpy(text, "No param"); }
void CPassThroughEffect::getProgramName(char* name) { std::strcpy(name, "Default"); }
void CPassThroughEffect::setProgramName(char* /*name*/) {}

bool CPassThroughEffect::getProgramNameIndexed(VstInt32 /*category*/, VstInt32 /*index*/, char* text)
{
    std::strcpy(text, "Default");
    return true;
}

bool CPassThroughEffect::getEffectName(char* name)
{
    return writeName(name, Host::CApplication::getProductName());
}

bool CPassThroughEffect::getVendorString(char* text)
{
    return writeName(text, Host::CApplication::getCompanyName());
}

bool CPassThroughEffect::getProductString(char* text)
{
    return writeName(text, Host::CApplication::getDescriptionString());
}
} // namespace Vst
} // namespace Brivant
