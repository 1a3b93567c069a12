// Picture files for the image tests, all made here: PNG and JPEG written by GDI+'s own encoders from a bitmap
// the test fills, Targa bytes laid out by hand, and the premultiplied pixels of a loaded image read back.
#pragma once

#include "gui/core/CGdiplusSession.hpp"
#include "gui/core/IImage.hpp"

#include <windows.h>
#include <gdiplus.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace VolturaTests
{
// One pixel as the bytes of a 32-bit DIB: blue, green, red, alpha.
struct SPixel
{
    unsigned blue;
    unsigned green;
    unsigned red;
    unsigned alpha;

    bool operator==(const SPixel& other) const
    {
        return blue == other.blue && green == other.green && red == other.red && alpha == other.alpha;
    }
};

inline std::string pixelText(const SPixel& pixel)
{
    return "B" + std::to_string(pixel.blue) + " G" + std::to_string(pixel.green) + " R" +
           std::to_string(pixel.red) + " A" + std::to_string(pixel.alpha);
}

// Colour channels within tolerance of each other (lossy files), alpha too.
inline bool isNear(const SPixel& first, const SPixel& second, unsigned tolerance)
{
    auto within = [tolerance](unsigned a, unsigned b) { return (a > b ? a - b : b - a) <= tolerance; };
    return within(first.blue, second.blue) && within(first.green, second.green) && within(first.red, second.red) &&
           within(first.alpha, second.alpha);
}

// A bitmap's pixels, top row first, read with GetDIBits whatever the bitmap's own row order.
inline std::vector<SPixel> readPixels(HBITMAP bitmap, long width, long height)
{
    std::vector<SPixel> pixels;
    if (bitmap == nullptr || width <= 0 || height <= 0)
        return pixels;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<std::uint32_t> raw(static_cast<size_t>(width * height));
    HDC screen = GetDC(nullptr);
    const int rows = GetDIBits(screen, bitmap, 0, static_cast<UINT>(height), raw.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    if (rows != height)
        return pixels;
    for (std::uint32_t value : raw)
        pixels.push_back({value & 0xFF, value >> 8 & 0xFF, value >> 16 & 0xFF, value >> 24 & 0xFF});
    return pixels;
}

inline std::vector<SPixel> readPixels(const Brivant::GUI::Graphics::IImage& image, long width, long height)
{
    return readPixels(image.getNativeImage(), width, height);
}

// Writes a picture through GDI+'s encoder for the MIME type ("image/png", "image/jpeg"); argb(x, y) gives
// each pixel as 0xAARRGGBB, not premultiplied.
inline bool writeGdiplusPicture(const std::string& path, const char* mimeType, long width, long height,
                                const std::function<std::uint32_t(long, long)>& argb)
{
    const Brivant::GUI::Graphics::CGdiplusSession session;
    if (!session.isStarted())
        return false;
    UINT count = 0;
    UINT bytes = 0;
    if (Gdiplus::DllExports::GdipGetImageEncodersSize(&count, &bytes) != Gdiplus::Ok || bytes == 0)
        return false;
    std::vector<unsigned char> buffer(bytes);
    auto* encoders = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    if (Gdiplus::DllExports::GdipGetImageEncoders(count, bytes, encoders) != Gdiplus::Ok)
        return false;
    std::wstring wideMime(mimeType, mimeType + std::strlen(mimeType));
    const CLSID* encoder = nullptr;
    for (UINT index = 0; index < count; ++index)
        if (encoders[index].MimeType != nullptr && wideMime == encoders[index].MimeType)
            encoder = &encoders[index].Clsid;
    if (encoder == nullptr)
        return false;

    Gdiplus::GpBitmap* bitmap = nullptr;
    if (Gdiplus::DllExports::GdipCreateBitmapFromScan0(width, height, 0, PixelFormat32bppARGB, nullptr, &bitmap) !=
        Gdiplus::Ok)
        return false;
    for (long y = 0; y < height; ++y)
        for (long x = 0; x < width; ++x)
            Gdiplus::DllExports::GdipBitmapSetPixel(bitmap, x, y, argb(x, y));
    const std::wstring widePath(path.begin(), path.end());
    const bool saved =
        Gdiplus::DllExports::GdipSaveImageToFile(bitmap, widePath.c_str(), encoder, nullptr) == Gdiplus::Ok;
    Gdiplus::DllExports::GdipDisposeImage(bitmap);
    return saved;
}

inline bool writePng(const std::string& path, long width, long height,
                     const std::function<std::uint32_t(long, long)>& argb)
{
    return writeGdiplusPicture(path, "image/png", width, height, argb);
}

inline bool writeJpeg(const std::string& path, long width, long height,
                      const std::function<std::uint32_t(long, long)>& argb)
{
    return writeGdiplusPicture(path, "image/jpeg", width, height, argb);
}

// The 18-byte Targa header, every field settable; the defaults are what the reader accepts.
struct STargaHeader
{
    unsigned char idLength = 0;
    unsigned char colourMapType = 0;
    unsigned char imageType = 2;
    unsigned short colourMapFirstEntry = 0;
    unsigned short colourMapLength = 0;
    unsigned char colourMapEntrySize = 0;
    unsigned short xOrigin = 0;
    unsigned short yOrigin = 0;
    unsigned short width = 1;
    unsigned short height = 1;
    unsigned char pixelDepth = 32;
    unsigned char descriptor = 8;

    std::string bytes() const
    {
        std::string out;
        auto byte = [&out](unsigned value) { out.push_back(static_cast<char>(value & 0xFF)); };
        auto word = [&byte](unsigned value) {
            byte(value);
            byte(value >> 8);
        };
        byte(idLength);
        byte(colourMapType);
        byte(imageType);
        word(colourMapFirstEntry);
        word(colourMapLength);
        byte(colourMapEntrySize);
        word(xOrigin);
        word(yOrigin);
        word(width);
        word(height);
        byte(pixelDepth);
        byte(descriptor);
        return out;
    }
};

// A whole Targa file: the header for width x height, then the pixels as given (bottom row first).
inline std::string targaFile(unsigned short width, unsigned short height, const std::vector<SPixel>& pixels)
{
    STargaHeader header;
    header.width = width;
    header.height = height;
    std::string out = header.bytes();
    for (const SPixel& pixel : pixels)
    {
        out.push_back(static_cast<char>(pixel.blue));
        out.push_back(static_cast<char>(pixel.green));
        out.push_back(static_cast<char>(pixel.red));
        out.push_back(static_cast<char>(pixel.alpha));
    }
    return out;
}
} // namespace VolturaTests
