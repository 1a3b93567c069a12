// CScrollPanel: offsets taken from scroll events, children moved by the offset for hit tests, placement and
// drawing, the wheel that scrolls through the vertical bar, and children that keep their state while scrolled.
#include "gui/controls/CScrollPanel.hpp"

#include "gui/controls/CSlider.hpp"
#include "gui/core/CScrollEvent.hpp"
#include "tests/gui/CControlTestKit.hpp"

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

// A panel at (10, 10), 100 by 128, over a canvas 256 high: A red at the canvas top, B blue 150 down. Its bar at
// (110, 10) has a thumb of 64 and a travel of 64, so each pixel of thumb scrolls the canvas by 2.
struct SScrollingPanel
{
    explicit SScrollingPanel(bool withBar = true)
        : panel(new CScrollPanel(&bench.root(), 5, CRect(10, 10, 100, 128), CRect(0, 0, 100, 256)))
    {
        bench.root().addControl(panel);
        a = add("A", CRect(0, 0, 100, 50), CAlphaColour(255, 0, 0));
        b = add("B", CRect(0, 150, 100, 50), CAlphaColour(0, 0, 255));
        if (withBar)
        {
            panel->verticalScrollBar.setPointer(
                new CScrollBar(&bench.root(), 6, CRect(110, 10, 20, 128), CRect(0, 0, 100, 256), panel));
            bench.root().addControl(panel->verticalScrollBar.getPointer());
        }
    }
    CProbeControl* add(const char* name, const CRect& area, const CAlphaColour& colour)
    {
        auto* probe = new CProbeControl(panel, name, area, &log, colour);
        panel->addControl(probe);
        return probe;
    }
    void scrollTo(long type, long offset)
    {
        panel->handleScrollEvent(CScrollEvent(type, type == CScrollEvent::kHorizontal ? CRect(offset, 0, 9, 0)
                                                                                     : CRect(0, offset, 0, 9)));
    }

    CControlBench bench;
    CEventLog log;
    CScrollPanel* panel;
    CProbeControl* a;
    CProbeControl* b;
};

TEST(CScrollPanel, aScrollEventSetsTheOffsetOnItsAxisNeverBelowZeroAndShiftsTheChildren)
{
    struct SStep
    {
        long type, offset;
        const char* scrolled;
        const char* bAbsolute;
    } steps[] = {
        {CScrollEvent::kVertical, 120, "0,120", "10,40,100,50"},
        {CScrollEvent::kHorizontal, 30, "30,120", "-20,40,100,50"},
        {CScrollEvent::kVertical, -5, "30,0", "-20,160,100,50"},
        {7, 60, "30,60", "-20,100,100,50"}, // any type but horizontal is vertical
        {CScrollEvent::kHorizontal, -1, "0,60", "10,100,100,50"},
    };
    SScrollingPanel scrolling;
    for (const SStep& step : steps)
    {
        SCOPED_TRACE(step.scrolled);
        scrolling.bench.redraws.clear();
        scrolling.scrollTo(step.type, step.offset);
        EXPECT_EQ(step.scrolled, positionText(scrolling.panel->getScrollOffset()));
        EXPECT_EQ(step.bAbsolute, rectText(scrolling.b->getAbsoluteArea()));
        const CRect& absolute = scrolling.b->getAbsoluteArea();
        EXPECT_EQ(positionText(CPoint(absolute.getLeft(), absolute.getTop() - 150)),
                  positionText(scrolling.panel->getWindowOffset()));
        EXPECT_EQ(std::vector<std::string>{"10,10,100,128"}, scrolling.bench.redraws);
        // A child's redraw and a part of the canvas reach the window where they show.
        scrolling.bench.redraws.clear();
        scrolling.b->update();
        scrolling.panel->updateArea(CRect(0, 150, 4, 4));
        EXPECT_EQ((std::vector<std::string>{step.bAbsolute, rectText(CRect(absolute.getLeft(), absolute.getTop(), 4, 4))}),
                  scrolling.bench.redraws);
    }
}

TEST(CScrollPanel, mouseEventsReachTheChildUnderThePointOnTheCanvas)
{
    struct SCase
    {
        long offset;
        long kind, x, y;
        const char* expected;
    } cases[] = {
        {0, CMouseEvent::kLeftButtonDown, 15, 15, "A leftDown 5,5"},
        {120, CMouseEvent::kLeftButtonDown, 15, 15, ""}, // between A and B on the canvas
        {120, CMouseEvent::kLeftButtonUp, 15, 45, "B leftUp 5,5"},
        {120, CMouseEvent::kRightButtonDown, 20, 50, "B rightDown 10,10"},
        {120, CMouseEvent::kRightButtonUp, 20, 50, "B rightUp 10,10"},
        {140, CMouseEvent::kDoubleClick, 15, 20, "B doubleClick 5,0"},
        {140, CMouseEvent::kMouseMove, 15, 60, "B move 5,40"},
        {140, CMouseEvent::kMouseLeave, 15, 60, "B leave 5,40"},
    };
    for (const SCase& test : cases)
    {
        SCOPED_TRACE(test.expected);
        SScrollingPanel scrolling;
        scrolling.scrollTo(CScrollEvent::kVertical, test.offset);
        scrolling.bench.mouse(test.kind, test.x, test.y);
        EXPECT_EQ(test.expected, scrolling.log.empty() ? std::string() : scrolling.log.back());
        EXPECT_EQ(positionText(CPoint(test.x, test.y)),
                  positionText(scrolling.bench.window().getMousePointer().getPosition()));
    }
}

TEST(CScrollPanel, onlyTheChildrenOnTheVisiblePartOfTheCanvasAreDrawnShiftedAndClippedToThePanel)
{
    struct SCase
    {
        long offset;
        std::vector<std::string> drawn;
        std::vector<std::pair<CPoint, const char*>> pixels;
    } cases[] = {
        {0, {"A draw"}, {{CPoint(50, 30), "255,0,0"}, {CPoint(50, 65), "255,255,255"}}},
        {30, {"A draw", "B draw"}, {{CPoint(50, 15), "255,0,0"}, {CPoint(50, 135), "0,0,255"}}},
        {100, {"B draw"}, {{CPoint(50, 100), "0,0,255"}, {CPoint(50, 40), "255,255,255"}}},
        {120, {"B draw"}, {{CPoint(50, 60), "0,0,255"}, {CPoint(50, 95), "255,255,255"}}},
    };
    for (const SCase& test : cases)
    {
        SCOPED_TRACE(test.offset);
        SScrollingPanel scrolling(false);
        scrolling.a->spill = true;
        scrolling.b->spill = true;
        scrolling.scrollTo(CScrollEvent::kVertical, test.offset);
        COffscreenCanvas canvas(200, 200);
        canvas.draw(scrolling.bench.root());
        EXPECT_EQ(test.drawn, scrolling.log);
        for (const auto& pixel : test.pixels)
            EXPECT_EQ(pixel.second, canvas.rgb(pixel.first.getX(), pixel.first.getY()));
        EXPECT_EQ(0, canvas.pixels().count(0, 0, 200, 10, "255,0,0") + canvas.pixels().count(0, 138, 200, 62, "0,0,255"));
    }
}

TEST(CScrollPanel, theWheelScrollsTheCanvasThroughTheVerticalBarUnlessALockedChildIsUnderThePointer)
{
    struct SCase
    {
        bool bar, lockA;
        long y;
        const char* childGets;
        long offset;
    } cases[] = {
        {true, false, 15, "", 40},
        {true, true, 15, "A scroll 5,5 wheel -1.0", 0},
        {true, true, 100, "", 40}, // nothing of the canvas under the pointer
        {true, false, 100, "", 40},
        {false, false, 15, "A scroll 5,5 wheel -1.0", 0},
    };
    for (const SCase& test : cases)
    {
        SCOPED_TRACE(std::to_string(test.bar) + std::to_string(test.lockA) + " at " + std::to_string(test.y));
        SScrollingPanel scrolling(test.bar);
        if (test.lockA)
            scrolling.panel->lockControl(scrolling.a);
        scrolling.bench.wheel(15, test.y, -1.0);
        EXPECT_EQ(test.childGets, scrolling.log.empty() ? std::string() : scrolling.log.back());
        EXPECT_EQ(test.offset, scrolling.panel->getScrollOffset().getY());
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
    const std::string handle = rectText(slider->getHandleArea());
    const double value = slider->getValue();
    ASSERT_EQ("0,20,20,26", handle);
    // Dragging the bar's thumb down 10 pixels scrolls the canvas by 20.
    scrolling.bench.mouse(CMouseEvent::kLeftButtonDown, 115, 15);
    scrolling.bench.mouse(CMouseEvent::kMouseMove, 115, 25);
    EXPECT_EQ(20, scrolling.panel->getScrollOffset().getY());
    EXPECT_EQ("10,50,20,80", rectText(slider->getAbsoluteArea()));
    EXPECT_EQ(handle, rectText(slider->getHandleArea()));
    EXPECT_EQ(value, slider->getValue());
    // The canvas reaches the bar.
    scrolling.panel->setCanvasArea(CRect(0, 0, 100, 512));
    EXPECT_EQ("0,10,20,32", rectText(scrolling.panel->verticalScrollBar.getPointer()->getHandleArea()));
}
} // namespace
