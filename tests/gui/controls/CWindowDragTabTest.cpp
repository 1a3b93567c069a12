// CWindowDragTab and CWaveCycle. The tab in a real window: the window follows the pointer with the grabbed point
// under it, wherever the tab sits, until the release; without a window it throws. The wave cycle: one point per
// column at a wrapping write index, an area shrunk below the index or to no width, the curve and the marker.
#include "gui/controls/CWindowDragTab.hpp"

#include "foundation/exceptions/CException.hpp"
#include "gui/controls/CWaveCycle.hpp"
#include "gui/core/CControlDescriptor.hpp"
#include "tests/gui/CGuiTestKit.hpp"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <map>

namespace
{
using Brivant::GUI::Controls::CWaveCycle;
using Brivant::GUI::Controls::CWindowDragTab;
using Brivant::MathTools::CRect;
using namespace VolturaTests;

std::string origin(HWND window)
{
    RECT area = {};
    GetWindowRect(window, &area);
    return std::to_string(area.left) + "," + std::to_string(area.top);
}

TEST(CWindowDragTab, theWindowFollowsThePointerWithTheGrabbedPointUnderItUntilTheRelease)
{
    // At the window's corner, and away from it, where the window must not jump by the tab's offset.
    for (const CRect& tab : {CRect(0, 0, 40, 20), CRect(120, 40, 40, 20)})
    {
        CWindow window(CRect(50, 60, 200, 100));
        CWindowAttributes attributes = hiddenAttributes("DragTab");
        window.intialiseWindow(&attributes, false);
        const HWND handle = *window.getWindowHandle();
        window.getControlRoot()->addControl(new CWindowDragTab(window.getControlRoot(), 1, tab, nullptr));
        const long grabX = tab.getLeft() + 10, grabY = tab.getTop() + 5;
        SendMessageA(handle, WM_LBUTTONDOWN, MK_LBUTTON, packedPosition(grabX, grabY));
        for (int step = 0; step < 3; ++step)
        {
            SetCursorPos(300 + 40 * step, 200 + 25 * step);
            POINT pointer = {};
            GetCursorPos(&pointer);
            // The event's own position does not count, the pointer's does.
            SendMessageA(handle, WM_MOUSEMOVE, MK_LBUTTON, packedPosition(-500, 900));
            EXPECT_EQ(std::to_string(pointer.x - grabX) + "," + std::to_string(pointer.y - grabY), origin(handle))
                << tab.getLeft() << " step " << step;
        }
        SendMessageA(handle, WM_LBUTTONUP, 0, packedPosition(-500, 900));
        EXPECT_FALSE(window.getControlRoot()->isControlLocked());
        const std::string released = origin(handle);
        SetCursorPos(100, 100);
        SendMessageA(handle, WM_MOUSEMOVE, 0, packedPosition(grabX, grabY));
        EXPECT_EQ(released, origin(handle)) << tab.getLeft();
        window.destroyWindow();
    }
}

class CWindowlessRoot : public Brivant::GUI::Controls::CControlRoot
{
public:
    using CControlRoot::CControlRoot;
    Brivant::GUI::Windowing::IWindow* getParentWindow() const override { return nullptr; }
};

TEST(CWindowDragTab, aDragMovementInARootWithoutAWindowThrows)
{
    CTestWindow window(CRect(0, 0, 100, 100));
    CWindowlessRoot root(&window);
    root.addControl(new CWindowDragTab(&root, 1, CRect(0, 0, 40, 20), nullptr));
    CMouseEvent event(&window.getMousePointer(), CMouseEvent::kMouseMove, 0.0);
    EXPECT_NO_THROW(root.handleMouseMovement(event)); // not dragging
    root.handleLeftButtonDown(event);
    std::string thrown = "nothing";
    try
    {
        root.handleMouseMovement(event);
    }
    catch (const Brivant::Exceptions::CException& failure)
    {
        thrown = std::string(failure.getErrorReason().getString()) + " in " + failure.getFunctionName().getString();
    }
    EXPECT_EQ("Root Window is NULL in CWindowDragTab::handleMouseMovement(CMouseEvent &)", thrown);
}

TEST(CWaveCycle, valuesFillColumnsAtAnIndexWrappingAtTheWidthAndNoWidthTakesNone)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::vector<double> half(50, 0.5);
    // The values on a 100 x 100 display, a new size unless it is 0 x 0, one value more; then the write index and
    // the points, which lie on the middle line, or at other when it is not -1, except those listed.
    const struct
    {
        std::vector<double> values;
        long width, height;
        double last;
        long index;
        std::map<long, long> points;
        long other;
    } cases[] = {
        {{1.0, 0.0}, 0, 0, 0.5, 3, {{0, 0}, {1, 100}, {2, 50}, {3, 100}}, -1},
        {std::vector<double>(99, 0.25), 0, 0, 0.25, 0, {{0, 100}}, 75}, // the hundredth value wraps
        {{2.0, -1.0, 1e300, -1e300}, 0, 0, nan, 5, {{0, -100}, {1, 200}, {2, -100}, {3, 200}, {4, 200}, {5, 100}}, -1},
        {half, 10, 20, 1.0, 0, {{0, 20}}, -1}, // shrunk below the index: the value is dropped
        {half, 60, 4, 1.0, 51, {{50, 0}, {51, 4}}, -1},
        {half, 0, 20, 1.0, 50, {}, -1},
        {half, -5, 20, 1.0, 50, {}, -1}};
    for (const auto& test : cases)
    {
        CControlBench bench;
        CWaveCycle wave(&bench.root(), 1, CRect(3, 4, 100, 100));
        for (double value : test.values)
            wave.addSample(value);
        const bool resized = test.width != 0 || test.height != 0;
        if (resized)
            wave.setArea(CRect(0, 0, test.width, test.height));
        const long width = resized ? test.width : 100, height = resized ? test.height : 100;
        wave.addSample(test.last);
        EXPECT_EQ(test.index, wave.getWriteIndex()) << test.values.size() << " width " << width;
        std::vector<long> expected(static_cast<size_t>(std::max(width, 0L)), test.other < 0 ? height / 2 : test.other);
        for (const auto& point : test.points)
            expected[static_cast<size_t>(point.first)] = point.second;
        std::vector<long> actual;
        for (long column = 0; column < wave.getPoints().getNumberOfPoints(); ++column)
        {
            EXPECT_EQ(column, wave.getPoints().getPoint(column)->getX());
            actual.push_back(wave.getPoints().getPoint(column)->getY());
        }
        EXPECT_EQ(expected, actual) << test.values.size() << " width " << width;
    }
}

TEST(CWaveCycle, aMoveKeepsTheCurveAndOnlyANewSizeRebuildsIt)
{
    // Ten values of 0.25 on a 100 x 100 display at (3, 4), then the area set twice, as a scrolling panel does;
    // then the first ten columns and the write index.
    const struct
    {
        CRect area;
        long y;
    } cases[] = {{CRect(40, 50, 100, 100), 75}, {CRect(3, 4, 100, 100), 75}, {CRect(3, 4, 100, 60), 30},
                 {CRect(3, 4, 120, 100), 50}};
    for (const auto& test : cases)
    {
        SCOPED_TRACE(rectText(test.area));
        CControlBench bench;
        CWaveCycle wave(&bench.root(), 1, CRect(3, 4, 100, 100));
        for (int sample = 0; sample < 10; ++sample)
            wave.addSample(0.25);
        wave.setArea(test.area);
        wave.setArea(test.area);
        EXPECT_EQ(10, wave.getWriteIndex());
        ASSERT_EQ(test.area.getWidth(), wave.getPoints().getNumberOfPoints());
        for (long column = 0; column < 10; ++column)
            EXPECT_EQ(test.y, wave.getPoints().getPoint(column)->getY()) << column;
    }
}

TEST(CWaveCycle, drawsTheCurveInTheWaveColourAndTheMarkerInTheLineColour)
{
    CControlBench bench(60, 40);
    auto* wave = new CWaveCycle(&bench.root(), 1, CRect(10, 5, 40, 20));
    bench.root().addControl(wave);
    for (int sample = 0; sample < 45; ++sample)
        wave->addSample(0.5);
    using Brivant::GUI::Controls::CControlDescriptor;
    const Brivant::Basics::CString line("Line Colour");
    EXPECT_FALSE(wave->applyDescriptor(CControlDescriptor(line, 2, new CRect(1, 1, 1, 1))));
    ASSERT_TRUE(wave->applyDescriptor(CControlDescriptor(line, 2, new CAlphaColour(0, 0, 250))));
    COffscreenCanvas canvas(60, 40);
    canvas.draw(bench.root());
    // Index 5: the curve on y 10 but for the gap at columns 4 and 5, and the marker on column 5.
    EXPECT_EQ("118,147,171", canvas.rgb(10 + 3, 5 + 10));
    EXPECT_EQ("118,147,171", canvas.rgb(10 + 30, 5 + 10));
    EXPECT_EQ(20, canvas.pixels().count(10 + 5, 5, 1, 20, "0,0,250"));
    EXPECT_EQ(20, canvas.pixels().countAll("0,0,250"));
}
} // namespace
