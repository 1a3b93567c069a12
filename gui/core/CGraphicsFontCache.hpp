// The GDI+ fonts a graphics context draws text with, each made once per logical font and device context and
// kept while that device context lives: making a GDI+ font costs about half as much as drawing its text.
// For the sources that talk to GDI+ itself.
#pragma once

#include <windows.h>
#include <gdiplus.h>

namespace Brivant
{
namespace GUI
{
namespace Graphics
{
class CGraphicsFontCache
{
public:
    static constexpr int kCapacity = 8;

    CGraphicsFontCache();
    // GDI+ must still be running.
    ~CGraphicsFontCache();

    CGraphicsFontCache(const CGraphicsFontCache&) = delete;
    CGraphicsFontCache& operator=(const CGraphicsFontCache&) = delete;

    // The font made from logicalFont on dc, made now unless kept; the cache owns it. Null when GDI+ makes none.
    // With every place taken, the oldest font goes.
    ::Gdiplus::GpFont* fontFor(HDC dc, const LOGFONTA& logicalFont);
    // Deletes every font, for a context whose device context goes.
    void clear();
    int getCount() const;

private:
    struct SEntry
    {
        HDC dc;
        LOGFONTA logicalFont;
        ::Gdiplus::GpFont* font;
    };

    SEntry m_entries[kCapacity];
    int m_next;
};
} // namespace Graphics
} // namespace GUI
} // namespace Brivant
