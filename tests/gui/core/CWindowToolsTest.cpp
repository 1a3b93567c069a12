// The desktop helpers on real windows of this thread: window and client areas, the window size for a client
// size, the pointer, focus and visibility, point sizes on the screen and text measuring with and without GDI+.
#include "gui/core/CWindowTools.hpp"

#include "foundation/basics/CString.hpp"
#include "foundation/mathtools/CDimension.hpp"
#include "foundation/mathtools/CRect.hpp"
#include "gui/core/CFont.hpp"
#include "gui/core/CGdiplusSession.hpp"
#include "tests/gui/core/CGdiplusProbe.hpp"
#include "tests/gui/core/CWindowTestSupport.hpp"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace
{
using Brivant::Basics::CString;
using Brivant::GUI::Fonts::CFont;
using Brivant::GUI::Graphics::CGdiplusSession;
using Brivant::GUI::Windowing::CWindowTools;
using namespace VolturaTests;

std::string sizeText(const CDimension& size)
{
    return std::to_string(size.getWidth()) + "x" + std::to_string(size.getHeight());
}

std::string areaText(const CRect& area)
{
    return pointText(CPoint(area.getLeft(), area.getTop())) + " " + sizeText(area.getDimension());
}

TEST(CWindowToolsTest, aWindowSizedForItsClientSizeHasItAndItsAreasAreWhereTheSystemPutsThem)
{
    struct SCase
    {
        DWORD style;
        long exStyle;
    };
    const SCase cases[] = {{WS_POPUP, -1}, {WS_OVERLAPPEDWINDOW, -1}, {WS_CAPTION | WS_SYSMENU, WS_EX_TOOLWINDOW}};
    for (const SCase& test : cases)
    {
        SCOPED_TRACE(std::to_string(test.style) + " " + std::to_string(test.exStyle));
        CDimension size(0, 0);
        ASSERT_TRUE(CWindowTools::getWindowSizeForClientSize(CDimension(150, 90), size, static_cast<long>(test.style),
                                                             test.exStyle, false));
        const HWND handle = CreateWindowExA(test.exStyle == -1 ? 0 : static_cast<DWORD>(test.exStyle), "STATIC", "",
                                            test.style, 30, 40, size.getWidth(), size.getHeight(), nullptr, nullptr,
                                            nullptr, nullptr);
        ASSERT_NE(nullptr, handle);
        CDimension client(0, 0);
        ASSERT_TRUE(CWindowTools::getClientSize(&handle, client));
        EXPECT_EQ("150x90", sizeText(client));

        CRect area(0, 0, 0, 0);
        ASSERT_TRUE(CWindowTools::getWindowArea(&handle, area));
        EXPECT_EQ("30,40 " + sizeText(size), areaText(area));
        POINT origin = {0, 0};
        ClientToScreen(handle, &origin);
        ASSERT_TRUE(CWindowTools::getContentArea(&handle, area));
        EXPECT_EQ(pointText(CPoint(origin.x, origin.y)) + " 150x90", areaText(area));
        DestroyWindow(handle);

        // A window that is gone, or none at all, has no areas.
        EXPECT_FALSE(CWindowTools::getContentArea(&handle, area));
        EXPECT_FALSE(CWindowTools::getWindowArea(nullptr, area));
    }
}

TEST(CWindowToolsTest, pointSizesBecomeScreenPixelsAtNinetySixDotsPerInch)
{
    HDC screen = GetDC(nullptr);
    const int dotsPerInch = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    ASSERT_EQ(96, dotsPerInch) << "the display's resolution these sizes are for";
    const long cases[][2] = {{12, 16}, {9, 12}, {11, 14}, {0, 0}, {-12, 16}};
    for (const auto& test : cases)
        EXPECT_EQ(test[1], CWindowTools::pointSizeToPixels(test[0])) << test[0] << " points";
}

TEST(CWindowToolsTest, thePointerFocusAndVisibilityFollowWhatIsSetAndShown)
{
    const HWND host = sharedVisibleHost();
    // Let the display map the host first.
    pumpMessages(200);
    for (const CPoint& point : {CPoint(10, 20), CPoint(200, 150), CPoint(0, 0)})
    {
        CWindowTools::setGlobalMousePosition(point);
        EXPECT_EQ(pointText(point), pointText(CWindowTools::getGlobalMousePosition()));
    }
    // The host itself lets the pointer through (a static control), so a button is put in it.
    const HWND button = CreateWindowExA(0, "BUTTON", "", WS_CHILD | WS_VISIBLE, 50, 60, 40, 30, host, nullptr,
                                        nullptr, nullptr);
    HWND found = nullptr;
    CWindowTools::getWindowFromPoint(found, CPoint(70, 70));
    EXPECT_EQ(button, found);
    DestroyWindow(button);
    EXPECT_EQ(GetDesktopWindow(), CWindowTools::getDesktopWindow(found));
    EXPECT_EQ(GetDesktopWindow(), found);

    const HWND hidden = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 20, 20, nullptr, nullptr, nullptr, nullptr);
    const HWND none = nullptr;
    EXPECT_TRUE(CWindowTools::isWindowVisible(&host));
    EXPECT_FALSE(CWindowTools::isWindowVisible(&hidden));
    EXPECT_FALSE(CWindowTools::isWindowVisible(&none));
    EXPECT_FALSE(CWindowTools::isWindowVisible(nullptr));

    CWindowTools::setForegroundWindow(&host);
    EXPECT_EQ(host, CWindowTools::getForegroundWindow(found));
    EXPECT_EQ(host, found);
    CWindowTools::setFocus(&hidden);
    EXPECT_EQ(hidden, GetFocus());
    CWindowTools::setFocus(&host);
    EXPECT_EQ(host, GetFocus());
    DestroyWindow(hidden);
}

TEST(CWindowToolsTest, textIsMeasuredInItsFontByGdiplusAndByGdiWhenGdiplusWillNotStart)
{
    HDC screen = GetDC(nullptr);
    const CFont small(CString("Arial"), 9, false, false);
    const CFont large(CString("Arial"), 24, false, true);
    struct SCase
    {
        const char* text;
        const CFont* font;
    };
    for (const SCase& test : {SCase{"Ratio", &small}, SCase{"Ratio", &large}, SCase{"Threshold -24 dB", &small}})
    {
        SCOPED_TRACE(std::string(test.text) + " " + std::to_string(test.font->getFontSize()));
        CDimension measured(-1, -1);
        {
            const CGdiplusSession session;
            ASSERT_TRUE(CWindowTools::measureString(screen, CString(test.text), measured, test.font));
        }
        CDimension extent(-1, -1);
        CWindowTools::getTextExtent(screen, CString(test.text), extent, test.font);
        EXPECT_EQ(sizeText(measured), sizeText(extent));

        // Without GDI+ it is GDI's size of the text in the same font, and no session is left open.
        HGDIOBJ previous = SelectObject(screen, test.font->getFontHandle());
        SIZE gdi = {0, 0};
        GetTextExtentPoint32A(screen, test.text, lstrlenA(test.text), &gdi);
        SelectObject(screen, previous);
        CGdiplusProbe probe;
        ASSERT_TRUE(probe.isActive());
        probe.fail(CGdiplusProbe::kStartup);
        CWindowTools::getTextExtent(screen, CString(test.text), extent, test.font);
        EXPECT_EQ(sizeText(CDimension(gdi.cx, gdi.cy)), sizeText(extent));
        EXPECT_EQ(0, probe.openSessions());
    }
    // The larger font and the longer text measure larger.
    CDimension ratioSmall(0, 0), ratioLarge(0, 0), thresholdSmall(0, 0);
    CWindowTools::getTextExtent(screen, CString("Ratio"), ratioSmall, &small);
    CWindowTools::getTextExtent(screen, CString("Ratio"), ratioLarge, &large);
    CWindowTools::getTextExtent(screen, CString("Threshold -24 dB"), thresholdSmall, &small);
    EXPECT_GT(ratioLarge.getHeight(), ratioSmall.getHeight());
    EXPECT_GT(thresholdSmall.getWidth(), ratioSmall.getWidth());

    CDimension untouched(7, 7);
    EXPECT_FALSE(CWindowTools::measureString(screen, CString("Ratio"), untouched, nullptr));
    CWindowTools::getTextExtent(nullptr, CString("Ratio"), untouched, &small);
    EXPECT_EQ("7x7", sizeText(untouched));
    ReleaseDC(nullptr, screen);
}
} // namespace
