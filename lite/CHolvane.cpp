#include "lite/CHolvane.hpp"

#include "editor/CVstWindow.hpp"
#include "foundation/mathtools/CDenormalGuard.hpp"
#include "vst/CHostText.hpp"

#include <algorithm>
#include <cmath>
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
constexpr short kEditorHeight = 158;
// The Lite master stage sits 2 dB above the value it shows.
constexpr double kMasterOffsetDb = 2.0;
constexpr long kRunFrames = 64;
const float kSilentRun[kRunFrames] = {};

const CParameterRange kRanges[kParameters] = {{-20.0, 20.0}, {-50.0, 0.0},    {0.0, 1.0},
                                              {1.0, 1000.0}, {1.0, 1000.0}, {0.0, 1.0}};

struct CProgramDefinition
{
    const char* name;
    float values[kParameters];
};

const CProgramDefinition kProgramDefinitions[CHolvane::kNumberOfPrograms] = {
    {"Default", {0.5f, 1.0f, 0.0f, 0.25f, 0.5f, 1.0f}},
    {"Mix", {0.505f, 0.8f, 0.6f, 0.0f, 0.72f, 1.0f}},
    {"Bass Guitar", {0.505f, 0.6f, 0.75f, 0.15f, 0.71f, 1.0f}},
    {"Vocals", {0.505f, 0.5f, 0.6f, 0.0f, 0.58f, 1.0f}},
    {"Acoustic Guitar", {0.505f, 0.6f, 0.5f, 0.45f, 0.55f, 1.0f}},
    {"Hard", {0.505f, 0.84f, 1.0f, 0.0f, 0.3f, 1.0f}},
    {"Drums", {0.505f, 0.9f, 0.665f, 0.2f, 0.5f, 1.0f}},
    {"TZN", {0.65f, 0.0f, 1.0f, 0.0f, 0.0f, 1.0f}},
    {"-------", {0.5f, 1.0f, 0.0f, 0.25f, 0.5f, 1.0f}},
    {"Voltura", {0.5f, 1.0f, 0.0f, 0.25f, 0.5f, 1.0f}},
    {"From", {0.5f, 1.0f, 0.0f, 0.25f, 0.5f, 1.0f}},
    {"Selvan", {0.5f, 1.0f, 0.0f, 0.25f, 0.5f, 1.0f}},
    {"Quarrow", {0.5f, 1.0f, 0.0f, 0.25f, 0.5f, 1.0f}}};

// Programs are applied with Master last.
const int kProgramApplyOrder[kParameters] = {1, 2, 3, 4, 5, 0};
} // namespace

CHolvane::CHolvane(audioMasterCallback audioMaster)
    : CVstEffect(audioMaster, kParameters, kNumberOfPrograms), m_programs(nullptr),
      m_samplingRate(CHolvaneShared::usableSampleRate(0.0f)), m_masterGain(1.0), m_ringPosition(0), m_mix(1.0f)
{
    setNumInputs(2);
    setNumOutputs(2);
    canProcessReplacing();
    setUniqueID(vstFourCharacters("Sqa2"));
    createParameters();
    setInitialDelay(kRingSize);
    primeCompressor();
    createPrograms();
    m_mix = parameter(kMix)->getRealValue();
    // The editor comes last and reads the values already in place.
    new Vst::CVstWindow(this, kEditorWidth, kEditorHeight);
}

CHolvane::~CHolvane()
{
    m_compressor.setPointer(nullptr);
    delete[] m_programs;
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
        compressor->processPlain(m_wetLeft, m_wetLeft, m_wetLeft, m_wetLeft);
    m_ringPosition.store(0, std::memory_order_relaxed);
    clearRing();
}

// Each program is built by making it current and applying its values: setParameter stores into it.
void CHolvane::createPrograms()
{
    m_programs = new CProgram[kNumberOfPrograms];
    for (int program = kNumberOfPrograms - 1; program >= 0; --program)
    {
        m_currentProgram = program;
        for (int index = 0; index < kParameters; ++index)
            setParameter(index, m_programs[program].values[index].load(std::memory_order_relaxed));
        const CProgramDefinition& definition = kProgramDefinitions[program];
        for (int index : kProgramApplyOrder)
            setParameter(index, definition.values[index]);
        CHostText::copyCut(m_programs[program].name, definition.name, CProgram::kNameSize - 1);
    }
}

Vst::CVstWindow* CHolvane::editorWindow()
{
    return static_cast<Vst::CVstWindow*>(getEditor());
}

void CHolvane::clearRing()
{
    for (float* ring : {m_wetLeft, m_wetRight, m_dryLeft, m_dryRight})
        std::fill(ring, ring + kRingSize, 0.0f);
}

void CHolvane::resume()
{
    CVstEffect::resume();
    m_samplingRate = CHolvaneShared::usableSampleRate(getSampleRate());
    m_compressor.getPointer()->setSampleRate(m_samplingRate);
    m_compressor.getPointer()->setEnvelope(CCompressorSC::kEnvelopeFloor);
    m_ringPosition.store(0, std::memory_order_relaxed);
    clearRing();
}

void CHolvane::setParameter(VstInt32 index, float value)
{
    if (!isParameterIndex(index) || !CHolvaneShared::clampHostValue(value))
        return;
    CVstParam* changed = parameter(index);
    changed->setValue(value);
    m_programs[m_currentProgram].values[index].store(changed->getNormalisedValue(), std::memory_order_relaxed);

    CCompressorSC* compressor = m_compressor.getPointer();
    switch (index)
    {
    case kMaster:
        m_masterGain.store(std::pow(10.0, (static_cast<double>(changed->getRealValue()) + kMasterOffsetDb) / 20.0),
                           std::memory_order_relaxed);
        break;
    case kThreshold:
        compressor->setThreshold(changed->getRealValue());
        break;
    case kRatio:
        // The object holds the slope's side of the range: host 0 is 1:1, host 1 is 20:1.
        changed->setValue(1.0f - value);
        compressor->setSlope(changed->getRealValue());
        break;
    case kAttack:
        compressor->getAttack().setTime(changed->getRealValue());
        break;
    case kRelease:
        compressor->getRelease().setTime(changed->getRealValue());
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
    CHostText::copyCut(m_programs[m_currentProgram].name, name, CProgram::kNameSize - 1);
}

void CHolvane::getProgramName(char* name)
{
    CHostText::copyCut(name, m_programs[m_currentProgram].name, CProgram::kNameSize - 1);
}

bool CHolvane::getProgramNameIndexed(VstInt32 /*category*/, VstInt32 index, char* text)
{
    if (!isProgramIndex(index))
        return false;
    CHostText::copyCut(text, m_programs[index].name, CProgram::kNameSize - 1);
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

VstIntPtr CHolvane::vendorSpecific(VstInt32 index, VstIntPtr value, void* ptr, float opt)
{
    if (CHolvaneShared::vendorRange(index, value, ptr, kRanges, kParameters) ||
        CHolvaneShared::vendorValueText(index, value, ptr, opt, kParameters))
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

void CHolvane::processBlock(float** inputs, float** outputs, long sampleFrames, bool replacing)
{
    const float mixTarget = parameter(kMix)->getRealValue();
    const double master = m_masterGain.load(std::memory_order_relaxed);
    const bool compress = parameter(kThreshold)->getNormalisedValue() != 1.0f;
    float mix = m_mix;
    float peak = 0.0f;
    if (sampleFrames > 0)
    {
        const float mixStep = (mixTarget - mix) / static_cast<float>(sampleFrames);
        // The position is masked on every use: a resume on another thread can only restart the ring.
        int position = m_ringPosition.load(std::memory_order_relaxed) & (kRingSize - 1);
        float discard[kRunFrames];
        CCompressorSC* compressor = m_compressor.getPointer();
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
            float* outLeft = output(0);
            float* outRight = output(1);
            const bool writeLeft = outLeft != nullptr;
            const bool writeRight = outRight != nullptr;
            if (!writeLeft)
                outLeft = discard;
            if (!writeRight)
                outRight = discard;

            for (long i = 0; i < run; ++i)
            {
                const float dryLeft = m_dryLeft[position];
                const float dryRight = m_dryRight[position];
                const float wetLeft = m_wetLeft[position];
                const float wetRight = m_wetRight[position];
                m_dryLeft[position] = m_wetLeft[position] = mainLeft[i];
                m_dryRight[position] = m_wetRight[position] = mainRight[i];
                position = (position + 1) & (kRingSize - 1);
                if (position == 0)
                {
                    // The input itself is the detector; the meter samples once per ring.
                    if (compress)
                        compressor->processPlain(m_dryLeft, m_dryRight, m_wetLeft, m_wetRight);
                    peak = std::max(peak, std::max(std::fabs(wetLeft), std::fabs(wetRight)));
                }
                mix += mixStep;
                // out = (dry + (wet - dry) m) master, in double and rounded once when stored.
                const double m = mix;
                const float left = static_cast<float>((dryLeft + (static_cast<double>(wetLeft) - dryLeft) * m) * master);
                const float right =
                    static_cast<float>((dryRight + (static_cast<double>(wetRight) - dryRight) * m) * master);
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
