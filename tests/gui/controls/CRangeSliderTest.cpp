// CRangeSlider and CModulatedSlider: the bar a range lays out, what presses, drags, releases and the wheel do to
// the bar, the values, the reports, the lock and the cursor, resizes and tracks of no length, the looks in pixels,
// the modulation mark and the properties.
#include "gui/controls/CModulatedSlider.hpp"

#include "foundation/basics/CDouble.hpp"
#include "tests/gui/controls/CControlScript.hpp"

#include <gtest/gtest.h>

namespace
{
using Brivant::Basics::CString;
using Brivant::GUI::Controls::CControlDescriptor;
using Brivant::GUI::Controls::CModulatedSlider;
using Brivant::GUI::Windowing::CCursor;
using namespace VolturaTests;

const CRect kUp(10, 10, 20, 150);
const CRect kAcross(10, 10, 150, 20);

// setRangeOptions(lockMinimum, lockMaximum, minimum, maximum, jumpToMax).
struct SRange
{
    bool lockMinimum, lockMaximum;
    double minimum, maximum;
    bool jump;
};
const SRange kFree{false, false, 0.2, 0.8, false};
const SRange kJump{false, false, 0.2, 0.8, true};
const SRange kMaximumLocked{false, true, 0.2, 0.8, false};
const SRange kMinimumLocked{true, false, 0.2, 0.8, false};

class CRangeSliderTest : public ::testing::Test
{
protected:
    CModulatedSlider& add(const CRect& area, const SRange& range = kFree)
    {
        bench.root().clearControls();
        listener.controls.clear();
        listener.shifts.clear();
        auto* slider = new CModulatedSlider(&bench.root(), 1, area, &listener);
        bench.root().addControl(slider);
        slider->setRangeOptions(range.lockMinimum, range.lockMaximum, range.minimum, range.maximum, range.jump);
        bench.window().getMousePointer().setCursor(&CCursor::waitCursor());
        return *slider;
    }
    // "bar minimum maximum".
    static std::string range(const CModulatedSlider& slider)
    {
        return rectText(slider.getBarArea()) + " " + number(slider.getMinimum()) + " " + number(slider.getMaximum());
    }

    CControlBench bench;
    CRecordingActionListener listener;
};

TEST_F(CRangeSliderTest, theRangeAndEveryPressDragReleaseAndNotchPlaceTheBarAndTheValuesAndReportWithLockAndCursor)
{
    const struct
    {
        CRect area;
        SRange range;
        const char* script;
        const char* expected; // bar, minimum, maximum, reports, state, lock, cursor
    } cases[] = {
        // The range lays the bar out; values out of order or out of 0..1 are ignored. Each end is truncated:
        // (1 - 0.8) x 150 is 29.999..., so the bar starts at 29.
        {kUp, kFree, "", "0,29,20,91 0.2 0.8 0 0 - wait"},
        {kAcross, kFree, "", "30,0,90,20 0.2 0.8 0 0 - wait"},
        {kUp, {false, false, 0.8, 0.2, false}, "", "0,0,20,50 0 1 0 0 - wait"}, // a third, as constructed
        {kUp, {false, false, -0.5, 0.8, false}, "", "0,29,20,21 0 0.8 0 0 - wait"},
        {kAcross, {false, false, 0.1, 1.5, false}, "", "15,0,35,20 0.1 1 0 0 - wait"},
        {CRect(0, 0, 30, 30), kFree, "", "0,5,30,19 0.2 0.8 0 0 - wait"},
        {kUp, kFree, "D20,40 M20,20 U20,20", "0,10,20,110 0.2 0.9333 2 1 locked updown"},
        {kUp, kFree, "D20,40 M20,200 U20,200", "0,120,20,0 0.2 0.2 2 0 - updown"},
        {kUp, kFree, "D20,130 M20,170 U20,170", "0,29,20,121 0 0.8067 2 0 - updown"},
        {kUp, kFree, "D20,80 M20,90 U20,90", "0,39,20,91 0.1333 0.74 2 1 locked arrow"},
        {kUp, kFree, "D20,80 M20,300", "0,59,20,91 0 0.6067 1 2 locked arrow"},
        // Beside the bar: it jumps without a report and stays locked; the first move or the release reports.
        {kUp, kFree, "D20,15", "0,0,20,91 0.2 0.8 0 0 locked arrow"},
        {kUp, kFree, "D20,15 M20,25", "0,15,20,91 0.2933 0.9 1 0 locked arrow"},
        {kUp, kFree, "D20,15 U20,15", "0,0,20,91 0.3933 1 1 1 locked arrow"},
        {kUp, kFree, "D20,155 M20,300 U20,300", "0,59,20,91 0 0.6067 2 0 - arrow"},
        // A locked end takes a press but does not move; with either end locked the bar does not move at all.
        {kUp, kMaximumLocked, "D20,40", "0,29,20,91 0.2 0.8 0 2 locked wait"},
        {kUp, kMaximumLocked, "D20,40 M20,20", "0,29,20,91 0.2 0.8 0 0 - arrow"},
        {kUp, kMinimumLocked, "D20,80", "0,29,20,91 0.2 0.8 0 0 - wait"},
        {kUp, kMinimumLocked, "D20,15 U20,15", "0,29,20,91 0.2 0.8 1 0 - wait"},
        {kUp, kJump, "D20,60", "0,50,20,100 0 0.6667 1 2 locked wait"},
        {kUp, kJump, "D20,60 U20,60 D20,160 M20,100", "0,90,20,60 0 0.4 4 2 locked updown"},
        {kUp, {false, false, 0, 1, true}, "M20,10 M20,8 D20,8", "0,0,20,150 0 1 1 2 locked updown"},
        {kAcross, kFree, "D130,20 M20,20 U20,20", "30,0,1,20 0.2 0.2067 2 0 - across"},
        {kAcross, kFree, "D40,20 M200,20", "119,0,1,20 0.7933 0.8 1 2 locked across"},
        {kAcross, kFree, "D80,20 ^M60,20", "10,0,90,20 0.06667 0.6667 1 2 locked arrow"},
        {kAcross, kJump, "D70,20", "0,0,60,20 0 0.4 1 2 locked wait"},
        // Hovering over an end that is free to move.
        {kUp, kFree, "M20,40", "0,29,20,91 0.2 0.8 0 1 locked updown"},
        {kUp, kFree, "M20,40 M20,80", "0,29,20,91 0.2 0.8 0 0 - arrow"},
        {kUp, kFree, "M20,40 L0,0", "0,29,20,91 0.2 0.8 0 0 locked updown"},
        {kUp, kMaximumLocked, "M20,40", "0,29,20,91 0.2 0.8 0 0 - arrow"},
        {kAcross, kFree, "M42,20", "30,0,90,20 0.2 0.8 0 1 locked across"},
        // The wheel moves the whole bar 5 pixels a notch, 1 with Shift, whatever the locks.
        {kUp, kFree, "W20,80", "0,24,20,91 0.2333 0.84 1 0 - wait"},
        {kUp, kFree, "w20,80", "0,34,20,91 0.1667 0.7733 1 0 - wait"},
        {kUp, kFree, "^W20,80", "0,28,20,91 0.2067 0.8133 1 0 - wait"},
        {kUp, kFree, "W20,100 W20,100 W20,100 W20,100 W20,100 W20,100 W20,100",
         "0,0,20,91 0.3933 1 7 1 locked wait"},
        {kAcross, kFree, "W80,20", "35,0,90,20 0.2333 0.8333 1 0 - wait"},
        {kAcross, {true, true, 0.2, 0.8, false}, "w80,20", "25,0,90,20 0.1667 0.7667 1 0 - wait"},
        {kAcross, {false, false, 0.0, 0.5, false}, "w80,20", "0,0,75,20 0 0.5 1 0 - wait"},
    };
    for (const auto& test : cases)
    {
        CModulatedSlider& slider = add(test.area, test.range);
        playMouseScript(bench.window(), test.script);
        EXPECT_EQ(std::vector<IControl*>(listener.controls.size(), &slider), listener.controls);
        EXPECT_EQ(test.expected, range(slider) + " " + std::to_string(listener.controls.size()) + " " +
                                     std::to_string(slider.getBarState()) +
                                     (bench.root().getLockedControl() == &slider ? " locked " : " - ") +
                                     cursorName(bench.window().getMousePointer().getCursor()))
            << test.script;
    }
    // Jumping to the maximum fixes the minimum end and frees the maximum end.
    const CModulatedSlider& jumping = add(kUp, {false, true, 0.2, 0.8, true});
    EXPECT_TRUE(jumping.isMinimumLocked() && !jumping.isMaximumLocked());
    // The modifier keys of the mouse event travel with the report.
    add(kAcross);
    playMouseScript(bench.window(), "D80,20 ^M60,20 U60,20");
    EXPECT_EQ(std::vector<bool>({true, false}), listener.shifts);
}

TEST_F(CRangeSliderTest, aWheelTurnedDuringADragLeavesTheDragItsLockSoTheReleaseEndsIt)
{
    for (const CRect& area : {kUp, kAcross})
    {
        CModulatedSlider& slider = add(area);
        const bool up = area == kUp;
        // In the middle of the bar, then a notch well beside the bar's ends.
        bench.mouse(CMouseEvent::kLeftButtonDown, up ? 20 : 85, up ? 85 : 20);
        ASSERT_NE(0, slider.getDragMode());
        bench.mouse(CMouseEvent::kMouseWheel, up ? 20 : 150, up ? 150 : 20, kNoModifier, 1.0);
        EXPECT_EQ(&slider, bench.root().getLockedControl());
        bench.mouse(CMouseEvent::kLeftButtonUp, 300, 250);
        EXPECT_EQ(0, slider.getDragMode());
        EXPECT_EQ(nullptr, bench.root().getLockedControl());
        const std::string before = range(slider);
        bench.mouse(CMouseEvent::kMouseMove, up ? 20 : 40, up ? 40 : 20);
        EXPECT_EQ(before, range(slider));
    }
}

TEST_F(CRangeSliderTest, aResizeKeepsTheRangeAndTheMarkAndATrackOfNoLengthKeepsTheValues)
{
    const struct
    {
        CRect area;
        const char* script;
        const char* expected; // bar, minimum, maximum, the mark
    } cases[] = {
        {CRect(10, 10, 20, 300), "", "0,59,20,181 0.2 0.8 0,225,20,2"},
        {CRect(10, 10, 300, 20), "", "60,0,180,20 0.2 0.8 75,0,2,20"},
        {CRect(50, 50, 20, 150), "", "0,29,20,91 0.2 0.8 0,112,20,2"},
        {CRect(10, 10, 0, 0), "W10,10 D10,10 M10,10 U10,10", "0,0,0,0 0.2 0.8 0,0,0,2"},
    };
    for (const auto& test : cases)
    {
        CModulatedSlider& slider = add(kUp);
        slider.setModulationValue(0.25);
        slider.setArea(test.area);
        playMouseScript(bench.window(), test.script);
        EXPECT_EQ(test.expected, range(slider) + " " + rectText(slider.getMarkArea())) << rectText(test.area);
    }
}

TEST_F(CRangeSliderTest, theBarShowsTheStateColourAndTheMarkTheModulationOnlyWhileEnabled)
{
    const struct
    {
        const char* script;
        double modulation; // after 0.6
        bool enabled;
        const char* bar;
        long mark; // the row the mark is drawn in, -1 for none
    } cases[] = {
        {"", 0.5, true, "153,116,188", 75},    {"M20,40", 0.5, true, "239,149,41", 75},
        {"D20,80", 1.0, true, "243,32,32", 0}, {"", 1.5, true, "153,116,188", 60},
        {"", 0.2, true, "153,116,188", 120},   {"", 0.5, false, "255,255,255", -1},
    };
    for (const auto& test : cases)
    {
        SCOPED_TRACE(std::string(test.script) + " " + std::to_string(test.modulation));
        CModulatedSlider& slider = add(kUp);
        slider.setModulationValue(0.6);
        slider.setModulationValue(test.modulation);
        if (!test.enabled)
            slider.disable();
        playMouseScript(bench.window(), test.script);
        COffscreenCanvas canvas(60, 200);
        canvas.draw(bench.root());
        const CPixels pixels = canvas.pixels();
        EXPECT_EQ(test.bar, pixels.rgb(15, 60));
        EXPECT_EQ(test.enabled ? "0,0,0" : "255,255,255", pixels.rgb(12, 39)); // the bar's outline
        EXPECT_EQ(test.mark < 0 ? 0 : 20, pixels.count(10, 10 + std::max(0L, test.mark), 20, 1, "239,149,41"));
    }
}

TEST_F(CRangeSliderTest, everyPropertyTravelsThroughTheLayoutAndTheRangeAlsoTakesDoubles)
{
    CModulatedSlider source(&bench.root(), 1, kAcross, nullptr);
    CModulatedSlider copy(&bench.root(), 2, kAcross, nullptr);
    expectPropertiesTravel(
        source, copy, 12,
        "Minimum Value=0.000000|Maximum Value=1.000000|Lock Minimum=False|Lock Maximum=False|Jump To Max=False|"
        "Handle Colour=153,116,188,255|Handle Over Colour=239,149,41,255|Handle Down Colour=243,32,32,255|"
        "Mod Mark Colour=239,149,41,255",
        "Minimum Value=0.250000|Maximum Value=0.500000|Lock Minimum=False|Lock Maximum=True|Jump To Max=True|"
        "Handle Colour=1,2,3,4|Handle Over Colour=5,6,7,8|Handle Down Colour=9,1,2,3|Mod Mark Colour=4,5,6,7",
        "Minimum Value=0.250000|Maximum Value=0.500000|Lock Minimum=True|Lock Maximum=False|Jump To Max=True|"
        "Handle Colour=1,2,3,4|Handle Over Colour=5,6,7,8|Handle Down Colour=9,1,2,3|Mod Mark Colour=4,5,6,7");
    EXPECT_EQ("37,0,38,20 0.25 0.5", range(copy));
    EXPECT_TRUE(
        copy.applyDescriptor(CControlDescriptor(CString("Minimum Value"), 5, new Brivant::Basics::CDouble(0.125))));
    EXPECT_EQ("18,0,57,20 0.125 0.5", range(copy));
}
} // namespace
