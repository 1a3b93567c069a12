// The one implementation of the counting interface; base of nearly every framework class.
#pragma once

#include "foundation/basics/CClass.hpp"
#include "foundation/basics/ICountedObject.hpp"

#include <atomic>
#include <cstdint>

namespace Brivant
{
namespace Basics
{
class CCountedObject : public virtual ICountedObject
{
    BRIVANT_CLASS_RECORD(CCountedObject, nullptr);

public:
    CCountedObject();
    // A copy is a new instance: it starts unreferenced.
    CCountedObject(const CCountedObject& other);
    // Assignment copies an object's value, never its references.
    CCountedObject& operator=(const CCountedObject& other);
    ~CCountedObject() override;

    void referenced() override;
    void dereference() override;
    long getReferenceCount() const override;
    void getObjectDescription(char* text, long size) const override;

private:
    // Objects such as the default font are shared by instances that host threads build and release at once.
    std::atomic<int32_t> m_referenceCount;
};
} // namespace Basics
} // namespace Brivant
