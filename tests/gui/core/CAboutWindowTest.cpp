// The about window on the display: a hidden layered pop-up of its picture's size in the middle of the screen
// that draws the picture and hides on a left click or the loss of the focus; without its picture, no window.
#include "gui/core/CAboutWindow.hpp"

#include "gui/core/CPNGImage.hpp"
#include "tests/gui/CGuiTestKit.hpp"
#include "tests/gui/core/CGraphicsFixture.hpp"
#include "tests/gui/core/CImageManagerFixture.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

namespace
{
using Brivant::Basics::CString;
using Brivant::GUI::Graphics::CImageManager;
using Brivant::GUI::Windowing::CAboutWindow;
using namespace VolturaTests;

class CAboutWindowTest : public CImageManagerFixture
{
protected:
    // Left half red, right half blue; from a file, or registered in the image manager as "AboutWindow".
    std::unique_ptr<CAboutWindow> aboutWindow(const char* fileName, bool registered, long width = 60, long height = 40)
    {
        EXPECT_TRUE(writePng(file("about.png"), width, height,
                             [width](long x, long) { return x < width / 2 ? 0xFFFF0000u : 0xFF0000FFu; }));
        if (!registered)
            return std::make_unique<CAboutWindow>(folder(), CString(fileName), 0.8);
        CImageManager::addImage(CString("{}"), CString(fileName), CString("AboutWindow"));
        return std::make_unique<CAboutWindow>(0.8);
    }
};

TEST_F(CAboutWindowTest, itsPictureMakesAHiddenLayeredPopupOfThePictureSizeCentredOnTheScreen)
{
    const long exStyles = WS_EX_NOACTIVATE | WS_EX_LAYERED | WS_EX_TOPMOST;
    for (const auto& test : {std::make_tuple(400L, 300L, false), std::make_tuple(101L, 51L, false),
                             std::make_tuple(64L, 48L, true)})
    {
        const long width = std::get<0>(test), height = std::get<1>(test);
        SCOPED_TRACE(std::to_string(width) + "x" + std::to_string(height));
        const std::unique_ptr<CAboutWindow> window = aboutWindow("about.png", std::get<2>(test), width, height);
        const HWND handle = *window->getWindowHandle();
        ASSERT_NE(nullptr, handle);
        EXPECT_STREQ("CAboutWindow", window->getClass().getClassName());
        EXPECT_FALSE(IsWindowVisible(handle));
        EXPECT_EQ(static_cast<LONG_PTR>(WS_POPUP), GetWindowLongPtrA(handle, GWL_STYLE) & WS_POPUP);
        EXPECT_EQ(exStyles, GetWindowLongPtrA(handle, GWL_EXSTYLE) & exStyles);
        BYTE alpha = 0;
        ASSERT_TRUE(GetLayeredWindowAttributes(handle, nullptr, &alpha, nullptr));
        EXPECT_EQ(204, alpha);
        RECT area = {};
        GetWindowRect(handle, &area);
        EXPECT_EQ(width, area.right - area.left);
        EXPECT_EQ(height, area.bottom - area.top);
        EXPECT_LE(std::labs(area.left - (GetSystemMetrics(SM_CXSCREEN) - area.right)), 1);
        EXPECT_LE(std::labs(area.top - (GetSystemMetrics(SM_CYSCREEN) - area.bottom)), 1);

        CDibSurface target(width, height);
        HWND none = nullptr;
        Brivant::GUI::Graphics::CGraphics graphics;
        graphics.initialise(&none, target.context(), window->getWindowSize());
        graphics.setUpdateArea(CRect(0, 0, width, height));
        window->draw(graphics);
        const CPixels pixels(graphics.getDeviceContext(), width, height);
        EXPECT_EQ("255,0,0", pixels.rgb(0, height - 1));
        EXPECT_EQ("0,0,255", pixels.rgb(width - 1, 0));
    }
}

TEST_F(CAboutWindowTest, aShownAboutWindowHidesOnALeftClickAndWhenItLosesTheFocus)
{
    const std::unique_ptr<CAboutWindow> window = aboutWindow("about.png", false);
    const HWND handle = *window->getWindowHandle();
    // Only the test's actions hide it: each hide of a shown pop-up takes the display seconds.
    for (const auto& test : {std::make_pair("right click", false), std::make_pair("left click", true),
                             std::make_pair("focus elsewhere", true)})
    {
        SCOPED_TRACE(test.first);
        window->openWindow();
        ASSERT_TRUE(IsWindowVisible(handle));
        const std::string action = test.first;
        if (action == "focus elsewhere")
        {
            SetFocus(handle);
            ASSERT_EQ(handle, GetFocus());
            SetFocus(sharedVisibleHost());
        }
        else
        {
            const bool left = action == "left click";
            SendMessageA(handle, left ? WM_LBUTTONDOWN : WM_RBUTTONDOWN, 0, packedPosition(30, 20));
            SendMessageA(handle, left ? WM_LBUTTONUP : WM_RBUTTONUP, 0, packedPosition(30, 20));
        }
        EXPECT_EQ(!test.second, IsWindowVisible(handle) != FALSE);
    }
}

TEST_F(CAboutWindowTest, withoutItsPictureNoWindowIsEverMadeAndOpeningDoesNothing)
{
    writeText("broken.png", "not a picture");
    for (const auto& test : {std::make_pair("missing.png", false), std::make_pair("broken.png", false),
                             std::make_pair("missing.png", true), std::make_pair("broken.png", true)})
    {
        SCOPED_TRACE(std::string(test.first) + (test.second ? " registered" : ""));
        const long picturesBefore = Brivant::GUI::Graphics::CPNGImage::classRecord().getInstanceCount();
        const std::unique_ptr<CAboutWindow> window = aboutWindow(test.first, test.second);
        // As the editor does: initialised to be shown, then opened by the information button.
        CWindowAttributes attributes = hiddenAttributes("AboutProbe");
        window->intialiseWindow(&attributes, true);
        window->openWindow();
        EXPECT_EQ(nullptr, *window->getWindowHandle());
        EXPECT_FALSE(window->isCreated());
        // Only the image manager keeps a picture that failed to load.
        const long kept = CImageManager::getImage(CString("AboutWindow")) != nullptr ? 1 : 0;
        EXPECT_EQ(picturesBefore + kept, Brivant::GUI::Graphics::CPNGImage::classRecord().getInstanceCount());
        CImageManager::clear();
    }
}
} // namespace
