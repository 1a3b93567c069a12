// The counted collection: one reference per element, released on removal, clearing and destruction.
#include "../basics/CCountChange.hpp"
#include "../basics/CTestVehicle.hpp"
#include "foundation/collections/TCountedPointerArray.hpp"

#include <gtest/gtest.h>

using Brivant::Basics::CCountedObject;
using Brivant::Collections::TCountedPointerArray;
using Brivant::Collections::TPointerCollection;
using VolturaTests::CCountChange;
using VolturaTests::CTestVehicle;

namespace
{
class TCountedPointerArrayTest : public ::testing::Test
{
protected:
    int m_destructions = 0;
    TCountedPointerArray<CTestVehicle> m_array;
};

TEST_F(TCountedPointerArrayTest, eachSlotHoldsOneReference)
{
    CTestVehicle vehicle;
    m_array.addElement(&vehicle);
    m_array.addElement(&vehicle);
    m_array.addElement(nullptr);
    EXPECT_EQ(2, vehicle.getReferenceCount());
    m_array.removeElementAt(0);
    EXPECT_EQ(1, vehicle.getReferenceCount());
    m_array.removeElementAt(1);
    EXPECT_EQ(0, vehicle.getReferenceCount());
}

TEST_F(TCountedPointerArrayTest, releaseDeletesElementsReferencedNowhereElse)
{
    auto* lonely = new CTestVehicle(&m_destructions);
    auto* shared = new CTestVehicle(&m_destructions);
    shared->referenced();
    m_array.addElement(lonely);
    m_array.addElement(shared);
    m_array.clearArray();
    EXPECT_EQ(1, m_destructions);
    EXPECT_EQ(1, shared->getReferenceCount());
    {
        TCountedPointerArray<CTestVehicle> array;
        array.addElement(shared);
        shared->dereference();
    }
    EXPECT_EQ(2, m_destructions);
}

TEST_F(TCountedPointerArrayTest, recordDescendsFromTheCollectionRecordOfTheSameType)
{
    const auto& record = TCountedPointerArray<CTestVehicle>::classRecord();
    EXPECT_STREQ("TCountedPointerArray<CTestVehicle>", record.getClassName());
    EXPECT_STREQ("TPointerCollection<CTestVehicle>", record.getParentName());
    EXPECT_TRUE(record.isTypeOf(CCountedObject::classRecord()));
    EXPECT_EQ(&record, &m_array.getClass());
    CCountChange own(record), parent(TPointerCollection<CTestVehicle>::classRecord()),
        root(CCountedObject::classRecord());
    {
        TCountedPointerArray<CTestVehicle> array;
        EXPECT_EQ(1, own.live());
        EXPECT_EQ(1, parent.live());
        EXPECT_EQ(1, root.live());
    }
    EXPECT_EQ(0, own.live());
    EXPECT_EQ(0, parent.live());
    EXPECT_EQ(1, root.total());
}
} // namespace
