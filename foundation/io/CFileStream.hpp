// A binary file of raw values, open either for reading or for writing, with a byte order of its own so that one
// layout reads the same on hosts of either order. Errors are sticky: a failed or short transfer sets the error
// flag and the call returns normally; only opening and closing clear it.
#pragma once

#include "foundation/basics/CCountedObject.hpp"
#include "foundation/basics/CSystemString.hpp"

#include <cstddef>
#include <cstdint>
#include <cstdio>

namespace Brivant
{
namespace IO
{
class CFileStream : public Basics::CCountedObject
{
    BRIVANT_CLASS_RECORD(CFileStream, "CCountedObject");

public:
    static constexpr long kReading = 0;
    static constexpr long kWriting = 1;

    // Closed, every flag false.
    CFileStream();
    // Opens at once, with never-swap clear.
    CFileStream(const Basics::CSystemString& path, long mode, bool littleEndian);
    ~CFileStream() override;

    CFileStream(const CFileStream&) = delete;
    CFileStream& operator=(const CFileStream&) = delete;

    // Closes what is open and clears the error first. kReading opens an existing file, kWriting creates or
    // truncates one; any other mode opens nothing, so no file is emptied by a stream that could not use it.
    // littleEndian is the file's byte order; with neverSwap values go as they lie in memory.
    bool openStream(const Basics::CSystemString& path, long mode, bool littleEndian, bool neverSwap);
    // False when a transfer had failed or the file did not close cleanly; the error is cleared either way.
    bool closeStream();
    bool isStreamOpenForWriting() const;
    bool isStreamOpenForReading() const;
    // True when nothing is open.
    bool isEndOfFile() const;
    bool hasStreamError() const { return m_error; }

    void setStreamByteOrder(bool littleEndian);

    // -1 when nothing is open or the position is past what a long holds.
    long getStreamPosition() const;
    // From the start of the file.
    bool moveToStreamPosition(long position);
    // From the current position.
    bool moveStreamPosition(long offset);
    // False when nothing is open.
    bool rewindStream();
    // Only for a stream open for reading, else -1 with the error untouched; a failed seek, or a size a long
    // cannot hold, sets the error and gives -1 as well.
    long getStreamSize();

    // Raw blocks: never swapped, the error flag untouched; true when all size bytes went through, which for a
    // write means they reached the file.
    bool writeDataToStream(const void* data, long size);
    bool readDataFromStream(void* data, long size);
    // Reads 2 x count bytes and puts each value in the host's order; a short read sets the error.
    bool readShortArrayFromStream(short* values, unsigned long count);

    // Each writer acts only on a stream open for writing, each reader only on one open for reading; anything
    // else and every short transfer sets the error. A failed read leaves whatever part of the value arrived.
    CFileStream& operator<<(char value);
    CFileStream& operator<<(unsigned char value);
    // One byte, 0 or 1.
    CFileStream& operator<<(bool value);
    CFileStream& operator<<(short value);
    CFileStream& operator<<(unsigned short value);
    CFileStream& operator<<(long value);
    CFileStream& operator<<(unsigned long value);
    CFileStream& operator<<(float value);
    CFileStream& operator<<(const double& value);

    CFileStream& operator>>(char& value);
    CFileStream& operator>>(unsigned char& value);
    // True exactly when the byte is 1.
    CFileStream& operator>>(bool& value);
    CFileStream& operator>>(short& value);
    CFileStream& operator>>(unsigned short& value);
    CFileStream& operator>>(long& value);
    CFileStream& operator>>(unsigned long& value);
    CFileStream& operator>>(float& value);
    CFileStream& operator>>(double& value);

private:
    // Whether a value's bytes are reversed on the way to or from the file.
    bool swapsValues() const;
    // Writes and flushes: true only once the bytes are in the file.
    bool putBytes(const void* data, std::size_t size);
    void writeBytes(const void* data, std::size_t size);
    void readBytes(void* data, std::size_t size);
    // The core transfer of one width: reversed on a copy when writing, in place after a complete read.
    void writeValue(const void* value, std::size_t width);
    void readValue(void* value, std::size_t width);

    std::FILE* m_file;
    long m_mode;
    bool m_isOpen;
    bool m_error;
    bool m_littleEndian;
    bool m_neverSwap;
};

// 0 on a little-endian host, 1 on a big-endian one; fixed by the build.
long getHostByteOrder();
// Three bytes, least significant first, as a signed 24-bit value.
long readLittleEndian24(const unsigned char* bytes);
// The value's low three bytes, least significant first.
void writeLittleEndian24(long value, unsigned char* bytes);
// Reverse 2 or 4 bytes in place.
void swapBytes16(void* bytes);
void swapBytes32(void* bytes);
// The value's low 16 bits as a signed value.
int16_t lowInt16(long value);
// Nothing to convert on this system's hosts: the pointer as it is.
void* unchangedPointer(void* pointer);
} // namespace IO
} // namespace Brivant
