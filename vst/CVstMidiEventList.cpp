#include "vst/CVstMidiEventList.hpp"

namespace Brivant
{
namespace Vst
{
namespace
{
const Basics::CClass& s_record = CVstMidiEventList::classRecord();
constexpr long kResetAllControllers = 126;
constexpr long kAllNotesOffController = 123;
constexpr double kPitchCentre = 8192.0;

// Data bytes carry seven bits; a host's stray high bit must not make a note 200.
long dataByte(char byte)
{
    return static_cast<unsigned char>(byte) & 0x7F;
}
} // namespace

Basics::CClass& CVstMidiEventList::classRecord()
{
    static Basics::CClass record("CVstMidiEventList", "CMidiEventList");
    return record;
}

const Basics::CClass& CVstMidiEventList::getClass() const
{
    return classRecord();
}

long CVstMidiEventList::addHostEvents(const VstEvents* events)
{
    if (events == nullptr || events->numEvents <= 0)
        return 0;
    long appended = 0;
    for (VstInt32 i = 0; i < events->numEvents && getNumberOfEvents() < kMaximumEvents; ++i)
    {
        const VstEvent* event = events->events[i];
        if (event == nullptr || event->type != kVstMidiType)
            continue;
        const VstMidiEvent* midi = reinterpret_cast<const VstMidiEvent*>(event);
        long statusByte = static_cast<unsigned char>(midi->midiData[0]);
        long channel = statusByte & 0x0F;
        if (channel != getChannel())
            continue;
        long status = statusByte & 0xF0;
        long first = dataByte(midi->midiData[1]);
        long second = dataByte(midi->midiData[2]);
        long delta = midi->deltaFrames;
        Midi::CMidiEvent stored;
        switch (status)
        {
        case Midi::CMidiEvent::kNoteOff:
        case Midi::CMidiEvent::kNoteOn:
            stored.setEvent(status, first, second, channel, delta);
            break;
        case Midi::CMidiEvent::kControlChange:
            if (first == kResetAllControllers || first == kAllNotesOffController)
                stored.setEvent(Midi::CMidiEvent::kAllNotesOff, 0, 0, channel, delta);
            else
                stored.setEvent(status, first, second, channel, delta);
            break;
        case Midi::CMidiEvent::kPitchBend:
            // 14 bits around the centre 8192: -1 .. just under 1.
            stored.setEvent(status, 0, 0, channel, delta, (first + 128.0 * second) / kPitchCentre - 1.0);
            break;
        default:
            continue;
        }
        addEvent(stored);
        ++appended;
    }
    return appended;
}
} // namespace Vst
} // namespace Brivant
