// Holds one pointer and lets it go through its policy when replaced or destroyed.
#pragma once

#include "foundation/basics/CCountedObject.hpp"
#include "foundation/collections/TPointerDeleter.hpp"

#include <typeinfo>

namespace Brivant
{
namespace Collections
{
template <class T>
class TAutomaticPointer : public Basics::CCountedObject
{
public:
    // Keeps a reference on the counted object it holds.
    TAutomaticPointer() : TAutomaticPointer(nullptr, &TCountedObjectDeleter<T>::sharedPolicy()) {}

    // Without a policy the holder deletes what it lets go.
    explicit TAutomaticPointer(TPointerDeleter<T>* policy) : TAutomaticPointer(nullptr, policy) {}

    TAutomaticPointer(T* pointer, TPointerDeleter<T>* policy) : m_pointer(pointer), m_policy(policy)
    {
        if (m_pointer != nullptr && m_policy != nullptr)
        {
            m_policy->pointerAdded(m_pointer);
        }
    }

    ~TAutomaticPointer() override { setPointer(nullptr); }

    TAutomaticPointer(const TAutomaticPointer&) = delete;
    TAutomaticPointer& operator=(const TAutomaticPointer&) = delete;

    void setPointer(T* pointer)
    {
        // Letting the held object go first could delete it just before holding it again.
        if (pointer == m_pointer)
        {
            return;
        }
        // The new object is taken before the old one goes, which may hold its only other reference.
        if (pointer != nullptr && m_policy != nullptr)
        {
            m_policy->pointerAdded(pointer);
        }
        T* old = m_pointer;
        m_pointer = pointer;
        letGo(old);
    }

    T* getPointer() const { return m_pointer; }

    const Basics::CClass& getClass() const override { return classRecord(); }

    static Basics::CClass& classRecord()
    {
        static Basics::CClass record("TAutomaticPointer<TypeName>", typeid(T), "CCountedObject");
        return record;
    }

private:
    void letGo(T* held)
    {
        if (held == nullptr)
        {
            return;
        }
        if (m_policy != nullptr)
        {
            m_policy->deletePointer(held);
        }
        else
        {
            delete held;
        }
    }

    T* m_pointer;
    TPointerDeleter<T>* m_policy;
    Basics::TInstanceCount<TAutomaticPointer> m_instanceCount;
};
} // namespace Collections
} // namespace Brivant
