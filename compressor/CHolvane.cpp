#include "compressor/CHolvane.hpp"

#include "editor/CHolvaneEditor.hpp"
#include "gui/core/CWindowAttributes.hpp"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <iterator>

namespace Brivant
{
namespace Holvane
{
namespace
{
constexpr short kEditorWidth = 500;
constexpr short kEditorHeight = 400;
constexpr float kSideChainOffset = 1e-15f;
constexpr float kMakeUpFactor = 0.75f;

enum EKeyInput
{
    kKeyLeft,
    kKeyStereo,
    kKeyRight
};

struct CValveSetting
{
    float a;
    float b;
    float outputGain;
};
const CValveSetting kValveSettings[] = {{0.0f, 0.0f, 0.0f}, {1.0f, 2.0f, 0.7f}, {4.0f, 4.0f, 0.4f}};

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
    : THolvaneEffect(audioMaster), m_masterGain(1.0f), m_makeUpGain(1.0f), m_sideChain(0), m_midWeight(1.0f),
      m_sideWeight(1.0f), m_equaliserLeftOut(false)
{
    setNumInputs(4);
    setNumOutputs(2);
    canProcessReplacing();
    setUniqueID(vstFourCharacters("Sqa1"));

    // The editor exists before the programs so that applying program 0 reaches it.
    GUI::Windowing::CWindowAttributes attributes;
    attributes.setWindowName(Basics::CString("Voltura"));
    attributes.setBackgroundColour(GUI::Basics::CColour::black());
    attributes.setDropShadow(true);
    new CHolvaneEditor(MathTools::CRect(0, 0, kEditorWidth, kEditorHeight), this, &attributes);
    setInitialDelay(kRingSize);

    createParameters();
    primeCompressor(&CCompressorSC::process);

    CEQ* equaliser = new CEQ();
    equaliser->setSampleRate(m_samplingRate);
    m_equaliser.setPointer(equaliser);
    m_valve.setPointer(new CValveModel());
    m_midSide.setPointer(new CMidSide());
    m_audioBuffer.setPointer(new Audio::TAudioBuffer<float>(2, kRingSize));

    createPrograms();
}

CHolvane::~CHolvane()
{
    m_midSide.setPointer(nullptr);
    m_audioBuffer.setPointer(nullptr);
    m_compressor.setPointer(nullptr);
    m_valve.setPointer(nullptr);
    m_equaliser.setPointer(nullptr);
    releaseParameters();
}

void CHolvane::clearRing()
{
    THolvaneEffect::clearRing();
    std::fill(std::begin(m_keyLeft), std::end(m_keyLeft), 0.0f);
    std::fill(std::begin(m_keyRight), std::end(m_keyRight), 0.0f);
}

void CHolvane::resume()
{
    THolvaneEffect::resume();
    m_equaliser.getPointer()->setSampleRate(m_samplingRate);
}

// Make-up restores what the static curve takes at 0 dB: |T| (1 - s) decibels, less a quarter for safety. Threshold
// and Ratio set on two threads at once can each read the other's old value; whoever finds after its store that
// either has moved on computes again, so the last store is always of the last pair.
void CHolvane::updateMakeUpGain()
{
    CCompressorSC* compressor = m_compressor.getPointer();
    for (;;)
    {
        const float threshold = compressor->getThreshold();
        const float slope = compressor->getSlope();
        const float magnitude = std::fabs(threshold);
        m_makeUpGain.store(decibelsToGain(magnitude - slope * magnitude) * kMakeUpFactor);
        if (compressor->getThreshold() == threshold && compressor->getSlope() == slope)
            return;
    }
}

// Each band's gain follows its own parameter alone: storing all three on any change would let two bands set on
// two threads at once each write back the other's old value.
void CHolvane::updateEqualiserGain(int index, float decibels)
{
    CEQ* equaliser = m_equaliser.getPointer();
    const float gain = decibelsToGain(decibels);
    if (index == kEqLow)
        equaliser->setLowGain(gain);
    else if (index == kEqMid)
        equaliser->setMidGain(gain);
    else
        equaliser->setHighGain(gain);
}

void CHolvane::parameterChanged(int index, float value)
{
    CVstParam* changed = parameter(index);
    switch (index)
    {
    case kMaster:
        m_masterGain.store(decibelsToGain(changed->getRealValue()), std::memory_order_relaxed);
        break;
    case kThreshold:
    case kRatio:
    case kMakeUpGain:
        updateMakeUpGain();
        break;
    case kEqLow:
    case kEqMid:
    case kEqHigh:
        if (m_equaliser.getPointer() != nullptr)
            updateEqualiserGain(index, changed->getRealValue());
        break;
    case kSideChain:
        m_sideChain.store(changed->getIntegerValue(), std::memory_order_relaxed);
        break;
    case kSoftKnee:
        m_compressor.getPointer()->setKnee(changed->getNormalisedValue());
        break;
    case kMidSide:
        // Below the middle the side narrows to mono, above it the mid fades to leave only the side.
        m_midWeight.store(value <= 0.5f ? 1.0f : 2.0f * (1.0f - value), std::memory_order_relaxed);
        m_sideWeight.store(value >= 0.5f ? 1.0f : 2.0f * value, std::memory_order_relaxed);
        break;
    default:
        break;
    }
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
    {
        // Left out while flat, its state stood still: it comes back as a new one would, not with what it held then.
        if (m_equaliserLeftOut)
            m_equaliser.getPointer()->reset();
        m_equaliser.getPointer()->process(m_keyLeft, m_keyRight);
    }
    m_equaliserLeftOut = !settings.equalise;
    // Mid/side width: key = ((L + R) K +- (L - R) S) / 2.
    for (int i = 0; i < kRingSize; ++i)
    {
        float mid = (m_keyLeft[i] + m_keyRight[i]) * settings.midWeight;
        float side = (m_keyLeft[i] - m_keyRight[i]) * settings.sideWeight;
        m_keyLeft[i] = (mid + side) / 2.0f;
        m_keyRight[i] = (mid - side) / 2.0f;
    }
    if (compressorRuns(settings.compress))
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
        for (long done = 0; done < sampleFrames; done += CRun::kFrames)
        {
            const CRun run(inputs, outputs, done, sampleFrames - done);
            const float* mainLeft = run.input(0);
            const float* mainRight = run.input(1);
            const float* keySourceLeft = settings.externalKey ? run.input(2) : mainLeft;
            const float* keySourceRight = settings.externalKey ? run.input(3) : mainRight;
            const float keyOffset = settings.externalKey ? kSideChainOffset : 0.0f;

            for (long i = 0; i < run.frames; ++i)
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
                // The ramp lands exactly on its target: added steps can stop one rounding step short.
                mix = done + i + 1 == sampleFrames ? settings.mixTarget : mix + mixStep;
                const float sourceLeft = settings.monitorInput ? keyLeft : wetLeft;
                const float sourceRight = settings.monitorInput ? keyRight : wetRight;
                const float left = ((sourceLeft - dryLeft) * mix + dryLeft) * settings.master;
                const float right = ((sourceRight - dryRight) * mix + dryRight) * settings.master;
                peak = std::max(peak, std::max(std::fabs(sourceLeft), std::fabs(sourceRight)));
                run.write(i, left, right, replacing);
            }
        }
        m_ringPosition.store(position, std::memory_order_relaxed);
        m_mix = mix;
    }
    reportPeak(kMeterIndex, peak);
}
} // namespace Holvane
} // namespace Brivant
