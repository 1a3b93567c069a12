// CSliderArray: which column a press or drag sets and to what, the bar being dragged in its own colour, values
// set from outside, layouts that keep the values, and controls with no height or no bars.
#include "gui/controls/CSliderArray.hpp"

#include "foundation/basics/CLong.hpp"
#include "tests/foundation/basics/CAllocationFailure.hpp"
#include "tests/gui/CGuiTestKit.hpp"
#include "tests/gui/controls/CSliderTestSupport.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
using Brivant::Basics::CLong;
using Brivant::Basics::CString;
using Brivant::Testing::CAllocationFailure;
using Brivant::GUI::Controls::CControlDescriptor;
using Brivant::GUI::Controls::CSliderArray;
using Brivant::MathTools::CRect;
using namespace VolturaTests;

// Four bars 35 wide with gaps of 5 at (10, 10) on a 100-pixel-high control: columns at x 0, 40, 80 and 120.
struct SArrayOnBench : TControlOnBench<CSliderArray>
{
    explicit SArrayOnBench(const CRect& area = CRect(10, 10, 200, 100), long count = 4)
        : TControlOnBench(area, 35L, 5L, count)
    {
    }
    std::vector<double> values(size_t count = 4) const
    {
        std::vector<double> out;
        for (size_t index = 0; index < count; ++index)
            out.push_back(control->getSliderValue(static_cast<long>(index)));
        return out;
    }
    // In the column starting at left, some pixels above the control's bottom.
    std::string at(long left, long above)
    {
        return pixel(control->getArea().getLeft() + left + 10, control->getArea().getBottom() - above);
    }
    // Near the bottom of each column: u for a bar up, d for the one dragged, - for none.
    std::string barColours()
    {
        std::string out;
        for (long left : {0, 40, 80, 120})
        {
            const std::string colour = at(left, 3);
            out += colour == "239,149,41" ? "u" : colour == "243,32,32" ? "d" : colour == "255,255,255" ? "-" : "?";
        }
        return out;
    }
};

TEST(CSliderArray, aPressOrADragSetsTheBarWhoseColumnHoldsThePointerToItsHeight)
{
    // Kind and local point; then the four values, the selected bar, the reports so far, the bars' colours, the lock.
    const std::tuple<long, long, long, const char*> steps[] = {
        {CMouseEvent::kLeftButtonDown, 50, 25, "1.00 0.75 1.00 1.00 1 1 uduu locked"},
        {CMouseEvent::kMouseMove, 77, 50, "1.00 0.75 1.00 1.00 1 1 uduu locked"}, // in the gap
        {CMouseEvent::kMouseMove, 80, 50, "1.00 0.75 0.50 1.00 2 2 uudu locked"},
        {CMouseEvent::kMouseMove, 35, 100, "0.00 0.75 0.50 1.00 0 3 -uuu locked"},
        {CMouseEvent::kMouseMove, 190, 10, "0.00 0.75 0.50 1.00 0 3 -uuu locked"},
        {CMouseEvent::kLeftButtonUp, 130, 10, "0.00 0.75 0.50 1.00 0 3 -uuu free"},
        {CMouseEvent::kMouseMove, 130, 10, "0.00 0.75 0.50 1.00 0 3 -uuu free"}};
    SArrayOnBench bench;
    for (const auto& step : steps)
    {
        bench.mouse(std::get<0>(step), std::get<1>(step), std::get<2>(step), kShift);
        std::string seen;
        for (double value : bench.values())
            seen += std::to_string(value).substr(0, 4) + " ";
        EXPECT_EQ(std::get<3>(step), seen + std::to_string(bench.control->getSelectedSlider()) + " " +
                                         std::to_string(bench.listener.controls.size()) + " " + bench.barColours() +
                                         (bench.bench.root().isControlLocked() ? " locked" : " free"));
    }
    // Each report carries the mouse event's modifiers.
    EXPECT_EQ(std::vector<bool>(3, true), bench.listener.shifts);
}

TEST(CSliderArray, movingOrResizingKeepsTheValuesAndANewWidthGapOrCountSetsEveryBarBackToFull)
{
    // The change; then the values, the count written, where bar 1 now lies (-1: gone) and whether it is full.
    const std::tuple<const char*, long, std::vector<double>, const char*, long, bool> cases[] = {
        {"move", 0, {0.25, 0.5, 1, 1}, "04", 40, false},
        {"taller", 0, {0.25, 0.5, 1, 1}, "04", 40, false},
        {"Slider Width", 30, {1, 1, 1, 1}, "04", 35, true},
        {"Slider Width", 35, {1, 1, 1, 1}, "04", 40, true},
        {"Gap Width", 35, {1, 1, 1, 1}, "04", 70, true},
        {"Slider Count", 6, {1, 1, 1, 1, 1, 1}, "06", 40, true},
        {"Slider Count", 4, {1, 1, 1, 1}, "04", 40, true},
        {"Slider Count", 1, {1, 0}, "01", -1, true},
        {"Slider Count", -3, {0, 0}, "00", -1, true}};
    for (const auto& test : cases)
    {
        const std::string change(std::get<0>(test));
        SCOPED_TRACE(change + " " + std::get<3>(test));
        SArrayOnBench bench;
        bench.control->setSliderValue(0.25, 0);
        bench.control->setSliderValue(0.5, 1);
        if (change == "move" || change == "taller")
            bench.control->setArea(change == "move" ? CRect(30, 50, 200, 100) : CRect(10, 10, 200, 180));
        else
            EXPECT_TRUE(applyProperty(*bench.control, std::get<0>(test), CControlDescriptor::kInteger,
                                      new CLong(std::get<1>(test))));
        EXPECT_EQ(std::get<2>(test), bench.values(std::get<2>(test).size()));
        EXPECT_EQ(std::get<3>(test), propertyText(*bench.control, "Slider Count"));
        const long half = bench.control->getArea().getHeight() / 2;
        if (std::get<4>(test) < 0)
            continue;
        EXPECT_EQ(std::get<5>(test) ? "239,149,41 239,149,41" : "255,255,255 239,149,41",
                  bench.at(std::get<4>(test), half + 3) + " " + bench.at(std::get<4>(test), half - 3));
    }
}

TEST(CSliderArray, aCountPastTheWidthOrOneThatCannotBeMadeIsRefusedAndLeavesTheBarsAsTheyWere)
{
    // The count and the allocation from then on that fails (0: none); the count and first values read after.
    const std::tuple<long, long, const char*> cases[] = {
        {200, 0, "200 1.00 1.00"},     {201, 0, "04 0.25 1.00"}, {99999999, 0, "04 0.25 1.00"},
        {2147483647, 0, "04 0.25 1.00"}, {150, 1, "04 0.25 1.00"}, {150, 2, "04 0.25 1.00"}};
    for (const auto& test : cases)
    {
        SArrayOnBench bench;
        bench.control->setSliderValue(0.25, 0);
        CControlDescriptor descriptor(CString("Slider Count"), CControlDescriptor::kInteger,
                                      new CLong(std::get<0>(test)));
        CAllocationFailure::failAt(std::get<1>(test));
        bool taken = false;
        EXPECT_NO_THROW(taken = bench.control->applyDescriptor(descriptor)) << std::get<0>(test);
        CAllocationFailure::disarm();
        EXPECT_EQ(std::get<0>(test) == 200, taken) << std::get<0>(test);
        // The bars and their values stay in step: a bar past the old count takes no value.
        bench.control->setSliderValue(0.5, 100);
        EXPECT_EQ(std::get<0>(test) == 200 ? 0.5 : 0.0, bench.control->getSliderValue(100));
        EXPECT_EQ(std::get<2>(test), propertyText(*bench.control, "Slider Count") + " " +
                                         std::to_string(bench.control->getSliderValue(0)).substr(0, 4) + " " +
                                         std::to_string(bench.control->getSliderValue(1)).substr(0, 4))
            << std::get<0>(test) << " failing at " << std::get<1>(test);
    }
    // Narrowed below its count, a control still takes that count again, as reading back its own layout does.
    SArrayOnBench narrowed;
    narrowed.control->setArea(CRect(10, 10, -30, 100));
    CControlDescriptor again(CString("Slider Count"), CControlDescriptor::kInteger, new CLong(4));
    EXPECT_TRUE(narrowed.control->applyDescriptor(again));
}

TEST(CSliderArray, columnsFarPastTheRightEdgeNeverWrapAroundOntoTheControl)
{
    // Slider width and gap, then the reports and values after a press at (45, 50), and the pixels at x 45 a
    // quarter and three quarters down. With 10 and 2147483638 the third column starts 2^32 + 40 pixels right, and
    // with 2^30 and 2^30 2^31, where a 32-bit sum wraps onto x 40 and x 0.
    const std::tuple<long, long, const char*> cases[] = {
        {10, 2147483638, "0 1.00 1.00 1.00 255,255,255 255,255,255"},
        {2147483647, 2147483647, "1 0.50 1.00 1.00 255,255,255 239,149,41"},
        {1073741824, 1073741824, "1 0.50 1.00 1.00 255,255,255 239,149,41"}};
    for (const auto& test : cases)
    {
        SArrayOnBench bench;
        EXPECT_TRUE(applyProperty(*bench.control, "Slider Width", CControlDescriptor::kInteger,
                                  new CLong(std::get<0>(test))));
        EXPECT_TRUE(
            applyProperty(*bench.control, "Gap Width", CControlDescriptor::kInteger, new CLong(std::get<1>(test))));
        bench.mouse(CMouseEvent::kLeftButtonDown, 45, 50);
        bench.mouse(CMouseEvent::kLeftButtonUp, 45, 50);
        std::string seen = std::to_string(bench.listener.controls.size());
        for (double value : bench.values(3))
            seen += " " + std::to_string(value).substr(0, 4);
        EXPECT_EQ(std::get<2>(test), seen + " " + bench.at(35, 75) + " " + bench.at(35, 25))
            << std::get<0>(test) << " " << std::get<1>(test);
    }
}

TEST(CSliderArray, invalidValuesAndIndicesChangeNothingAndNoHeightOrNoBarsNeverDivideByZero)
{
    // setSliderValue's value and index, then the first four values as read.
    const std::tuple<double, long, std::vector<double>> cases[] = {
        {0.5, 0, {0.5, 1, 1, 1}},   {1.5, 0, {0.5, 1, 1, 1}},  {0.25, 4, {0.5, 1, 1, 1}},
        {0.25, -1, {0.5, 1, 1, 1}}, {-0.1, 1, {0.5, 1, 1, 1}}, {0.0, 3, {0.5, 1, 1, 0}}};
    SArrayOnBench bench;
    for (const auto& test : cases)
    {
        bench.control->setSliderValue(std::get<0>(test), std::get<1>(test));
        EXPECT_EQ(std::get<2>(test), bench.values()) << std::get<0>(test) << " at " << std::get<1>(test);
    }
    EXPECT_EQ(0.0, bench.control->getSliderValue(4) + bench.control->getSliderValue(-1));
    EXPECT_EQ("uuu-", bench.barColours());
    EXPECT_TRUE(bench.listener.controls.empty());
    SArrayOnBench flat(CRect(10, 10, 200, 0));
    flat.mouse(CMouseEvent::kLeftButtonDown, 50, 0);
    EXPECT_EQ((std::vector<double>{1, 1, 1, 1}), flat.values());
    EXPECT_EQ(1u, flat.listener.controls.size());
    SArrayOnBench none(CRect(10, 10, 200, 100), -2);
    none.mouse(CMouseEvent::kLeftButtonDown, 10, 50);
    none.control->setSliderValue(0.5, 0);
    EXPECT_EQ(0.0, none.control->getSliderValue(0));
    EXPECT_EQ("00 ----", propertyText(*none.control, "Slider Count") + " " + none.barColours());
    EXPECT_TRUE(none.listener.controls.empty());
    EXPECT_FALSE(applyProperty(*none.control, "Handle Colour", CControlDescriptor::kColour, new CLong(1)));
    EXPECT_TRUE(
        applyProperty(*none.control, "Handle Down Colour", CControlDescriptor::kColour, new CAlphaColour(1, 2, 3)));
    EXPECT_EQ("[1,2,3,255]", propertyText(*none.control, "Handle Down Colour"));
}
} // namespace
