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

void CCountedObject::referenced() { m_referenceCount.fetch_add(1, std::memory_order_relaxed); }

void CCountedObject::dereference()
{
    // Whatever other threads did to the object happens before the one that drops the last reference deletes it.
    if (m_referenceCount.fetch_sub(1, std::memory_order_acq_rel) - 1 <= 0)
    {
        delete this;
    }
}

long CCountedObject::getReferenceCount() const { return m_referenceCount.load(std::memory_order_relaxed); }

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
