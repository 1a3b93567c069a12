// Decodes PNG and JPEG files into GDI bitmaps through GDI+, for CPNGImage and CJPEGImage. The picture's size is
// read from the file's own header first, so that no file can make GDI+ allocate for a picture beyond the cap.
#pragma once

struct HBITMAP__;

namespace Brivant
{
namespace Basics
{
class CSystemString;
}

namespace GUI
{
namespace Graphics
{
class CGdiplusDecoder
{
public:
    enum EResult
    {
        kDecoded,
        kNoGdiplus,
        kFailed
    };

    CGdiplusDecoder() = delete;

    // On kDecoded the bitmap is a new 32-bit DIB section with premultiplied alpha that the caller deletes;
    // otherwise nothing is left behind. Every GDI+ status is checked before the next call.
    static EResult decode(const Basics::CSystemString& path, HBITMAP__*& bitmap, long& width, long& height);

    // The size a PNG (IHDR) or JPEG (first frame header) file states. False for any other content, a header
    // cut short, or a size outside CBaseImage::isSaneSize.
    static bool readPictureSize(const Basics::CSystemString& path, long& width, long& height);
};
} // namespace Graphics
} // namespace GUI
} // namespace Brivant
