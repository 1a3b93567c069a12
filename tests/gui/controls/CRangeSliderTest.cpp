// CRangeSlider and CModulatedSlider: the bar a range lays out, what every press, drag, release and wheel notch
// does to the bar, the values, the reports, the lock and the cursor, resizes and sizes of 0, the looks in pixels,
// the modulation mark and the properties.
#include "gui/controls/CModulatedSlider.hpp"

#include "foundation/basics/CDouble.hpp"
#include "foundation/basics/CLong.hpp"
#include "gui/core/CControlDescriptor.hpp"
#include "gui/core/CCursor.hpp"
#include "tests/gui/controls/CControlScript.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace
{
using Brivant::Basics::CDouble;
using Brivant::Basics::CLong;
using Brivant::Basics::CString;
using Brivant::GUI::Controls::CControlDescriptor;
using Brivant::GUI::Controls::CModulatedSlider;
using Brivant::GUI::Controls::CRangeSlider;
using Brivant::GUI::Windowing::CCursor;
using Brivant::MathTools::CRect;
using namespace VolturaTests;

const CRect kVertical(10, 10, 20, 150);
const CRect kHorizontal(10, 10, 150, 20);

// The options a case starts from: setRangeOptions(lockMinimum, lockMaximum, minimum, maximum, jump).
struct SRange
{
    bool lockMinimum;
    bool lockMaximum;
    double minimum;
    double maximum;
    bool jump;
};
const SRange kFree{false, false, 0.2, 0.8, false};

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

    CControlBench bench;
    CRecordingActionListener listener;
};

TEST_F(CRangeSliderTest, theRangeLaysTheBarOutAlongTheTrackAndValuesOutOfOrderOrRangeAreIgnored)
{
    const struct
    {
        CRect area;
        SRange range;
        double minimum; // then setMinimum, when in 0..1
        const char* bar;
        double expectedMinimum;
        double expectedMaximum;
    } cases[] = {
        {kVertical, kFree, -1, "0,30,20,90", 0.2, 0.8},
        {kHorizontal, kFree, -1, "30,0,90,20", 0.2, 0.8},
        {kVertical, {false, false, 0.8, 0.2, false}, -1, "0,0,20,50", 0.0, 1.0}, // a third, as constructed
        {kVertical, {false, false, 0.5, 0.5, false}, -1, "0,0,20,50", 0.0, 1.0},
        {kVertical, {false, false, -0.5, 0.8, false}, -1, "0,30,20,20", 0.0, 0.8},
        {kHorizontal, {false, false, 0.1, 1.5, false}, -1, "15,0,35,20", 0.1, 1.0},
        {kHorizontal, kFree, 0.5, "75,0,45,20", 0.5, 0.8},
        {kHorizontal, kFree, 1.01, "30,0,90,20", 0.2, 0.8},
        {CRect(0, 0, 30, 30), kFree, -1, "0,6,30,18", 0.2, 0.8},
    };
    for (const auto& test : cases)
    {
        SCOPED_TRACE(test.bar);
        CRangeSlider& slider = add(test.area, test.range);
        slider.setMinimum(test.minimum);
        EXPECT_EQ(test.bar, rectText(slider.getBarArea()));
        EXPECT_DOUBLE_EQ(test.expectedMinimum, slider.getMinimum());
        EXPECT_DOUBLE_EQ(test.expectedMaximum, slider.getMaximum());
    }
    // Jumping to the maximum fixes the minimum end and frees the maximum end.
    CRangeSlider& slider = add(kVertical, {false, true, 0.2, 0.8, true});
    EXPECT_TRUE(slider.isMinimumLocked());
    EXPECT_FALSE(slider.isMaximumLocked());
}

TEST_F(CRangeSliderTest, pressesDragsAndReleasesMoveTheEndsOrTheBarAndReportWithTheLockAndCursorToMatch)
{
    CCursor* const wait = &CCursor::waitCursor();
    CCursor* const arrow = &CCursor::arrowCursor();
    CCursor* const upDown = &CCursor::verticalResizeCursor();
    CCursor* const across = &CCursor::horizontalResizeCursor();
    const SRange jump{false, false, 0.2, 0.8, true};
    const struct
    {
        CRect area;
        SRange range;
        const char* script;
        const char* bar;
        double minimum;
        double maximum;
        size_t reports;
        long state;
        bool locked;
        CCursor* cursor;
    } cases[] = {
        {kVertical, kFree, "D20,40 M20,20 U20,20", "0,10,20,110", 0.2, 1 - 10 / 150.0, 2, 1, true, upDown},
        {kVertical, kFree, "D20,40 M20,200 U20,200", "0,120,20,0", 0.2, 0.2, 2, 0, false, upDown},
        {kVertical, kFree, "D20,130 M20,170 U20,170", "0,30,20,120", 0.0, 0.8, 2, 0, false, upDown},
        {kVertical, kFree, "D20,80 M20,90 U20,90", "0,40,20,90", 1 - 130 / 150.0, 1 - 40 / 150.0, 2, 1, true, arrow},
        {kVertical, kFree, "D20,80 M20,300", "0,60,20,90", 0.0, 0.6, 1, 2, true, arrow},
        // Beside the bar: it jumps without a report and stays locked; the first move or the release reports.
        {kVertical, kFree, "D20,15", "0,0,20,90", 0.2, 0.8, 0, 0, true, arrow},
        {kVertical, kFree, "D20,15 M20,25", "0,15,20,90", 0.3, 0.9, 1, 0, true, arrow},
        {kVertical, kFree, "D20,15 U20,15", "0,0,20,90", 0.4, 1.0, 1, 1, true, arrow},
        {kVertical, kFree, "D20,155 M20,300 U20,300", "0,60,20,90", 0.0, 0.6, 2, 0, false, arrow},
        // A locked end takes a press but does not move.
        {kVertical, {false, true, 0.2, 0.8, false}, "D20,40", "0,30,20,90", 0.2, 0.8, 0, 2, true, wait},
        {kVertical, {false, true, 0.2, 0.8, false}, "D20,40 M20,20", "0,30,20,90", 0.2, 0.8, 0, 0, false, arrow},
        {kVertical, {true, false, 0.2, 0.8, false}, "D20,80", "0,30,20,90", 0.2, 0.8, 0, 0, false, wait},
        {kVertical, {true, false, 0.2, 0.8, false}, "D20,15 U20,15", "0,30,20,90", 0.2, 0.8, 1, 0, false, wait},
        {kVertical, jump, "D20,60", "0,50,20,100", 0.0, 1 - 50 / 150.0, 1, 2, true, wait},
        {kVertical, jump, "D20,60 U20,60 D20,160 M20,100", "0,90,20,60", 0.0, 0.4, 4, 2, true, upDown},
        {kVertical, {false, false, 0, 1, true}, "M20,10 M20,8 D20,8", "0,0,20,150", 0.0, 1.0, 1, 2, true, upDown},
        {kHorizontal, kFree, "D130,20 M20,20 U20,20", "30,0,1,20", 0.2, 31 / 150.0, 2, 0, false, across},
        {kHorizontal, kFree, "D40,20 M200,20", "119,0,1,20", 119 / 150.0, 0.8, 1, 2, true, across},
        {kHorizontal, kFree, "D80,20 ^M60,20", "10,0,90,20", 10 / 150.0, 100 / 150.0, 1, 2, true, arrow},
        {kHorizontal, jump, "D70,20", "0,0,60,20", 0.0, 0.4, 1, 2, true, wait},
        // Hovering over an end that is free to move.
        {kVertical, kFree, "M20,40", "0,30,20,90", 0.2, 0.8, 0, 1, true, upDown},
        {kVertical, kFree, "M20,40 M20,80", "0,30,20,90", 0.2, 0.8, 0, 0, false, arrow},
        {kVertical, kFree, "M20,40 L0,0", "0,30,20,90", 0.2, 0.8, 0, 0, true, upDown},
        {kVertical, {false, true, 0.2, 0.8, false}, "M20,40", "0,30,20,90", 0.2, 0.8, 0, 0, false, arrow},
        {kHorizontal, kFree, "M42,20", "30,0,90,20", 0.2, 0.8, 0, 1, true, across},
    };
    for (const auto& test : cases)
    {
        SCOPED_TRACE(std::string(test.script) + (test.area == kVertical ? " vertical" : " horizontal"));
        CRangeSlider& slider = add(test.area, test.range);
        playMouseScript(bench.window(), test.script);
        EXPECT_EQ(test.bar, rectText(slider.getBarArea()));
        EXPECT_NEAR(test.minimum, slider.getMinimum(), 1e-12);
        EXPECT_NEAR(test.maximum, slider.getMaximum(), 1e-12);
        EXPECT_EQ(std::vector<IControl*>(test.reports, &slider), listener.controls);
        EXPECT_EQ(test.state, slider.getBarState());
        EXPECT_EQ(test.locked ? &slider : nullptr, bench.root().getLockedControl());
        EXPECT_EQ(test.cursor, bench.window().getMousePointer().getCursor());
    }
    // The modifier keys of the mouse event travel with the report.
    add(kHorizontal);
    playMouseScript(bench.window(), "D80,20 ^M60,20 U60,20");
    EXPECT_EQ(std::vector<bool>({true, false}), listener.shifts);
}

TEST_F(CRangeSliderTest, theWheelMovesTheWholeBarFivePixelsOrOneWithShiftWhateverTheLocks)
{
    const struct
    {
        CRect area;
        SRange range;
        const char* script;
        long start;
        long length;
        double minimum;
        double maximum;
    } cases[] = {
        {kVertical, kFree, "W20,80", 25, 90, 1 - 115 / 150.0, 1 - 25 / 150.0},
        {kVertical, kFree, "w20,80", 35, 90, 1 - 125 / 150.0, 1 - 35 / 150.0},
        {kVertical, kFree, "^W20,80", 29, 90, 1 - 119 / 150.0, 1 - 29 / 150.0},
        {kVertical, kFree, "W20,80 W20,80 W20,80 W20,80 W20,80 W20,80 W20,80", 0, 90, 0.4, 1.0},
        {kHorizontal, kFree, "W80,20", 35, 90, 35 / 150.0, 125 / 150.0},
        {kHorizontal, {true, true, 0.2, 0.8, false}, "w80,20", 25, 90, 25 / 150.0, 115 / 150.0},
        {kHorizontal, {false, false, 0.0, 0.5, false}, "w80,20", 0, 75, 0.0, 0.5},
    };
    for (const auto& test : cases)
    {
        SCOPED_TRACE(test.script);
        CRangeSlider& slider = add(test.area, test.range);
        playMouseScript(bench.window(), test.script);
        const CRect& bar = slider.getBarArea();
        EXPECT_EQ(test.start, test.area == kVertical ? bar.getTop() : bar.getLeft());
        EXPECT_EQ(test.length, test.area == kVertical ? bar.getHeight() : bar.getWidth());
        EXPECT_NEAR(test.minimum, slider.getMinimum(), 1e-12);
        EXPECT_NEAR(test.maximum, slider.getMaximum(), 1e-12);
        EXPECT_EQ(std::count(test.script, test.script + strlen(test.script), ' ') + 1,
                  static_cast<long>(listener.controls.size()));
    }
}

TEST_F(CRangeSliderTest, aResizeKeepsTheRangeAndATrackOfNoLengthKeepsTheValues)
{
    const struct
    {
        CRect area;
        const char* script;
        const char* bar;
    } cases[] = {
        {CRect(10, 10, 20, 300), "", "0,60,20,180"},
        {CRect(10, 10, 300, 20), "", "60,0,180,20"},
        {CRect(50, 50, 20, 150), "", "0,30,20,90"},
        {CRect(10, 10, 0, 0), "W10,10 D10,10 M10,10 U10,10", "0,0,0,0"},
    };
    for (const auto& test : cases)
    {
        SCOPED_TRACE(rectText(test.area));
        CModulatedSlider& slider = add(kVertical);
        slider.setModulationValue(0.25);
        slider.setArea(test.area);
        playMouseScript(bench.window(), test.script);
        EXPECT_EQ(test.bar, rectText(slider.getBarArea()));
        EXPECT_DOUBLE_EQ(0.2, slider.getMinimum());
        EXPECT_DOUBLE_EQ(0.8, slider.getMaximum());
        // The mark keeps its place on the track too.
        const CRect& mark = slider.getMarkArea();
        EXPECT_EQ(slider.isVertical() ? 3 * test.area.getHeight() / 4 : test.area.getWidth() / 4,
                  slider.isVertical() ? mark.getTop() : mark.getLeft());
    }
}

TEST_F(CRangeSliderTest, theBarShowsTheStateColourAndTheMarkTheModulationOnlyWhileEnabled)
{
    const struct
    {
        const char* script;
        double modulation;
        bool enabled;
        const char* bar;
        long mark; // the mark's top, where it is drawn
    } cases[] = {
        {"", 0.5, true, "153,116,188", 75},    {"M20,40", 0.5, true, "239,149,41", 75},
        {"D20,80", 1.0, true, "243,32,32", 0}, {"", 1.5, true, "153,116,188", 60},
        {"", 0.2, true, "153,116,188", 120},   {"", 0.5, false, "255,255,255", -1},
    };
    for (const auto& test : cases)
    {
        SCOPED_TRACE(std::string(test.script) + " " + std::to_string(test.modulation));
        CModulatedSlider& slider = add(kVertical);
        slider.setModulationValue(0.6);
        slider.setModulationValue(test.modulation);
        if (!test.enabled)
            slider.disable();
        playMouseScript(bench.window(), test.script);
        COffscreenCanvas canvas(60, 200);
        canvas.draw(bench.root());
        const CPixels pixels = canvas.pixels();
        EXPECT_EQ(test.bar, pixels.rgb(15, 60));
        EXPECT_EQ(test.enabled ? "0,0,0" : "255,255,255", pixels.rgb(12, 40)); // the bar's outline
        EXPECT_EQ(test.mark < 0 ? 0 : 20, pixels.count(10, 10 + std::max(0L, test.mark), 20, 1, "239,149,41"));
    }
}

TEST_F(CRangeSliderTest, everyPropertyTravelsThroughTheLayoutAndTheRangeAlsoTakesDoubles)
{
    CModulatedSlider& source = add(kHorizontal, {false, false, 0.0, 1.0, false});
    const std::vector<std::string> defaults = {"Minimum Value=0.000000",
                                               "Maximum Value=1.000000",
                                               "Lock Minimum=False",
                                               "Lock Maximum=False",
                                               "Jump To Max=False",
                                               "Handle Colour=153,116,188,255",
                                               "Handle Over Colour=239,149,41,255",
                                               "Handle Down Colour=243,32,32,255",
                                               "Mod Mark Colour=239,149,41,255"};
    EXPECT_EQ(defaults, propertyTexts(source, 12));
    CModulatedSlider copy(&bench.root(), 2, kHorizontal, nullptr);
    ASSERT_TRUE(readChangedLayout(source, copy,
                                  {{"Minimum Value", "0.25"},
                                   {"Maximum Value", "0.5"},
                                   {"Lock Maximum", "True"},
                                   {"Jump To Max", "True"},
                                   {"Handle Colour", "1,2,3,4"},
                                   {"Handle Over Colour", "5,6,7,8"},
                                   {"Handle Down Colour", "9,10,11,12"},
                                   {"Mod Mark Colour", "13,14,15,16"}}));
    const std::vector<std::string> taken = {"Minimum Value=0.250000",     "Maximum Value=0.500000",
                                            "Lock Minimum=True",          "Lock Maximum=False",
                                            "Jump To Max=True",           "Handle Colour=1,2,3,4",
                                            "Handle Over Colour=5,6,7,8", "Handle Down Colour=9,10,11,12",
                                            "Mod Mark Colour=13,14,15,16"};
    EXPECT_EQ(taken, propertyTexts(copy, 12));
    EXPECT_EQ("37,0,38,20", rectText(copy.getBarArea()));
    EXPECT_TRUE(copy.applyDescriptor(CControlDescriptor(CString("Minimum Value"), 5, new CDouble(0.125))));
    EXPECT_DOUBLE_EQ(0.125, copy.getMinimum());
    for (const char* name : {"Maximum Value", "Lock Minimum", "Handle Colour", "Mod Mark Colour"})
        EXPECT_FALSE(copy.applyDescriptor(CControlDescriptor(CString(name), 4, new CLong(1)))) << name;
    EXPECT_DOUBLE_EQ(0.5, copy.getMaximum());
}
} // namespace
