// CCenterSlider: the bar a value lays out, the value and bar a press or drag reads from the pointer, the wheel,
// sliders without length, the looks in pixels and the properties.
#include "gui/controls/CCenterSlider.hpp"

#include "tests/gui/controls/CControlScript.hpp"

#include <gtest/gtest.h>

namespace
{
using Brivant::GUI::Controls::CCenterSlider;
using namespace VolturaTests;

const CRect kAcross(10, 10, 100, 20);
const CRect kUp(10, 10, 20, 100);

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
    // "value bar".
    static std::string state(const CCenterSlider& slider)
    {
        return number(slider.getValue()) + " " + rectText(slider.getBarArea());
    }

    CControlBench bench;
    CRecordingActionListener listener;
};

TEST_F(CCenterSliderTest, aValueDrawsTheBarFromTheCentreLineTowardsItsEndAndAResizeFollows)
{
    const struct
    {
        CRect area;
        double value; // -1: none set
        const char* expected;
    } cases[] = {
        {kAcross, -1, "1 50,0,50,20"},
        {kAcross, 0.75, "0.75 50,0,25,20"},
        {kAcross, 0.25, "0.25 25,0,25,20"},
        {kAcross, 0.5, "0.5 50,0,1,20"},
        {kAcross, 0.0, "0 0,0,50,20"},
        {kAcross, 1.5, "1 50,0,50,20"},
        {kUp, -1, "1 0,0,20,50"},
        {kUp, 0.75, "0.75 0,25,20,25"},
        {kUp, 0.25, "0.25 0,50,20,25"},
        {kUp, 0.5, "0.5 0,50,20,1"},
        {kUp, 0.6, "0.6 0,40,20,10"},
        // Products are truncated: 0.29 x 2 x 50 is 28.999..., so 28.
        {kAcross, 0.29, "0.29 28,0,22,20"},
        {kUp, 0.29, "0.29 0,50,20,22"},
        {kUp, -0.1, "1 0,0,20,50"},
        {CRect(0, 0, 20, 101), -1, "1 0,0,20,50"},
    };
    for (const auto& test : cases)
    {
        CCenterSlider& slider = add(kAcross);
        slider.setValue(test.value);
        slider.setArea(test.area);
        EXPECT_EQ(test.expected, state(slider)) << test.value << " " << rectText(test.area);
        EXPECT_TRUE(listener.controls.empty());
    }
}

TEST_F(CCenterSliderTest, aPressOrDragSetsTheValueAtThePointerLinearlyOnlyOnTheNearSideAndTheWheelStepsIt)
{
    const struct
    {
        CRect area;
        double start;
        const char* script;
        const char* expected; // value, bar, reports, pressed
    } cases[] = {
        {kAcross, 1, "D10,20", "0 0,0,50,20 1 pressed"},
        {kAcross, 1, "D60,20", "0.5 50,0,0,20 1 pressed"},
        {kAcross, 1, "D110,20", "1 50,0,50,20 1 pressed"},
        {kAcross, 1, "D35,20", "0.3333 25,0,25,20 1 pressed"}, // 25 / 75, not 0.25
        {kAcross, 1, "D85,20", "0.75 50,0,25,20 1 pressed"},
        {kAcross, 1, "D35,20 M0,20 M200,20", "1 50,0,50,20 3 pressed"},
        {kAcross, 1, "D35,20 U35,20 M85,20", "0.3333 25,0,25,20 1 -"},
        {kAcross, 1, "M85,20", "1 50,0,50,20 0 -"},
        {kUp, 1, "D20,10", "1 0,0,20,50 1 pressed"},
        {kUp, 1, "D20,60", "0.5 0,50,20,0 1 pressed"},
        {kUp, 1, "D20,110", "0 0,50,20,50 1 pressed"},
        {kUp, 1, "D20,85", "0.25 0,50,20,25 1 pressed"},
        {kUp, 1, "D20,35", "0.6667 0,25,20,25 1 pressed"},
        {kUp, 1, "D20,35 M20,0", "1 0,0,20,50 2 pressed"},
        // Without length the value is kept.
        {CRect(10, 10, 0, 0), 0.3, "D10,10 M10,10", "0.3 0,0,0,0 2 pressed"},
        {CRect(10, 10, 1, 0), 0.3, "D11,10", "0.3 0,0,0,0 1 pressed"},
        // The wheel steps 0.025, 0.000625 with Shift, and reports even when the step would leave 0..1.
        {kAcross, 1, "W60,20", "1 50,0,50,20 1 -"},
        {kAcross, 1, "w60,20", "0.975 50,0,48,20 1 -"},
        {kAcross, 1, "^w60,20", "0.9994 50,0,50,20 1 -"},
        {kAcross, 0.5, "W60,20", "0.525 50,0,3,20 1 -"},
        {kAcross, 0, "w60,20 w60,20", "0 0,0,50,20 2 -"},
        {kAcross, 0.01, "w60,20 W60,20", "0.035 3,0,47,20 2 -"},
    };
    for (const auto& test : cases)
    {
        CCenterSlider& slider = add(test.area);
        slider.setValue(test.start);
        playMouseScript(bench.window(), test.script);
        EXPECT_EQ(test.expected, state(slider) + " " + std::to_string(listener.controls.size()) +
                                     (slider.isPressed() ? " pressed" : " -"))
            << test.script << " " << rectText(test.area);
        EXPECT_EQ(slider.isPressed() ? &slider : nullptr, bench.root().getLockedControl());
    }
}

TEST_F(CCenterSliderTest, aMoveKeepsTheBarThePointerSetAndOnlyANewSizeLaysItOutFromTheValue)
{
    CCenterSlider& slider = add(kAcross);
    playMouseScript(bench.window(), "D35,20 U35,20");
    // A panel moves its children by setting their areas; the same size twice over keeps the pointer's bar.
    const std::pair<CRect, const char*> steps[] = {{CRect(30, 40, 100, 20), "0.3333 25,0,25,20"},
                                                   {CRect(0, 0, 100, 20), "0.3333 25,0,25,20"},
                                                   {CRect(0, 0, 200, 20), "0.3333 66,0,34,20"},
                                                   {CRect(5, 5, 200, 20), "0.3333 66,0,34,20"}};
    for (const auto& step : steps)
    {
        slider.setArea(step.first);
        EXPECT_EQ(step.second, state(slider)) << rectText(step.first);
    }
}

TEST_F(CCenterSliderTest, theBarIsFilledByPressAndFramedAndTheCentreLineCrossesIt)
{
    const struct
    {
        const char* script;
        bool enabled;
        const char* expected; // inside the bar, its right edge, the centre line, beside the bar
    } cases[] = {
        {"", true, "153,116,188 0,0,0 243,32,32 255,255,255"},
        {"D85,20", true, "243,32,32 0,0,0 243,32,32 255,255,255"},
        {"D85,20 U85,20", true, "153,116,188 0,0,0 243,32,32 255,255,255"},
        {"", false, "255,255,255 255,255,255 255,255,255 255,255,255"},
    };
    for (const auto& test : cases)
    {
        CCenterSlider& slider = add(kAcross);
        slider.setValue(0.75);
        if (!test.enabled)
            slider.disable();
        playMouseScript(bench.window(), test.script);
        COffscreenCanvas canvas(150, 50);
        canvas.draw(bench.root());
        const CPixels pixels = canvas.pixels();
        EXPECT_EQ(test.expected,
                  pixels.rgb(70, 20) + " " + pixels.rgb(84, 20) + " " + pixels.rgb(60, 20) + " " + pixels.rgb(40, 20))
            << test.script;
    }
}

TEST_F(CCenterSliderTest, theColoursTravelThroughTheLayoutAndOnlyAsColours)
{
    CCenterSlider source(&bench.root(), 1, kAcross, nullptr);
    CCenterSlider copy(&bench.root(), 2, kAcross, nullptr);
    expectPropertiesTravel(source, copy, 12,
                           "Off Colour=153,116,188,255|Over Colour=243,32,32,255|Down Colour=243,32,32,255",
                           "Off Colour=1,2,3,4|Over Colour=5,6,7,8|Down Colour=9,8,7,6");
}
} // namespace
