// The block's event list, filled from the host's event block: MIDI channel messages of the list's channel only.
#pragma once

#include "vst/CMidiEventList.hpp"
#include "vst/VstProtocol.hpp"

namespace Brivant
{
namespace Vst
{
class CVstMidiEventList : public Midi::CMidiEventList
{
public:
    static Basics::CClass& classRecord();
    const Basics::CClass& getClass() const override;

    // Appends what the effect understands (notes, control changes, pitch bend) until the list is full;
    // answers how many were appended. A malformed block is skipped without touching anything.
    long addHostEvents(const VstEvents* events);

private:
    Basics::TInstanceCount<CVstMidiEventList> m_instanceCount;
};
} // namespace Vst
} // namespace Brivant
