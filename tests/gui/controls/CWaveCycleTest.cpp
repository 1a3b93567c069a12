// CWaveCycle: one point per column written at a wrapping index with a gap ahead of it, an area that shrinks below
// the index or to no width, and the curve and marker in pixels.
#include "gui/controls/CWaveCycle.hpp"

#include "foundation/basics/CLong.hpp"
#include "gui/core/CControlDescriptor.hpp"
#include "tests/gui/CControlTestKit.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <map>
#include <string>
#include <vector>

namespace
{
using Brivant::Basics::CString;
using Brivant::GUI::Controls::CControlDescriptor;
using Brivant::GUI::Controls::CWaveCycle;
using Brivant::MathTools::CRect;
using namespace VolturaTests;

// Every point's y, checked to lie in its own column.
std::vector<long> heights(const CWaveCycle& wave)
{
    std::vector<long> out;
    for (long index = 0; index < wave.getPoints().getNumberOfPoints(); ++index)
    {
        EXPECT_EQ(index, wave.getPoints().getPoint(index)->getX());
        out.push_back(wave.getPoints().getPoint(index)->getY());
    }
    return out;
}

TEST(CWaveCycle, eachValueFillsTheNextColumnAndTheColumnAheadDropsToTheBottom)
{
    const double huge = 1e300, nan = std::numeric_limits<double>::quiet_NaN();
    const struct
    {
        std::vector<double> values;
        long index;
        std::map<long, long> points; // the others stay on the middle line, y 50
    } cases[] = {
        {{}, 0, {}},
        {{1.0, 0.0, 0.5}, 3, {{0, 0}, {1, 100}, {2, 50}, {3, 100}}},
        {std::vector<double>(100, 0.25), 0, {{0, 100}}},   // every other column at y 75
        {{2.0, -1.0, huge, -huge, nan}, 5, {{0, -100}, {1, 200}, {2, -100}, {3, 200}, {4, 200}, {5, 100}}},
    };
    for (const auto& test : cases)
    {
        CControlBench bench;
        CWaveCycle wave(&bench.root(), 1, CRect(3, 4, 100, 100));
        for (double value : test.values)
            wave.addSample(value);
        EXPECT_EQ(test.index, wave.getWriteIndex()) << test.values.size();
        const long untouched = test.values.size() == 100 ? 75 : 50;
        std::vector<long> expected(100, untouched);
        for (const auto& point : test.points)
            expected[static_cast<size_t>(point.first)] = point.second;
        EXPECT_EQ(expected, heights(wave)) << test.values.size();
    }
}

TEST(CWaveCycle, anAreaNarrowerThanTheIndexWrapsAtTheNextValueAndNoWidthTakesNone)
{
    const struct
    {
        long width, height;
        long index; // after one more value, 1.0
        std::map<long, long> points; // the others on the new middle line
    } cases[] = {
        {10, 20, 0, {{0, 20}}}, // the value at 50 is dropped
        {60, 4, 51, {{50, 0}, {51, 4}}},
        {0, 20, 50, {}},
        {-5, 20, 50, {}},
    };
    for (const auto& test : cases)
    {
        CControlBench bench;
        CWaveCycle wave(&bench.root(), 1, CRect(0, 0, 100, 100));
        for (int sample = 0; sample < 50; ++sample)
            wave.addSample(0.5);
        wave.setArea(CRect(0, 0, test.width, test.height));
        EXPECT_EQ(50, wave.getWriteIndex()) << test.width;
        wave.addSample(1.0);
        EXPECT_EQ(test.index, wave.getWriteIndex()) << test.width;
        std::vector<long> expected(static_cast<size_t>(std::max(test.width, 0L)), test.height / 2);
        for (const auto& point : test.points)
            expected[static_cast<size_t>(point.first)] = point.second;
        EXPECT_EQ(expected, heights(wave)) << test.width;
    }
}

TEST(CWaveCycle, drawsTheCurveInTheWaveColourAndTheMarkerInTheLineColour)
{
    CControlBench bench(60, 40);
    auto* wave = new CWaveCycle(&bench.root(), 1, CRect(10, 5, 40, 20));
    bench.root().addControl(wave);
    for (int sample = 0; sample < 45; ++sample)
        wave->addSample(0.5);
    EXPECT_FALSE(wave->applyDescriptor(CControlDescriptor(CString("Wave Colour"), 2, new Brivant::Basics::CLong(1))));
    ASSERT_TRUE(wave->applyDescriptor(CControlDescriptor(CString("Line Colour"), 2, new CAlphaColour(0, 0, 250))));
    CControlDescriptor filled(CString("Wave Colour"), 2, nullptr);
    ASSERT_TRUE(wave->fillDescriptor(filled));
    EXPECT_EQ(CAlphaColour(118, 147, 171, 255), *dynamic_cast<CAlphaColour*>(filled.getValue()));

    COffscreenCanvas canvas(60, 40);
    canvas.draw(bench.root());
    const CPixels pixels = canvas.pixels();
    // Index 5: the curve at y 10 up to column 4, the gap down to the bottom, and the marker on column 5.
    EXPECT_EQ("118,147,171", pixels.rgb(10 + 2, 5 + 10));
    EXPECT_EQ("118,147,171", pixels.rgb(10 + 30, 5 + 10));
    EXPECT_EQ(20, pixels.count(10 + 5, 5, 1, 20, "0,0,250"));
    EXPECT_EQ(20, pixels.countAll("0,0,250"));
}
} // namespace
