// VolturaPro's parameters and factory programs, each written once.
#pragma once

#include "compressor/CParameterDescription.hpp"
#include "compressor/CProgramDefinition.hpp"

namespace Brivant
{
namespace Holvane
{
struct CProParameterTable
{
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
        kMidSide
    };

    static constexpr const char* kSideChainOptions[] = {"Internal", "External"};
    static constexpr const char* kMonitorOptions[] = {"Output", "Input"};
    static constexpr const char* kOnOffOptions[] = {"Off", "On"};
    static constexpr const char* kKeyOptions[] = {"Left", "Stereo", "Right"};
    static constexpr const char* kValveOptions[] = {"Bypass", "Soft", "Dirty"};

    using K = EParameterKind;
    using L = ELabelRule;
    using C = EControlKind;
    static constexpr long kWidth = 96;
    static constexpr COptionTexts kNoOptions = {nullptr, 0};

    static constexpr CParameterDescription kParameterTable[] = {
        sharedParameter(kMaster,
         {L::kNumber, " dB", C::kKnob, "knob.png", "Master", {400, 310}, {396, 360}, {400, 300}, kWidth, 0, false}),
        sharedParameter(kThreshold,
         {L::kNumber, " dB", C::kKnob, "knob2.png", "Threshold", {100, 65}, {95, 115}, {90, 55}, kWidth, 2, false}),
        sharedParameter(kRatio,
         {L::kReciprocal, " :1", C::kKnob, "knob2.png", "Ratio", {175, 65}, {170, 115}, {180, 55}, kWidth, 3, false}),
        sharedParameter(kAttack,
         {L::kNumber, " ms", C::kKnob, "knob2.png", "Attack", {250, 65}, {240, 115}, {250, 55}, kWidth, 4, false}),
        sharedParameter(kRelease,
         {L::kNumber, " ms", C::kKnob, "knob2.png", "Release", {325, 65}, {315, 115}, {320, 55}, kWidth, 5, false}),
        sharedParameter(kMix,
         {L::kWetDry, " ", C::kKnob, "knob.png", "Mix", {330, 310}, {340, 360}, {340, 300}, kWidth, 1, false}),
        {kEqLow, "EQ Low", "dB", K::kLinear, -20.0f, 20.0f, kNoOptions, 0.5f, false,
         {L::kNumber, " db", C::kKnob, "knob3.png", "Low Gain", {100, 190}, {95, 240}, {95, 180}, kWidth, 7, false}},
        {kEqMid, "EQ Mid", "dB", K::kLinear, -20.0f, 20.0f, kNoOptions, 0.5f, false,
         {L::kNumber, " db", C::kKnob, "knob3.png", "Mid Gain", {175, 190}, {170, 240}, {175, 180}, kWidth, 8, false}},
        {kEqHigh, "EQ High", "dB", K::kLinear, -20.0f, 20.0f, kNoOptions, 0.5f, false,
         {L::kNumber, " db", C::kKnob, "knob3.png", "High Gain", {250, 190}, {245, 240}, {245, 180}, kWidth, 9,
          false}},
        {kSideChain, "SideChain", "", K::kOptions, 0.0f, 1.0f, optionTexts(kSideChainOptions), 0.0f, false,
         {L::kOption, "", C::kLatch, nullptr, "SideChain", {152, 318}, {145, 360}, {140, 300}, kWidth, 15, false}},
        {kMonitor, "Monitor", "", K::kOptions, 0.0f, 1.0f, optionTexts(kMonitorOptions), 0.0f, false,
         {L::kOption, " ", C::kLatch, nullptr, "Monitor", {400, 200}, {395, 240}, {395, 180}, kWidth, 11, false}},
        {kMakeUpGain, "MakeUpGain", "", K::kOptions, 0.0f, 1.0f, optionTexts(kOnOffOptions), 0.0f, false,
         {L::kOption, " ", C::kLatch, nullptr, "Makeup", {282, 318}, {285, 360}, {275, 300}, kWidth, 12, false}},
        {kKeyInput, "Key Input", "", K::kOptions, 0.0f, 1.0f, optionTexts(kKeyOptions), 0.4f, false,
         {L::kOption, "", C::kPopup, nullptr, "SC Input", {92, 318}, {85, 360}, {80, 300}, kWidth, 14, true}},
        {kSoftKnee, "Soft-Knee", "%", K::kLinear, 0.0f, 100.0f, kNoOptions, 0.0f, false,
         {L::kNumber, " %", C::kKnob, "knob2.png", "Knee", {400, 65}, {400, 115}, {405, 55}, kWidth, 6, false}},
        {kValveModelling, "Valve Modelling", "", K::kOptions, 0.0f, 1.0f, optionTexts(kValveOptions), 0.0f, false,
         {L::kOption, "", C::kPopup, nullptr, "Valve", {217, 318}, {210, 360}, {215, 300}, kWidth, 13, true}},
        {kMidSide, "Mid/Side", " ", K::kLinear, -1.0f, 1.0f, kNoOptions, 0.5f, false,
         {L::kNumber, " ", C::kKnob, "knob1.png", "Mid/Side", {325, 190}, {330, 240}, {320, 180}, kWidth, 10,
          false}},
    };
    static_assert(rowsInIndexOrder(kParameterTable), "each row at its own index");

    // Every program is the default one with its own changes.
    static constexpr CProgramDefinition kProgramTable[] = {
        {"Default", {}},
        {"Soft master",
         {{kThreshold, 0.9995f}, {kRatio, 0.6f}, {kAttack, 0.3f}, {kRelease, 0.65f}, {kSoftKnee, 0.25f}}},
        {"Warm master",
         {{kThreshold, 0.9995f}, {kRatio, 0.72f}, {kAttack, 0.0f}, {kRelease, 0.65f}, {kSoftKnee, 0.2f},
          {kValveModelling, 0.4f}}},
        {"Dirty",
         {{kThreshold, 0.95f}, {kRatio, 0.72f}, {kAttack, 0.0f}, {kRelease, 0.65f}, {kSoftKnee, 0.2f},
          {kValveModelling, 1.0f}}},
        {"Guitar",
         {{kThreshold, 0.82f}, {kRatio, 0.6f}, {kAttack, 0.65f}, {kRelease, 0.6f}, {kMakeUpGain, 1.0f},
          {kSoftKnee, 0.2f}, {kValveModelling, 0.4f}}},
        {"Bass",
         {{kThreshold, 0.65f}, {kRatio, 0.75f}, {kAttack, 0.0f}, {kRelease, 0.95f}, {kMakeUpGain, 1.0f},
          {kSoftKnee, 0.5f}}},
        {"------------", {}},
        {"Selvan", {}},
        {"Quarrow", {}},
        {"Audio", {}},
    };
};
} // namespace Holvane
} // namespace Brivant
