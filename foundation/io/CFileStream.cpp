#include "foundation/io/CFileStream.hpp"

#include <algorithm>
#include <cstring>
#include <limits>

namespace Brivant
{
namespace IO
{
namespace
{
static_assert(sizeof(short) == 2 && sizeof(long) == 4 && sizeof(float) == 4 && sizeof(double) == 8,
              "the file layout needs these widths on every target");

#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
constexpr long kHostByteOrder = 1;
#else
constexpr long kHostByteOrder = 0;
#endif

constexpr std::size_t kLargestValue = 8;

// The C library's own ftell wraps past 4 GiB; a position a long cannot hold is no position at all.
long positionAsLong(int64_t position)
{
    return position >= 0 && position <= std::numeric_limits<long>::max() ? static_cast<long>(position) : -1;
}

void reverseBytes(void* bytes, std::size_t size)
{
    unsigned char* first = static_cast<unsigned char*>(bytes);
    std::reverse(first, first + size);
}
} // namespace

CFileStream::CFileStream()
    : m_file(nullptr), m_mode(kReading), m_isOpen(false), m_error(false), m_littleEndian(false), m_neverSwap(false)
{
}

CFileStream::CFileStream(const Basics::CSystemString& path, long mode, bool littleEndian) : CFileStream()
{
    openStream(path, mode, littleEndian, false);
}

CFileStream::~CFileStream() { closeStream(); }

bool CFileStream::openStream(const Basics::CSystemString& path, long mode, bool littleEndian, bool neverSwap)
{
    closeStream();
    m_mode = mode;
    m_littleEndian = littleEndian;
    m_neverSwap = neverSwap;
    if (mode == kReading)
        m_file = std::fopen(path.getString(), "rb");
    else if (mode == kWriting)
        m_file = std::fopen(path.getString(), "w+b");
    m_isOpen = m_file != nullptr;
    return m_isOpen;
}

bool CFileStream::closeStream()
{
    bool complete = !m_error;
    if (m_file != nullptr && std::fclose(m_file) != 0)
        complete = false;
    m_file = nullptr;
    m_isOpen = false;
    m_error = false;
    return complete;
}

bool CFileStream::isStreamOpenForWriting() const { return m_isOpen && m_mode == kWriting; }

bool CFileStream::isStreamOpenForReading() const { return m_isOpen && m_mode == kReading; }

bool CFileStream::isEndOfFile() const { return !m_isOpen || std::feof(m_file) != 0; }

void CFileStream::setStreamByteOrder(bool littleEndian) { m_littleEndian = littleEndian; }

long CFileStream::getStreamPosition() const { return m_isOpen ? positionAsLong(_ftelli64(m_file)) : -1; }

bool CFileStream::moveToStreamPosition(long position)
{
    return m_isOpen && std::fseek(m_file, position, SEEK_SET) == 0;
}

bool CFileStream::moveStreamPosition(long offset) { return m_isOpen && std::fseek(m_file, offset, SEEK_CUR) == 0; }

bool CFileStream::rewindStream()
{
    if (!m_isOpen)
        return false;
    std::rewind(m_file);
    return true;
}

long CFileStream::getStreamSize()
{
    if (!isStreamOpenForReading())
        return -1;
    const int64_t position = _ftelli64(m_file);
    if (position < 0 || _fseeki64(m_file, 0, SEEK_END) != 0)
    {
        m_error = true;
        return -1;
    }
    const long size = positionAsLong(_ftelli64(m_file));
    if (_fseeki64(m_file, position, SEEK_SET) != 0 || size < 0)
    {
        m_error = true;
        return -1;
    }
    return size;
}

bool CFileStream::writeDataToStream(const void* data, long size)
{
    if (!isStreamOpenForWriting() || size < 0 || (data == nullptr && size > 0))
        return false;
    return putBytes(data, static_cast<std::size_t>(size));
}

bool CFileStream::readDataFromStream(void* data, long size)
{
    if (!isStreamOpenForReading() || size < 0 || (data == nullptr && size > 0))
        return false;
    const std::size_t count = static_cast<std::size_t>(size);
    return std::fread(data, 1, count, m_file) == count;
}

bool CFileStream::readShortArrayFromStream(short* values, unsigned long count)
{
    if (!isStreamOpenForReading() || (values == nullptr && count > 0))
    {
        m_error = true;
        return false;
    }
    if (std::fread(values, sizeof(short), count, m_file) != count)
    {
        m_error = true;
        return false;
    }
    if (swapsValues())
    {
        for (unsigned long index = 0; index < count; ++index)
            swapBytes16(&values[index]);
    }
    return true;
}

bool CFileStream::swapsValues() const { return !m_neverSwap && (kHostByteOrder == 1) == m_littleEndian; }

bool CFileStream::putBytes(const void* data, std::size_t size)
{
    // The C runtime only buffers what fwrite takes; a full disk shows only when the buffer goes to the file.
    return std::fwrite(data, 1, size, m_file) == size && std::fflush(m_file) == 0;
}

void CFileStream::writeBytes(const void* data, std::size_t size)
{
    if (!isStreamOpenForWriting() || !putBytes(data, size))
        m_error = true;
}

void CFileStream::readBytes(void* data, std::size_t size)
{
    if (!isStreamOpenForReading() || std::fread(data, 1, size, m_file) != size)
        m_error = true;
}

void CFileStream::writeValue(const void* value, std::size_t width)
{
    unsigned char bytes[kLargestValue];
    std::memcpy(bytes, value, width);
    if (swapsValues())
        reverseBytes(bytes, width);
    writeBytes(bytes, width);
}

void CFileStream::readValue(void* value, std::size_t width)
{
    if (!isStreamOpenForReading() || std::fread(value, 1, width, m_file) != width)
    {
        m_error = true;
        return;
    }
    if (swapsValues())
        reverseBytes(value, width);
}

CFileStream& CFileStream::operator<<(char value)
{
    writeBytes(&value, 1);
    return *this;
}

CFileStream& CFileStream::operator<<(unsigned char value)
{
    writeBytes(&value, 1);
    return *this;
}

CFileStream& CFileStream::operator<<(bool value)
{
    const unsigned char byte = value ? 1 : 0;
    writeBytes(&byte, 1);
    return *this;
}

CFileStream& CFileStream::operator<<(short value)
{
    writeValue(&value, sizeof(value));
    return *this;
}

CFileStream& CFileStream::operator<<(unsigned short value)
{
    writeValue(&value, sizeof(value));
    return *this;
}

CFileStream& CFileStream::operator<<(long value)
{
    writeValue(&value, sizeof(value));
    return *this;
}

CFileStream& CFileStream::operator<<(unsigned long value)
{
    writeValue(&value, sizeof(value));
    return *this;
}

CFileStream& CFileStream::operator<<(float value)
{
    writeValue(&value, sizeof(value));
    return *this;
}

CFileStream& CFileStream::operator<<(const double& value)
{
    writeValue(&value, sizeof(value));
    return *this;
}

CFileStream& CFileStream::operator>>(char& value)
{
    readBytes(&value, 1);
    return *this;
}

CFileStream& CFileStream::operator>>(unsigned char& value)
{
    readBytes(&value, 1);
    return *this;
}

CFileStream& CFileStream::operator>>(bool& value)
{
    unsigned char byte = 0;
    if (isStreamOpenForReading() && std::fread(&byte, 1, 1, m_file) == 1)
        value = byte == 1;
    else
        m_error = true;
    return *this;
}

CFileStream& CFileStream::operator>>(short& value)
{
    readValue(&value, sizeof(value));
    return *this;
}

CFileStream& CFileStream::operator>>(unsigned short& value)
{
    readValue(&value, sizeof(value));
    return *this;
}

CFileStream& CFileStream::operator>>(long& value)
{
    readValue(&value, sizeof(value));
    return *this;
}

CFileStream& CFileStream::operator>>(unsigned long& value)
{
    readValue(&value, sizeof(value));
    return *this;
}

CFileStream& CFileStream::operator>>(float& value)
{
    readValue(&value, sizeof(value));
    return *this;
}

CFileStream& CFileStream::operator>>(double& value)
{
    readValue(&value, sizeof(value));
    return *this;
}

long getHostByteOrder() { return kHostByteOrder; }

long readLittleEndian24(const unsigned char* bytes)
{
    const unsigned long value = static_cast<unsigned long>(bytes[0]) | static_cast<unsigned long>(bytes[1]) << 8 |
                                static_cast<unsigned long>(bytes[2]) << 16;
    // Bit 23 is the sign.
    return (value & 0x800000UL) != 0 ? static_cast<long>(value) - 0x1000000L : static_cast<long>(value);
}

void writeLittleEndian24(long value, unsigned char* bytes)
{
    const unsigned long bits = static_cast<unsigned long>(value);
    bytes[0] = static_cast<unsigned char>(bits & 0xFF);
    bytes[1] = static_cast<unsigned char>((bits >> 8) & 0xFF);
    bytes[2] = static_cast<unsigned char>((bits >> 16) & 0xFF);
}

void swapBytes16(void* bytes) { reverseBytes(bytes, 2); }

void swapBytes32(void* bytes) { reverseBytes(bytes, 4); }

int16_t lowInt16(long value) { return static_cast<int16_t>(static_cast<uint16_t>(value & 0xFFFF)); }

void* unchangedPointer(void* pointer) { return pointer; }
} // namespace IO
} // namespace Brivant
