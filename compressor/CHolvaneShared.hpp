// What both editions' effects answer alike: program records, can-do, output pins, ranges and MIDI control.
#pragma once

#include "vst/VstProtocol.hpp"

#include <atomic>

class AudioEffect;

namespace Brivant
{
namespace Midi
{
class CMidiEventList;
}

namespace Holvane
{
// One stored program: the host's normalised value of every parameter and its name.
template <int Parameters>
struct THolvaneProgram
{
    static constexpr int kNameSize = 24;

    // Written by whichever thread sets a parameter, MIDI on the audio thread included.
    std::atomic<float> values[Parameters] = {};
    char name[kNameSize] = "(empty)";
};

struct CParameterDescription;

class CHolvaneShared
{
public:
    static constexpr VstInt32 kVendorRangeQuery = static_cast<VstInt32>(0xdeadbef0u);
    static constexpr VstIntPtr kVendorAnswer = 0xbeef;
    static constexpr VstInt32 kCockosExtensions = static_cast<VstInt32>(0xbeef0000u);
    static constexpr int kRingSize = 16;

    CHolvaneShared() = delete;

    static VstInt32 canDo(const char* text);
    // Pins 0 and 1 of the main stereo pair, for inputs and outputs alike.
    static bool mainPinProperties(VstInt32 index, bool input, VstPinProperties* properties);
    static void writePin(VstPinProperties* properties, const char* label, const char* shortLabel);
    // A rate that is not finite, or 11025 or less, means the host does not know it: 44100.
    static float usableSampleRate(float rate);
    // The ratio as the host shows it: 1 / slope in four characters ("1.00" .. "20.0").
    static void ratioDisplay(AudioEffect& effect, float slope, char* text);
    // The host extension's range query and value text; false where the call is not ours.
    static bool vendorRange(VstInt32 index, VstIntPtr value, void* ptr, const CParameterDescription* table,
                            int parameters);
    static bool vendorValueText(VstInt32 index, VstIntPtr value, void* ptr, float opt, int parameters);
    // Applies the control changes from event `first` on: a controller below `programs` selects that program,
    // 70..74 set Ratio, Threshold, Attack, Release and Master to value / 127.
    static void applyControlChanges(AudioEffect& effect, Midi::CMidiEventList& events, long first, long programs);
    // Clamps a host value into 0..1; false for NaN, which is no value.
    static bool clampHostValue(float& value);
};
} // namespace Holvane
} // namespace Brivant
