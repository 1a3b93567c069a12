#include "foundation/io/CXMLNode.hpp"

#include "foundation/collections/TAutomaticPointer.hpp"
#include "foundation/collections/TPointerDeleter.hpp"

namespace Brivant
{
namespace IO
{
using Basics::CClass;
using Basics::CString;
using Collections::TAutomaticPointer;
using Collections::TCountedObjectDeleter;

CXMLNode::CXMLNode(const CString& name, CXMLNode* parent) : m_name(name), m_parent(parent) {}

CXMLNode::~CXMLNode()
{
    detachChildren();
    m_children.clearArray();
    m_attributes.clearArray();
}

const CString& CXMLNode::getNodeName() const { return m_name; }

void CXMLNode::setNodeName(const CString& name) { m_name = name; }

CXMLNode* CXMLNode::getParentNode() const { return m_parent; }

void CXMLNode::setParentNode(CXMLNode* parent) { m_parent = parent; }

void CXMLNode::addAttribute(CXMLAttribute* attribute)
{
    if (attribute != nullptr)
        m_attributes.addElement(attribute);
}

CXMLAttribute* CXMLNode::addAttribute(const CString& name, const CString& value)
{
    // Held while it is added, so a failed addition releases it.
    TAutomaticPointer<CXMLAttribute> attribute(new CXMLAttribute(name, value),
                                               &TCountedObjectDeleter<CXMLAttribute>::sharedPolicy());
    addAttribute(attribute.getPointer());
    return attribute.getPointer();
}

long CXMLNode::getNumberOfAttributes() const { return m_attributes.getInsertIndex(); }

CXMLAttribute* CXMLNode::getAttribute(long index) const
{
    return index >= 0 && index < getNumberOfAttributes() ? m_attributes.getElementAt(index) : nullptr;
}

CXMLAttribute* CXMLNode::getAttribute(const CString& name) const
{
    for (long index = 0; index < getNumberOfAttributes(); ++index)
    {
        CXMLAttribute* attribute = m_attributes.getElementAt(index);
        if (attribute != nullptr && attribute->getName().equals(name))
            return attribute;
    }
    return nullptr;
}

CString CXMLNode::getAttributeValue(const CString& name) const
{
    const CXMLAttribute* attribute = getAttribute(name);
    return attribute != nullptr ? CString(attribute->getValue()) : CString("");
}

void CXMLNode::removeAttribute(CXMLAttribute* attribute)
{
    const long index = attribute != nullptr ? m_attributes.getIndexOfElement(attribute) : -1;
    if (index < 0)
        return;
    m_attributes.removeElementAt(index);
    m_attributes.reorderArray(false);
}

void CXMLNode::removeAttribute(const CString& name) { removeAttribute(getAttribute(name)); }

void CXMLNode::clearAttributes() { m_attributes.clearArray(); }

bool CXMLNode::isSelfOrAncestor(const CXMLNode* node) const
{
    for (const CXMLNode* link = this; link != nullptr; link = link->m_parent)
    {
        if (link == node)
            return true;
    }
    return false;
}

void CXMLNode::addChildNode(CXMLNode* child)
{
    if (child == nullptr || isSelfOrAncestor(child))
        return;
    m_children.addElement(child);
    child->m_parent = this;
}

CXMLNode* CXMLNode::addChildNode(const CString& name)
{
    TAutomaticPointer<CXMLNode> child(new CXMLNode(name, this), &TCountedObjectDeleter<CXMLNode>::sharedPolicy());
    addChildNode(child.getPointer());
    return child.getPointer();
}

long CXMLNode::getNumberOfChildNodes() const { return m_children.getInsertIndex(); }

CXMLNode* CXMLNode::getChildNode(long index) const
{
    return index >= 0 && index < getNumberOfChildNodes() ? m_children.getElementAt(index) : nullptr;
}

CXMLNode* CXMLNode::getChildNode(const CString& name) const
{
    for (long index = 0; index < getNumberOfChildNodes(); ++index)
    {
        CXMLNode* child = m_children.getElementAt(index);
        if (child != nullptr && child->m_name.equals(name))
            return child;
    }
    return nullptr;
}

CXMLNode* CXMLNode::findChildNode(const CString& name) const
{
    for (long index = 0; index < getNumberOfChildNodes(); ++index)
    {
        CXMLNode* child = m_children.getElementAt(index);
        if (child == nullptr)
            continue;
        if (child->m_name.equals(name))
            return child;
        if (CXMLNode* found = child->findChildNode(name))
            return found;
    }
    return nullptr;
}

void CXMLNode::removeChildNode(CXMLNode* child)
{
    const long index = child != nullptr ? m_children.getIndexOfElement(child) : -1;
    if (index < 0)
        return;
    if (child->m_parent == this)
        child->m_parent = nullptr;
    m_children.removeElementAt(index);
    m_children.reorderArray(false);
}

void CXMLNode::removeChildNode(const CString& name) { removeChildNode(getChildNode(name)); }

void CXMLNode::clearChildNodes()
{
    detachChildren();
    m_children.clearArray();
}

void CXMLNode::detachChildren()
{
    for (long index = 0; index < getNumberOfChildNodes(); ++index)
    {
        CXMLNode* child = m_children.getElementAt(index);
        if (child != nullptr && child->m_parent == this)
            child->m_parent = nullptr;
    }
}
} // namespace IO
} // namespace Brivant
