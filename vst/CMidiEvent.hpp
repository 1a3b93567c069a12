// One MIDI channel message as the effect sees it: status without channel, data, channel and its frame in the block.
#pragma once

#include "foundation/basics/CCountedObject.hpp"

namespace Brivant
{
namespace Midi
{
class CMidiEvent : public Basics::CCountedObject
{
    BRIVANT_CLASS_RECORD(CMidiEvent, "CCountedObject");

public:
    static constexpr long kNoteOff = 0x80;
    static constexpr long kNoteOn = 0x90;
    static constexpr long kControlChange = 0xB0;
    static constexpr long kPitchBend = 0xE0;
    static constexpr long kAllNotesOff = 123;

    CMidiEvent(long status = 0, long value = 0, long subValue = 0, long channel = 1, long delta = 0);
    CMidiEvent(const CMidiEvent& other) = default;
    CMidiEvent& operator=(const CMidiEvent& other);

    void getObjectDescription(char* text, long size) const override;

    void setEvent(long status, long value, long subValue, long channel, long delta, double pitchValue = 0.0);

    long getStatus() const { return m_status; }
    long getValue() const { return m_value; }
    long getSubValue() const { return m_subValue; }
    long getChannel() const { return m_channel; }
    long getDelta() const { return m_delta; }
    double getPitchValue() const { return m_pitchValue; }

    // Events order by their frame in the block alone.
    bool operator==(const CMidiEvent& other) const { return m_delta == other.m_delta; }
    bool operator!=(const CMidiEvent& other) const { return m_delta != other.m_delta; }
    bool operator<(const CMidiEvent& other) const { return m_delta < other.m_delta; }
    bool operator>(const CMidiEvent& other) const { return m_delta > other.m_delta; }
    bool operator<=(const CMidiEvent& other) const { return m_delta <= other.m_delta; }
    bool operator>=(const CMidiEvent& other) const { return m_delta >= other.m_delta; }

    // qsort comparator over event pointers: ascending delta, null entries last.
    static int compareEvents(const void* first, const void* second);

private:
    long m_status;
    long m_value;
    long m_subValue;
    long m_channel;
    long m_delta;
    double m_pitchValue;
};
} // namespace Midi
} // namespace Brivant
