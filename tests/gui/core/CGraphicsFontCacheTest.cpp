// The GDI+ fonts a context keeps: one per logical font and device context, the oldest going when all places are
// taken, none left after a clear.
#include "gui/core/CGraphicsFontCache.hpp"

#include "foundation/basics/CString.hpp"
#include "gui/core/CFont.hpp"
#include "gui/core/CGdiplusSession.hpp"

#include <gtest/gtest.h>

#include <vector>

namespace
{
using Brivant::Basics::CString;
using Brivant::GUI::Fonts::CFont;
using Brivant::GUI::Graphics::CGdiplusSession;
using Brivant::GUI::Graphics::CGraphicsFontCache;

class CGraphicsFontCacheTest : public ::testing::Test
{
protected:
    CGraphicsFontCacheTest() : m_first(CreateCompatibleDC(nullptr)), m_second(CreateCompatibleDC(nullptr)) {}
    ~CGraphicsFontCacheTest() override
    {
        m_cache.clear();
        DeleteDC(m_first);
        DeleteDC(m_second);
    }

    CGdiplusSession m_session;
    HDC m_first;
    HDC m_second;
    CGraphicsFontCache m_cache;
};

TEST_F(CGraphicsFontCacheTest, keepsOneFontPerLogicalFontAndContext)
{
    const CFont arial(CString("Arial"), 12, false, false);
    CFont larger(arial);
    larger.setFontSize(13);
    Gdiplus::GpFont* kept = m_cache.fontFor(m_first, arial.getLogicalFont());
    ASSERT_NE(nullptr, kept);
    EXPECT_EQ(kept, m_cache.fontFor(m_first, CFont(arial).getLogicalFont()));
    EXPECT_NE(kept, m_cache.fontFor(m_first, larger.getLogicalFont()));
    EXPECT_NE(kept, m_cache.fontFor(m_second, arial.getLogicalFont()));
    EXPECT_EQ(3, m_cache.getCount());
    m_cache.clear();
    EXPECT_EQ(0, m_cache.getCount());
}

TEST_F(CGraphicsFontCacheTest, theOldestFontGoesWhenEveryPlaceIsTaken)
{
    std::vector<CFont> fonts;
    for (long size = 10; size < 10 + CGraphicsFontCache::kCapacity + 1; ++size)
        fonts.emplace_back(CString("Arial"), size, false, false);
    std::vector<Gdiplus::GpFont*> made;
    for (const CFont& font : fonts)
        made.push_back(m_cache.fontFor(m_first, font.getLogicalFont()));
    EXPECT_EQ(CGraphicsFontCache::kCapacity, m_cache.getCount());
    // The second is still kept, and asking for the first again makes it anew in the second's place.
    EXPECT_EQ(made[1], m_cache.fontFor(m_first, fonts[1].getLogicalFont()));
    EXPECT_NE(nullptr, m_cache.fontFor(m_first, fonts[0].getLogicalFont()));
    EXPECT_EQ(CGraphicsFontCache::kCapacity, m_cache.getCount());
}
} // namespace
