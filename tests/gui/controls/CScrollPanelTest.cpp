// CScrollPanel: offsets taken from scroll events, children moved by the offset for hit tests, placement, redraws
// and drawing, the wheel that scrolls through the vertical bar, and children that keep their state meanwhile.
#include "gui/controls/CScrollPanel.hpp"

#include "gui/controls/CSlider.hpp"
#include "foundation/exceptions/CException.hpp"
#include "gui/core/CScrollEvent.hpp"
#include "tests/gui/CGuiTestKit.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
using Brivant::GUI::Controls::CScrollBar;
using Brivant::GUI::Controls::CScrollPanel;
using Brivant::GUI::Controls::CSlider;
using Brivant::GUI::Events::CScrollEvent;
using Brivant::MathTools::CPoint;
using Brivant::MathTools::CRect;
using namespace VolturaTests;

// A panel at (10, 10), 100 by 128, over a canvas 256 high: A red at the canvas's top, B blue 150 down. Its bar at
// (110, 10) has a thumb of 64 and a travel of 64, so the canvas scrolls 2 pixels for each pixel of thumb.
struct SScrollingPanel
{
    explicit SScrollingPanel(bool withBar = true)
        : panel(new CScrollPanel(&bench.root(), 5, CRect(10, 10, 100, 128), CRect(0, 0, 100, 256))),
          a(add("A", CRect(0, 0, 100, 50), CAlphaColour(255, 0, 0))),
          b(add("B", CRect(0, 150, 100, 50), CAlphaColour(0, 0, 255)))
    {
        bench.root().addControl(panel);
        if (!withBar)
            return;
        panel->verticalScrollBar.setPointer(
            new CScrollBar(&bench.root(), 6, CRect(110, 10, 20, 128), CRect(0, 0, 100, 256), panel));
        bench.root().addControl(panel->verticalScrollBar.getPointer());
    }
    CProbeControl* add(const char* name, const CRect& area, const CAlphaColour& colour)
    {
        auto* probe = new CProbeControl(panel, name, area, &log, colour);
        panel->addControl(probe);
        return probe;
    }
    void scrollTo(long type, long offset)
    {
        const bool horizontal = type == CScrollEvent::kHorizontal;
        panel->handleScrollEvent(CScrollEvent(type, CRect(horizontal ? offset : 0, horizontal ? 0 : offset, 9, 9)));
    }
    std::string last() const { return log.empty() ? "" : log.back(); }

    CControlBench bench;
    CEventLog log;
    CScrollPanel* panel;
    CProbeControl* a;
    CProbeControl* b;
};

TEST(CScrollPanel, aScrollEventSetsTheOffsetOnItsAxisNeverBelowZeroAndShiftsTheChildren)
{
    // Type, offset; then the scroll offset and where B, 150 down the canvas, shows in the window.
    const std::tuple<long, long, const char*, CPoint> steps[] = {
        {CScrollEvent::kVertical, 120, "0,120", CPoint(10, 40)},
        {CScrollEvent::kHorizontal, 30, "30,120", CPoint(-20, 40)},
        {CScrollEvent::kVertical, -5, "30,0", CPoint(-20, 160)},
        {7, 60, "30,60", CPoint(-20, 100)},
        {CScrollEvent::kHorizontal, -1, "0,60", CPoint(10, 100)}};
    SScrollingPanel scrolling;
    for (const auto& step : steps)
    {
        scrolling.bench.redraws.clear();
        scrolling.scrollTo(std::get<0>(step), std::get<1>(step));
        EXPECT_EQ(std::get<2>(step), positionText(scrolling.panel->getScrollOffset()));
        const CPoint& b = std::get<3>(step);
        EXPECT_EQ(rectText(CRect(b.getX(), b.getY(), 100, 50)), rectText(scrolling.b->getAbsoluteArea()));
        EXPECT_EQ(positionText(CPoint(b.getX(), b.getY() - 150)), positionText(scrolling.panel->getWindowOffset()));
        // The panel redraws itself; a child's redraw and a part of the canvas reach the window where they show.
        scrolling.b->update();
        scrolling.panel->updateArea(CRect(0, 150, 4, 4));
        EXPECT_EQ((std::vector<std::string>{"10,10,100,128", rectText(scrolling.b->getAbsoluteArea()),
                                            rectText(CRect(b.getX(), b.getY(), 4, 4))}),
                  scrolling.bench.redraws);
    }
}

TEST(CScrollPanel, mouseEventsReachTheChildUnderThePointOnTheCanvas)
{
    const std::tuple<long, long, long, long, const char*> cases[] = {
        {0, CMouseEvent::kLeftButtonDown, 15, 15, "A leftDown 5,5"},
        {120, CMouseEvent::kLeftButtonDown, 15, 15, ""}, // between A and B on the canvas
        {120, CMouseEvent::kLeftButtonUp, 15, 45, "B leftUp 5,5"},
        {120, CMouseEvent::kRightButtonUp, 20, 50, "B rightUp 10,10"},
        {140, CMouseEvent::kDoubleClick, 15, 20, "B doubleClick 5,0"},
        {140, CMouseEvent::kMouseMove, 15, 60, "B move 5,40"}};
    for (const auto& test : cases)
    {
        SScrollingPanel scrolling;
        scrolling.scrollTo(CScrollEvent::kVertical, std::get<0>(test));
        scrolling.bench.mouse(std::get<1>(test), std::get<2>(test), std::get<3>(test));
        EXPECT_EQ(std::get<4>(test), scrolling.last());
        EXPECT_EQ(positionText(CPoint(std::get<2>(test), std::get<3>(test))),
                  positionText(scrolling.bench.window().getMousePointer().getPosition()));
    }
}

TEST(CScrollPanel, onlyChildrenOnTheVisibleCanvasAreDrawnShiftedAndClippedToThePanel)
{
    // The probes spill 5 pixels round their areas; the panel spans window rows 10 to 137.
    const std::tuple<long, std::vector<std::string>, const char*> cases[] = {
        {0, {"A draw"}, "255,0,0 255,255,255"},        // rows 30 and 65
        {30, {"A draw", "B draw"}, "255,0,0 0,0,255"}, // rows 15 and 135
        {100, {"B draw"}, "255,255,255 0,0,255"},      // rows 40 and 100
        {120, {"B draw"}, "0,0,255 255,255,255"}};     // rows 60 and 95
    const long rows[][2] = {{30, 65}, {15, 135}, {40, 100}, {60, 95}};
    for (int index = 0; index < 4; ++index)
    {
        SScrollingPanel scrolling(false);
        scrolling.a->spill = scrolling.b->spill = true;
        scrolling.scrollTo(CScrollEvent::kVertical, std::get<0>(cases[index]));
        COffscreenCanvas canvas(200, 200);
        canvas.draw(scrolling.bench.root());
        EXPECT_EQ(std::get<1>(cases[index]), scrolling.log);
        EXPECT_EQ(std::get<2>(cases[index]), canvas.rgb(50, rows[index][0]) + " " + canvas.rgb(50, rows[index][1]));
        EXPECT_EQ(0,
                  canvas.pixels().count(0, 0, 200, 10, "255,0,0") + canvas.pixels().count(0, 138, 200, 62, "0,0,255"));
    }
}

TEST(CScrollPanel, theWheelScrollsTheCanvasThroughTheVerticalBarUnlessALockedChildIsUnderThePointer)
{
    // With a bar, whether A is locked, the pointer's row (15 over A, 100 over the empty canvas); A's log, offset.
    const std::tuple<bool, bool, long, const char*, long> cases[] = {{true, false, 15, "", 40},
                                                                     {true, true, 15, "A scroll 5,5 wheel -1.0", 0},
                                                                     {true, true, 100, "", 40},
                                                                     {true, false, 100, "", 40},
                                                                     {false, false, 15, "A scroll 5,5 wheel -1.0", 0}};
    for (const auto& test : cases)
    {
        SScrollingPanel scrolling(std::get<0>(test));
        if (std::get<1>(test))
            scrolling.panel->lockControl(scrolling.a);
        scrolling.bench.wheel(15, std::get<2>(test), -1.0);
        EXPECT_EQ(std::get<3>(test), scrolling.last());
        EXPECT_EQ(std::get<4>(test), scrolling.panel->getScrollOffset().getY());
    }
}

TEST(CScrollPanel, aSliderOnTheCanvasKeepsItsHandleAndValueWhileTheCanvasScrolls)
{
    SScrollingPanel scrolling;
    auto* slider = new CSlider(scrolling.panel, 7, CRect(0, 60, 20, 80), nullptr);
    scrolling.panel->addControl(slider);
    scrolling.bench.mouse(CMouseEvent::kLeftButtonDown, 15, 75);
    scrolling.bench.mouse(CMouseEvent::kMouseMove, 15, 95);
    scrolling.bench.mouse(CMouseEvent::kLeftButtonUp, 45, 95); // off the handle: no longer locked
    const double value = slider->getValue();
    ASSERT_EQ("0,20,20,26", rectText(slider->getHandleArea()));
    // Dragging the bar's thumb 10 pixels scrolls the canvas by 20.
    scrolling.bench.mouse(CMouseEvent::kLeftButtonDown, 115, 15);
    scrolling.bench.mouse(CMouseEvent::kMouseMove, 115, 25);
    EXPECT_EQ("10,50,20,80 0,20,20,26", rectText(slider->getAbsoluteArea()) + " " + rectText(slider->getHandleArea()));
    EXPECT_EQ(value, slider->getValue());
    // The canvas reaches the bar; compacting closes the hole a removal leaves.
    scrolling.panel->setCanvasArea(CRect(0, 0, 100, 512));
    EXPECT_EQ("0,10,20,32", rectText(scrolling.panel->verticalScrollBar.getPointer()->getHandleArea()));
    scrolling.panel->removeControl(scrolling.a);
    scrolling.panel->compactControls();
    EXPECT_EQ(
        (std::vector<long>{-1, 0, 1, 2}),
        (std::vector<long>{scrolling.panel->getControlIndex(scrolling.a), scrolling.panel->getControlIndex(scrolling.b),
                           scrolling.panel->getControlIndex(slider), scrolling.panel->getControlArraySize()}));
}
TEST(CScrollPanel, aBarThatOutlivesItsPanelStopsSendingItOffsetsAndAPanelNeedsARoot)
{
    SScrollingPanel scrolling;
    CScrollBar* bar = scrolling.panel->verticalScrollBar.getPointer();
    scrolling.bench.root().removeControl(scrolling.panel);
    EXPECT_EQ(nullptr, bar->getScrollListener());
    scrolling.bench.wheel(115, 50, -1.0);
    EXPECT_EQ("0,20,20,64", rectText(bar->getHandleArea()));
    EXPECT_THROW(CScrollPanel(nullptr, 1, CRect(0, 0, 9, 9), CRect(0, 0, 9, 9)), Brivant::Exceptions::CException);
}
} // namespace
