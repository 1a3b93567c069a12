// The growable pointer array: growth by 32, holes after removal, reordering, clearing and the policies' part.
#include "../basics/CAllocationFailure.hpp"
#include "../basics/CCountChange.hpp"
#include "../basics/CTestVehicle.hpp"
#include "CRecordingPolicy.hpp"
#include "foundation/collections/TCountedPointerArray.hpp"
#include "foundation/collections/TPointerCollection.hpp"

#include <gtest/gtest.h>

#include <new>
#include <vector>

using Brivant::Collections::TCountedPointerArray;
using Brivant::Collections::TObjectDeleter;
using Brivant::Collections::TObjectNuller;
using Brivant::Collections::TPointerCollection;
using Brivant::Testing::CAllocationFailure;
using VolturaTests::CCountChange;
using VolturaTests::CTestVehicle;

namespace
{
using Policy = VolturaTests::CRecordingPolicy<CTestVehicle>;
using Event = Policy::Event;

class TPointerCollectionTest : public ::testing::Test
{
protected:
    TPointerCollectionTest() : m_vehicles(40) {}

    void addVehicles(long count)
    {
        for (long index = 0; index < count; ++index)
        {
            m_collection.addElement(vehicle(index));
        }
    }

    CTestVehicle* vehicle(long index) { return &m_vehicles[static_cast<std::size_t>(index)]; }

    std::vector<CTestVehicle> m_vehicles;
    Policy m_policy;
    TPointerCollection<CTestVehicle> m_collection{&m_policy};
};

TEST_F(TPointerCollectionTest, growsBy32SlotsKeepingElementsInPlace)
{
    EXPECT_EQ(0, m_collection.getArraySize());
    EXPECT_EQ(nullptr, m_collection.getElementAt(0));
    addVehicles(1);
    EXPECT_EQ(32, m_collection.getArraySize());
    addVehicles(32);
    EXPECT_EQ(64, m_collection.getArraySize());
    EXPECT_EQ(33, m_collection.getInsertIndex());
    EXPECT_EQ(vehicle(0), m_collection.getElementAt(0));
    EXPECT_EQ(vehicle(31), m_collection.getElementAt(32));
    EXPECT_EQ(nullptr, m_collection.getElementAt(33));
    EXPECT_EQ(nullptr, m_collection.getElementAt(-1));
    EXPECT_EQ(nullptr, m_collection.getElementAt(64));
}

TEST_F(TPointerCollectionTest, policyHearsOfAddsAndRemovalLeavesAHole)
{
    addVehicles(3);
    m_collection.addElement(vehicle(0));
    m_collection.addElement(nullptr);
    EXPECT_EQ((Event{"added", nullptr}), m_policy.events.back());
    EXPECT_EQ(0, m_collection.getIndexOfElement(vehicle(0)));
    m_policy.events.clear();
    m_collection.removeElementAt(1);
    EXPECT_EQ((std::vector<Event>{{"deleted", vehicle(1)}}), m_policy.events);
    EXPECT_EQ(nullptr, m_collection.getElementAt(1));
    EXPECT_EQ(vehicle(2), m_collection.getElementAt(2));
    EXPECT_EQ(32, m_collection.getArraySize());
    EXPECT_EQ(5, m_collection.getInsertIndex());
    EXPECT_EQ(-1, m_collection.getIndexOfElement(vehicle(1)));
    m_collection.removeElementAt(1);
    m_collection.removeElementAt(-1);
    m_collection.removeElementAt(32);
    EXPECT_EQ(1u, m_policy.events.size());
}

TEST_F(TPointerCollectionTest, reorderClosesHolesAndResizeFitsTheArrayToItsElements)
{
    addVehicles(3);
    m_collection.removeElementAt(1);
    m_collection.reorderArray(false);
    EXPECT_EQ(vehicle(2), m_collection.getElementAt(1));
    EXPECT_EQ(nullptr, m_collection.getElementAt(2));
    EXPECT_EQ(2, m_collection.getInsertIndex());
    EXPECT_EQ(32, m_collection.getArraySize());
    m_collection.reorderArray(true);
    EXPECT_EQ(2, m_collection.getArraySize());
    EXPECT_EQ(vehicle(2), m_collection.getElementAt(1));
    m_collection.addElement(vehicle(3));
    EXPECT_EQ(34, m_collection.getArraySize());
    EXPECT_EQ(vehicle(3), m_collection.getElementAt(2));

    m_collection.clearArray();
    addVehicles(32);
    m_collection.reorderArray(true);
    EXPECT_EQ(32, m_collection.getArraySize());
    EXPECT_EQ(vehicle(31), m_collection.getElementAt(31));
    for (long index = 0; index < 32; ++index)
    {
        m_collection.removeElementAt(index);
    }
    m_collection.reorderArray(true);
    EXPECT_EQ(0, m_collection.getArraySize());
    EXPECT_EQ(0, m_collection.getInsertIndex());
    addVehicles(1);
    EXPECT_EQ(32, m_collection.getArraySize());
}

TEST_F(TPointerCollectionTest, clearArrayReleasesEveryElementInIndexOrder)
{
    addVehicles(3);
    m_collection.removeElementAt(1);
    m_policy.events.clear();
    m_collection.clearArray();
    EXPECT_EQ((std::vector<Event>{{"deleted", vehicle(0)}, {"deleted", vehicle(2)}}), m_policy.events);
    EXPECT_EQ(0, m_collection.getArraySize());
    EXPECT_EQ(0, m_collection.getInsertIndex());
    EXPECT_EQ(nullptr, m_collection.getElementAt(0));
    addVehicles(1);
    EXPECT_EQ(32, m_collection.getArraySize());
}

TEST_F(TPointerCollectionTest, objectDeleterDeletesOnRemovalAndClearButNullerAndNoPolicyDoNot)
{
    int destructions = 0;
    TPointerCollection<CTestVehicle> owning(&TObjectDeleter<CTestVehicle>::sharedPolicy());
    owning.addElement(new CTestVehicle(&destructions));
    owning.addElement(new CTestVehicle(&destructions));
    owning.removeElementAt(0);
    EXPECT_EQ(1, destructions);
    owning.clearArray();
    EXPECT_EQ(2, destructions);

    CTestVehicle kept(&destructions);
    {
        TPointerCollection<CTestVehicle> nulled(&TObjectNuller<CTestVehicle>::sharedPolicy());
        TPointerCollection<CTestVehicle> unowned(nullptr);
        nulled.addElement(&kept);
        unowned.addElement(&kept);
        nulled.removeElementAt(0);
        unowned.removeElementAt(0);
    }
    EXPECT_EQ(2, destructions);
    EXPECT_EQ(0, kept.getReferenceCount());
}

// Adds whose growth fails; the collection stays as it was and takes the next element.
template <class Collection>
void addWithoutRoom(Collection& collection, CTestVehicle* element)
{
    CAllocationFailure::failAt(1);
    EXPECT_THROW(collection.addElement(element), std::bad_alloc);
    CAllocationFailure::disarm();
}

TEST_F(TPointerCollectionTest, anElementThatFindsNoRoomIsTakenAndLetGoAtOnce)
{
    addVehicles(32);
    m_policy.events.clear();
    addWithoutRoom(m_collection, vehicle(32));
    EXPECT_EQ((std::vector<Event>{{"added", vehicle(32)}, {"deleted", vehicle(32)}}), m_policy.events);
    EXPECT_EQ(32, m_collection.getArraySize());
    EXPECT_EQ(32, m_collection.getInsertIndex());
    m_collection.addElement(vehicle(32));
    EXPECT_EQ(vehicle(32), m_collection.getElementAt(32));

    // A new object goes; one referenced elsewhere keeps its count; one the collection would not own is untouched.
    int destructions = 0;
    auto* held = new CTestVehicle(&destructions);
    held->referenced();
    TCountedPointerArray<CTestVehicle> counted;
    addWithoutRoom(counted, new CTestVehicle(&destructions));
    addWithoutRoom(counted, held);
    EXPECT_EQ(1, destructions);
    EXPECT_EQ(1, held->getReferenceCount());
    TPointerCollection<CTestVehicle> owning(&TObjectDeleter<CTestVehicle>::sharedPolicy());
    addWithoutRoom(owning, new CTestVehicle(&destructions));
    EXPECT_EQ(2, destructions);
    TPointerCollection<CTestVehicle> nulled(&TObjectNuller<CTestVehicle>::sharedPolicy());
    TPointerCollection<CTestVehicle> unowned(nullptr);
    addWithoutRoom(nulled, held);
    addWithoutRoom(unowned, held);
    EXPECT_EQ(2, destructions);
    EXPECT_EQ(1, held->getReferenceCount());
    EXPECT_EQ(0, counted.getArraySize() + owning.getArraySize() + nulled.getArraySize() + unowned.getArraySize());
    held->dereference();
    EXPECT_EQ(3, destructions);
}

TEST_F(TPointerCollectionTest, recordIsNamedAfterTheElementTypeAndCountsEachCollection)
{
    const auto& record = TPointerCollection<CTestVehicle>::classRecord();
    EXPECT_STREQ("TPointerCollection<CTestVehicle>", record.getClassName());
    EXPECT_STREQ("CCountedObject", record.getParentName());
    EXPECT_EQ(&record, &m_collection.getClass());
    CCountChange change(record);
    {
        TPointerCollection<CTestVehicle> other(nullptr);
        EXPECT_EQ(1, change.live());
    }
    EXPECT_EQ(0, change.live());
    EXPECT_EQ(1, change.total());
}
} // namespace
