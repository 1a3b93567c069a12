#include "gui/core/CBaseImage.hpp"

#include "gui/core/CGdiplusDecoder.hpp"

#include <windows.h>

#include <cctype>
#include <cstdio>
#include <cstring>

namespace Brivant
{
namespace GUI
{
namespace Graphics
{
using ::Brivant::Basics::CString;
using ::Brivant::Basics::CSystemString;

namespace
{
const char* const kNoHBitmap = "Failed to aquire HBITMAP from Bitmap image";
} // namespace

CBaseImage::CBaseImage(bool hasAlpha)
    : m_hasAlpha(hasAlpha), m_referenceCount(0), m_loaded(false), m_size(0, 0), m_area(0, 0, 0, 0),
      m_filename(" "), m_lastError(" "), m_bitmap(nullptr)
{
}

CBaseImage::~CBaseImage() { deleteBitmap(); }

void CBaseImage::referenced() { ++m_referenceCount; }

void CBaseImage::dereference()
{
    if (--m_referenceCount <= 0)
        delete this;
}

long CBaseImage::getReferenceCount() const { return m_referenceCount; }

void CBaseImage::getObjectDescription(char* text, long size) const
{
    if (text == nullptr || size <= 0)
        return;
    if (m_loaded)
        std::snprintf(text, static_cast<size_t>(size), "File loaded is = %s", m_filename.getString());
    else
        std::snprintf(text, static_cast<size_t>(size), "%s", "No Image loaded");
}

bool CBaseImage::loadFromFile(const CSystemString& /*path*/) { return false; }

void CBaseImage::unloadImage()
{
    m_filename = " ";
    setPictureSize(0, 0);
    deleteBitmap();
}

bool CBaseImage::isSaneSize(std::uint64_t width, std::uint64_t height)
{
    const auto side = static_cast<std::uint64_t>(kMaximumSide);
    // Both sides are at most 65535 here, so the product cannot overflow.
    return width >= 1 && height >= 1 && width <= side && height <= side && width * height <= kMaximumPixels;
}

bool CBaseImage::endsWithIgnoringCase(const CString& path, const char* ending)
{
    if (ending == nullptr)
        return false;
    const char* text = path.getString();
    const size_t length = std::strlen(text);
    const size_t endingLength = std::strlen(ending);
    if (endingLength > length)
        return false;
    const char* tail = text + length - endingLength;
    for (size_t index = 0; index < endingLength; ++index)
    {
        if (std::tolower(static_cast<unsigned char>(tail[index])) !=
            std::tolower(static_cast<unsigned char>(ending[index])))
            return false;
    }
    return true;
}

void CBaseImage::setPictureSize(long width, long height)
{
    m_loaded = false;
    m_size.setDimension(width, height);
    m_area.setRect(0, 0, width, height);
}

void CBaseImage::takeBitmap(HBITMAP__* bitmap)
{
    if (bitmap != m_bitmap)
        deleteBitmap();
    m_bitmap = bitmap;
    m_loaded = bitmap != nullptr;
}

bool CBaseImage::loadThroughGdiplus(const CSystemString& path, const char* noGdiplusText)
{
    HBITMAP__* bitmap = nullptr;
    long width = 0;
    long height = 0;
    switch (CGdiplusDecoder::decode(path, bitmap, width, height))
    {
    case CGdiplusDecoder::kDecoded:
        setPictureSize(width, height);
        takeBitmap(bitmap);
        return true;
    case CGdiplusDecoder::kNoGdiplus:
        setLastError(noGdiplusText);
        return false;
    default:
        setLastError(kNoHBitmap);
        return false;
    }
}

void CBaseImage::deleteBitmap()
{
    if (m_bitmap != nullptr)
        DeleteObject(m_bitmap);
    m_bitmap = nullptr;
    m_loaded = false;
}
bool CBaseImage::beginLoading(const CSystemString& file, std::initializer_list<const char*> endings,
                              const char* wrongType)
{
    setFilename(file);
    for (const char* ending : endings)
    {
        if (endsWithIgnoringCase(file, ending))
        {
            unloadImage();
            setFilename(file);
            return true;
        }
    }
    setLastError(wrongType);
    return false;
}

} // namespace Graphics
} // namespace GUI
} // namespace Brivant
