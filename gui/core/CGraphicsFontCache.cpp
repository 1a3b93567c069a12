#include "gui/core/CGraphicsFontCache.hpp"

#include <cstddef>
#include <cstring>

namespace Brivant
{
namespace GUI
{
namespace Graphics
{
namespace Flat = ::Gdiplus::DllExports;

CGraphicsFontCache::CGraphicsFontCache() : m_entries(), m_next(0) {}

CGraphicsFontCache::~CGraphicsFontCache() { clear(); }

::Gdiplus::GpFont* CGraphicsFontCache::fontFor(HDC dc, const LOGFONTA& logicalFont)
{
    for (const SEntry& entry : m_entries)
    {
        // The face name past its end may hold anything, so the whole structure is compared only up to it.
        if (entry.font != nullptr && entry.dc == dc &&
            std::memcmp(&entry.logicalFont, &logicalFont, offsetof(LOGFONTA, lfFaceName)) == 0 &&
            std::strncmp(entry.logicalFont.lfFaceName, logicalFont.lfFaceName, LF_FACESIZE) == 0)
            return entry.font;
    }
    ::Gdiplus::GpFont* font = nullptr;
    if (Flat::GdipCreateFontFromLogfontA(dc, &logicalFont, &font) != ::Gdiplus::Ok)
        return nullptr;
    SEntry& entry = m_entries[m_next];
    m_next = (m_next + 1) % kCapacity;
    if (entry.font != nullptr)
        Flat::GdipDeleteFont(entry.font);
    entry = {dc, logicalFont, font};
    return font;
}

void CGraphicsFontCache::clear()
{
    for (SEntry& entry : m_entries)
    {
        if (entry.font != nullptr)
            Flat::GdipDeleteFont(entry.font);
        entry.font = nullptr;
        entry.dc = nullptr;
    }
    m_next = 0;
}

int CGraphicsFontCache::getCount() const
{
    int count = 0;
    for (const SEntry& entry : m_entries)
        count += entry.font != nullptr ? 1 : 0;
    return count;
}
} // namespace Graphics
} // namespace GUI
} // namespace Brivant
