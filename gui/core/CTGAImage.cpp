#include "gui/core/CTGAImage.hpp"

#include "foundation/io/CFileStream.hpp"

#include <windows.h>

#include <cstddef>
#include <cstring>
#include <new>
#include <vector>

namespace Brivant
{
namespace GUI
{
namespace Graphics
{
using ::Brivant::Basics::CClass;
using ::Brivant::Basics::CString;
using ::Brivant::Basics::CSystemString;
using ::Brivant::IO::CFileStream;

namespace
{
const char* const kNotTarga = "Filename is not of TARGA type";
const char* const kNotFound = "Could not find file with matching details";
const char* const kBadHeader = "Header information did not match\nFile must be 32 bit Targa, colour map of 0, bpp = 8";
const char* const kNoSection = "Failed to create window DIB section from targa data";

constexpr unsigned char kUncompressedTrueColour = 2;
constexpr unsigned char kBitsPerPixel = 32;
// 8 alpha bits, origin bottom left.
constexpr unsigned char kDescriptor = 8;

struct STargaHeader
{
    unsigned char idLength = 0;
    unsigned char colourMapType = 0;
    unsigned char imageType = 0;
    unsigned short colourMapFirstEntry = 0;
    unsigned short colourMapLength = 0;
    unsigned char colourMapEntrySize = 0;
    unsigned short xOrigin = 0;
    unsigned short yOrigin = 0;
    unsigned short width = 0;
    unsigned short height = 0;
    unsigned char pixelDepth = 0;
    unsigned char descriptor = 0;
};

// False when the file ended before the header did.
bool readHeader(CFileStream& file, STargaHeader& header)
{
    file >> header.idLength >> header.colourMapType >> header.imageType >> header.colourMapFirstEntry >>
        header.colourMapLength >> header.colourMapEntrySize >> header.xOrigin >> header.yOrigin >> header.width >>
        header.height >> header.pixelDepth >> header.descriptor;
    return !file.hasStreamError();
}

bool isSupported(const STargaHeader& header)
{
    return header.idLength == 0 && header.colourMapType == 0 && header.imageType == kUncompressedTrueColour &&
           header.pixelDepth == kBitsPerPixel && header.descriptor == kDescriptor &&
           CBaseImage::isSaneSize(header.width, header.height);
}
} // namespace

CTGAImage::CTGAImage() : CBaseImage(true) {}

CTGAImage::CTGAImage(const CSystemString& path) : CBaseImage(true) { loadFromFile(path); }

CTGAImage::~CTGAImage() = default;

bool CTGAImage::loadFromFile(const CSystemString& path)
{
    const CSystemString file(path);
    if (!beginLoading(file, {"tga"}, kNotTarga))
        return false;

    CFileStream stream(file, CFileStream::kReading, true);
    if (!stream.isStreamOpenForReading())
    {
        setLastError(kNotFound);
        return false;
    }
    STargaHeader header;
    if (!readHeader(stream, header) || !isSupported(header))
    {
        stream.closeStream();
        setFilename(CSystemString(" "));
        setLastError(kBadHeader);
        return false;
    }
    const long width = header.width;
    const long height = header.height;
    std::vector<unsigned char> pixels;
    try
    {
        // At most kMaximumPixels x 4 bytes; a short body leaves the rest zero.
        pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4, 0);
    }
    catch (const std::bad_alloc&)
    {
        setFilename(CSystemString(" "));
        setLastError(kNoSection);
        return false;
    }
    stream.readDataFromStream(pixels.data(), static_cast<long>(pixels.size()));
    stream.closeStream();

    if (!makeBitmap(pixels.data(), width, height))
    {
        setFilename(CSystemString(" "));
        setLastError(kNoSection);
        return false;
    }
    return true;
}

bool CTGAImage::makeBitmap(const unsigned char* pixels, long width, long height)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    // Positive: bottom-up rows, as the file holds them.
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap == nullptr || bits == nullptr)
    {
        if (bitmap != nullptr)
            DeleteObject(bitmap);
        return false;
    }
    auto* target = static_cast<unsigned char*>(bits);
    const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    for (std::size_t pixel = 0; pixel < count; ++pixel)
    {
        const unsigned char* from = pixels + pixel * 4;
        unsigned char* to = target + pixel * 4;
        const unsigned alpha = from[3];
        // AlphaBlend wants colours premultiplied: c = c x a / 255, truncated.
        to[0] = static_cast<unsigned char>(from[0] * alpha / 255);
        to[1] = static_cast<unsigned char>(from[1] * alpha / 255);
        to[2] = static_cast<unsigned char>(from[2] * alpha / 255);
        to[3] = static_cast<unsigned char>(alpha);
    }
    GdiFlush();
    setPictureSize(width, height);
    takeBitmap(bitmap);
    return true;
}

CTGAImage* CTGAImage::createFromFile(const CSystemString& folder, const CString& fileName)
{
    CSystemString path(folder);
    path.appendPath(fileName);
    if (!path.hasExtension() || !endsWithIgnoringCase(path, "tga"))
        path.setExtension("tga", false);
    return new CTGAImage(path);
}
} // namespace Graphics
} // namespace GUI
} // namespace Brivant
