// The desktop helpers on real windows of this thread: window, client and content areas, the window size for a
// client size, point sizes and text measuring with and without GDI+.
#include "gui/core/CWindowTools.hpp"

#include "gui/core/CFont.hpp"
#include "gui/core/CGdiplusSession.hpp"
#include "tests/gui/CGuiTestKit.hpp"
#include "tests/gui/core/CGdiplusProbe.hpp"

#include <gtest/gtest.h>

namespace
{
using Brivant::Basics::CString;
using Brivant::GUI::Fonts::CFont;
using Brivant::GUI::Windowing::CWindowTools;
using namespace VolturaTests;

std::string sizeText(long width, long height) { return std::to_string(width) + "x" + std::to_string(height); }
std::string sizeText(const CDimension& size) { return sizeText(size.getWidth(), size.getHeight()); }

TEST(CWindowToolsTest, aWindowSizedForItsClientSizeHasItAndItsAreasAreWhereTheSystemPutsThem)
{
    const std::pair<DWORD, long> cases[] = {
        {WS_POPUP, -1}, {WS_OVERLAPPEDWINDOW, -1}, {WS_CAPTION | WS_SYSMENU, WS_EX_TOOLWINDOW}};
    for (const auto& [style, exStyle] : cases)
    {
        SCOPED_TRACE(std::to_string(style) + " " + std::to_string(exStyle));
        CDimension size(0, 0), client(0, 0);
        CRect area(0, 0, 0, 0), content(0, 0, 0, 0);
        ASSERT_TRUE(CWindowTools::getWindowSizeForClientSize(CDimension(150, 90), size, long(style), exStyle, false));
        const HWND handle = CreateWindowExA(exStyle == -1 ? 0 : DWORD(exStyle), "STATIC", "", style, 30, 40,
                                            size.getWidth(), size.getHeight(), nullptr, nullptr, nullptr, nullptr);
        POINT origin = {0, 0};
        ClientToScreen(handle, &origin);
        ASSERT_TRUE(CWindowTools::getClientSize(&handle, client) && CWindowTools::getWindowArea(&handle, area) &&
                    CWindowTools::getContentArea(&handle, content));
        EXPECT_EQ("150x90", sizeText(client));
        EXPECT_EQ("30,40 " + sizeText(size), positionText(CPoint(area.getLeft(), area.getTop())) + " " +
                                                 sizeText(area.getWidth(), area.getHeight()));
        EXPECT_EQ(positionText(CPoint(origin.x, origin.y)) + " 150x90",
                  positionText(CPoint(content.getLeft(), content.getTop())) + " " + sizeText(content.getDimension()));
        DestroyWindow(handle);
        // A window that is gone, or none at all, has no areas.
        EXPECT_FALSE(CWindowTools::getContentArea(&handle, content) || CWindowTools::getWindowArea(nullptr, area));
    }
}

TEST(CWindowToolsTest, pointSizesBecomeScreenPixelsAtNinetySixDotsPerInch)
{
    HDC screen = GetDC(nullptr);
    ASSERT_EQ(96, GetDeviceCaps(screen, LOGPIXELSY)) << "the display's resolution these sizes are for";
    ReleaseDC(nullptr, screen);
    const std::pair<long, long> cases[] = {{12, 16}, {9, 12}, {11, 14}, {0, 0}, {-12, 16}};
    for (const auto& [points, pixels] : cases)
        EXPECT_EQ(pixels, CWindowTools::pointSizeToPixels(points)) << points << " points";
}

TEST(CWindowToolsTest, textIsMeasuredInItsFontByGdiplusAndByGdiWhenGdiplusWillNotStart)
{
    HDC screen = GetDC(nullptr);
    const CFont small(CString("Arial"), 9, false, false), large(CString("Arial"), 24, false, true);
    const std::pair<const char*, const CFont*> cases[] = {
        {"Ratio", &small}, {"Ratio", &large}, {"Threshold -24 dB", &small}};
    for (const auto& [text, font] : cases)
    {
        SCOPED_TRACE(std::string(text) + " " + std::to_string(font->getFontSize()));
        CDimension measured(-1, -1), extent(-1, -1);
        {
            const Brivant::GUI::Graphics::CGdiplusSession session;
            ASSERT_TRUE(CWindowTools::measureString(screen, CString(text), measured, font));
        }
        // It answers false even for a measurement that worked: callers read the size alone.
        EXPECT_FALSE(CWindowTools::getTextExtent(screen, CString(text), extent, font));
        EXPECT_EQ(sizeText(measured), sizeText(extent));
        EXPECT_GT(extent.getWidth() * extent.getHeight(), font->getFontSize() * font->getFontSize());

        // Without GDI+: GDI's size of the text in the same font, and no session left open.
        HGDIOBJ previous = SelectObject(screen, font->getFontHandle());
        SIZE gdi = {0, 0};
        GetTextExtentPoint32A(screen, text, lstrlenA(text), &gdi);
        SelectObject(screen, previous);
        CGdiplusProbe probe;
        probe.fail(CGdiplusProbe::kStartup);
        EXPECT_FALSE(CWindowTools::getTextExtent(screen, CString(text), extent, font));
        EXPECT_EQ(sizeText(gdi.cx, gdi.cy), sizeText(extent));
        EXPECT_EQ(0, probe.openSessions());
    }
    CDimension untouched(7, 7);
    EXPECT_FALSE(CWindowTools::measureString(screen, CString("Ratio"), untouched, nullptr));
    EXPECT_FALSE(CWindowTools::getTextExtent(nullptr, CString("Ratio"), untouched, &small));
    EXPECT_EQ("7x7", sizeText(untouched));
    ReleaseDC(nullptr, screen);
}
} // namespace
