// A host event block of any size, made of three-byte MIDI messages, as hosts hand it to effProcessEvents.
#pragma once

#include "vst/VstProtocol.hpp"

#include <vector>

namespace VolturaTests
{
class CEventBlock
{
public:
    void add(unsigned char status, unsigned char first, unsigned char second, VstInt32 delta = 0)
    {
        VstMidiEvent event{};
        event.type = kVstMidiType;
        event.byteSize = sizeof(VstMidiEvent);
        event.deltaFrames = delta;
        event.midiData[0] = static_cast<char>(status);
        event.midiData[1] = static_cast<char>(first);
        event.midiData[2] = static_cast<char>(second);
        m_events.push_back(event);
    }

    // On MIDI channel 1.
    void controlChange(unsigned char controller, unsigned char value) { add(0xB0, controller, value); }

    // Valid until the next build or the block's end; building allocates, so build before measuring allocations.
    VstEvents* build()
    {
        m_storage.assign(sizeof(VstEvents) + m_events.size() * sizeof(VstEvent*), 0);
        VstEvents* block = reinterpret_cast<VstEvents*>(m_storage.data());
        block->numEvents = static_cast<VstInt32>(m_events.size());
        for (size_t i = 0; i < m_events.size(); ++i)
            block->events[i] = reinterpret_cast<VstEvent*>(&m_events[i]);
        return block;
    }

private:
    std::vector<VstMidiEvent> m_events;
    std::vector<unsigned char> m_storage;
};
} // namespace VolturaTests
