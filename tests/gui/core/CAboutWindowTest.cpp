// The about window: a hidden layered pop-up of its picture's size in the middle of the screen that draws the
// picture and hides on a left click or the loss of the focus; without its picture no window at all. These
// need real windows on the display.
#include "gui/core/CAboutWindow.hpp"

#include "gui/core/CPNGImage.hpp"
#include "tests/gui/core/CGraphicsFixture.hpp"
#include "tests/gui/core/CImageManagerFixture.hpp"
#include "tests/gui/core/CWindowTestSupport.hpp"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

namespace
{
using Brivant::Basics::CString;
using Brivant::GUI::Graphics::CGraphics;
using Brivant::GUI::Graphics::CImageManager;
using Brivant::GUI::Graphics::CPNGImage;
using Brivant::GUI::Windowing::CAboutWindow;
using namespace VolturaTests;

class CAboutWindowTest : public CImageManagerFixture
{
protected:
    // Left half red, right half blue.
    void writePicture(const std::string& name, long width, long height) const
    {
        ASSERT_TRUE(writePng(file(name), width, height,
                             [width](long x, long) { return x < width / 2 ? 0xFFFF0000u : 0xFF0000FFu; }));
    }

    // As the editors make it: from a file, or registered in the image manager as "AboutWindow".
    std::unique_ptr<CAboutWindow> aboutWindow(const char* fileName, bool registered) const
    {
        if (!registered)
            return std::make_unique<CAboutWindow>(folder(), CString(fileName), 0.8);
        CImageManager::addImage(CString("{}"), CString(fileName), CString("AboutWindow"));
        return std::make_unique<CAboutWindow>(0.8);
    }

    static HWND handleOf(const CAboutWindow& window) { return *window.getWindowHandle(); }
};

TEST_F(CAboutWindowTest, itsPictureMakesAHiddenLayeredPopupOfThePictureSizeCentredOnTheScreen)
{
    struct SCase
    {
        long width;
        long height;
        bool registered;
    };
    for (const SCase& test : {SCase{400, 300, false}, SCase{101, 51, false}, SCase{64, 48, true}})
    {
        SCOPED_TRACE(std::to_string(test.width) + "x" + std::to_string(test.height));
        writePicture("about.png", test.width, test.height);
        const std::unique_ptr<CAboutWindow> window = aboutWindow("about.png", test.registered);
        const HWND handle = handleOf(*window);
        ASSERT_NE(nullptr, handle);
        EXPECT_STREQ("CAboutWindow", window->getClass().getClassName());
        EXPECT_FALSE(IsWindowVisible(handle));
        EXPECT_EQ(static_cast<LONG_PTR>(WS_POPUP), GetWindowLongPtrA(handle, GWL_STYLE) & WS_POPUP);
        EXPECT_EQ(WS_EX_NOACTIVATE | WS_EX_LAYERED | WS_EX_TOPMOST,
                  GetWindowLongPtrA(handle, GWL_EXSTYLE) & (WS_EX_NOACTIVATE | WS_EX_LAYERED | WS_EX_TOPMOST));
        BYTE alpha = 0;
        DWORD flags = 0;
        ASSERT_TRUE(GetLayeredWindowAttributes(handle, nullptr, &alpha, &flags));
        EXPECT_EQ(204, alpha);

        RECT area = {};
        GetWindowRect(handle, &area);
        EXPECT_EQ(test.width, area.right - area.left);
        EXPECT_EQ(test.height, area.bottom - area.top);
        EXPECT_LE(std::labs(area.left - (GetSystemMetrics(SM_CXSCREEN) - area.right)), 1);
        EXPECT_LE(std::labs(area.top - (GetSystemMetrics(SM_CYSCREEN) - area.bottom)), 1);

        CDibSurface target(test.width, test.height);
        HWND none = nullptr;
        CGraphics graphics;
        graphics.initialise(&none, target.context(), window->getWindowSize());
        graphics.setUpdateArea(Brivant::MathTools::CRect(0, 0, test.width, test.height));
        window->draw(graphics);
        const CPixels pixels(graphics.getDeviceContext(), test.width, test.height);
        EXPECT_EQ("255,0,0", pixels.rgb(0, test.height - 1));
        EXPECT_EQ("0,0,255", pixels.rgb(test.width - 1, 0));
        graphics.uninitialise();
    }
}

TEST_F(CAboutWindowTest, aShownAboutWindowHidesOnALeftClickAndWhenItLosesTheFocus)
{
    writePicture("about.png", 60, 40);
    CAboutWindow window(folder(), CString("about.png"), 1.0);
    const HWND handle = handleOf(window);
    ASSERT_NE(nullptr, handle);
    struct SCase
    {
        const char* action;
        bool hides;
    };
    // A shown window of its own is hidden only by what the test does: each hide of one takes the display seconds.
    for (const SCase& test : {SCase{"right click", false}, SCase{"left click", true}, SCase{"focus elsewhere", true}})
    {
        SCOPED_TRACE(test.action);
        window.openWindow();
        ASSERT_TRUE(IsWindowVisible(handle));
        const std::string action = test.action;
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
        EXPECT_EQ(!test.hides, IsWindowVisible(handle) != FALSE);
    }
}

TEST_F(CAboutWindowTest, withoutItsPictureNoWindowIsEverMadeAndOpeningDoesNothing)
{
    writeText("broken.png", "not a picture");
    struct SCase
    {
        const char* fileName;
        bool registered;
    };
    for (const SCase& test : {SCase{"missing.png", false}, SCase{"broken.png", false}, SCase{"missing.png", true},
                              SCase{"broken.png", true}})
    {
        SCOPED_TRACE(std::string(test.fileName) + (test.registered ? " registered" : ""));
        const long picturesBefore = CPNGImage::classRecord().getInstanceCount();
        const std::unique_ptr<CAboutWindow> window = aboutWindow(test.fileName, test.registered);
        // The editor initialises it to be shown, then its information button opens it.
        CWindowAttributes attributes = hiddenAttributes("AboutProbe");
        window->intialiseWindow(&attributes, true);
        window->openWindow();
        EXPECT_EQ(nullptr, handleOf(*window));
        EXPECT_FALSE(window->isCreated());
        // A picture nobody else holds is not kept.
        EXPECT_EQ(picturesBefore + (test.registered ? CImageManager::getImage(CString("AboutWindow")) != nullptr : 0),
                  CPNGImage::classRecord().getInstanceCount());
        CImageManager::clear();
    }
}
} // namespace
