// Off-screen drawing for the graphics tests: a 32-bit bitmap standing in for a window's device context, a
// copy of a context's pixels read past any clip, and a fixture that runs each test on both drawing paths.
#pragma once

#include "foundation/mathtools/CDimension.hpp"
#include "foundation/mathtools/CRect.hpp"
#include "gui/core/CGraphics.hpp"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>

namespace VolturaTests
{
// A top-down 32-bit DIB section selected into a memory context; each pixel is 0x00RRGGBB in memory order.
class CDibSurface
{
public:
    CDibSurface(long width, long height) : m_width(width), m_height(height), m_bits(nullptr)
    {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        m_context = CreateCompatibleDC(nullptr);
        m_bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &m_bits, nullptr, 0);
        m_previous = SelectObject(m_context, m_bitmap);
    }
    ~CDibSurface()
    {
        SelectObject(m_context, m_previous);
        DeleteObject(m_bitmap);
        DeleteDC(m_context);
    }
    CDibSurface(const CDibSurface&) = delete;
    CDibSurface& operator=(const CDibSurface&) = delete;

    HDC context() const { return m_context; }
    HBITMAP bitmap() const { return m_bitmap; }
    long width() const { return m_width; }
    long height() const { return m_height; }

    std::uint32_t& at(long x, long y) { return static_cast<std::uint32_t*>(m_bits)[y * m_width + x]; }
    std::uint32_t at(long x, long y) const { return static_cast<const std::uint32_t*>(m_bits)[y * m_width + x]; }

    void fill(std::uint32_t value)
    {
        GdiFlush();
        for (long y = 0; y < m_height; ++y)
            for (long x = 0; x < m_width; ++x)
                at(x, y) = value;
    }

private:
    long m_width;
    long m_height;
    void* m_bits;
    HDC m_context;
    HBITMAP m_bitmap;
    HGDIOBJ m_previous;
};

// "red,green,blue", so a failing comparison shows the whole colour.
inline std::string rgbText(long red, long green, long blue)
{
    return std::to_string(red) + "," + std::to_string(green) + "," + std::to_string(blue);
}

// A copy of a context's pixels: copying ignores the source's clip, which reading with GetPixel would not.
class CPixels
{
public:
    CPixels(HDC source, long width, long height) : m_copy(width, height)
    {
        BitBlt(m_copy.context(), 0, 0, width, height, source, 0, 0, SRCCOPY);
        GdiFlush();
    }

    std::uint32_t raw(long x, long y) const { return m_copy.at(x, y) & 0xFFFFFFu; }
    long red(long x, long y) const { return static_cast<long>(raw(x, y) >> 16 & 0xFF); }
    long green(long x, long y) const { return static_cast<long>(raw(x, y) >> 8 & 0xFF); }
    long blue(long x, long y) const { return static_cast<long>(raw(x, y) & 0xFF); }
    std::string rgb(long x, long y) const { return rgbText(red(x, y), green(x, y), blue(x, y)); }

    // How many pixels of the rectangle (left, top, width, height) have exactly this colour.
    long count(long left, long top, long width, long height, const std::string& colour) const
    {
        long found = 0;
        for (long y = top; y < top + height; ++y)
            for (long x = left; x < left + width; ++x)
                found += rgb(x, y) == colour ? 1 : 0;
        return found;
    }
    long countAll(const std::string& colour) const { return count(0, 0, m_copy.width(), m_copy.height(), colour); }

    // The smallest rectangle holding every pixel that is not the background; width 0 when there is none.
    Brivant::MathTools::CRect inkBounds(const std::string& background) const
    {
        long left = m_copy.width(), top = m_copy.height(), right = -1, bottom = -1;
        for (long y = 0; y < m_copy.height(); ++y)
            for (long x = 0; x < m_copy.width(); ++x)
                if (rgb(x, y) != background)
                {
                    left = std::min(left, x);
                    top = std::min(top, y);
                    right = std::max(right, x);
                    bottom = std::max(bottom, y);
                }
        if (right < 0)
            return Brivant::MathTools::CRect(0, 0, 0, 0);
        return Brivant::MathTools::CRect(left, top, right - left + 1, bottom - top + 1);
    }

private:
    CDibSurface m_copy;
};

inline const char* pathName(const ::testing::TestParamInfo<Brivant::GUI::Graphics::CGraphics::EDrawingPath>& info)
{
    return info.param == Brivant::GUI::Graphics::CGraphics::kGdiOnly ? "Gdi" : "Gdiplus";
}

// A context on a window's off-screen surface (white), once with GDI+ and once without.
class CGraphicsFixture : public ::testing::TestWithParam<Brivant::GUI::Graphics::CGraphics::EDrawingPath>
{
public:
    static constexpr long kWidth = 64;
    static constexpr long kHeight = 48;

protected:
    CGraphicsFixture() : m_windowContext(kWidth, kHeight), m_window(nullptr), m_graphics(GetParam()) {}

    void SetUp() override
    {
        m_graphics.initialise(&m_window, m_windowContext.context(), Brivant::MathTools::CDimension(kWidth, kHeight));
        ASSERT_TRUE(m_graphics.isInitialised());
        // Each instance must really take its own path.
        ASSERT_EQ(GetParam() != Brivant::GUI::Graphics::CGraphics::kGdiOnly, m_graphics.isDrawingWithGdiplus());
    }

    void TearDown() override { m_graphics.uninitialise(); }

    CPixels pixels() const { return CPixels(m_graphics.getDeviceContext(), kWidth, kHeight); }
    bool onGdiplus() const { return GetParam() != Brivant::GUI::Graphics::CGraphics::kGdiOnly; }

    CDibSurface m_windowContext;
    HWND m_window;
    Brivant::GUI::Graphics::CGraphics m_graphics;
};

#define VOLTURA_ON_BOTH_PATHS(fixture)                                                                          \
    INSTANTIATE_TEST_SUITE_P(BothPaths, fixture,                                                                \
                             ::testing::Values(Brivant::GUI::Graphics::CGraphics::kGdiplusWhenAvailable,       \
                                               Brivant::GUI::Graphics::CGraphics::kGdiOnly),                   \
                             VolturaTests::pathName)
} // namespace VolturaTests
