// A pointer collection that keeps one reference on each of its counted elements.
#pragma once

#include "foundation/collections/TPointerCollection.hpp"

#include <typeinfo>

namespace Brivant
{
namespace Collections
{
template <class T>
class TCountedPointerArray : public TPointerCollection<T>
{
public:
    TCountedPointerArray() : TPointerCollection<T>(&TCountedObjectDeleter<T>::sharedPolicy()) {}

    const Basics::CClass& getClass() const override { return classRecord(); }

    static Basics::CClass& classRecord()
    {
        static Basics::CClass record("TCountedPointerArray<TypeName>", typeid(T), "TPointerCollection<TypeName>",
                                     typeid(T));
        return record;
    }

private:
    Basics::TInstanceCount<TCountedPointerArray> m_instanceCount;
};
} // namespace Collections
} // namespace Brivant
