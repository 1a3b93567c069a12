// The reference count shared by every framework object, and the root class record.
#include "foundation/basics/CCountedObject.hpp"

#include <cstddef>
#include <cstdio>

namespace Brivant
{
namespace Basics
{
CCountedObject::CCountedObject() : m_referenceCount(0) {}

CCountedObject::CCountedObject(const CCountedObject& /*other*/) : ICountedObject(), m_referenceCount(0) {}

CCountedObject& CCountedObject::operator=(const CCountedObject& /*other*/) { return *this; }

CCountedObject::~CCountedObject() = default;

void CCountedObject::referenced() { ++m_referenceCount; }

void CCountedObject::dereference()
{
    if (--m_referenceCount <= 0)
    {
        delete this;
    }
}

long CCountedObject::getReferenceCount() const { return m_referenceCount; }

void CCountedObject::getObjectDescription(char* text, long size) const
{
    if (text == nullptr || size <= 0)
    {
        return;
    }
    std::snprintf(text, static_cast<std::size_t>(size), "[CCounted Object Base Reference Count = %li",
                  getReferenceCount());
}

} // namespace Basics
} // namespace Brivant
