#include "vst/CMidiEventList.hpp"

#include <cstdio>

namespace Brivant
{
namespace Midi
{
namespace
{
}

CMidiEventList::CMidiEventList() : m_channel(0), m_numberOfEvents(0), m_readPosition(0)
{
}

void CMidiEventList::getObjectDescription(char* text, long size) const
{
    if (text == nullptr || size <= 0)
        return;
    std::snprintf(text, static_cast<size_t>(size), "[Number Of Events(%li), Channel(%li)]", m_numberOfEvents,
                  m_channel);
}

CMidiEvent* CMidiEventList::getEvent(long index)
{
    return holdsEvent(index) ? &m_events[index] : nullptr;
}

CMidiEvent* CMidiEventList::getCurrentEvent()
{
    return getEvent(m_readPosition);
}

void CMidiEventList::moveToNextEvent()
{
    ++m_readPosition;
    if (m_readPosition >= m_numberOfEvents)
        m_readPosition = 0;
}

bool CMidiEventList::hasNextEvent() const
{
    return holdsEvent(m_readPosition) && m_readPosition + 1 < m_numberOfEvents;
}

long CMidiEventList::getSamplesToNextEvent() const
{
    if (!hasNextEvent())
        return 0;
    return m_events[m_readPosition + 1].getDelta() - m_events[m_readPosition].getDelta();
}

void CMidiEventList::clearEvents()
{
    m_numberOfEvents = 0;
    m_readPosition = 0;
}

bool CMidiEventList::addEvent(const CMidiEvent& event)
{
    if (m_numberOfEvents >= kMaximumEvents)
        return false;
    m_events[m_numberOfEvents++] = event;
    return true;
}
} // namespace Midi
} // namespace Brivant
