// CPolygon: owned points, ignored out-of-range indexes, assignment across sizes and equality.
#include "../basics/CCountChange.hpp"
#include "foundation/mathtools/CPolygon.hpp"

#include <gtest/gtest.h>

using Brivant::MathTools::CPoint;
using Brivant::MathTools::CPolygon;
using VolturaTests::CCountChange;

namespace
{
CPolygon triangle()
{
    CPolygon polygon(3);
    polygon.setPoint(CPoint(0, 0), 0);
    polygon.setPoint(10, 0, 1);
    polygon.setPoint(5, 8, 2);
    return polygon;
}

TEST(CPolygonTest, newPointsStartAtTheOrigin)
{
    const CPolygon polygon(4);
    ASSERT_EQ(4, polygon.getNumberOfPoints());
    for (long index = 0; index < 4; ++index)
        EXPECT_TRUE(*polygon.getPoint(index) == CPoint(0, 0));
    EXPECT_EQ(0, CPolygon().getNumberOfPoints());
    EXPECT_EQ(0, CPolygon(-2).getNumberOfPoints());
}

TEST(CPolygonTest, indexesOutsideThePolygonGiveNullAndAreIgnored)
{
    CPolygon polygon = triangle();
    EXPECT_EQ(nullptr, polygon.getPoint(-1));
    EXPECT_EQ(nullptr, polygon.getPoint(3));
    polygon.setPoint(99, 99, 3);
    polygon.setPoint(CPoint(99, 99), -1);
    EXPECT_EQ(3, polygon.getNumberOfPoints());
    EXPECT_TRUE(polygon == triangle());
}

TEST(CPolygonTest, equalityNeedsTheSamePointsInTheSameOrder)
{
    EXPECT_TRUE(triangle() == triangle());

    CPolygon longer(4);
    for (long index = 0; index < 3; ++index)
        longer.setPoint(*triangle().getPoint(index), index);
    EXPECT_FALSE(triangle() == longer);
    EXPECT_FALSE(longer == triangle());

    CPolygon moved = triangle();
    moved.setPoint(5, 9, 2);
    EXPECT_FALSE(moved == triangle());
}

TEST(CPolygonTest, assignmentTakesTheOthersSizeAndCopiesAreIndependent)
{
    CPolygon polygon(7);
    polygon = triangle();
    EXPECT_TRUE(polygon == triangle());
    polygon = CPolygon(1);
    EXPECT_EQ(1, polygon.getNumberOfPoints());

    const CPolygon original = triangle();
    CPolygon copy(original);
    EXPECT_EQ(0, copy.getReferenceCount());
    copy.setPoint(1, 1, 0);
    EXPECT_TRUE(*original.getPoint(0) == CPoint(0, 0));
}

TEST(CPolygonTest, offsetMovesEveryPoint)
{
    CPolygon polygon = triangle();
    polygon.offset(CPoint(2, -1));
    EXPECT_TRUE(*polygon.getPoint(0) == CPoint(2, -1));
    EXPECT_TRUE(*polygon.getPoint(1) == CPoint(12, -1));
    EXPECT_TRUE(*polygon.getPoint(2) == CPoint(7, 7));
}

TEST(CPolygonTest, releasesItsPointsWhenResizedAndDestroyed)
{
    CCountChange points(CPoint::classRecord());
    CCountChange polygons(CPolygon::classRecord());
    {
        CPolygon polygon(5);
        EXPECT_EQ(5, points.live());
        polygon.setNumberOfPoints(2);
        EXPECT_EQ(2, points.live());
        EXPECT_EQ(1, polygons.live());
    }
    EXPECT_EQ(0, points.live());
    EXPECT_EQ(0, polygons.live());
}
} // namespace
