#include "gui/core/CGdiplusDecoder.hpp"

#include "foundation/basics/CSystemString.hpp"
#include "foundation/io/CFileStream.hpp"
#include "gui/core/CBaseImage.hpp"
#include "gui/core/CGdiplusSession.hpp"

#include <windows.h>
#include <gdiplus.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace Brivant
{
namespace GUI
{
namespace Graphics
{
using ::Brivant::Basics::CSystemString;
using ::Brivant::IO::CFileStream;
namespace Gp = ::Gdiplus;
namespace Flat = ::Gdiplus::DllExports;

namespace
{
constexpr unsigned char kPngSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};

std::uint32_t bigEndian32(const unsigned char* bytes)
{
    return static_cast<std::uint32_t>(bytes[0]) << 24 | static_cast<std::uint32_t>(bytes[1]) << 16 |
           static_cast<std::uint32_t>(bytes[2]) << 8 | static_cast<std::uint32_t>(bytes[3]);
}

std::uint32_t bigEndian16(const unsigned char* bytes)
{
    return static_cast<std::uint32_t>(bytes[0]) << 8 | static_cast<std::uint32_t>(bytes[1]);
}

bool accept(std::uint32_t foundWidth, std::uint32_t foundHeight, long& width, long& height)
{
    if (!CBaseImage::isSaneSize(foundWidth, foundHeight))
        return false;
    width = static_cast<long>(foundWidth);
    height = static_cast<long>(foundHeight);
    return true;
}

// The signature, then the IHDR chunk, which must come first: length 13, "IHDR", width, height.
bool readPngSize(CFileStream& file, long& width, long& height)
{
    unsigned char header[24];
    if (!file.rewindStream() || !file.readDataFromStream(header, sizeof(header)))
        return false;
    if (std::memcmp(header, kPngSignature, sizeof(kPngSignature)) != 0 || bigEndian32(header + 8) != 13 ||
        std::memcmp(header + 12, "IHDR", 4) != 0)
        return false;
    return accept(bigEndian32(header + 16), bigEndian32(header + 20), width, height);
}

// Start and frame markers that carry no length.
bool standsAlone(unsigned char marker) { return marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7); }

// A start-of-frame marker: C0 to CF except DHT (C4), JPG (C8) and DAC (CC).
bool startsFrame(unsigned char marker)
{
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

// Walks the segments after SOI up to the first frame header. Every step reads at least four bytes, so the walk
// ends at the file's end whatever the lengths say.
bool readJpegSize(CFileStream& file, long& width, long& height)
{
    unsigned char start[2];
    if (!file.rewindStream() || !file.readDataFromStream(start, 2) || start[0] != 0xFF || start[1] != 0xD8)
        return false;
    for (;;)
    {
        unsigned char marker = 0;
        if (!file.readDataFromStream(&marker, 1) || marker != 0xFF)
            return false;
        // Any number of fill bytes may stand before the marker code.
        do
        {
            if (!file.readDataFromStream(&marker, 1))
                return false;
        } while (marker == 0xFF);
        if (standsAlone(marker))
            continue;
        // The image data or its end before any frame header: the size is never stated.
        if (marker == 0xD9 || marker == 0xDA)
            return false;
        unsigned char length[2];
        if (!file.readDataFromStream(length, 2) || bigEndian16(length) < 2)
            return false;
        if (startsFrame(marker))
        {
            // Precision, then height and width; a height of 0 would be given later, which GDI+ may not handle.
            unsigned char frame[5];
            if (bigEndian16(length) < 2 + sizeof(frame) || !file.readDataFromStream(frame, sizeof(frame)))
                return false;
            return accept(bigEndian16(frame + 3), bigEndian16(frame + 1), width, height);
        }
        if (!file.moveStreamPosition(static_cast<long>(bigEndian16(length)) - 2))
            return false;
    }
}

// The GDI+ bitmap, disposed however the decoding ends.
class CDecodedPicture
{
public:
    CDecodedPicture() : m_bitmap(nullptr) {}
    ~CDecodedPicture()
    {
        if (m_bitmap != nullptr)
            Flat::GdipDisposeImage(m_bitmap);
    }
    CDecodedPicture(const CDecodedPicture&) = delete;
    CDecodedPicture& operator=(const CDecodedPicture&) = delete;

    Gp::GpBitmap** out() { return &m_bitmap; }
    Gp::GpBitmap* get() const { return m_bitmap; }

private:
    Gp::GpBitmap* m_bitmap;
};
} // namespace

bool CGdiplusDecoder::readPictureSize(const CSystemString& path, long& width, long& height)
{
    CFileStream file(path, CFileStream::kReading, false);
    if (!file.isStreamOpenForReading())
        return false;
    return readPngSize(file, width, height) || readJpegSize(file, width, height);
}

CGdiplusDecoder::EResult CGdiplusDecoder::decode(const CSystemString& path, HBITMAP__*& bitmap, long& width,
                                                 long& height)
{
    bitmap = nullptr;
    const CGdiplusSession session;
    if (!session.isStarted())
        return kNoGdiplus;
    long statedWidth = 0;
    long statedHeight = 0;
    const std::vector<wchar_t> wide = CGdiplusSession::toWide(path.getString());
    if (wide.empty() || !readPictureSize(path, statedWidth, statedHeight))
        return kFailed;

    CDecodedPicture picture;
    if (Flat::GdipCreateBitmapFromFile(wide.data(), picture.out()) != Gp::Ok || picture.get() == nullptr)
        return kFailed;
    UINT decodedWidth = 0;
    UINT decodedHeight = 0;
    if (Flat::GdipGetImageWidth(picture.get(), &decodedWidth) != Gp::Ok ||
        Flat::GdipGetImageHeight(picture.get(), &decodedHeight) != Gp::Ok ||
        !CBaseImage::isSaneSize(decodedWidth, decodedHeight))
        return kFailed;
    // Background 0, transparent black: pixels keep their own alpha, premultiplied.
    HBITMAP made = nullptr;
    if (Flat::GdipCreateHBITMAPFromBitmap(picture.get(), &made, 0) != Gp::Ok || made == nullptr)
    {
        if (made != nullptr)
            DeleteObject(made);
        return kFailed;
    }
    bitmap = made;
    width = static_cast<long>(decodedWidth);
    height = static_cast<long>(decodedHeight);
    return kDecoded;
}
} // namespace Graphics
} // namespace GUI
} // namespace Brivant
