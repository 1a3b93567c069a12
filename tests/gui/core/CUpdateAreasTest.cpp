// The areas a paint draws: redraws far apart stay apart, pieces that nearly fill their bounding rectangle
// become it, and every area stays inside the paint's rectangle.
#include "gui/core/CUpdateAreas.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
using Brivant::GUI::Windowing::CUpdateAreas;
using Brivant::MathTools::CRect;

std::string areasText(const CUpdateAreas& areas)
{
    std::string text;
    for (long index = 0; index < areas.getCount(); ++index)
        text += (index > 0 ? " " : "") + std::string(CRect::toString(areas.getArea(index)).getString());
    return text;
}

struct SCase
{
    const char* name;
    std::vector<CRect> added;
    const char* expected;
    CRect bounds = CRect(0, 0, 500, 400);
};

TEST(CUpdateAreas, mergesOnlyWhatNearlyFillsItsBoundingRectangle)
{
    const std::vector<SCase> cases = {
        {"a knob and its label below", {CRect(100, 65, 36, 48), CRect(95, 115, 96, 20)},
         "100,65,36,48 95,115,96,20"},
        // The bands a region makes of two overlapping squares.
        {"two overlapping squares", {CRect(10, 10, 30, 10), CRect(10, 20, 40, 20), CRect(20, 40, 30, 10)},
         "10,10,40,40"},
        {"only empty ones: the bounds", {CRect(5, 5, 0, 10), CRect(5, 5, 10, -1)}, "0,0,500,400"},
        {"one beyond the bounds", {CRect(490, 390, 30, 30), CRect(600, 0, 5, 5)}, "490,390,10,10"},
        {"nine apart", {CRect(0, 0, 2, 2), CRect(10, 0, 2, 2), CRect(20, 0, 2, 2), CRect(30, 0, 2, 2),
                        CRect(40, 0, 2, 2), CRect(50, 0, 2, 2), CRect(60, 0, 2, 2), CRect(70, 0, 2, 2),
                        CRect(80, 0, 2, 30)},
         "0,0,82,30"},
        // Their bounding rectangle is far larger than the two; its size times four passes 2^31.
        {"two strips of a huge window", {CRect(0, 0, 30000, 10), CRect(0, 29990, 30000, 10)},
         "0,0,30000,10 0,29990,30000,10", CRect(0, 0, 30000, 30000)},
    };
    for (const SCase& test : cases)
    {
        CUpdateAreas areas;
        for (const CRect& area : test.added)
            areas.add(area);
        areas.holdTo(test.bounds);
        areas.consolidate();
        EXPECT_EQ(test.expected, areasText(areas)) << test.name;
    }
}
} // namespace
