#include "foundation/basics/CPascalString.hpp"

#include <algorithm>
#include <cstring>

namespace Brivant
{
namespace Basics
{
namespace
{
// The length byte and the terminator always fit, so even a tiny buffer reads as a valid (empty) text.
constexpr long kMinimumSize = 2;
constexpr long kLongestText = 255;
} // namespace

CPascalString::CPascalString(const char* text, long bufferSize) : m_buffer(nullptr)
{
    setString(text, bufferSize);
}

CPascalString::~CPascalString() { delete[] m_buffer; }

void CPascalString::setString(const char* text, long bufferSize)
{
    const long size = std::max(bufferSize, kMinimumSize);
    const long available = std::min(size - 2, kLongestText);
    const long length = text != nullptr ? static_cast<long>(strnlen(text, static_cast<size_t>(available))) : 0;

    // Filled before the old buffer goes: the text may point into it.
    unsigned char* buffer = new unsigned char[static_cast<size_t>(size)]();
    buffer[0] = static_cast<unsigned char>(length);
    if (length > 0)
        std::memcpy(buffer + 1, text, static_cast<size_t>(length));

    delete[] m_buffer;
    m_buffer = buffer;
}

unsigned char* CPascalString::getPascalString() { return m_buffer; }
const unsigned char* CPascalString::getPascalString() const { return m_buffer; }
} // namespace Basics
} // namespace Brivant
