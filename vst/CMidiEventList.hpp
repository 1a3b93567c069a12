// The MIDI events of one block: a fixed array of 128, filled in arrival order, with a read position.
#pragma once

#include "vst/CMidiEvent.hpp"

namespace Brivant
{
namespace Midi
{
class CMidiEventList : public Basics::CCountedObject
{
    BRIVANT_CLASS_RECORD(CMidiEventList, "CCountedObject");

public:
    static constexpr long kMaximumEvents = 128;

    CMidiEventList();

    void getObjectDescription(char* text, long size) const override;

    // Null outside 0..count-1.
    CMidiEvent* getEvent(long index);
    // The event at the read position, or null when the position holds none.
    CMidiEvent* getCurrentEvent();
    void moveToNextEvent();
    bool hasNextEvent() const;
    long getSamplesToNextEvent() const;
    void clearEvents();
    // Appends a copy; false when the list is full.
    bool addEvent(const CMidiEvent& event);

    long getNumberOfEvents() const { return m_numberOfEvents; }
    long getReadPosition() const { return m_readPosition; }
    long getChannel() const { return m_channel; }
    void setChannel(long channel) { m_channel = channel; }

private:
    bool holdsEvent(long index) const { return index >= 0 && index < m_numberOfEvents; }

    CMidiEvent m_events[kMaximumEvents];
    long m_channel;
    long m_numberOfEvents;
    long m_readPosition;
};
} // namespace Midi
} // namespace Brivant
