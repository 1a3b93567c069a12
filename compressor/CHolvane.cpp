#include "compressor/CHolvane.hpp"

#include "editor/CVstWindow.hpp"
#include "foundation/mathtools/CDenormalGuard.hpp"
#include "vst/CHostText.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <iterator>

namespace Brivant
{
namespace Holvane
{
namespace
{
const Basics::CClass& s_record = CHolvane::classRecord();

constexpr int kParameters = CHolvane::kNumberOfParameters;
constexpr short kEditorWidth = 500;
constexpr short kEditorHeight = 400;
constexpr float kSideChainOffset = 1e-15f;
constexpr float kMakeUpFactor = 0.75f;
// Host blocks are walked in runs of this many frames; missing channels read from a silent run.
constexpr long kRunFrames = 64;
const float kSilentRun[kRunFrames] = {};

enum EKeyInput
{
    kKeyLeft,
    kKeyStereo,
    kKeyRight
};

const char* const kSideChainOptions[] = {"Internal", "External"};
const char* const kMonitorOptions[] = {"Output", "Input"};
const char* const kOnOffOptions[] = {"Off", "On"};
const char* const kKeyOptions[] = {"Left", "Stereo", "Right"};
const char* const kValveOptions[] = {"Bypass", "Soft", "Dirty"};

struct CValveSetting
{
    float a;
    float b;
    float outputGain;
};
const CValveSetting kValveSettings[] = {{0.0f, 0.0f, 0.0f}, {1.0f, 2.0f, 0.7f}, {4.0f, 4.0f, 0.4f}};

// Normalised values of the default program; the others differ only where listed.
const CParameterRange kRanges[kParameters] = {
    {-20.0, 20.0}, {-50.0, 0.0}, {0.0, 1.0}, {1.0, 1000.0}, {1.0, 1000.0}, {0.0, 1.0},  {-20.0, 20.0}, {-20.0, 20.0},
    {-20.0, 20.0}, {0.0, 1.0},   {0.0, 1.0}, {0.0, 1.0},    {0.0, 1.0},    {0.0, 100.0}, {0.0, 1.0},   {-1.0, 1.0}};

const float kDefaultValues[kParameters] = {0.5f, 1.0f, 0.0f, 0.25f, 0.5f, 1.0f, 0.5f, 0.5f,
                                           0.5f, 0.0f, 0.0f, 0.0f, 0.4f, 0.0f, 0.0f, 0.5f};

struct CProgramChange
{
    int index;
    float value;
};

struct CProgramDefinition
{
    const char* name;
    CProgramChange changes[8];
    int numberOfChanges;
};

const CProgramDefinition kProgramDefinitions[CHolvane::kNumberOfPrograms] = {
    {"Default", {}, 0},
    {"Soft master", {{1, 0.9995f}, {2, 0.6f}, {3, 0.3f}, {4, 0.65f}, {13, 0.25f}}, 5},
    {"Warm master", {{1, 0.9995f}, {2, 0.72f}, {3, 0.0f}, {4, 0.65f}, {13, 0.2f}, {14, 0.4f}}, 6},
    {"Dirty", {{1, 0.95f}, {2, 0.72f}, {3, 0.0f}, {4, 0.65f}, {13, 0.2f}, {14, 1.0f}}, 6},
    {"Guitar", {{1, 0.82f}, {2, 0.6f}, {3, 0.65f}, {4, 0.6f}, {11, 1.0f}, {13, 0.2f}, {14, 0.4f}}, 7},
    {"Bass", {{1, 0.65f}, {2, 0.75f}, {3, 0.0f}, {4, 0.95f}, {11, 1.0f}, {13, 0.5f}}, 6},
    {"------------", {}, 0},
    {"Selvan", {}, 0},
    {"Quarrow", {}, 0},
    {"Audio", {}, 0}};

// Programs are applied with the band and selector settings first and Master last.
const int kProgramApplyOrder[kParameters] = {6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 1, 2, 3, 4, 5, 0};

float decibelsToGain(float decibels)
{
    return std::pow(10.0f, decibels / 20.0f);
}
} // namespace

struct CHolvane::CBlockSettings
{
    float mixTarget;
    float master;
    float makeUpGain;
    float midWeight;
    float sideWeight;
    int keyInput;
    int valve;
    bool externalKey;
    bool equalise;
    bool compress;
    bool makeUp;
    bool monitorInput;
};

CHolvane::CHolvane(audioMasterCallback audioMaster)
    : CVstEffect(audioMaster, kParameters, kNumberOfPrograms), m_programs(nullptr),
      m_samplingRate(CHolvaneShared::usableSampleRate(0.0f)), m_masterGain(1.0f), m_makeUpGain(1.0f), m_sideChain(0),
      m_midWeight(1.0f), m_sideWeight(1.0f), m_ringPosition(0), m_mix(1.0f)
{
    setNumInputs(4);
    setNumOutputs(2);
    canProcessReplacing();
    setUniqueID(vstFourCharacters("Sqa1"));

    // The editor exists before the programs so that applying program 0 reaches it.
    new Vst::CVstWindow(this, kEditorWidth, kEditorHeight);
    setInitialDelay(kRingSize);

    createParameters();
    primeCompressor();

    CEQ* equaliser = new CEQ();
    equaliser->setSampleRate(m_samplingRate);
    m_equaliser.setPointer(equaliser);
    m_valve.setPointer(new CValveModel());
    m_midSide.setPointer(new CMidSide());
    m_audioBuffer.setPointer(new Audio::TAudioBuffer<float>(2, kRingSize));

    createPrograms();
    m_mix = parameter(kMix)->getRealValue();
}

CHolvane::~CHolvane()
{
    delete[] m_programs;
    m_midSide.setPointer(nullptr);
    m_audioBuffer.setPointer(nullptr);
    m_compressor.setPointer(nullptr);
    m_valve.setPointer(nullptr);
    m_equaliser.setPointer(nullptr);
    for (auto& holder : m_parameters)
        holder.setPointer(nullptr);
}

Basics::CClass& CHolvane::classRecord()
{
    static Basics::CClass record("CHolvane", "CVstEffect");
    return record;
}

const Basics::CClass& CHolvane::getClass() const
{
    return classRecord();
}

void CHolvane::createParameters()
{
    m_parameters[kThreshold].setPointer(new CVstParamFloat("Threshold", "dB", -50.0f, 0.0f, -50.0f));
    m_parameters[kRatio].setPointer(new CVstParamFloat("Ratio", " :1", 0.05f, 1.0f, 0.05f));
    m_parameters[kAttack].setPointer(new CVstParamFloatExp("Attack"));
    m_parameters[kRelease].setPointer(new CVstParamFloatExp("Release"));
    m_parameters[kMaster].setPointer(new CVstParamFloat("Master", "dB", -20.0f, 20.0f, -20.0f));
    m_parameters[kMix].setPointer(new CVstParamFloat("Mix", "mix", 0.0f, 1.0f, 0.0f));
    m_parameters[kEqLow].setPointer(new CVstParamFloat("EQ Low", "dB", -20.0f, 20.0f, -20.0f));
    m_parameters[kEqMid].setPointer(new CVstParamFloat("EQ Mid", "dB", -20.0f, 20.0f, -20.0f));
    m_parameters[kEqHigh].setPointer(new CVstParamFloat("EQ High", "dB", -20.0f, 20.0f, -20.0f));
    m_parameters[kSideChain].setPointer(new CVstParamSelect(2, "SideChain", kSideChainOptions));
    m_parameters[kMonitor].setPointer(new CVstParamSelect(2, "Monitor", kMonitorOptions));
    m_parameters[kMakeUpGain].setPointer(new CVstParamSelect(2, "MakeUpGain", kOnOffOptions));
    m_parameters[kKeyInput].setPointer(new CVstParamSelect(3, "Key Input", kKeyOptions));
    m_parameters[kSoftKnee].setPointer(new CVstParamFloat("Soft-Knee", "%", 0.0f, 100.0f, 0.0f));
    m_parameters[kValveModelling].setPointer(new CVstParamSelect(3, "Valve Modelling", kValveOptions));
    m_parameters[kMidSide].setPointer(new CVstParamFloat("Mid/Side", " ", -1.0f, 1.0f, -1.0f));
}

// Runs a constant 0.5 through the detector so its RMS state starts from a settled value, then empties the ring.
void CHolvane::primeCompressor()
{
    CCompressorSC* compressor = new CCompressorSC();
    compressor->setSampleRate(m_samplingRate);
    compressor->setEnvelope(CCompressorSC::kEnvelopeFloor);
    m_compressor.setPointer(compressor);
    std::fill(std::begin(m_wetLeft), std::end(m_wetLeft), 0.5f);
    for (int pass = 0; pass < kRingSize; ++pass)
        compressor->process(m_wetLeft, m_wetLeft, m_wetLeft, m_wetLeft);
    m_ringPosition.store(0, std::memory_order_relaxed);
    clearRing();
}

// Each program is built by making it current and applying its values: setParameter stores into it.
void CHolvane::createPrograms()
{
    m_programs = new CHolvaneProgram[kNumberOfPrograms];
    for (int program = kNumberOfPrograms - 1; program >= 0; --program)
    {
        m_currentProgram = program;
        for (int index = 0; index < kParameters; ++index)
            setParameter(index, m_programs[program].values[index].load(std::memory_order_relaxed));
        float values[kParameters];
        std::copy(std::begin(kDefaultValues), std::end(kDefaultValues), values);
        const CProgramDefinition& definition = kProgramDefinitions[program];
        for (int change = 0; change < definition.numberOfChanges; ++change)
            values[definition.changes[change].index] = definition.changes[change].value;
        for (int index : kProgramApplyOrder)
            setParameter(index, values[index]);
        CHostText::copyCut(m_programs[program].name, definition.name, CHolvaneProgram::kNameSize - 1);
    }
}

Vst::CVstWindow* CHolvane::editorWindow()
{
    return static_cast<Vst::CVstWindow*>(getEditor());
}

void CHolvane::clearRing()
{
    for (float* ring : {m_wetLeft, m_wetRight, m_dryLeft, m_dryRight, m_keyLeft, m_keyRight})
        std::fill(ring, ring + kRingSize, 0.0f);
}

void CHolvane::resume()
{
    CVstEffect::resume();
    float rate = CHolvaneShared::usableSampleRate(getSampleRate());
    m_samplingRate = rate;
    m_equaliser.getPointer()->setSampleRate(rate);
    m_compressor.getPointer()->setSampleRate(rate);
    m_compressor.getPointer()->setEnvelope(CCompressorSC::kEnvelopeFloor);
    m_ringPosition.store(0, std::memory_order_relaxed);
    clearRing();
}

// Make-up restores what the static curve takes at 0 dB: |T| (1 - s) decibels, less a quarter for safety.
void CHolvane::updateMakeUpGain()
{
    CCompressorSC* compressor = m_compressor.getPointer();
    float threshold = std::fabs(compressor->getThreshold());
    float slope = compressor->getSlope();
    m_makeUpGain.store(decibelsToGain(threshold - slope * threshold) * kMakeUpFactor, std::memory_order_relaxed);
}

void CHolvane::updateEqualiserGains()
{
    m_equaliser.getPointer()->setGains(decibelsToGain(parameter(kEqLow)->getRealValue()),
                                       decibelsToGain(parameter(kEqMid)->getRealValue()),
                                       decibelsToGain(parameter(kEqHigh)->getRealValue()));
}

void CHolvane::setParameter(VstInt32 index, float value)
{
    // Host, MIDI and editor all come through here: a value outside 0..1 is clamped, NaN is no value.
    if (!isParameterIndex(index) || !CHolvaneShared::clampHostValue(value))
        return;
    CVstParam* changed = parameter(index);
    changed->setValue(value);
    m_programs[m_currentProgram].values[index].store(changed->getNormalisedValue(), std::memory_order_relaxed);

    CCompressorSC* compressor = m_compressor.getPointer();
    switch (index)
    {
    case kMaster:
        m_masterGain.store(decibelsToGain(changed->getRealValue()), std::memory_order_relaxed);
        break;
    case kThreshold:
        compressor->setThreshold(changed->getRealValue());
        updateMakeUpGain();
        break;
    case kRatio:
        // The object holds the slope's side of the range: host 0 is 1:1, host 1 is 20:1.
        changed->setValue(1.0f - value);
        compressor->setSlope(changed->getRealValue());
        updateMakeUpGain();
        break;
    case kAttack:
        compressor->getAttack().setTime(changed->getRealValue());
        break;
    case kRelease:
        compressor->getRelease().setTime(changed->getRealValue());
        break;
    case kEqLow:
    case kEqMid:
    case kEqHigh:
        if (m_equaliser.getPointer() != nullptr)
            updateEqualiserGains();
        break;
    case kSideChain:
        m_sideChain.store(changed->getIntegerValue(), std::memory_order_relaxed);
        break;
    case kMakeUpGain:
        updateMakeUpGain();
        break;
    case kSoftKnee:
        compressor->setKnee(changed->getNormalisedValue());
        break;
    case kMidSide:
        // Below the middle the side narrows to mono, above it the mid fades to leave only the side.
        m_midWeight.store(value <= 0.5f ? 1.0f : 2.0f * (1.0f - value), std::memory_order_relaxed);
        m_sideWeight.store(value >= 0.5f ? 1.0f : 2.0f * value, std::memory_order_relaxed);
        break;
    default:
        break;
    }

    Vst::CVstWindow* editor = editorWindow();
    if (editor != nullptr && !editor->isUpdatingEffect())
        editor->updateParameter(index, value);
}

float CHolvane::getParameter(VstInt32 index)
{
    if (!isParameterIndex(index))
        return 0.0f;
    float value = parameter(index)->getNormalisedValue();
    return index == kRatio ? 1.0f - value : value;
}

void CHolvane::setProgram(VstInt32 program)
{
    if (!isProgramIndex(program))
        return;
    CVstEffect::setProgram(program);
    for (int index = 0; index < kParameters; ++index)
        setParameter(index, m_programs[program].values[index].load(std::memory_order_relaxed));
}

void CHolvane::setProgramName(char* name)
{
    CHostText::copyCut(m_programs[m_currentProgram].name, name, CHolvaneProgram::kNameSize - 1);
}

void CHolvane::getProgramName(char* name)
{
    CHostText::copyCut(name, m_programs[m_currentProgram].name, CHolvaneProgram::kNameSize - 1);
}

bool CHolvane::getProgramNameIndexed(VstInt32 /*category*/, VstInt32 index, char* text)
{
    if (!isProgramIndex(index))
        return false;
    CHostText::copyCut(text, m_programs[index].name, CHolvaneProgram::kNameSize - 1);
    return true;
}

void CHolvane::getParameterName(VstInt32 index, char* text)
{
    if (isParameterIndex(index))
        parameter(index)->getName(text);
    else
        *text = 0;
}

void CHolvane::getParameterLabel(VstInt32 index, char* label)
{
    if (isParameterIndex(index))
        parameter(index)->getLabel(label);
    else
        *label = 0;
}

void CHolvane::getParameterDisplay(VstInt32 index, char* text)
{
    if (!isParameterIndex(index))
        *text = 0;
    else if (index == kRatio)
        CHolvaneShared::ratioDisplay(*this, parameter(kRatio)->getRealValue(), text);
    else
        parameter(index)->getDisplayText(text);
}

bool CHolvane::getInputProperties(VstInt32 index, VstPinProperties* properties)
{
    static const char* const kSideChain[][2] = {{"Left sidechain", "xL in"}, {"Right sidechain", "xR in"}};
    if ((index == 2 || index == 3) && properties != nullptr)
    {
        CHolvaneShared::writePin(properties, kSideChain[index - 2][0], kSideChain[index - 2][1]);
        return true;
    }
    return CHolvaneShared::mainPinProperties(index, true, properties);
}

bool CHolvane::getOutputProperties(VstInt32 index, VstPinProperties* properties)
{
    return CHolvaneShared::mainPinProperties(index, false, properties);
}

VstInt32 CHolvane::canDo(char* text)
{
    return CHolvaneShared::canDo(text);
}

// The host extension for real parameter ranges and value texts.
VstIntPtr CHolvane::vendorSpecific(VstInt32 index, VstIntPtr value, void* ptr, float opt)
{
    if (CHolvaneShared::vendorRange(index, value, ptr, kRanges, kParameters) ||
        CHolvaneShared::vendorValueText(index, value, ptr, opt, kParameters))
        return CHolvaneShared::kVendorAnswer;
    // The selectors are named by the host extension itself.
    if (index == effGetParamName &&
        (value == kSideChain || value == kMonitor || value == kMakeUpGain || value == kKeyInput ||
         value == kValveModelling))
        return CHolvaneShared::kVendorAnswer;
    return 0;
}

VstInt32 CHolvane::processEvents(VstEvents* events)
{
    // A second call in the same block brings new events; the earlier ones were applied already.
    long first = getMidiEvents().getNumberOfEvents();
    CVstEffect::processEvents(events);
    CHolvaneShared::applyControlChanges(*this, getMidiEvents(), first, kNumberOfPrograms);
    return 1;
}

void CHolvane::processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames)
{
    Brivant::MathTools::CDenormalGuard denormals;
    processBlock(inputs, outputs, sampleFrames, true);
    CVstEffect::processReplacing(inputs, outputs, sampleFrames);
}

void CHolvane::processAccumulating(float** inputs, float** outputs, long sampleFrames)
{
    Brivant::MathTools::CDenormalGuard denormals;
    processBlock(inputs, outputs, sampleFrames, false);
    CVstEffect::processAccumulating(inputs, outputs, sampleFrames);
}

CHolvane::CBlockSettings CHolvane::readSettings() const
{
    CBlockSettings settings;
    settings.mixTarget = parameter(kMix)->getRealValue();
    settings.master = m_masterGain.load(std::memory_order_relaxed);
    settings.makeUpGain = m_makeUpGain.load(std::memory_order_relaxed);
    settings.midWeight = m_midWeight.load(std::memory_order_relaxed);
    settings.sideWeight = m_sideWeight.load(std::memory_order_relaxed);
    settings.keyInput = parameter(kKeyInput)->getIntegerValue();
    settings.valve = parameter(kValveModelling)->getIntegerValue();
    settings.externalKey = m_sideChain.load(std::memory_order_relaxed) == 1;
    // The equaliser only runs when a band leaves its middle, the compressor only below 0 dB.
    settings.equalise = parameter(kEqLow)->getNormalisedValue() != 0.5f ||
                        parameter(kEqMid)->getNormalisedValue() != 0.5f ||
                        parameter(kEqHigh)->getNormalisedValue() != 0.5f;
    settings.compress = parameter(kThreshold)->getNormalisedValue() != 1.0f;
    settings.makeUp = parameter(kMakeUpGain)->getIntegerValue() == 1;
    settings.monitorInput = parameter(kMonitor)->getIntegerValue() != 0;
    return settings;
}

// The 16 buffered samples as one block: valve on the audio, then the detector's shaping, then the gain.
void CHolvane::runStages(const CBlockSettings& settings)
{
    if (settings.valve == 1 || settings.valve == 2)
    {
        const CValveSetting& valve = kValveSettings[settings.valve];
        m_valve.getPointer()->process(m_wetLeft, m_wetRight, valve.a, valve.b, valve.outputGain);
    }
    if (settings.equalise)
        m_equaliser.getPointer()->process(m_keyLeft, m_keyRight);
    // Mid/side width: key = ((L + R) K +- (L - R) S) / 2.
    for (int i = 0; i < kRingSize; ++i)
    {
        float mid = (m_keyLeft[i] + m_keyRight[i]) * settings.midWeight;
        float side = (m_keyLeft[i] - m_keyRight[i]) * settings.sideWeight;
        m_keyLeft[i] = (mid + side) / 2.0f;
        m_keyRight[i] = (mid - side) / 2.0f;
    }
    if (settings.compress)
        m_compressor.getPointer()->process(m_keyLeft, m_keyRight, m_wetLeft, m_wetRight);
}

void CHolvane::processBlock(float** inputs, float** outputs, long sampleFrames, bool replacing)
{
    const CBlockSettings settings = readSettings();
    float mix = m_mix;
    float peak = 0.0f;
    if (sampleFrames > 0)
    {
        const float mixStep = (settings.mixTarget - mix) / static_cast<float>(sampleFrames);
        // The position is masked on every use: a resume on another thread can only restart the ring.
        int position = m_ringPosition.load(std::memory_order_relaxed) & (kRingSize - 1);
        float discard[kRunFrames];
        for (long done = 0; done < sampleFrames; done += kRunFrames)
        {
            const long run = std::min(kRunFrames, sampleFrames - done);
            auto input = [&](int channel) -> const float* {
                return inputs != nullptr && inputs[channel] != nullptr ? inputs[channel] + done : kSilentRun;
            };
            auto output = [&](int channel) -> float* {
                return outputs != nullptr && outputs[channel] != nullptr ? outputs[channel] + done : nullptr;
            };
            const float* mainLeft = input(0);
            const float* mainRight = input(1);
            const float* keySourceLeft = settings.externalKey ? input(2) : mainLeft;
            const float* keySourceRight = settings.externalKey ? input(3) : mainRight;
            const float keyOffset = settings.externalKey ? kSideChainOffset : 0.0f;
            float* outLeft = output(0);
            float* outRight = output(1);
            bool writeLeft = outLeft != nullptr;
            bool writeRight = outRight != nullptr;
            if (!writeLeft)
                outLeft = discard;
            if (!writeRight)
                outRight = discard;

            for (long i = 0; i < run; ++i)
            {
                const float keyLeft = m_keyLeft[position];
                const float keyRight = m_keyRight[position];
                float newKeyLeft = keySourceLeft[i];
                float newKeyRight = keySourceRight[i];
                if (settings.keyInput == kKeyLeft)
                    newKeyRight = newKeyLeft;
                else if (settings.keyInput == kKeyRight)
                    newKeyLeft = newKeyRight;
                m_keyLeft[position] = newKeyLeft + keyOffset;
                m_keyRight[position] = newKeyRight + keyOffset;

                const float dryLeft = m_dryLeft[position];
                const float dryRight = m_dryRight[position];
                float wetLeft = m_wetLeft[position];
                float wetRight = m_wetRight[position];
                m_dryLeft[position] = m_wetLeft[position] = mainLeft[i];
                m_dryRight[position] = m_wetRight[position] = mainRight[i];

                position = (position + 1) & (kRingSize - 1);
                if (position == 0)
                    runStages(settings);

                if (settings.makeUp)
                {
                    wetLeft *= settings.makeUpGain;
                    wetRight *= settings.makeUpGain;
                }
                mix += mixStep;
                const float sourceLeft = settings.monitorInput ? keyLeft : wetLeft;
                const float sourceRight = settings.monitorInput ? keyRight : wetRight;
                const float left = ((sourceLeft - dryLeft) * mix + dryLeft) * settings.master;
                const float right = ((sourceRight - dryRight) * mix + dryRight) * settings.master;
                peak = std::max(peak, std::max(std::fabs(sourceLeft), std::fabs(sourceRight)));
                if (replacing)
                {
                    outLeft[i] = left;
                    outRight[i] = right;
                }
                else
                {
                    outLeft[i] = (writeLeft ? outLeft[i] : 0.0f) + left;
                    outRight[i] = (writeRight ? outRight[i] : 0.0f) + right;
                }
            }
        }
        m_ringPosition.store(position, std::memory_order_relaxed);
        m_mix = mix;
    }
    Vst::CVstWindow* editor = editorWindow();
    if (editor != nullptr && !editor->isUpdatingEffect())
        editor->updateParameter(kMeterIndex, peak);
}
} // namespace Holvane
} // namespace Brivant
