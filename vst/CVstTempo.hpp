// Reads the host's transport: tempo, time signature, position and the samples to the next bar.
#pragma once

#include "foundation/basics/CCountedObject.hpp"
#include "vst/CTimeSignature.hpp"

class AudioEffectX;

namespace Brivant
{
namespace Vst
{
class CVstTempo : public Basics::CCountedObject
{
    BRIVANT_CLASS_RECORD(CVstTempo, "CCountedObject");

public:
    struct CTempoRecord
    {
        bool tempoValid = false;
        bool timeSignatureValid = false;
        bool positionValid = false;
        bool barValid = false;
        bool barInformationComplete = false;
        bool samplesPerBeatValid = false;
        bool transportChanged = false;
        bool transportPlaying = false;
        Music::CTimeSignature timeSignature;
        double tempo = 0.0;
        double position = 0.0;
        double barStart = 0.0;
        double samplePosition = 0.0;
        long samplesToNextBar = 0;
        long samplesPerBeat = 0;
    };

    explicit CVstTempo(AudioEffectX* effect);
    CVstTempo(const CVstTempo&) = delete;
    CVstTempo& operator=(const CVstTempo&) = delete;

    // Asks the host for its time information with the given filter (null: no filter); false when it gave none.
    bool getTempoInformation(const long* filter);

    bool isValid() const { return m_valid; }
    const CTempoRecord& getTempoRecord() const { return m_record; }

private:
    AudioEffectX* m_effect;
    bool m_valid;
    CTempoRecord m_record;
};
} // namespace Vst
} // namespace Brivant
