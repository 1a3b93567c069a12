// CLevelMeter: how many segments a value lights, where they stand and what colour each one is, read back as
// pixels.
#include "gui/controls/CLevelMeter.hpp"

#include "foundation/basics/CDouble.hpp"
#include "foundation/basics/CLong.hpp"
#include "gui/core/CControlDescriptor.hpp"
#include "tests/gui/CGuiTestKit.hpp"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

namespace
{
using namespace Brivant::GUI::Controls;
using namespace VolturaTests;
using Brivant::Basics::CLong;
using Brivant::MathTools::CRect;

const char kWhite[] = "255,255,255";

TEST(CLevelMeterTest, valueHeldTo0To1LightsItsShareOfAtLeastOneSegmentRoundedUp)
{
    const double nan = std::numeric_limits<double>::quiet_NaN(), infinity = std::numeric_limits<double>::infinity();
    // On 20 by 75 with 10 steps segment i is 16 by 4 at (2, 69 - 6i).
    const CRect one(2, 69, 16, 4), two(2, 63, 16, 10), all(2, 15, 16, 58), none(0, 0, 0, 0), whole(2, 6, 16, 67);
    const struct
    {
        long steps;
        Brivant::Basics::ICountedObject* stepCount; // applied after construction
        bool accepted;
        double value, stored;
        CRect inked;
    } cases[] = {
        {10, nullptr, true, 0.05, 0.05, one},        {10, nullptr, true, 0.1, 0.1, one},
        {10, nullptr, true, 0.11, 0.11, two},        {10, nullptr, true, 1.0, 1.0, all},
        {10, nullptr, true, 0.0, 0.0, none},         {10, nullptr, true, 1.5, 1.0, all},
        {10, nullptr, true, -0.2, 0.0, none},        {10, nullptr, true, nan, 0.0, none},
        {10, nullptr, true, infinity, 1.0, all},     {0, nullptr, true, 0.5, 0.5, whole},
        {-5, nullptr, true, 0.5, 0.5, whole},        {10, new CLong(0), true, 0.5, 0.5, whole},
        {10, new CLong(5), true, 0.5, 0.5, CRect(2, 36, 16, 37)},
        {10, new Brivant::Basics::CDouble(5.0), false, 0.5, 0.5, CRect(2, 45, 16, 28)},
    };
    for (const auto& row : cases)
    {
        SCOPED_TRACE(::testing::Message() << row.steps << " steps, value " << row.value);
        CControlBench bench;
        auto* meter = new CLevelMeter(&bench.root(), 1, CRect(0, 0, 20, 75), row.steps);
        bench.root().addControl(meter);
        meter->setValue(row.value);
        const CControlDescriptor stepCount(Brivant::Basics::CString("Step Count"), 4, row.stepCount);
        EXPECT_EQ(row.accepted, row.stepCount == nullptr || meter->applyDescriptor(stepCount));
        COffscreenCanvas canvas(20, 75);
        canvas.draw(bench.root());

        EXPECT_EQ(row.stored, meter->getValue());
        EXPECT_EQ(row.inked, canvas.pixels().inkBounds(kWhite));
    }
}

TEST(CLevelMeterTest, segmentsStandAlongTheLongerSideAndStepTheirColourTowardsTheMaxColour)
{
    struct SProbe
    {
        long x, y;
        const char* rgb;
    };
    const struct
    {
        long width, height, steps;
        CAlphaColour base, max;
        std::vector<SProbe> probes;
    } cases[] = {
        // Segments 16 by 4 from (2, 69) upwards, 2 apart; blue (85, 86, 200) steps by (17, 16, 5).
        {20, 75, 10, CAlphaColour::blue(), CAlphaColour::white(),
         {{10, 71, "85,86,200"}, {2, 71, "85,86,200"}, {17, 71, "85,86,200"}, {1, 71, kWhite}, {18, 71, kWhite},
          {10, 73, kWhite}, {10, 67, kWhite}, {10, 65, "102,102,205"}, {10, 17, "238,230,245"}, {10, 13, kWhite}}},
        // Segments 4 by 16 from (2, 2) rightwards.
        {75, 20, 10, CAlphaColour::blue(), CAlphaColour::white(),
         {{3, 10, "85,86,200"}, {4, 17, "85,86,200"}, {4, 18, kWhite}, {1, 10, kWhite}, {6, 10, kWhite},
          {9, 10, "102,102,205"}, {57, 10, "238,230,245"}}},
        // A base brighter than the max colour darkens: segments 16 by 11 from (2, 62) upwards.
        {20, 75, 5, CAlphaColour(250, 250, 250), CAlphaColour::black(),
         {{10, 67, "250,250,250"}, {10, 55, "200,200,200"}, {10, 15, "50,50,50"}}},
    };
    for (const auto& row : cases)
    {
        SCOPED_TRACE(::testing::Message() << row.width << " by " << row.height);
        CControlBench bench;
        auto* meter = new CLevelMeter(&bench.root(), 1, CRect(0, 0, row.width, row.height), row.steps);
        bench.root().addControl(meter);
        meter->setColours(row.base, row.max);
        meter->setValue(1.0);
        COffscreenCanvas canvas(row.width, row.height);
        canvas.draw(bench.root());

        const CPixels pixels = canvas.pixels();
        for (const SProbe& probe : row.probes)
            EXPECT_EQ(probe.rgb, pixels.rgb(probe.x, probe.y)) << "at " << probe.x << "," << probe.y;
    }
}
} // namespace
