// CProgressBar: the bar's width and the percentage a value gives, the bar's height after a resize, the looks in
// pixels and the properties.
#include "gui/controls/CProgressBar.hpp"

#include "foundation/basics/CBool.hpp"
#include "foundation/basics/CLong.hpp"
#include "gui/core/CControlDescriptor.hpp"
#include "tests/gui/controls/CControlScript.hpp"

#include <gtest/gtest.h>

#include <cmath>

namespace
{
using Brivant::Basics::CBool;
using Brivant::Basics::CLong;
using Brivant::Basics::CString;
using Brivant::GUI::Controls::CControlDescriptor;
using Brivant::GUI::Controls::CProgressBar;
using Brivant::MathTools::CRect;
using namespace VolturaTests;

TEST(CProgressBar, aValueSetsTheBarWidthAndTheTruncatedPercentageUncheckedAndTheBarHeightFollowsTheArea)
{
    CControlBench bench;
    const struct
    {
        double value; // NAN: none set
        CRect area;   // after the value
        const char* bar;
        const char* text;
    } cases[] = {
        {NAN, CRect(10, 10, 104, 20), "0,0,0,20", "0%"},     {0.5, CRect(10, 10, 104, 20), "0,0,50,20", "50%"},
        {1.2, CRect(10, 10, 104, 20), "0,0,120,20", "120%"}, {0.999, CRect(10, 10, 104, 20), "0,0,99,20", "99%"},
        {0.29, CRect(10, 10, 104, 20), "0,0,29,20", "29%"},  {-0.25, CRect(10, 10, 104, 20), "0,0,-25,20", "-25%"},
        {0.5, CRect(0, 0, 104, 45), "0,0,50,45", "50%"},     {NAN, CRect(0, 0, 60, 8), "0,0,0,8", "0%"},
    };
    for (const auto& test : cases)
    {
        SCOPED_TRACE(std::string(test.text) + " " + rectText(test.area));
        CProgressBar bar(&bench.root(), 1, CRect(10, 10, 104, 20));
        bench.redraws.clear();
        if (!std::isnan(test.value))
            bar.setValue(test.value);
        EXPECT_EQ(std::isnan(test.value) ? 0u : 1u, bench.redraws.size());
        bar.setArea(test.area);
        EXPECT_EQ(test.bar, rectText(bar.getBarArea()));
        EXPECT_STREQ(test.text, bar.getText().getString());
        EXPECT_EQ(std::isnan(test.value) ? 1.0 : test.value, bar.getValue());
    }
    CProgressBar bar(&bench.root(), 1, CRect(0, 0, 10, 10));
    EXPECT_EQ(CProgressBar::kCentreCentre, bar.getTextAlignment());
    EXPECT_FALSE(bar.isMouseEnabled());
    EXPECT_FALSE(bar.isKeyboardEnabled());
}

TEST(CProgressBar, theBarIsShadedInTheBackgroundColourUnderThePercentageEachWhenSwitchedOn)
{
    const char* const blue = "0,0,200";
    const struct
    {
        bool defaultDrawing;
        bool drawText;
        bool shaded;
        const char* outside;
        bool text;
    } cases[] = {
        {true, true, true, blue, true},
        {true, false, true, blue, false},
        {false, true, false, "255,255,255", true},
    };
    for (const auto& test : cases)
    {
        SCOPED_TRACE(std::to_string(test.defaultDrawing) + std::to_string(test.drawText));
        CControlBench bench;
        auto* bar = new CProgressBar(&bench.root(), 1, CRect(10, 10, 104, 20));
        bench.root().addControl(bar);
        bar->setColours(CAlphaColour::black(), CAlphaColour(0, 0, 200), CAlphaColour::black());
        bar->setDefaultDrawing(test.defaultDrawing);
        bar->applyDescriptor(CControlDescriptor(CString("Draw Text"), 3, new CBool(test.drawText)));
        bar->setValue(0.5);
        COffscreenCanvas canvas(150, 50);
        canvas.draw(bench.root());
        const CPixels pixels = canvas.pixels();
        // The middle row of the bar is lit towards white, beyond the bar it keeps the face.
        EXPECT_EQ(test.shaded, pixels.rgb(15, 20) != blue && pixels.rgb(15, 20) != "255,255,255");
        EXPECT_EQ(test.shaded, pixels.rgb(15, 10) == blue); // its first row
        EXPECT_EQ(test.outside, pixels.rgb(110, 20));
        EXPECT_EQ(test.text, pixels.count(50, 11, 40, 18, "0,0,0") > 0);
        EXPECT_EQ(0, pixels.count(15, 12, 30, 16, "0,0,0"));
    }
}

TEST(CProgressBar, drawTextTravelsThroughTheLayoutAfterTheLabelsPropertiesAndOnlyAsABoolean)
{
    CControlBench bench;
    CProgressBar source(&bench.root(), 1, CRect(0, 0, 200, 20));
    const std::vector<std::string> properties = propertyTexts(source, 12);
    ASSERT_EQ(5u, properties.size());
    EXPECT_EQ("Text=0%", properties[1]);
    EXPECT_EQ("Draw Text=True", properties[4]);
    CProgressBar copy(&bench.root(), 2, CRect(0, 0, 200, 20));
    ASSERT_TRUE(readChangedLayout(source, copy, {{"Draw Text", "False"}}));
    EXPECT_EQ("Draw Text=False", propertyTexts(copy, 16).front());
    EXPECT_FALSE(copy.applyDescriptor(CControlDescriptor(CString("Draw Text"), 4, new CLong(1))));
    EXPECT_EQ("Draw Text=False", propertyTexts(copy, 16).front());
    EXPECT_STREQ("CTextLabel", CProgressBar::classRecord().getParentName());
}
} // namespace
