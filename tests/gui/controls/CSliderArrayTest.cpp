// CSliderArray: which column a press or drag sets and to what, the bar being dragged in its own colour, values
// set from outside, layouts that keep the values, and controls with no height or no bars.
#include "gui/controls/CSliderArray.hpp"

#include "foundation/basics/CLong.hpp"
#include "tests/gui/CControlTestKit.hpp"
#include "tests/gui/controls/CControlTestImages.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace
{
using Brivant::Basics::CLong;
using Brivant::GUI::Controls::CControlDescriptor;
using Brivant::GUI::Controls::CSliderArray;
using Brivant::MathTools::CRect;
using namespace VolturaTests;

// Four bars 35 wide with gaps of 5 at (10, 10) on a 100-pixel-high control: columns at x 0, 40, 80 and 120.
struct SArrayOnBench
{
    explicit SArrayOnBench(const CRect& area = CRect(10, 10, 200, 100), long count = 4)
        : array(new CSliderArray(&bench.root(), 1, area, 35, 5, count, &listener))
    {
        bench.root().addControl(array);
    }
    void mouse(long kind, long x, long y, int modifiers = kNoModifier)
    {
        bench.mouse(kind, array->getArea().getLeft() + x, array->getArea().getTop() + y, modifiers);
    }
    std::vector<double> values(long count = 4) const
    {
        std::vector<double> out;
        for (long index = 0; index < count; ++index)
            out.push_back(array->getSliderValue(index));
        return out;
    }
    // The colour of each bar's column a little above the control's bottom.
    std::vector<std::string> barColours(long count = 4)
    {
        COffscreenCanvas canvas(400, 300);
        canvas.draw(bench.root());
        std::vector<std::string> out;
        for (long index = 0; index < count; ++index)
            out.push_back(canvas.rgb(array->getArea().getLeft() + index * 40 + 17, array->getArea().getBottom() - 3));
        return out;
    }

    CControlBench bench;
    CRecordingActionListener listener;
    CSliderArray* array;
};

const char* const kUp = "239,149,41";
const char* const kDown = "243,32,32";

TEST(CSliderArray, aPressOrADragSetsTheBarWhoseColumnHoldsThePointerToItsHeight)
{
    struct SStep
    {
        long kind, x, y;
        std::vector<double> values;
        long selected;
        size_t reports;
        std::vector<std::string> colours;
        bool locked;
    } steps[] = {
        {CMouseEvent::kLeftButtonDown, 50, 25, {1, 0.75, 1, 1}, 1, 1, {kUp, kDown, kUp, kUp}, true},
        {CMouseEvent::kMouseMove, 77, 50, {1, 0.75, 1, 1}, 1, 1, {kUp, kDown, kUp, kUp}, true}, // in the gap
        {CMouseEvent::kMouseMove, 80, 50, {1, 0.75, 0.5, 1}, 2, 2, {kUp, kUp, kDown, kUp}, true},
        {CMouseEvent::kMouseMove, 35, 100, {0, 0.75, 0.5, 1}, 0, 3, {"255,255,255", kUp, kUp, kUp}, true},
        {CMouseEvent::kMouseMove, 190, 10, {0, 0.75, 0.5, 1}, 0, 3, {"255,255,255", kUp, kUp, kUp}, true},
        {CMouseEvent::kLeftButtonUp, 130, 10, {0, 0.75, 0.5, 1}, 0, 3, {"255,255,255", kUp, kUp, kUp}, false},
        {CMouseEvent::kMouseMove, 130, 10, {0, 0.75, 0.5, 1}, 0, 3, {"255,255,255", kUp, kUp, kUp}, false},
    };
    SArrayOnBench bench;
    for (const SStep& step : steps)
    {
        SCOPED_TRACE(std::to_string(step.kind) + " at " + std::to_string(step.x) + "," + std::to_string(step.y));
        bench.mouse(step.kind, step.x, step.y, kShift);
        EXPECT_EQ(step.values, bench.values());
        EXPECT_EQ(step.selected, bench.array->getSelectedSlider());
        EXPECT_EQ(step.reports, bench.listener.controls.size());
        EXPECT_EQ(step.colours, bench.barColours());
        EXPECT_EQ(step.locked, bench.bench.root().isControlLocked());
    }
    // Each report carries the mouse event's modifiers.
    EXPECT_EQ(std::vector<bool>(3, true), bench.listener.shifts);
}

TEST(CSliderArray, setSliderValueTakesOnlyValidValuesAndIndicesAndAnInvalidIndexReadsZero)
{
    struct SCase
    {
        double value;
        long index;
        std::vector<double> values;
    } cases[] = {
        {0.5, 0, {0.5, 1, 1, 1}}, {1.5, 0, {0.5, 1, 1, 1}}, {0.25, 4, {0.5, 1, 1, 1}}, {0.25, -1, {0.5, 1, 1, 1}},
        {std::numeric_limits<double>::quiet_NaN(), 1, {0.5, 1, 1, 1}}, {0.0, 3, {0.5, 1, 1, 0}},
    };
    SArrayOnBench bench;
    for (const SCase& test : cases)
    {
        SCOPED_TRACE(std::to_string(test.value) + " at " + std::to_string(test.index));
        bench.array->setSliderValue(test.value, test.index);
        EXPECT_EQ(test.values, bench.values());
    }
    EXPECT_EQ((std::vector<double>{0, 0}), (std::vector<double>{bench.array->getSliderValue(4),
                                                                bench.array->getSliderValue(-1)}));
    EXPECT_EQ((std::vector<std::string>{kUp, kUp, kUp, "255,255,255"}), bench.barColours());
    EXPECT_TRUE(bench.listener.controls.empty());
}

TEST(CSliderArray, movingResizingAndRelayingOutKeepTheValuesAndNewBarsStartFull)
{
    struct SCase
    {
        const char* change;
        long property;
        std::vector<double> values;
        const char* countText;
        long barOneLeft; // -1: no bar 1
    } cases[] = {
        {"move", 0, {0.25, 0.5, 1, 1}, "04", 40},
        {"taller", 0, {0.25, 0.5, 1, 1}, "04", 40},
        {"Slider Width", 30, {0.25, 0.5, 1, 1}, "04", 35},
        {"Gap Width", 35, {0.25, 0.5, 1, 1}, "04", 70},
        {"Slider Count", 6, {0.25, 0.5, 1, 1, 1, 1}, "06", 40},
        {"Slider Count", 1, {0.25, 0}, "01", -1},
        {"Slider Count", -3, {0, 0}, "00", -1},
    };
    for (const SCase& test : cases)
    {
        SCOPED_TRACE(test.change + std::string(" ") + test.countText);
        SArrayOnBench bench;
        bench.array->setSliderValue(0.25, 0);
        bench.array->setSliderValue(0.5, 1);
        const std::string change(test.change);
        if (change == "move")
            bench.array->setArea(CRect(30, 50, 200, 100));
        else if (change == "taller")
            bench.array->setArea(CRect(10, 10, 200, 180));
        else
            EXPECT_TRUE(applyProperty(*bench.array, test.change, CControlDescriptor::kInteger, new CLong(test.property)));
        EXPECT_EQ(test.values, bench.values(static_cast<long>(test.values.size())));
        EXPECT_EQ(test.countText, propertyText(*bench.array, "Slider Count"));
        // Bar 1, half full, fills the lower half of its column whatever the height.
        if (test.barOneLeft >= 0)
        {
            COffscreenCanvas canvas(400, 300);
            canvas.draw(bench.bench.root());
            const CRect& area = bench.array->getArea();
            const long left = area.getLeft() + test.barOneLeft + 10;
            EXPECT_EQ(kUp, canvas.rgb(left, area.getTop() + area.getHeight() / 2 + 3));
            EXPECT_EQ("255,255,255", canvas.rgb(left, area.getTop() + area.getHeight() / 2 - 3));
        }
    }
}

TEST(CSliderArray, aControlWithoutHeightOrBarsNeverDividesByZero)
{
    SArrayOnBench flat(CRect(10, 10, 200, 0));
    flat.mouse(CMouseEvent::kLeftButtonDown, 50, 0);
    EXPECT_EQ((std::vector<double>{1, 1, 1, 1}), flat.values());
    EXPECT_EQ(1u, flat.listener.controls.size());
    SArrayOnBench empty(CRect(10, 10, 200, 100), -2);
    empty.mouse(CMouseEvent::kLeftButtonDown, 10, 50);
    empty.mouse(CMouseEvent::kMouseMove, 50, 50);
    empty.array->setSliderValue(0.5, 0);
    EXPECT_EQ(0.0, empty.array->getSliderValue(0));
    EXPECT_TRUE(empty.listener.controls.empty());
    EXPECT_EQ("00", propertyText(*empty.array, "Slider Count"));
    EXPECT_EQ((std::vector<std::string>{"255,255,255"}), empty.barColours(1));
    for (const char* name : {"Handle Colour", "Handle Down Colour"})
    {
        EXPECT_FALSE(applyProperty(*empty.array, name, CControlDescriptor::kColour, new CLong(1)));
        EXPECT_FALSE(applyProperty(*empty.array, name, CControlDescriptor::kColour, nullptr));
        EXPECT_TRUE(applyProperty(*empty.array, name, CControlDescriptor::kColour, new CAlphaColour(1, 2, 3)));
        EXPECT_EQ("[1,2,3,255]", propertyText(*empty.array, name));
    }
}
} // namespace
