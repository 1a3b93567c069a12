// One reference on a counted object for the length of a scope.
#pragma once

#include "foundation/basics/ICountedObject.hpp"

namespace Brivant
{
namespace Basics
{
// Holds a new object while it is handed to a collection: whatever throws on the way, the object goes again
// unless the collection took its own reference first.
class CHeldReference
{
public:
    explicit CHeldReference(ICountedObject* object) : m_object(object) { m_object->referenced(); }
    ~CHeldReference() { m_object->dereference(); }
    CHeldReference(const CHeldReference&) = delete;
    CHeldReference& operator=(const CHeldReference&) = delete;

private:
    ICountedObject* m_object;
};
} // namespace Basics
} // namespace Brivant
