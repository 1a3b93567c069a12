// The counting interface every framework object answers: references, a one-line description and its class record.
#pragma once

namespace Brivant
{
namespace Basics
{
class CClass;

class ICountedObject
{
public:
    virtual ~ICountedObject() = default;
    virtual void referenced() = 0;
    // Removes one reference and deletes the object when the count is then 0 or below.
    virtual void dereference() = 0;
    virtual long getReferenceCount() const = 0;
    // Writes at most size bytes, terminator included.
    virtual void getObjectDescription(char* text, long size) const = 0;
    virtual const CClass& getClass() const = 0;
};
} // namespace Basics
} // namespace Brivant
