#include "compressor/CHolvaneShared.hpp"

#include "compressor/CParameterDescription.hpp"

#include "vst/AudioEffect.hpp"
#include "vst/CHostText.hpp"
#include "vst/CMidiEventList.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace Brivant
{
namespace Holvane
{
namespace
{
constexpr float kDefaultSampleRate = 44100.0f;
constexpr float kLowestSampleRate = 11025.0f;
// 1/127 as hosts' MIDI controllers scale.
constexpr float kControllerScale = 0.007874016f;

enum ESharedParameter
{
    kMaster = 0,
    kThreshold = 1,
    kRatio = 2,
    kAttack = 3,
    kRelease = 4
};

bool isParameter(VstIntPtr value, int parameters)
{
    return value >= 0 && value < parameters;
}
} // namespace

VstInt32 CHolvaneShared::canDo(const char* text)
{
    if (text == nullptr)
        return -1;
    for (const char* yes : {"plugAsChannelInsert", "plugAsSend", "2in2out", "receiveVstMidiEvent"})
        if (std::strcmp(text, yes) == 0)
            return 1;
    if (std::strcmp(text, "hasCockosExtensions") == 0)
        return kCockosExtensions;
    return -1;
}

void CHolvaneShared::writePin(VstPinProperties* properties, const char* label, const char* shortLabel)
{
    properties->flags = kVstPinIsActive | kVstPinIsStereo;
    CHostText::copyCut(properties->label, label, kVstMaxLabelLen - 1);
    CHostText::copyCut(properties->shortLabel, shortLabel, kVstMaxShortLabelLen - 1);
}

bool CHolvaneShared::mainPinProperties(VstInt32 index, bool input, VstPinProperties* properties)
{
    static const char* const kInputs[][2] = {{"Left input", "L in"}, {"Right input", "R in"}};
    static const char* const kOutputs[][2] = {{"Left output", "L out"}, {"Right output", "R out"}};
    if (index < 0 || index > 1 || properties == nullptr)
        return false;
    const char* const* labels = input ? kInputs[index] : kOutputs[index];
    writePin(properties, labels[0], labels[1]);
    return true;
}

float CHolvaneShared::usableSampleRate(float rate)
{
    return std::isfinite(rate) && rate > kLowestSampleRate ? rate : kDefaultSampleRate;
}

void CHolvaneShared::ratioDisplay(AudioEffect& effect, float slope, char* text)
{
    effect.float2string(1.0f / slope, text, 4);
}

bool CHolvaneShared::vendorRange(VstInt32 index, VstIntPtr value, void* ptr, const CParameterDescription* table,
                                 int parameters)
{
    if (index != kVendorRangeQuery || ptr == nullptr || !isParameter(value, parameters))
        return false;
    const CParameterRange reported = reportedRange(table[value]);
    double* range = static_cast<double*>(ptr);
    range[0] = reported.minimum;
    range[1] = reported.maximum;
    return true;
}

bool CHolvaneShared::vendorValueText(VstInt32 index, VstIntPtr value, void* ptr, float opt, int parameters)
{
    if (index != effGetParamDisplay || ptr == nullptr || !isParameter(value, parameters))
        return false;
    // The host's buffer is a parameter text field. A value whose "%1f" text does not fit it is written in the
    // fewest digits that read back as the same float, rather than cut into another number.
    char* text = static_cast<char*>(ptr);
    if (std::snprintf(text, kVstMaxParamStrLen, "%1f", static_cast<double>(opt)) < kVstMaxParamStrLen)
        return true;
    // Nine significant digits always read back as the same float.
    for (int digits = 1; digits <= 9; ++digits)
    {
        std::snprintf(text, kVstMaxParamStrLen, "%.*g", digits, static_cast<double>(opt));
        if (std::strtof(text, nullptr) == opt)
            break;
    }
    return true;
}

void CHolvaneShared::applyControlChanges(AudioEffect& effect, Midi::CMidiEventList& events, long first,
                                         long programs)
{
    for (long i = std::max(0L, first); i < events.getNumberOfEvents(); ++i)
    {
        const Midi::CMidiEvent* event = events.getEvent(i);
        // Null when a host that breaks the threading rule empties the list from another thread meanwhile.
        if (event == nullptr || event->getStatus() != Midi::CMidiEvent::kControlChange)
            continue;
        long controller = event->getValue();
        float value = static_cast<float>(event->getSubValue()) * kControllerScale;
        if (controller < programs)
            effect.setProgram(controller);
        else if (controller == 70)
            effect.setParameter(kRatio, value);
        else if (controller == 71)
            effect.setParameter(kThreshold, value);
        else if (controller == 72)
            effect.setParameter(kAttack, value);
        else if (controller == 73)
            effect.setParameter(kRelease, value);
        else if (controller == 74)
            effect.setParameter(kMaster, value);
    }
}

bool CHolvaneShared::clampHostValue(float& value)
{
    if (std::isnan(value))
        return false;
    value = std::min(1.0f, std::max(0.0f, value));
    return true;
}
} // namespace Holvane
} // namespace Brivant
