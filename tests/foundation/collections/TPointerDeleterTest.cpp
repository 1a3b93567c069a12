// The ownership policies: what each does with a pointer, their shared objects and their records.
#include "../basics/CTestVehicle.hpp"
#include "foundation/collections/TPointerDeleter.hpp"

#include <gtest/gtest.h>

using Brivant::Collections::TCountedObjectDeleter;
using Brivant::Collections::TObjectDeleter;
using Brivant::Collections::TObjectNuller;
using Brivant::Collections::TPointerDeleter;
using VolturaTests::CTestVehicle;

namespace
{
class TPointerDeleterTest : public ::testing::Test
{
protected:
    int m_destructions = 0;
};

TEST_F(TPointerDeleterTest, countedObjectDeleterReferencesAndDereferences)
{
    TPointerDeleter<CTestVehicle>& policy = TCountedObjectDeleter<CTestVehicle>::sharedPolicy();
    auto* vehicle = new CTestVehicle(&m_destructions);
    policy.pointerAdded(vehicle);
    policy.pointerAdded(vehicle);
    EXPECT_EQ(2, vehicle->getReferenceCount());
    policy.deletePointer(vehicle);
    EXPECT_EQ(0, m_destructions);
    policy.deletePointer(vehicle);
    EXPECT_EQ(1, m_destructions);
    policy.pointerAdded(nullptr);
    policy.deletePointer(nullptr);
}

TEST_F(TPointerDeleterTest, objectDeleterDeletesAndNullerLeavesAlone)
{
    CTestVehicle kept(&m_destructions);
    TObjectDeleter<CTestVehicle>::sharedPolicy().pointerAdded(&kept);
    TObjectNuller<CTestVehicle>::sharedPolicy().pointerAdded(&kept);
    TObjectNuller<CTestVehicle>::sharedPolicy().deletePointer(&kept);
    EXPECT_EQ(0, kept.getReferenceCount());
    EXPECT_EQ(0, m_destructions);
    TObjectDeleter<CTestVehicle>::sharedPolicy().deletePointer(new CTestVehicle(&m_destructions));
    TObjectDeleter<CTestVehicle>::sharedPolicy().deletePointer(nullptr);
    EXPECT_EQ(1, m_destructions);
    EXPECT_EQ(&TObjectNuller<CTestVehicle>::sharedPolicy(), &TObjectNuller<CTestVehicle>::sharedPolicy());
}

TEST_F(TPointerDeleterTest, policyRecordsDescendFromTheDeleterRecordOfTheSameType)
{
    EXPECT_STREQ("TPointerDeleter<CTestVehicle>", TPointerDeleter<CTestVehicle>::classRecord().getClassName());
    EXPECT_STREQ("CCountedObject", TPointerDeleter<CTestVehicle>::classRecord().getParentName());
    EXPECT_STREQ("TObjectDeleter<CTestVehicle>", TObjectDeleter<CTestVehicle>::classRecord().getClassName());
    EXPECT_STREQ("TCountedObjectDeleter<CTestVehicle>",
                 TCountedObjectDeleter<CTestVehicle>::classRecord().getClassName());
    EXPECT_STREQ("TObjectNuller<CTestVehicle>", TObjectNuller<CTestVehicle>::classRecord().getClassName());
    for (const auto* record : {&TObjectDeleter<CTestVehicle>::classRecord(),
                               &TCountedObjectDeleter<CTestVehicle>::classRecord(),
                               &TObjectNuller<CTestVehicle>::classRecord()})
    {
        EXPECT_STREQ("TPointerDeleter<CTestVehicle>", record->getParentName());
    }
    EXPECT_EQ(&TObjectNuller<CTestVehicle>::classRecord(), &TObjectNuller<CTestVehicle>::sharedPolicy().getClass());
}
} // namespace
