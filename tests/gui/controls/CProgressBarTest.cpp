// CProgressBar: the bar's width and the percentage a value gives, the bar's height after a resize, the looks in
// pixels and the properties.
#include "gui/controls/CProgressBar.hpp"

#include "foundation/basics/CBool.hpp"
#include "tests/gui/controls/CControlScript.hpp"

#include <gtest/gtest.h>

#include <limits>

namespace
{
using Brivant::Basics::CString;
using Brivant::GUI::Controls::CControlDescriptor;
using Brivant::GUI::Controls::CProgressBar;
using namespace VolturaTests;

const double kNaN = std::numeric_limits<double>::quiet_NaN(), kInfinity = std::numeric_limits<double>::infinity();

TEST(CProgressBar, aValueSetsTheBarWidthAndTheTruncatedPercentageHeldTo0To1AndTheBarHeightFollowsTheArea)
{
    CControlBench bench;
    const struct
    {
        double value;         // 9: none set
        CRect area;           // after the value
        const char* expected; // value, bar, text, redraws
    } cases[] = {
        {9, CRect(10, 10, 104, 20), "1 0,0,0,20 0% 0"},
        {0.5, CRect(10, 10, 104, 20), "0.5 0,0,50,20 50% 1"},
        {1.2, CRect(10, 10, 104, 20), "1.2 0,0,100,20 100% 1"}, // stored, but shown held to 0..1
        {0.999, CRect(10, 10, 104, 20), "0.999 0,0,99,20 99% 1"},
        {0.29, CRect(10, 10, 104, 20), "0.29 0,0,28,20 28% 1"}, // 28.999...: bar and text are truncated
        {-0.25, CRect(10, 10, 104, 20), "-0.25 0,0,0,20 0% 1"},
        {kNaN, CRect(10, 10, 104, 20), "nan 0,0,0,20 0% 1"},
        {1e300, CRect(10, 10, 104, 20), "1e+300 0,0,100,20 100% 1"},
        {-kInfinity, CRect(10, 10, 104, 20), "-inf 0,0,0,20 0% 1"},
        {0.5, CRect(0, 0, 104, 45), "0.5 0,0,50,45 50% 1"},
        {9, CRect(0, 0, 60, 8), "1 0,0,0,8 0% 0"},
    };
    for (const auto& test : cases)
    {
        CProgressBar bar(&bench.root(), 1, CRect(10, 10, 104, 20));
        bench.redraws.clear();
        if (test.value != 9)
            bar.setValue(test.value);
        const size_t redraws = bench.redraws.size();
        bar.setArea(test.area);
        EXPECT_EQ(test.expected, number(bar.getValue()) + " " + rectText(bar.getBarArea()) + " " +
                                     bar.getText().getString() + " " + std::to_string(redraws));
    }
    CProgressBar bar(&bench.root(), 1, CRect(0, 0, 10, 10));
    EXPECT_TRUE(bar.getTextAlignment() == CProgressBar::kCentreCentre && !bar.isMouseEnabled() &&
                !bar.isKeyboardEnabled());
}

TEST(CProgressBar, theBarIsShadedInTheBackgroundColourUnderThePercentageEachWhenSwitchedOn)
{
    const struct
    {
        bool defaultDrawing, drawText;
        const char* expected; // the bar's first row, its middle row, beyond it, whether text is drawn
    } cases[] = {
        {true, true, "0,0,200 lit 0,0,200 text"},
        {true, false, "0,0,200 lit 0,0,200 -"},
        {false, true, "255,255,255 255,255,255 255,255,255 text"},
    };
    for (const auto& test : cases)
    {
        CControlBench bench;
        auto* bar = new CProgressBar(&bench.root(), 1, CRect(10, 10, 104, 20));
        bench.root().addControl(bar);
        bar->setColours(CAlphaColour::black(), CAlphaColour(0, 0, 200), CAlphaColour::black());
        bar->setDefaultDrawing(test.defaultDrawing);
        bar->applyDescriptor(CControlDescriptor(CString("Draw Text"), 3, new Brivant::Basics::CBool(test.drawText)));
        bar->setValue(0.5);
        COffscreenCanvas canvas(150, 50);
        canvas.draw(bench.root());
        const CPixels pixels = canvas.pixels();
        const std::string middle = pixels.rgb(15, 20);
        EXPECT_EQ(test.expected, pixels.rgb(15, 10) + " " +
                                     (middle != "0,0,200" && middle != "255,255,255" ? "lit" : middle) + " " +
                                     pixels.rgb(110, 20) + (pixels.count(50, 11, 40, 18, "0,0,0") > 0 ? " text" : " -"))
            << test.defaultDrawing << test.drawText;
        EXPECT_EQ(0, pixels.count(15, 12, 30, 16, "0,0,0")); // the text stays in the middle
    }
}

TEST(CProgressBar, drawTextTravelsThroughTheLayoutAfterTheLabelsPropertiesAndOnlyAsABoolean)
{
    CControlBench bench;
    CProgressBar source(&bench.root(), 1, CRect(0, 0, 200, 20));
    CProgressBar copy(&bench.root(), 2, CRect(0, 0, 200, 20));
    EXPECT_EQ("Text=0%", propertyTexts(source, 13).substr(0, 7));
    expectPropertiesTravel(source, copy, 16, "Draw Text=True", "Draw Text=False");
    EXPECT_STREQ("CTextLabel", CProgressBar::classRecord().getParentName());
}
} // namespace
