// CXMLNode: attributes and children in addition order, look-ups by index and by name, removal that closes the
// gap, parent links that never point to a released node, and release of the whole tree with its root.
#include "foundation/io/CXMLNode.hpp"

#include "tests/foundation/basics/CCountChange.hpp"

#include <gtest/gtest.h>

namespace
{
using Brivant::Basics::CString;
using Brivant::IO::CXMLAttribute;
using Brivant::IO::CXMLNode;
using VolturaTests::CCountChange;

class CXMLNodeTest : public ::testing::Test
{
protected:
    CXMLNodeTest() : m_nodes(CXMLNode::classRecord()), m_attributes(CXMLAttribute::classRecord())
    {
        m_root = new CXMLNode("root", nullptr);
        m_root->referenced();
    }

    ~CXMLNodeTest() override
    {
        if (m_root != nullptr)
            m_root->dereference();
        EXPECT_EQ(0, m_nodes.live());
        EXPECT_EQ(0, m_attributes.live());
    }

    CCountChange m_nodes;
    CCountChange m_attributes;
    CXMLNode* m_root;
};

TEST_F(CXMLNodeTest, attributesKeepTheirOrderAndAreFoundByExactName)
{
    m_root->addAttribute("type", "CKnob");
    CXMLAttribute* added = new CXMLAttribute("Type", 3);
    m_root->addAttribute(added);
    m_root->addAttribute(static_cast<CXMLAttribute*>(nullptr));
    m_root->addAttribute("type", "second");

    ASSERT_EQ(3, m_root->getNumberOfAttributes()) << "a null attribute is ignored";
    EXPECT_STREQ("CKnob", m_root->getAttribute(0L)->getValue().getString());
    EXPECT_EQ(added, m_root->getAttribute(1));
    EXPECT_EQ(nullptr, m_root->getAttribute(3));
    EXPECT_EQ(nullptr, m_root->getAttribute(-1));
    EXPECT_EQ(m_root->getAttribute(0L), m_root->getAttribute("type")) << "the first of two with one name";
    EXPECT_EQ(added, m_root->getAttribute("Type")) << "names compare case included";
    EXPECT_EQ(nullptr, m_root->getAttribute("typ"));
    EXPECT_STREQ("3", m_root->getAttributeValue("Type").getString());
    EXPECT_STREQ("", m_root->getAttributeValue("missing").getString());
    EXPECT_EQ(1, added->getReferenceCount()) << "the node holds one reference";
}

TEST_F(CXMLNodeTest, removingAnAttributeReleasesItAndClosesTheGap)
{
    m_root->addAttribute("a", "1");
    m_root->addAttribute("b", "2");
    m_root->addAttribute("c", "3");
    CXMLAttribute* kept = m_root->getAttribute("b");
    kept->referenced();

    m_root->removeAttribute(kept);
    EXPECT_EQ(1, kept->getReferenceCount()) << "the node's reference is let go";
    kept->dereference();
    m_root->removeAttribute("a");
    m_root->removeAttribute("missing");
    CXMLAttribute stranger("c", "3");
    m_root->removeAttribute(&stranger);

    ASSERT_EQ(1, m_root->getNumberOfAttributes());
    EXPECT_STREQ("c", m_root->getAttribute(0L)->getName().getString());
    EXPECT_EQ(2, m_attributes.live()) << "the one held and the stranger on the stack";

    m_root->clearAttributes();
    EXPECT_EQ(0, m_root->getNumberOfAttributes());
    EXPECT_EQ(1, m_attributes.live());
}

TEST_F(CXMLNodeTest, childrenTakeThisNodeAsParent)
{
    CXMLNode* first = m_root->addChildNode("control");
    CXMLNode* second = new CXMLNode("control", nullptr);
    m_root->addChildNode(second);
    m_root->addChildNode(static_cast<CXMLNode*>(nullptr));

    ASSERT_EQ(2, m_root->getNumberOfChildNodes());
    EXPECT_EQ(m_root, first->getParentNode());
    EXPECT_EQ(m_root, second->getParentNode());
    EXPECT_EQ(first, m_root->getChildNode(0L));
    EXPECT_EQ(second, m_root->getChildNode(1));
    EXPECT_EQ(nullptr, m_root->getChildNode(2));
    EXPECT_EQ(first, m_root->getChildNode("control"));
    EXPECT_EQ(nullptr, m_root->getChildNode("Control"));
    EXPECT_EQ(1, second->getReferenceCount());
}

TEST_F(CXMLNodeTest, findingGoesDepthFirstInChildOrder)
{
    CXMLNode* panel = m_root->addChildNode("panel");
    CXMLNode* deep = panel->addChildNode("inner")->addChildNode("target");
    CXMLNode* shallow = m_root->addChildNode("target");

    EXPECT_EQ(deep, m_root->findChildNode("target")) << "the first child's subtree is searched before the next child";
    EXPECT_EQ(shallow, m_root->getChildNode("target")) << "only direct children";
    EXPECT_EQ(panel, m_root->findChildNode("panel"));
    EXPECT_EQ(nullptr, m_root->findChildNode("root")) << "the node itself is not searched";
    EXPECT_EQ(nullptr, deep->findChildNode("target"));
}

TEST_F(CXMLNodeTest, aRemovedChildThatLivesOnNoLongerPointsBack)
{
    CXMLNode* child = m_root->addChildNode("child");
    CXMLNode* grandChild = child->addChildNode("grandChild");
    grandChild->referenced();
    child->referenced();

    m_root->removeChildNode(child);
    EXPECT_EQ(0, m_root->getNumberOfChildNodes());
    EXPECT_EQ(nullptr, child->getParentNode());
    EXPECT_EQ(1, child->getReferenceCount());

    child->dereference();
    EXPECT_EQ(nullptr, grandChild->getParentNode()) << "its parent was released";
    grandChild->dereference();
}

TEST_F(CXMLNodeTest, removalByNameTakesTheFirstAndClearingReleasesAll)
{
    m_root->addChildNode("a");
    CXMLNode* second = m_root->addChildNode("b");
    m_root->addChildNode("a")->addAttribute("x", "1");
    m_root->removeChildNode("a");
    ASSERT_EQ(2, m_root->getNumberOfChildNodes());
    EXPECT_EQ(second, m_root->getChildNode(0L));
    EXPECT_EQ(1, m_root->getChildNode(1)->getNumberOfAttributes());

    m_root->clearChildNodes();
    EXPECT_EQ(0, m_root->getNumberOfChildNodes());
    EXPECT_EQ(1, m_nodes.live()) << "only the root is left";
    EXPECT_EQ(0, m_attributes.live());
}

TEST_F(CXMLNodeTest, aNodeCannotBecomeItsOwnDescendant)
{
    CXMLNode* child = m_root->addChildNode("child");
    CXMLNode* grandChild = child->addChildNode("grandChild");
    grandChild->addChildNode(m_root);
    grandChild->addChildNode(child);
    grandChild->addChildNode(grandChild);
    EXPECT_EQ(0, grandChild->getNumberOfChildNodes());
    EXPECT_EQ(nullptr, m_root->getParentNode());
    EXPECT_EQ(child, grandChild->getParentNode());
}

TEST_F(CXMLNodeTest, releasingTheRootReleasesTheWholeTree)
{
    for (int index = 0; index < 40; ++index)
    {
        CXMLNode* child = m_root->addChildNode("child");
        child->addAttribute("index", CString::toString(index));
        child->addChildNode("leaf")->addAttribute("a", "b");
    }
    EXPECT_EQ(81, m_nodes.live());
    EXPECT_EQ(80, m_attributes.live());
    m_root->dereference();
    m_root = nullptr;
    EXPECT_EQ(0, m_nodes.live());
    EXPECT_EQ(0, m_attributes.live());
}

TEST_F(CXMLNodeTest, namesAndParentsCanBeSet)
{
    CXMLNode other("other", m_root);
    EXPECT_EQ(m_root, other.getParentNode());
    EXPECT_EQ(0, m_root->getNumberOfChildNodes()) << "naming a parent does not add the node to it";
    other.setNodeName("renamed");
    other.setParentNode(nullptr);
    EXPECT_STREQ("renamed", other.getNodeName().getString());
    EXPECT_EQ(nullptr, other.getParentNode());
    EXPECT_STREQ("CXMLNode", other.getClass().getClassName());
    EXPECT_STREQ("CCountedObject", CXMLNode::classRecord().getParentName());
}
} // namespace
