// The block's event list: reading position, bounds and the descriptions of events.
#include "vst/CMidiEventList.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

using Brivant::Midi::CMidiEvent;
using Brivant::Midi::CMidiEventList;

namespace
{
std::string describe(const Brivant::Basics::ICountedObject& object, long size = 256)
{
    char text[256];
    object.getObjectDescription(text, size);
    return text;
}

class CMidiEventListTest : public ::testing::Test
{
protected:
    void addAt(long delta) { ASSERT_TRUE(m_list.addEvent(CMidiEvent(CMidiEvent::kNoteOn, 60, 100, 0, delta))); }

    CMidiEventList m_list;
};

TEST_F(CMidiEventListTest, emptyListYieldsNoEvent)
{
    EXPECT_EQ(nullptr, m_list.getEvent(0));
    EXPECT_EQ(nullptr, m_list.getCurrentEvent());
    EXPECT_FALSE(m_list.hasNextEvent());
    EXPECT_EQ(0, m_list.getSamplesToNextEvent());
    m_list.moveToNextEvent();
    EXPECT_EQ(nullptr, m_list.getCurrentEvent());
    EXPECT_EQ(0, m_list.getReadPosition());
}

TEST_F(CMidiEventListTest, samplesToNextEventFollowTheReadPosition)
{
    addAt(0);
    addAt(10);
    addAt(25);
    m_list.moveToNextEvent();
    EXPECT_EQ(15, m_list.getSamplesToNextEvent());
    EXPECT_TRUE(m_list.hasNextEvent());
    m_list.moveToNextEvent();
    EXPECT_EQ(0, m_list.getSamplesToNextEvent());
    EXPECT_FALSE(m_list.hasNextEvent());
    m_list.moveToNextEvent();
    EXPECT_EQ(0, m_list.getReadPosition()) << "the position wraps at the end";
    EXPECT_EQ(0, m_list.getCurrentEvent()->getDelta());
}

TEST_F(CMidiEventListTest, clearedListNeverYieldsItsOldEvents)
{
    addAt(0);
    addAt(5);
    m_list.moveToNextEvent();
    m_list.clearEvents();
    EXPECT_EQ(nullptr, m_list.getCurrentEvent());
    EXPECT_EQ(nullptr, m_list.getEvent(1));
    EXPECT_EQ(nullptr, m_list.getEvent(-1));
    EXPECT_EQ(0, m_list.getNumberOfEvents());
}

TEST_F(CMidiEventListTest, listHoldsAtMost128Events)
{
    for (long i = 0; i < CMidiEventList::kMaximumEvents; ++i)
        addAt(i);
    EXPECT_FALSE(m_list.addEvent(CMidiEvent()));
    EXPECT_EQ(128, m_list.getNumberOfEvents());
    EXPECT_EQ(127, m_list.getEvent(127)->getDelta());
}

TEST_F(CMidiEventListTest, descriptionsNameTheKindOfMessage)
{
    EXPECT_EQ("[Note On        : Note(060), Velocity(100), Channel(000), Delta(007)]",
              describe(CMidiEvent(0x90, 60, 100, 0, 7)));
    EXPECT_EQ("[Note Off       : Note(060), Velocity(000), Channel(000), Delta(000)]",
              describe(CMidiEvent(0x90, 60, 0, 0, 0)));
    EXPECT_EQ("[Note Off       : Note(061), Velocity(064), Channel(002), Delta(003)]",
              describe(CMidiEvent(0x80, 61, 64, 2, 3)));
    EXPECT_EQ("[Control Change : CC(074), Value(127), Channel(000), Delta(012)]",
              describe(CMidiEvent(0xB0, 74, 127, 0, 12)));
    EXPECT_EQ("[Other Message  : Status(224), Value(000), SubValue(000), Channel(001), Delta(000)]",
              describe(CMidiEvent(0xE0, 0, 0, 1, 0)));
    EXPECT_EQ("[Note", describe(CMidiEvent(0x90, 1, 1, 0, 0), 6));
    addAt(0);
    EXPECT_EQ("[Number Of Events(1), Channel(0)]", describe(m_list));
}

TEST(CMidiEventTest, copiesKeepEveryFieldAndCompareByDelta)
{
    CMidiEvent bend;
    bend.setEvent(CMidiEvent::kPitchBend, 0, 0, 0, 9, 0.5);
    CMidiEvent copy(bend);
    CMidiEvent assigned;
    assigned = bend;
    EXPECT_DOUBLE_EQ(0.5, copy.getPitchValue());
    EXPECT_DOUBLE_EQ(0.5, assigned.getPitchValue());
    EXPECT_EQ(9, assigned.getDelta());
    EXPECT_EQ(0, copy.getReferenceCount());

    CMidiEvent early(0x90, 1, 1, 0, 2);
    EXPECT_TRUE(early < bend);
    EXPECT_TRUE(bend == CMidiEvent(0xB0, 7, 7, 0, 9));
    const CMidiEvent* events[] = {&bend, nullptr, &early};
    std::qsort(events, 3, sizeof(events[0]), CMidiEvent::compareEvents);
    EXPECT_EQ(&early, events[0]);
    EXPECT_EQ(&bend, events[1]);
    EXPECT_EQ(nullptr, events[2]);
}
} // namespace
