// A tree node: counted children, a payload held through a policy, and a link back to the parent.
#pragma once

#include "foundation/basics/CCountedObject.hpp"
#include "foundation/collections/TAutomaticPointer.hpp"
#include "foundation/collections/TCountedPointerArray.hpp"
#include "foundation/collections/TPointerDeleter.hpp"

#include <typeinfo>

namespace Brivant
{
namespace Collections
{
// Parents own their children; the parent link is a plain pointer that owns nothing, so a tree has no reference
// cycles and goes when its root's last reference goes.
template <class T>
class TTreeNode : public Basics::CCountedObject
{
public:
    explicit TTreeNode(TPointerDeleter<T>* payloadPolicy) : m_parent(nullptr), m_payload(payloadPolicy) {}

    ~TTreeNode() override
    {
        m_payload.setPointer(nullptr);
        m_parent = nullptr;
        // A child that outlives this node must not keep pointing to it.
        detachChildren();
        m_children.clearArray();
    }

    TTreeNode(const TTreeNode&) = delete;
    TTreeNode& operator=(const TTreeNode&) = delete;

    // The children array takes a reference on the child. A node that already has a parent, or is this node or
    // one of its ancestors, is refused: a second parent would hold it twice, and a ring is never freed.
    void addChild(TTreeNode* child)
    {
        if (child == nullptr || child->m_parent != nullptr || isSelfOrAncestor(child))
        {
            return;
        }
        m_children.addElement(child);
        child->m_parent = this;
    }

    // Leaves a hole, like the array's own removal.
    void removeChild(long index)
    {
        TTreeNode* child = m_children.getElementAt(index);
        if (child == nullptr)
        {
            return;
        }
        if (child->m_parent == this)
        {
            child->m_parent = nullptr;
        }
        m_children.removeElementAt(index);
    }

    void removeAllChildren()
    {
        detachChildren();
        m_children.clearArray();
    }

    // Children change only through this node, which keeps their parent links right.
    const TCountedPointerArray<TTreeNode>& getChildren() const { return m_children; }
    TTreeNode* getParent() const { return m_parent; }
    TAutomaticPointer<T>& getPayload() { return m_payload; }
    const TAutomaticPointer<T>& getPayload() const { return m_payload; }

    const Basics::CClass& getClass() const override { return classRecord(); }

    static Basics::CClass& classRecord()
    {
        static Basics::CClass record("TTreeNode<TypeName>", typeid(T), "CCountedObject");
        return record;
    }

private:
    bool isSelfOrAncestor(const TTreeNode* node) const
    {
        for (const TTreeNode* link = this; link != nullptr; link = link->m_parent)
        {
            if (link == node)
            {
                return true;
            }
        }
        return false;
    }

    void detachChildren()
    {
        for (long index = 0; index < m_children.getArraySize(); ++index)
        {
            TTreeNode* child = m_children.getElementAt(index);
            if (child != nullptr && child->m_parent == this)
            {
                child->m_parent = nullptr;
            }
        }
    }

    TCountedPointerArray<TTreeNode> m_children;
    TTreeNode* m_parent;
    TAutomaticPointer<T> m_payload;
    Basics::TInstanceCount<TTreeNode> m_instanceCount;
};
} // namespace Collections
} // namespace Brivant
