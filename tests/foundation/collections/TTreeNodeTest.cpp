// Tree nodes: children held by counted links, a parent link that does not own, and release from the root.
#include "../basics/CCountChange.hpp"
#include "../basics/CTestVehicle.hpp"
#include "foundation/collections/TTreeNode.hpp"

#include <gtest/gtest.h>

#include <vector>

using Brivant::Basics::CCountedObject;
using Brivant::Collections::TAutomaticPointer;
using Brivant::Collections::TCountedObjectDeleter;
using Brivant::Collections::TCountedPointerArray;
using Brivant::Collections::TObjectNuller;
using Brivant::Collections::TTreeNode;
using VolturaTests::CCountChange;
using VolturaTests::CTestVehicle;

namespace
{
using Node = TTreeNode<CTestVehicle>;

class TTreeNodeTest : public ::testing::Test
{
protected:
    TTreeNodeTest()
    {
        // The shared policies live for good; build them before the counts are taken.
        delete new Node(&TCountedObjectDeleter<CTestVehicle>::sharedPolicy());
        for (const auto* record : {&CCountedObject::classRecord(), &Node::classRecord(), &CTestVehicle::classRecord(),
                                   &TCountedPointerArray<Node>::classRecord(),
                                   &TAutomaticPointer<CTestVehicle>::classRecord()})
        {
            m_baselines.emplace_back(*record);
        }
    }

    Node* newNode()
    {
        auto* node = new Node(&TCountedObjectDeleter<CTestVehicle>::sharedPolicy());
        node->getPayload().setPointer(new CTestVehicle(&m_destructions));
        return node;
    }

    void expectBaseline()
    {
        for (const CCountChange& change : m_baselines)
        {
            EXPECT_EQ(0, change.live());
        }
    }

    int m_destructions = 0;
    std::vector<CCountChange> m_baselines;
};

TEST_F(TTreeNodeTest, addChildReferencesTheChildAndLinksItsParent)
{
    Node* root = newNode();
    Node* child = newNode();
    root->referenced();
    root->addChild(child);
    root->addChild(nullptr);
    EXPECT_EQ(child, root->getChildren().getElementAt(0));
    EXPECT_EQ(1, root->getChildren().getInsertIndex());
    EXPECT_EQ(root, child->getParent());
    EXPECT_EQ(nullptr, root->getParent());
    EXPECT_EQ(1, child->getReferenceCount());
    // The parent link holds no reference.
    EXPECT_EQ(1, root->getReferenceCount());
    root->dereference();
}

TEST_F(TTreeNodeTest, releasingTheRootFreesTheWholeTree)
{
    Node* root = newNode();
    root->referenced();
    for (int branch = 0; branch < 3; ++branch)
    {
        Node* child = newNode();
        root->addChild(child);
        child->addChild(newNode());
        child->addChild(newNode());
    }
    EXPECT_EQ(10, m_baselines[1].live());
    root->dereference();
    EXPECT_EQ(10, m_destructions);
    expectBaseline();
}

TEST_F(TTreeNodeTest, childThatOutlivesItsParentLosesTheParentLink)
{
    Node* root = newNode();
    Node* child = newNode();
    root->referenced();
    child->referenced();
    root->addChild(child);
    root->dereference();
    EXPECT_EQ(nullptr, child->getParent());
    EXPECT_EQ(1, child->getReferenceCount());
    child->dereference();
    expectBaseline();
}

TEST_F(TTreeNodeTest, aNodeRefusesItselfItsAncestorsAndANodeThatHasAParent)
{
    Node* root = newNode();
    Node* child = newNode();
    root->referenced();
    root->addChild(child);
    for (Node* parent : {root, child})
    {
        for (Node* candidate : {root, child})
            parent->addChild(candidate);
    }
    EXPECT_EQ(1, root->getChildren().getInsertIndex());
    EXPECT_EQ(0, child->getChildren().getInsertIndex());
    root->dereference();
    expectBaseline();
}

TEST_F(TTreeNodeTest, removedChildIsReleasedAndUnlinked)
{
    Node* root = newNode();
    Node* kept = newNode();
    root->referenced();
    kept->referenced();
    root->addChild(newNode());
    root->addChild(kept);
    root->removeChild(1);
    EXPECT_EQ(nullptr, kept->getParent());
    EXPECT_EQ(1, kept->getReferenceCount());
    EXPECT_EQ(nullptr, root->getChildren().getElementAt(1));
    root->removeAllChildren();
    EXPECT_EQ(0, root->getChildren().getArraySize());
    EXPECT_EQ(1, m_destructions);
    root->dereference();
    kept->dereference();
    expectBaseline();
}

TEST_F(TTreeNodeTest, payloadGoesThroughTheNodesPolicyAndRecordsFollowTheElementType)
{
    CTestVehicle payload(&m_destructions);
    {
        Node node(&TObjectNuller<CTestVehicle>::sharedPolicy());
        node.getPayload().setPointer(&payload);
        EXPECT_EQ(&payload, node.getPayload().getPointer());
        EXPECT_EQ(0, payload.getReferenceCount());
    }
    EXPECT_EQ(0, m_destructions);
    EXPECT_STREQ("TTreeNode<CTestVehicle>", Node::classRecord().getClassName());
    EXPECT_STREQ("CCountedObject", Node::classRecord().getParentName());
    EXPECT_STREQ("TCountedPointerArray<CTestVehicle>>", TCountedPointerArray<Node>::classRecord().getClassName());
    EXPECT_STREQ("TPointerCollection<CTestVehicle>>", TCountedPointerArray<Node>::classRecord().getParentName());
}
} // namespace
