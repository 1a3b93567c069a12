#include "vst/CVstTempo.hpp"

#include "foundation/exceptions/CException.hpp"
#include "vst/AudioEffectX.hpp"

#include <cmath>

namespace Brivant
{
namespace Vst
{
namespace
{
bool isPositive(double value)
{
    return std::isfinite(value) && value > 0.0;
}
} // namespace

CVstTempo::CVstTempo(AudioEffectX* effect) : m_effect(effect), m_valid(false)
{
    if (effect == nullptr)
        throw Exceptions::CException("Effect is NULL", "CVstTempo::CVstTempo(AudioEffectX *)", true);
}

bool CVstTempo::getTempoInformation(const long* filter)
{
    if (m_effect == nullptr)
        throw Exceptions::CException("m_theEffect is NULL", "CVstTempo::getTempoInformation(const long *)", true);
    const VstTimeInfo* info = m_effect->getTimeInfo(filter != nullptr ? static_cast<VstInt32>(*filter) : 0);
    if (info == nullptr)
    {
        m_valid = false;
        return false;
    }
    m_valid = true;
    CTempoRecord& record = m_record;
    record.transportChanged = (info->flags & kVstTransportChanged) != 0;
    record.transportPlaying = (info->flags & kVstTransportPlaying) != 0;

    // A tempo of 0 would make a beat infinitely long: such a tempo is no tempo.
    record.tempoValid = (info->flags & kVstTempoValid) != 0 && isPositive(info->tempo);
    record.samplesPerBeatValid = record.tempoValid;
    double samplesPerBeat = record.tempoValid ? info->sampleRate / (info->tempo / 60.0) : 0.0;
    if (!std::isfinite(samplesPerBeat) || samplesPerBeat < 0.0 || samplesPerBeat > 2147483647.0)
        samplesPerBeat = 0.0;
    record.tempo = record.tempoValid ? info->tempo : 0.0;
    record.samplesPerBeat = static_cast<long>(samplesPerBeat);

    // Bars need a positive number of beats and a positive note value.
    record.timeSignatureValid =
        (info->flags & kVstTimeSigValid) != 0 && info->timeSigNumerator > 0 && info->timeSigDenominator > 0;
    if (record.timeSignatureValid)
        record.timeSignature.setTimeSignature(info->timeSigNumerator, info->timeSigDenominator);
    else
        record.timeSignature.setTimeSignature(4, 4);

    record.positionValid = (info->flags & kVstPpqPosValid) != 0;
    record.position = record.positionValid ? info->ppqPos : 0.0;
    record.barValid = (info->flags & kVstBarsValid) != 0;
    record.barStart = record.barValid ? info->barStartPos : 0.0;
    record.samplePosition = info->samplePos;

    record.barInformationComplete = false;
    record.samplesToNextBar = 0;
    if (record.tempoValid && record.timeSignatureValid && record.positionValid && record.barValid &&
        std::isfinite(record.position) && std::isfinite(record.barStart))
    {
        // Beats left in the bar: raised by whole bars while negative, lowered while above one bar.
        double numerator = static_cast<double>(record.timeSignature.getNumerator());
        double beats = 0.0;
        if (record.barStart != record.position)
        {
            beats = numerator + record.barStart - record.position;
            if (beats < 0.0)
            {
                beats = std::fmod(beats, numerator);
                if (beats < 0.0)
                    beats += numerator;
            }
            else if (beats > numerator)
            {
                beats = std::fmod(beats, numerator);
                if (beats == 0.0)
                    beats = numerator;
            }
        }
        double samples = beats * info->sampleRate / (record.tempo / 60.0);
        record.samplesToNextBar =
            std::isfinite(samples) && samples > 0.0 && samples < 2147483647.0 ? static_cast<long>(samples) : 0;
        record.barInformationComplete = true;
    }
    return true;
}
} // namespace Vst
} // namespace Brivant
