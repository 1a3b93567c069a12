// CCenterSlider: the bar a value lays out, the value and bar a press or drag reads from the pointer, the wheel,
// sliders without length, the looks in pixels and the properties.
#include "gui/controls/CCenterSlider.hpp"

#include "foundation/basics/CBool.hpp"
#include "gui/core/CControlDescriptor.hpp"
#include "tests/gui/controls/CControlScript.hpp"

#include <gtest/gtest.h>

namespace
{
using Brivant::Basics::CBool;
using Brivant::Basics::CString;
using Brivant::GUI::Controls::CCenterSlider;
using Brivant::GUI::Controls::CControlDescriptor;
using Brivant::MathTools::CRect;
using namespace VolturaTests;

const CRect kHorizontal(10, 10, 100, 20);
const CRect kVertical(10, 10, 20, 100);

class CCenterSliderTest : public ::testing::Test
{
protected:
    CCenterSlider& add(const CRect& area)
    {
        bench.root().clearControls();
        listener.controls.clear();
        auto* slider = new CCenterSlider(&bench.root(), 1, area, &listener);
        bench.root().addControl(slider);
        return *slider;
    }

    CControlBench bench;
    CRecordingActionListener listener;
};

TEST_F(CCenterSliderTest, aValueDrawsTheBarFromTheCentreLineTowardsItsEnd)
{
    const struct
    {
        CRect area;
        double value; // -1: none set
        const char* bar;
    } cases[] = {
        {kHorizontal, -1, "50,0,50,20"},
        {kHorizontal, 0.75, "50,0,25,20"},
        {kHorizontal, 0.25, "25,0,25,20"},
        {kHorizontal, 0.5, "50,0,1,20"},
        {kHorizontal, 0.0, "0,0,50,20"},
        {kHorizontal, 1.5, "50,0,50,20"},
        {kVertical, -1, "0,0,20,50"},
        {kVertical, 0.75, "0,25,20,25"},
        {kVertical, 0.25, "0,50,20,25"},
        {kVertical, 0.5, "0,50,20,1"},
        {kVertical, 0.6, "0,40,20,10"},
        {kVertical, -0.1, "0,0,20,50"},
        {CRect(0, 0, 20, 101), -1, "0,0,20,50"},
    };
    for (const auto& test : cases)
    {
        SCOPED_TRACE(std::to_string(test.value) + " " + rectText(test.area));
        CCenterSlider& slider = add(test.area);
        slider.setValue(test.value);
        EXPECT_EQ(test.bar, rectText(slider.getBarArea()));
        EXPECT_DOUBLE_EQ(test.value >= 0 && test.value <= 1 ? test.value : 1.0, slider.getValue());
        EXPECT_TRUE(listener.controls.empty());
    }
}

TEST_F(CCenterSliderTest, aPressOrDragSetsTheValueAtThePointerLinearlyOnlyOnTheNearSideOfTheCentre)
{
    const struct
    {
        CRect area;
        const char* script;
        double value;
        const char* bar;
        size_t reports;
        bool pressed;
    } cases[] = {
        {kHorizontal, "D10,20", 0.0, "0,0,50,20", 1, true},
        {kHorizontal, "D60,20", 0.5, "50,0,0,20", 1, true},
        {kHorizontal, "D110,20", 1.0, "50,0,50,20", 1, true},
        {kHorizontal, "D35,20", 25 / 75.0, "25,0,25,20", 1, true},
        {kHorizontal, "D85,20", 0.75, "50,0,25,20", 1, true},
        {kHorizontal, "D35,20 M0,20 M200,20", 1.0, "50,0,50,20", 3, true},
        {kHorizontal, "D35,20 U35,20 M85,20", 25 / 75.0, "25,0,25,20", 1, false},
        {kHorizontal, "M85,20", 1.0, "50,0,50,20", 0, false},
        {kVertical, "D20,10", 1.0, "0,0,20,50", 1, true},
        {kVertical, "D20,60", 0.5, "0,50,20,0", 1, true},
        {kVertical, "D20,110", 0.0, "0,50,20,50", 1, true},
        {kVertical, "D20,85", 0.25, "0,50,20,25", 1, true},
        {kVertical, "D20,35 M20,0", 1.0, "0,0,20,50", 2, true},
        {kVertical, "D20,35", 1 - 25 / 75.0, "0,25,20,25", 1, true},
        // Without length the value is kept.
        {CRect(10, 10, 0, 0), "D10,10 M10,10", 1.0, "0,0,0,0", 2, true},
        {CRect(10, 10, 1, 0), "D11,10", 1.0, "0,0,0,0", 1, true},
    };
    for (const auto& test : cases)
    {
        SCOPED_TRACE(std::string(test.script) + " " + rectText(test.area));
        CCenterSlider& slider = add(test.area);
        playMouseScript(bench.window(), test.script);
        EXPECT_NEAR(test.value, slider.getValue(), 1e-12);
        EXPECT_EQ(test.bar, rectText(slider.getBarArea()));
        EXPECT_EQ(std::vector<IControl*>(test.reports, &slider), listener.controls);
        EXPECT_EQ(test.pressed, slider.isPressed());
        EXPECT_EQ(test.pressed ? &slider : nullptr, bench.root().getLockedControl());
    }
}

TEST_F(CCenterSliderTest, theWheelStepsTheValueAndReportsEvenWhenTheStepIsRefused)
{
    const struct
    {
        double start;
        const char* script;
        double value;
        size_t reports;
    } cases[] = {
        {1.0, "W60,20", 1.0, 1},   {1.0, "w60,20", 0.975, 1},      {1.0, "^w60,20", 0.999375, 1},
        {0.5, "W60,20", 0.525, 1}, {0.0, "w60,20 w60,20", 0.0, 2}, {0.01, "w60,20 W60,20", 0.035, 2},
    };
    for (const auto& test : cases)
    {
        SCOPED_TRACE(std::to_string(test.start) + " " + test.script);
        CCenterSlider& slider = add(kHorizontal);
        slider.setValue(test.start);
        playMouseScript(bench.window(), test.script);
        EXPECT_NEAR(test.value, slider.getValue(), 1e-12);
        EXPECT_EQ(std::vector<IControl*>(test.reports, &slider), listener.controls);
        CCenterSlider copy(&bench.root(), 2, kHorizontal, nullptr);
        copy.setValue(slider.getValue());
        EXPECT_EQ(rectText(copy.getBarArea()), rectText(slider.getBarArea()));
    }
}

TEST_F(CCenterSliderTest, theBarIsFilledByPressAndFramedAndTheCentreLineCrossesIt)
{
    const struct
    {
        CRect area;
        const char* script;
        bool enabled;
        const char* fill;
        const char* frame;
        const char* line;
    } cases[] = {
        {kHorizontal, "", true, "153,116,188", "0,0,0", "243,32,32"},
        {kHorizontal, "D85,20", true, "243,32,32", "0,0,0", "243,32,32"},
        {kHorizontal, "D85,20 U85,20", true, "153,116,188", "0,0,0", "243,32,32"},
        {kHorizontal, "", false, "255,255,255", "255,255,255", "255,255,255"},
    };
    for (const auto& test : cases)
    {
        SCOPED_TRACE(test.script);
        CCenterSlider& slider = add(test.area);
        slider.setValue(0.75);
        if (!test.enabled)
            slider.disable();
        playMouseScript(bench.window(), test.script);
        COffscreenCanvas canvas(150, 50);
        canvas.draw(bench.root());
        const CPixels pixels = canvas.pixels();
        EXPECT_EQ(test.fill, pixels.rgb(70, 20));
        EXPECT_EQ(test.frame, pixels.rgb(84, 20));
        EXPECT_EQ(test.line, pixels.rgb(60, 20));
        EXPECT_EQ("255,255,255", pixels.rgb(40, 20));
    }
}

TEST_F(CCenterSliderTest, theColoursTravelThroughTheLayoutAndValuesOfAnotherClassAreRefused)
{
    CCenterSlider& source = add(kHorizontal);
    EXPECT_EQ(std::vector<std::string>(
                  {"Off Colour=153,116,188,255", "Over Colour=243,32,32,255", "Down Colour=243,32,32,255"}),
              propertyTexts(source, 12));
    CCenterSlider copy(&bench.root(), 2, kHorizontal, nullptr);
    ASSERT_TRUE(readChangedLayout(
        source, copy,
        {{"Off Colour", "1,2,3,4"}, {"Over Colour", "5,6,7,8"}, {"Down Colour", "9,8,7,6"}, {"Area", "0,0,20,60"}}));
    EXPECT_EQ(std::vector<std::string>({"Off Colour=1,2,3,4", "Over Colour=5,6,7,8", "Down Colour=9,8,7,6"}),
              propertyTexts(copy, 12));
    // The new area turns the slider upright, with the bar laid out again for the value.
    EXPECT_EQ("0,0,20,30", rectText(copy.getBarArea()));
    EXPECT_FALSE(copy.applyDescriptor(CControlDescriptor(CString("Down Colour"), 2, new CBool(true))));
    EXPECT_EQ("Down Colour=9,8,7,6", propertyTexts(copy, 14).front());
}
} // namespace
