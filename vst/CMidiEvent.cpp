#include "vst/CMidiEvent.hpp"

#include <cstdio>

namespace Brivant
{
namespace Midi
{
namespace
{
}

CMidiEvent::CMidiEvent(long status, long value, long subValue, long channel, long delta)
    : m_status(status), m_value(value), m_subValue(subValue), m_channel(channel), m_delta(delta), m_pitchValue(0.0)
{
}

// Every field travels with a copy, the pitch value included, so a copied bend still bends.
CMidiEvent& CMidiEvent::operator=(const CMidiEvent& other)
{
    if (this != &other)
        setEvent(other.m_status, other.m_value, other.m_subValue, other.m_channel, other.m_delta, other.m_pitchValue);
    return *this;
}

void CMidiEvent::setEvent(long status, long value, long subValue, long channel, long delta, double pitchValue)
{
    m_status = status;
    m_value = value;
    m_subValue = subValue;
    m_channel = channel;
    m_delta = delta;
    m_pitchValue = pitchValue;
}

void CMidiEvent::getObjectDescription(char* text, long size) const
{
    if (text == nullptr || size <= 0)
        return;
    size_t room = static_cast<size_t>(size);
    if (m_status == kNoteOff || (m_status == kNoteOn && m_subValue == 0))
        std::snprintf(text, room, "[Note Off       : Note(%03li), Velocity(%03li), Channel(%03li), Delta(%03li)]",
                      m_value, m_subValue, m_channel, m_delta);
    else if (m_status == kNoteOn)
        std::snprintf(text, room, "[Note On        : Note(%03li), Velocity(%03li), Channel(%03li), Delta(%03li)]",
                      m_value, m_subValue, m_channel, m_delta);
    else if (m_status == kControlChange)
        std::snprintf(text, room, "[Control Change : CC(%03li), Value(%03li), Channel(%03li), Delta(%03li)]",
                      m_value, m_subValue, m_channel, m_delta);
    else
        std::snprintf(text, room,
                      "[Other Message  : Status(%03li), Value(%03li), SubValue(%03li), Channel(%03li), Delta(%03li)]",
                      m_status, m_value, m_subValue, m_channel, m_delta);
}

int CMidiEvent::compareEvents(const void* first, const void* second)
{
    const CMidiEvent* a = *static_cast<const CMidiEvent* const*>(first);
    const CMidiEvent* b = *static_cast<const CMidiEvent* const*>(second);
    if (a == b)
        return 0;
    if (a == nullptr)
        return 1;
    if (b == nullptr)
        return -1;
    return a->m_delta < b->m_delta ? -1 : (a->m_delta > b->m_delta ? 1 : 0);
}
} // namespace Midi
} // namespace Brivant
