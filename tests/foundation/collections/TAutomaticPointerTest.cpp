// The one-pointer holder: releasing on replacement and destruction, with each kind of policy.
#include "../basics/CTestVehicle.hpp"
#include "CRecordingPolicy.hpp"
#include "foundation/collections/TAutomaticPointer.hpp"
#include "foundation/collections/TTreeNode.hpp"

#include <gtest/gtest.h>

#include <vector>

using Brivant::Collections::TAutomaticPointer;
using Brivant::Collections::TObjectNuller;
using Brivant::Collections::TTreeNode;
using VolturaTests::CTestVehicle;

namespace
{
using Policy = VolturaTests::CRecordingPolicy<CTestVehicle>;
using Event = Policy::Event;

class TAutomaticPointerTest : public ::testing::Test
{
protected:
    int m_destructions = 0;
};

TEST_F(TAutomaticPointerTest, defaultHolderKeepsAReferenceUntilItLetsGo)
{
    auto* vehicle = new CTestVehicle(&m_destructions);
    {
        TAutomaticPointer<CTestVehicle> holder;
        EXPECT_EQ(nullptr, holder.getPointer());
        holder.setPointer(vehicle);
        EXPECT_EQ(vehicle, holder.getPointer());
        EXPECT_EQ(1, vehicle->getReferenceCount());
        EXPECT_STREQ("TAutomaticPointer<CTestVehicle>", holder.getClass().getClassName());
        EXPECT_STREQ("CCountedObject", holder.getClass().getParentName());
    }
    EXPECT_EQ(1, m_destructions);
}

TEST_F(TAutomaticPointerTest, holderWithoutPolicyDeletesWhatItLetsGoButANulledOneNever)
{
    {
        TAutomaticPointer<CTestVehicle> holder(new CTestVehicle(&m_destructions), nullptr);
        holder.setPointer(new CTestVehicle(&m_destructions));
        EXPECT_EQ(1, m_destructions);
        holder.setPointer(nullptr);
        EXPECT_EQ(2, m_destructions);
        EXPECT_EQ(nullptr, holder.getPointer());
        holder.setPointer(new CTestVehicle(&m_destructions));
    }
    EXPECT_EQ(3, m_destructions);

    CTestVehicle first(&m_destructions), second(&m_destructions);
    {
        TAutomaticPointer<CTestVehicle> nulled(&first, &TObjectNuller<CTestVehicle>::sharedPolicy());
        nulled.setPointer(&second);
    }
    EXPECT_EQ(3, m_destructions);
}

TEST_F(TAutomaticPointerTest, settingTheHeldPointerAgainDoesNothing)
{
    Policy policy;
    CTestVehicle vehicle;
    TAutomaticPointer<CTestVehicle> recorded(&vehicle, &policy);
    recorded.setPointer(&vehicle);
    // Releasing first would delete the counted object below before holding it again.
    ASSERT_EQ((std::vector<Event>{{"added", &vehicle}}), policy.events);

    auto* counted = new CTestVehicle(&m_destructions);
    TAutomaticPointer<CTestVehicle> countedHolder;
    countedHolder.setPointer(counted);
    countedHolder.setPointer(counted);
    EXPECT_EQ(1, counted->getReferenceCount());
    auto* plain = new CTestVehicle(&m_destructions);
    TAutomaticPointer<CTestVehicle> plainHolder(plain, nullptr);
    plainHolder.setPointer(plain);
    EXPECT_EQ(0, m_destructions);
}

TEST_F(TAutomaticPointerTest, policyHearsOfEachPointerTakenAndLetGo)
{
    Policy policy;
    CTestVehicle first, second;
    {
        TAutomaticPointer<CTestVehicle> holder(&first, &policy);
        holder.setPointer(&second);
        holder.setPointer(nullptr);
        holder.setPointer(nullptr);
        holder.setPointer(&first);
        TAutomaticPointer<CTestVehicle> empty(&policy);
    }
    EXPECT_EQ((std::vector<Event>{{"added", &first},
                                  {"added", &second},
                                  {"deleted", &first},
                                  {"deleted", &second},
                                  {"added", &first},
                                  {"deleted", &first}}),
              policy.events);
}

TEST_F(TAutomaticPointerTest, aHolderWalkingFromAParentToItsChildKeepsTheChild)
{
    using Node = TTreeNode<CTestVehicle>;
    const long nodes = Node::classRecord().getInstanceCount();
    auto* child = new Node(&TObjectNuller<CTestVehicle>::sharedPolicy());
    TAutomaticPointer<Node> walker;
    walker.setPointer(new Node(&TObjectNuller<CTestVehicle>::sharedPolicy()));
    // The parent holds the child's only other reference.
    walker.getPointer()->addChild(child);
    walker.setPointer(child);
    EXPECT_EQ(nodes + 1, Node::classRecord().getInstanceCount());
}
} // namespace
