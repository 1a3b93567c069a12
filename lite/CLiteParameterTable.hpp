// VolturaLite's parameters and factory programs, each written once.
#pragma once

#include "compressor/CParameterDescription.hpp"
#include "compressor/CProgramDefinition.hpp"

namespace Brivant
{
namespace Holvane
{
struct CLiteParameterTable
{
    enum EParameter
    {
        kMaster,
        kThreshold,
        kRatio,
        kAttack,
        kRelease,
        kMix
    };

    using K = EParameterKind;
    using L = ELabelRule;
    using C = EControlKind;
    static constexpr long kWide = 96;
    // The Mix column is narrower, so that its label stays clear of the meter.
    static constexpr long kNarrow = 90;
    static constexpr COptionTexts kNoOptions = {nullptr, 0};

    static constexpr CParameterDescription kParameterTable[] = {
        sharedParameter(kMaster,
         {L::kNumber, " dB", C::kKnob, "knob.png", "Master", {405, 65}, {398, 115}, {405, 55}, kWide, 0, false}),
        sharedParameter(kThreshold,
         {L::kNumber, " dB", C::kKnob, "knob2.png", "Threshold", {30, 65}, {30, 115}, {25, 55}, kWide, 1, false}),
        sharedParameter(kRatio,
         {L::kReciprocal, " :1", C::kKnob, "knob2.png", "Ratio", {105, 65}, {105, 115}, {115, 55}, kWide, 2, false}),
        sharedParameter(kAttack,
         {L::kNumber, " ms", C::kKnob, "knob3.png", "Attack", {180, 65}, {175, 115}, {185, 55}, kWide, 3, false}),
        sharedParameter(kRelease,
         {L::kNumber, " ms", C::kKnob, "knob3.png", "Release", {255, 65}, {250, 115}, {255, 55}, kWide, 4, false}),
        sharedParameter(kMix,
         {L::kNumberSuffixFromHost, " ", C::kKnob, "knob.png", "Dry/Wet", {330, 65}, {333, 115}, {330, 55}, kNarrow,
          5, false}),
    };
    static_assert(rowsInIndexOrder(kParameterTable), "each row at its own index");

    static constexpr CProgramDefinition kProgramTable[] = {
        {"Default", {}},
        {"Mix", {{kMaster, 0.505f}, {kThreshold, 0.8f}, {kRatio, 0.6f}, {kAttack, 0.0f}, {kRelease, 0.72f}}},
        {"Bass Guitar",
         {{kMaster, 0.505f}, {kThreshold, 0.6f}, {kRatio, 0.75f}, {kAttack, 0.15f}, {kRelease, 0.71f}}},
        {"Vocals", {{kMaster, 0.505f}, {kThreshold, 0.5f}, {kRatio, 0.6f}, {kAttack, 0.0f}, {kRelease, 0.58f}}},
        {"Acoustic Guitar",
         {{kMaster, 0.505f}, {kThreshold, 0.6f}, {kRatio, 0.5f}, {kAttack, 0.45f}, {kRelease, 0.55f}}},
        {"Hard", {{kMaster, 0.505f}, {kThreshold, 0.84f}, {kRatio, 1.0f}, {kAttack, 0.0f}, {kRelease, 0.3f}}},
        {"Drums", {{kMaster, 0.505f}, {kThreshold, 0.9f}, {kRatio, 0.665f}, {kAttack, 0.2f}}},
        {"TZN", {{kMaster, 0.65f}, {kThreshold, 0.0f}, {kRatio, 1.0f}, {kAttack, 0.0f}, {kRelease, 0.0f}}},
        {"-------", {}},
        {"Voltura", {}},
        {"From", {}},
        {"Selvan", {}},
        {"Quarrow", {}},
    };
};
} // namespace Holvane
} // namespace Brivant
