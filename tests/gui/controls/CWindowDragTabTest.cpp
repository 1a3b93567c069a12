// CWindowDragTab in a real window: pressing the tab and moving the pointer moves the window so that the grabbed
// point stays under the pointer, wherever the tab sits; the release ends the drag. A root without a window throws.
#include "gui/controls/CWindowDragTab.hpp"

#include "foundation/exceptions/CException.hpp"
#include "gui/core/CControlRoot.hpp"
#include "tests/gui/CControlTestKit.hpp"
#include "tests/gui/core/CWindowTestSupport.hpp"

#include <windows.h>

#include <gtest/gtest.h>

namespace
{
using Brivant::GUI::Controls::CWindowDragTab;
using Brivant::MathTools::CRect;
using namespace VolturaTests;

std::string windowOrigin(HWND window)
{
    RECT area = {};
    GetWindowRect(window, &area);
    return std::to_string(area.left) + "," + std::to_string(area.top);
}

// Puts the pointer near a screen point and answers where it really is, as "x,y" less the offset given.
std::string pointerLess(long x, long y, long offsetX, long offsetY)
{
    SetCursorPos(static_cast<int>(x), static_cast<int>(y));
    POINT now = {};
    GetCursorPos(&now);
    return std::to_string(now.x - offsetX) + "," + std::to_string(now.y - offsetY);
}

TEST(CWindowDragTab, theWindowFollowsThePointerKeepingTheGrabbedPointUnderItUntilTheRelease)
{
    // At the window's corner, and away from it, where the window must not jump by the tab's offset.
    for (const CRect& tab : {CRect(0, 0, 40, 20), CRect(120, 40, 40, 20)})
    {
        CWindow window(CRect(50, 60, 200, 100));
        CWindowAttributes attributes = hiddenAttributes("DragTab");
        window.intialiseWindow(&attributes, false);
        const HWND handle = *window.getWindowHandle();
        auto* control = new CWindowDragTab(window.getControlRoot(), 1, tab, nullptr);
        window.getControlRoot()->addControl(control);
        // Pressed 10 right of and 5 below the tab's corner.
        const long grabX = tab.getLeft() + 10, grabY = tab.getTop() + 5;
        SendMessageA(handle, WM_LBUTTONDOWN, MK_LBUTTON, packedPosition(grabX, grabY));
        EXPECT_EQ(control, window.getControlRoot()->getLockedControl());
        for (long step = 0; step < 3; ++step)
        {
            const std::string expected = pointerLess(300 + 40 * step, 200 + 25 * step, grabX, grabY);
            // The event's own position is not what counts.
            SendMessageA(handle, WM_MOUSEMOVE, MK_LBUTTON, packedPosition(-500, 900));
            EXPECT_EQ(expected, windowOrigin(handle)) << tab.getLeft() << " step " << step;
        }
        SendMessageA(handle, WM_LBUTTONUP, 0, packedPosition(-500, 900));
        EXPECT_FALSE(window.getControlRoot()->isControlLocked());
        const std::string released = windowOrigin(handle);
        pointerLess(100, 100, 0, 0);
        SendMessageA(handle, WM_MOUSEMOVE, 0, packedPosition(grabX, grabY));
        EXPECT_EQ(released, windowOrigin(handle)) << tab.getLeft();
        window.destroyWindow();
    }
}

// A root that stands in a window but has none to hand out.
class CWindowlessRoot : public Brivant::GUI::Controls::CControlRoot
{
public:
    explicit CWindowlessRoot(Brivant::GUI::Windowing::IWindow* window) : CControlRoot(window) {}
    Brivant::GUI::Windowing::IWindow* getParentWindow() const override { return nullptr; }
};

TEST(CWindowDragTab, aDragMovementInARootWithoutAWindowThrowsAndAMovementWithoutADragDoesNothing)
{
    CTestWindow window(CRect(0, 0, 100, 100));
    CWindowlessRoot root(&window);
    auto* tab = new CWindowDragTab(&root, 1, CRect(0, 0, 40, 20), nullptr);
    root.addControl(tab);
    CMouseEvent event(&window.getMousePointer(), CMouseEvent::kMouseMove, 0.0);
    EXPECT_NO_THROW(root.handleMouseMovement(event));
    root.handleLeftButtonDown(event);
    try
    {
        root.handleMouseMovement(event);
        ADD_FAILURE() << "no exception";
    }
    catch (const Brivant::Exceptions::CException& failure)
    {
        EXPECT_STREQ("Root Window is NULL", failure.getErrorReason().getString());
        EXPECT_STREQ("CWindowDragTab::handleMouseMovement(CMouseEvent &)", failure.getFunctionName().getString());
    }
    root.handleLeftButtonUp(event);
    EXPECT_FALSE(root.isControlLocked());
    EXPECT_NO_THROW(root.handleMouseMovement(event));
}
} // namespace
