// An effect of a deliverable's shape that passes its main input through unchanged.
#pragma once

#include "vst/AudioEffectX.hpp"

#include <vector>

namespace Brivant
{
namespace Vst
{
class CPassThroughEffect : public AudioEffectX
{
public:
    CPassThroughEffect(audioMasterCallback audioMaster, VstInt32 numParams, VstInt32 numPrograms,
                       VstInt32 numInputs, VstInt32 uniqueId);

    void processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) override;
    void setParameter(VstInt32 index, float value) override;
    float getParameter(VstInt32 index) override;
    void getParameterName(VstInt32 index, char* text) override;
    void getParameterLabel(VstInt32 index, char* text) override;
    void getParameterDisplay(VstInt32 index, char* text) override;
    void getProgramName(char* name) override;
    void setProgramName(char* name) override;
    bool getProgramNameIndexed(VstInt32 category, VstInt32 index, char* text) override;
    bool getEffectName(char* name) override;
    bool getVendorString(char* text) override;
    bool getProductString(char* text) override;
    VstInt32 getNumMidiInputChannels() override { return 1; }

private:
    std::vector<float> m_values;
};
} // namespace Vst
} // namespace Brivant
