// CWindow's painting: drawing goes to the off-screen surface, clipped to the update area, and only that area is
// copied to the window; a paint whose drawing fails still ends. These need a real window on the display.
#include "gui/core/CWindow.hpp"

#include "gui/core/CGraphics.hpp"
#include "tests/gui/CGuiTestKit.hpp"
#include "tests/gui/core/CGraphicsFixture.hpp"
#include "tests/gui/core/CImportPatch.hpp"

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace
{
using Brivant::GUI::Basics::CColour;
using Brivant::GUI::Graphics::CGraphics;
using namespace VolturaTests;

constexpr long kWidth = 120;
constexpr long kHeight = 90;

void fillSurface(CGraphics& graphics, COLORREF colour)
{
    HBRUSH brush = CreateSolidBrush(colour);
    const RECT whole = {0, 0, kWidth, kHeight};
    FillRect(graphics.getDeviceContext(), &whole, brush);
    DeleteObject(brush);
}

// The copies made onto the window's own context: the paint context BeginPaint handed out.
HDC s_paintContext = nullptr;
std::vector<RECT> s_copiesToWindow;
HDC WINAPI recordingBeginPaint(HWND window, PAINTSTRUCT* paint)
{
    using FBeginPaint = HDC(WINAPI*)(HWND, PAINTSTRUCT*);
    s_paintContext = reinterpret_cast<FBeginPaint>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "BeginPaint")))(window, paint);
    return s_paintContext;
}
BOOL WINAPI recordingBitBlt(HDC target, int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
                            DWORD operation)
{
    if (target == s_paintContext && target != nullptr)
        s_copiesToWindow.push_back({x, y, x + width, y + height});
    using FBitBlt = BOOL(WINAPI*)(HDC, int, int, int, int, HDC, int, int, DWORD);
    return reinterpret_cast<FBitBlt>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("gdi32.dll"), "BitBlt")))(
        target, x, y, width, height, source, sourceX, sourceY, operation);
}

class CWindowPaintTest : public ::testing::Test
{
protected:
    CWindowPaintTest()
        : m_host(sharedVisibleHost()), m_window(CRect(20, 20, kWidth, kHeight)), m_colour(RGB(255, 0, 0))
    {
        m_window.setParentWindow(&m_host);
        m_window.onDraw = [this](CGraphics& graphics) {
            m_updateArea = graphics.getUpdateArea();
            graphics.getClippingRegion().getClipRegion(m_clip);
            m_offset = positionText(graphics.getDrawingOffset());
            fillSurface(graphics, m_colour);
        };
    }

    void open(long extendedStyle = 0)
    {
        CWindowAttributes attributes = childAttributes("PaintProbe");
        attributes.setWindowStyles(static_cast<long>(WS_CHILD), extendedStyle);
        attributes.setBackgroundColour(CColour(0, 0, 255));
        m_window.intialiseWindow(&attributes, true);
        // Let the display map the window and any exposure paint happen now, not during a test's reading.
        pumpMessages(200);
    }

    HWND handle() const { return *m_window.getWindowHandle(); }

    // What the window shows now.
    std::unique_ptr<CPixels> screen() const
    {
        HDC dc = GetDC(handle());
        auto pixels = std::make_unique<CPixels>(dc, kWidth, kHeight);
        ReleaseDC(handle(), dc);
        return pixels;
    }

    CForeignWindow m_host;
    CDrawingWindow m_window;
    COLORREF m_colour;
    CRect m_updateArea{0, 0, 0, 0};
    CRect m_clip{0, 0, 0, 0};
    std::string m_offset;
};

TEST_F(CWindowPaintTest, theFirstPaintCoversTheWholeClientArea)
{
    open();
    ASSERT_GE(m_window.paints, 1);
    EXPECT_EQ(CRect(0, 0, kWidth, kHeight), m_updateArea);
    EXPECT_EQ(kWidth * kHeight, screen()->countAll("255,0,0"));
}

TEST_F(CWindowPaintTest, aPartialRedrawDrawsClippedToItsAreaAndCopiesOnlyThatArea)
{
    open();
    m_colour = RGB(0, 255, 0);
    const int paintsBefore = m_window.paints;
    {
        CImportPatch begin("user32.dll", "BeginPaint", reinterpret_cast<void*>(&recordingBeginPaint));
        CImportPatch copy("gdi32.dll", "BitBlt", reinterpret_cast<void*>(&recordingBitBlt));
        ASSERT_TRUE(begin.isActive());
        ASSERT_TRUE(copy.isActive());
        s_copiesToWindow.clear();
        m_window.redrawWindowArea(CRect(10, 20, 30, 40));
        m_window.updateWindow();
        s_paintContext = nullptr;
    }
    // One copy of exactly the area, not the whole surface left to the context's clip.
    ASSERT_EQ(1u, s_copiesToWindow.size());
    EXPECT_EQ(10, s_copiesToWindow[0].left);
    EXPECT_EQ(20, s_copiesToWindow[0].top);
    EXPECT_EQ(40, s_copiesToWindow[0].right);
    EXPECT_EQ(60, s_copiesToWindow[0].bottom);
    EXPECT_EQ(paintsBefore + 1, m_window.paints);
    EXPECT_EQ(CRect(10, 20, 30, 40), m_updateArea);
    EXPECT_EQ(CRect(10, 20, 30, 40), m_clip);
    EXPECT_EQ("0,0", m_offset);

    const std::unique_ptr<CPixels> shown = screen();
    EXPECT_EQ(30 * 40, shown->count(10, 20, 30, 40, "0,255,0"));
    // Outside the area the window keeps what it showed: neither the new drawing nor the fresh surface's
    // background reaches it.
    EXPECT_EQ(kWidth * kHeight - 30 * 40, shown->countAll("255,0,0"));
    EXPECT_EQ(0, shown->countAll("0,0,255"));
}

TEST_F(CWindowPaintTest, redrawsFarApartArePaintedAndCopiedEachOnItsOwn)
{
    open();
    m_colour = RGB(0, 255, 0);
    std::vector<std::string> drawnAreas;
    m_window.onDraw = [this, &drawnAreas](CGraphics& graphics) {
        drawnAreas.push_back(CRect::toString(graphics.getUpdateArea()).getString());
        fillSurface(graphics, m_colour);
    };
    CImportPatch begin("user32.dll", "BeginPaint", reinterpret_cast<void*>(&recordingBeginPaint));
    CImportPatch copy("gdi32.dll", "BitBlt", reinterpret_cast<void*>(&recordingBitBlt));
    ASSERT_TRUE(begin.isActive());
    ASSERT_TRUE(copy.isActive());
    s_copiesToWindow.clear();
    m_window.redrawWindowArea(CRect(5, 5, 10, 10));
    m_window.redrawWindowArea(CRect(90, 70, 20, 10));
    m_window.updateWindow();
    s_paintContext = nullptr;
    ASSERT_EQ(2u, s_copiesToWindow.size());
    EXPECT_EQ(std::vector<std::string>({"5,5,10,10", "90,70,20,10"}), drawnAreas);
    EXPECT_EQ(100 + 200, screen()->countAll("0,255,0"));
    EXPECT_EQ(kWidth * kHeight - 300, screen()->countAll("255,0,0"));
}

// Its update region reaches the paint's context mirrored, right to left on the screen.
TEST_F(CWindowPaintTest, aRightToLeftWindowPaintsTheAreasAskedForInItsOwnCoordinates)
{
    open(WS_EX_LAYOUTRTL);
    ASSERT_NE(0, GetWindowLongA(handle(), GWL_EXSTYLE) & WS_EX_LAYOUTRTL);
    m_colour = RGB(0, 255, 0);
    std::vector<std::string> drawnAreas;
    m_window.onDraw = [this, &drawnAreas](CGraphics& graphics) {
        drawnAreas.push_back(CRect::toString(graphics.getUpdateArea()).getString());
        fillSurface(graphics, m_colour);
    };
    m_window.redrawWindowArea(CRect(5, 5, 10, 10));
    m_window.redrawWindowArea(CRect(90, 70, 20, 10));
    m_window.updateWindow();
    EXPECT_EQ(std::vector<std::string>({"5,5,10,10", "90,70,20,10"}), drawnAreas);
    EXPECT_EQ(100 + 200, screen()->countAll("0,255,0"));
}

TEST_F(CWindowPaintTest, whatTheDrawingLeavesUntouchedShowsTheBackgroundColour)
{
    m_window.onDraw = [](CGraphics& graphics) {
        HBRUSH brush = CreateSolidBrush(RGB(255, 255, 0));
        const RECT corner = {0, 0, 10, 10};
        FillRect(graphics.getDeviceContext(), &corner, brush);
        DeleteObject(brush);
    };
    open();
    const std::unique_ptr<CPixels> shown = screen();
    EXPECT_EQ(100, shown->countAll("255,255,0"));
    EXPECT_EQ(kWidth * kHeight - 100, shown->countAll("0,0,255"));
}

TEST_F(CWindowPaintTest, aLaterPaintStartsItsAreaFromTheBackgroundColourNotFromAnEarlierPaint)
{
    open();
    // The surface kept from the first paint is red all over; a drawing that leaves the area alone shows none of it.
    m_window.onDraw = [](CGraphics&) {};
    m_window.redrawWindowArea(CRect(5, 5, 20, 20));
    m_window.updateWindow();
    EXPECT_EQ(20 * 20, screen()->count(5, 5, 20, 20, "0,0,255"));
    EXPECT_EQ(kWidth * kHeight - 20 * 20, screen()->countAll("255,0,0"));
}

// A drawing that makes the window paint again before it goes on, as one that pumps messages would.
TEST_F(CWindowPaintTest, aPaintArrivingDuringAPaintWaitsAndTheOuterPaintStillDrawsEverything)
{
    open();
    const int outer = m_window.paints + 1;
    m_colour = RGB(0, 255, 0);
    m_window.onDraw = [this, outer](CGraphics& graphics) {
        if (m_window.paints == outer)
        {
            m_window.redrawWindowArea(CRect(100, 70, 10, 10));
            m_window.updateWindow();
        }
        fillSurface(graphics, m_colour);
    };
    m_window.redrawWindow();
    m_window.updateWindow();
    EXPECT_EQ(kWidth * kHeight, screen()->countAll("0,255,0"));
    m_window.updateWindow();
    EXPECT_EQ(outer + 1, m_window.paints) << "the inner paint comes after";
}

int s_beginPaints = 0;
int s_endPaints = 0;
HDC WINAPI countingBeginPaint(HWND window, PAINTSTRUCT* paint)
{
    ++s_beginPaints;
    using FBeginPaint = HDC(WINAPI*)(HWND, PAINTSTRUCT*);
    return reinterpret_cast<FBeginPaint>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "BeginPaint")))(window, paint);
}
BOOL WINAPI countingEndPaint(HWND window, const PAINTSTRUCT* paint)
{
    ++s_endPaints;
    using FEndPaint = BOOL(WINAPI*)(HWND, const PAINTSTRUCT*);
    return reinterpret_cast<FEndPaint>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "EndPaint")))(window, paint);
}

TEST_F(CWindowPaintTest, aDrawingThatThrowsStillEndsItsPaintAndLeavesATraceLine)
{
    open();
    CTraceCapture trace;
    CImportPatch begin("user32.dll", "BeginPaint", reinterpret_cast<void*>(&countingBeginPaint));
    CImportPatch end("user32.dll", "EndPaint", reinterpret_cast<void*>(&countingEndPaint));
    ASSERT_TRUE(begin.isActive());
    ASSERT_TRUE(end.isActive());
    s_beginPaints = 0;
    s_endPaints = 0;
    m_window.onDraw = [](CGraphics&) { throw std::runtime_error("drawing failed"); };
    m_window.redrawWindowArea(CRect(0, 0, 20, 20));
    m_window.updateWindow();
    EXPECT_GE(s_beginPaints, 1);
    EXPECT_EQ(s_beginPaints, s_endPaints);
    RECT update = {};
    EXPECT_FALSE(GetUpdateRect(handle(), &update, FALSE));
    EXPECT_NE(std::string::npos, trace.text().find("CWindow: the window procedure failed: drawing failed"));

    // The graphics context was given back: the next paint draws normally.
    m_colour = RGB(0, 255, 0);
    m_window.onDraw = [this](CGraphics& graphics) { fillSurface(graphics, m_colour); };
    m_window.redrawWindow();
    m_window.updateWindow();
    EXPECT_EQ(kWidth * kHeight, screen()->countAll("0,255,0"));
}
} // namespace
