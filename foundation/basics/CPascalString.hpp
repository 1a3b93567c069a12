// A length-prefixed copy of a text, for host interfaces that want one: byte 0 holds the length, the text follows.
#pragma once

#include "foundation/basics/CCountedObject.hpp"

namespace Brivant
{
namespace Basics
{
class CPascalString : public CCountedObject
{
    BRIVANT_CLASS_RECORD(CPascalString, "CCountedObject");

public:
    // A text longer than the buffer can hold (size - 2 characters, and never more than 255) is cut to fit.
    CPascalString(const char* text, long bufferSize);
    ~CPascalString() override;

    CPascalString(const CPascalString&) = delete;
    CPascalString& operator=(const CPascalString&) = delete;

    // Replaces the buffer; the old one stays in place when the new one cannot be allocated.
    virtual void setString(const char* text, long bufferSize);

    virtual unsigned char* getPascalString();
    virtual const unsigned char* getPascalString() const;

private:
    unsigned char* m_buffer;
};
} // namespace Basics
} // namespace Brivant
