// One XML element: a name, its attributes and its child elements, each held by one reference in addition order.
// The parent link is a plain pointer that owns nothing, so a tree goes when its root's last reference goes.
#pragma once

#include "foundation/basics/CCountedObject.hpp"
#include "foundation/basics/CString.hpp"
#include "foundation/collections/TCountedPointerArray.hpp"
#include "foundation/io/CXMLAttribute.hpp"

namespace Brivant
{
namespace IO
{
class CXMLNode : public Basics::CCountedObject
{
    BRIVANT_CLASS_RECORD(CXMLNode, "CCountedObject");

public:
    // The parent is only remembered: the node is not added to it.
    CXMLNode(const Basics::CString& name, CXMLNode* parent);
    ~CXMLNode() override;

    CXMLNode(const CXMLNode&) = delete;
    CXMLNode& operator=(const CXMLNode&) = delete;

    const Basics::CString& getNodeName() const;
    void setNodeName(const Basics::CString& name);
    CXMLNode* getParentNode() const;
    void setParentNode(CXMLNode* parent);

    // A null attribute is ignored.
    void addAttribute(CXMLAttribute* attribute);
    // Appends a new attribute and answers it.
    CXMLAttribute* addAttribute(const Basics::CString& name, const Basics::CString& value);
    long getNumberOfAttributes() const;
    // Null outside 0 .. count - 1.
    CXMLAttribute* getAttribute(long index) const;
    // The first attribute with exactly this name, or null.
    CXMLAttribute* getAttribute(const Basics::CString& name) const;
    // A copy of the first such attribute's value; the empty text when there is none.
    Basics::CString getAttributeValue(const Basics::CString& name) const;
    // Releases the attribute and closes the gap; one this node does not hold is ignored.
    void removeAttribute(CXMLAttribute* attribute);
    void removeAttribute(const Basics::CString& name);
    void clearAttributes();

    // The child's parent becomes this node. Null, this node itself and its ancestors are refused: they would
    // make a loop of references that is never released.
    void addChildNode(CXMLNode* child);
    // Appends a new child and answers it.
    CXMLNode* addChildNode(const Basics::CString& name);
    long getNumberOfChildNodes() const;
    CXMLNode* getChildNode(long index) const;
    // The first direct child with exactly this name, or null.
    CXMLNode* getChildNode(const Basics::CString& name) const;
    // Depth first in child order: a child matches before anything inside it.
    CXMLNode* findChildNode(const Basics::CString& name) const;
    // A removed child that lives on no longer points back here.
    void removeChildNode(CXMLNode* child);
    void removeChildNode(const Basics::CString& name);
    void clearChildNodes();

private:
    bool isSelfOrAncestor(const CXMLNode* node) const;
    void detachChildren();

    Basics::CString m_name;
    Collections::TCountedPointerArray<CXMLAttribute> m_attributes;
    CXMLNode* m_parent;
    Collections::TCountedPointerArray<CXMLNode> m_children;
};
} // namespace IO
} // namespace Brivant
