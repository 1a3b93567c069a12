// CPoint and CDimension: offsets, assignment, comparisons and the point's description.
#include "foundation/mathtools/CDimension.hpp"
#include "foundation/mathtools/CPoint.hpp"

#include <gtest/gtest.h>

using Brivant::MathTools::CDimension;
using Brivant::MathTools::CPoint;

namespace
{
TEST(CPointTest, offsetsAddAndSubtractBothCoordinates)
{
    CPoint point(3, 4);
    point.offset(CPoint(1, -2));
    point.offset(-10, 10);
    EXPECT_EQ(-6, point.getX());
    EXPECT_EQ(12, point.getY());
    EXPECT_EQ(&point, &(point += CPoint(6, 0)));
    EXPECT_TRUE(point == CPoint(0, 12));
    EXPECT_EQ(&point, &(point -= CPoint(1, 12)));
    EXPECT_TRUE(point == CPoint(-1, 0));

    CPoint assigned(0, 0);
    assigned = point;
    EXPECT_TRUE(assigned == point);
}

TEST(CPointTest, equalityNeedsBothCoordinatesWhileAlignmentNeedsEither)
{
    EXPECT_FALSE(CPoint(1, 2) == CPoint(1, 3));
    EXPECT_FALSE(CPoint(1, 2) == CPoint(0, 2));
    EXPECT_TRUE(CPoint::areAxisAligned(CPoint(1, 2), CPoint(1, 3)));
    EXPECT_TRUE(CPoint::areAxisAligned(CPoint(1, 2), CPoint(0, 2)));
    EXPECT_FALSE(CPoint::areAxisAligned(CPoint(1, 2), CPoint(2, 1)));
}

TEST(CPointTest, describesItselfAsBracketedCoordinates)
{
    char text[32];
    CPoint(3, -4).getObjectDescription(text, sizeof(text));
    EXPECT_STREQ("[3,-4]", text);
}

TEST(CDimensionTest, setsAndComparesBothSides)
{
    CDimension size(1, 2);
    size.setDimension(5, 6);
    EXPECT_TRUE(size == CDimension(5, 6));
    size.setDimension(CDimension(7, 8));
    size.setWidth(9);
    EXPECT_TRUE(size == CDimension(9, 8));
    EXPECT_FALSE(size == CDimension(9, 9));
}
} // namespace
