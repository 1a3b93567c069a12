#include "lite/CHolvane.hpp"

#include "lite/CHolvaneEditor.hpp"

#include "gui/core/CWindowAttributes.hpp"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace Brivant
{
namespace Holvane
{
namespace
{
constexpr short kEditorWidth = 500;
constexpr short kEditorHeight = 158;
// The Lite master stage sits 2 dB above the value it shows.
constexpr double kMasterOffsetDb = 2.0;
} // namespace

CHolvane::CHolvane(audioMasterCallback audioMaster) : THolvaneEffect(audioMaster), m_masterGain(1.0)
{
    setNumInputs(2);
    setNumOutputs(2);
    canProcessReplacing();
    setUniqueID(vstFourCharacters("Sqa2"));
    createParameters();
    setInitialDelay(kRingSize);
    primeCompressor(&CCompressorSC::processPlain);
    createPrograms();
    // The editor comes last and reads the values already in place.
    GUI::Windowing::CWindowAttributes attributes;
    attributes.setBackgroundColour(GUI::Basics::CColour::black());
    new CHolvaneEditor(MathTools::CRect(0, 0, kEditorWidth, kEditorHeight), this, &attributes);
}

CHolvane::~CHolvane()
{
    m_compressor.setPointer(nullptr);
    releaseParameters();
}

void CHolvane::parameterChanged(int index, float /*value*/)
{
    if (index == kMaster)
        m_masterGain.store(std::pow(10.0, (static_cast<double>(parameter(kMaster)->getRealValue()) + kMasterOffsetDb) / 20.0),
                           std::memory_order_relaxed);
}

bool CHolvane::getInputProperties(VstInt32 index, VstPinProperties* properties)
{
    return CHolvaneShared::mainPinProperties(index, true, properties);
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
        CCompressorSC* compressor = m_compressor.getPointer();
        for (long done = 0; done < sampleFrames; done += CRun::kFrames)
        {
            const CRun run(inputs, outputs, done, sampleFrames - done);
            const float* mainLeft = run.input(0);
            const float* mainRight = run.input(1);

            for (long i = 0; i < run.frames; ++i)
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
                    if (compressorRuns(compress))
                        compressor->processPlain(m_dryLeft, m_dryRight, m_wetLeft, m_wetRight);
                    peak = std::max(peak, std::max(std::fabs(wetLeft), std::fabs(wetRight)));
                }
                // The ramp lands exactly on its target: added steps can stop one rounding step short.
                mix = done + i + 1 == sampleFrames ? mixTarget : mix + mixStep;
                // out = (dry + (wet - dry) m) master, in double and rounded once when stored.
                const double m = mix;
                const float left = static_cast<float>((dryLeft + (static_cast<double>(wetLeft) - dryLeft) * m) * master);
                const float right =
                    static_cast<float>((dryRight + (static_cast<double>(wetRight) - dryRight) * m) * master);
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
