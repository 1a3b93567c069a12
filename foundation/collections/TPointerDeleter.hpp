// Ownership policies: what a container or holder does with a pointer it takes and with one it lets go.
#pragma once

#include "foundation/basics/CCountedObject.hpp"

#include <typeinfo>

namespace Brivant
{
namespace Collections
{
template <class T>
class TPointerDeleter : public Basics::CCountedObject
{
public:
    virtual void pointerAdded(T* element) = 0;
    virtual void deletePointer(T* element) = 0;

    const Basics::CClass& getClass() const override { return classRecord(); }

    static Basics::CClass& classRecord()
    {
        static Basics::CClass record("TPointerDeleter<TypeName>", typeid(T), "CCountedObject");
        return record;
    }

private:
    Basics::TInstanceCount<TPointerDeleter> m_instanceCount;
};

// Owns plain objects: deletes each one it lets go.
template <class T>
class TObjectDeleter : public TPointerDeleter<T>
{
public:
    void pointerAdded(T* /*element*/) override {}

    void deletePointer(T* element) override { delete element; }

    const Basics::CClass& getClass() const override { return classRecord(); }

    static Basics::CClass& classRecord()
    {
        static Basics::CClass record("TObjectDeleter<TypeName>", typeid(T), "TPointerDeleter<TypeName>", typeid(T));
        return record;
    }

    // Built on first use and never deleted; containers only point to it.
    static TObjectDeleter& sharedPolicy()
    {
        static TObjectDeleter policy;
        return policy;
    }

private:
    Basics::TInstanceCount<TObjectDeleter> m_instanceCount;
};

// Keeps one reference on each counted object it holds.
template <class T>
class TCountedObjectDeleter : public TPointerDeleter<T>
{
public:
    void pointerAdded(T* element) override
    {
        if (element != nullptr)
        {
            element->referenced();
        }
    }

    void deletePointer(T* element) override
    {
        if (element != nullptr)
        {
            element->dereference();
        }
    }

    const Basics::CClass& getClass() const override { return classRecord(); }

    static Basics::CClass& classRecord()
    {
        static Basics::CClass record("TCountedObjectDeleter<TypeName>", typeid(T), "TPointerDeleter<TypeName>",
                                     typeid(T));
        return record;
    }

    static TCountedObjectDeleter& sharedPolicy()
    {
        static TCountedObjectDeleter policy;
        return policy;
    }

private:
    Basics::TInstanceCount<TCountedObjectDeleter> m_instanceCount;
};

// For pointers owned elsewhere: never touches them.
template <class T>
class TObjectNuller : public TPointerDeleter<T>
{
public:
    void pointerAdded(T* /*element*/) override {}
    void deletePointer(T* /*element*/) override {}

    const Basics::CClass& getClass() const override { return classRecord(); }

    static Basics::CClass& classRecord()
    {
        static Basics::CClass record("TObjectNuller<TypeName>", typeid(T), "TPointerDeleter<TypeName>", typeid(T));
        return record;
    }

    static TObjectNuller& sharedPolicy()
    {
        static TObjectNuller policy;
        return policy;
    }

private:
    Basics::TInstanceCount<TObjectNuller> m_instanceCount;
};
} // namespace Collections
} // namespace Brivant
