// CRect: right and bottom in step with every operation, the text forms and their parser, intersection and
// union, inset and scale, Win32 RECT conversion.
#include "../basics/CCountChange.hpp"
#include "foundation/mathtools/CRect.hpp"

#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <vector>

using Brivant::Basics::CCountedObject;
using Brivant::Basics::CString;
using Brivant::MathTools::CDimension;
using Brivant::MathTools::CPoint;
using Brivant::MathTools::CRect;
using VolturaTests::CCountChange;

namespace
{
using Fields = std::vector<long>;

// Left, top, width, height, then the derived right and bottom.
Fields fields(const CRect& rect)
{
    return {rect.getLeft(), rect.getTop(), rect.getWidth(), rect.getHeight(), rect.getRight(), rect.getBottom()};
}

Fields parsed(const char* text) { return fields(CRect::fromString(CString(text))); }

const Fields kZero{0, 0, 0, 0, 0, 0};

TEST(CRectTest, derivesRightAndBottomAndWritesBothTextForms)
{
    const CRect rect(10, 20, 30, 40);
    EXPECT_EQ((Fields{10, 20, 30, 40, 40, 60}), fields(rect));
    char description[64];
    rect.getObjectDescription(description, sizeof(description));
    EXPECT_STREQ("[10,20,30,40]", description);
    EXPECT_STREQ("10,20,30,40", CRect::toString(rect).getString());

    // A short buffer is cut, never overrun.
    char shortBuffer[8] = "zzzzzzz";
    rect.getObjectDescription(shortBuffer, 5);
    EXPECT_STREQ("[10,", shortBuffer);
    EXPECT_EQ('z', shortBuffer[6]);
}

TEST(CRectTest, fromStringReadsExactlyFourNumbersAndSkipsLeadingBlanks)
{
    EXPECT_EQ((Fields{5, 6, 7, 8, 12, 14}), parsed("5, 6,7,8"));
    EXPECT_EQ((Fields{-3, -4, 7, 8, 4, 4}), parsed("-3,-4,7,8"));
    const CRect negative(-10, 0, -5, 2147483647);
    EXPECT_TRUE(negative == CRect::fromString(CRect::toString(negative)));
}

TEST(CRectTest, fromStringGivesTheZeroRectangleForMalformedText)
{
    EXPECT_EQ(kZero, parsed("1,2,3"));
    EXPECT_EQ(kZero, parsed("1,2,3,4,5"));
    EXPECT_EQ(kZero, parsed(""));
    EXPECT_EQ(kZero, parsed("1;2;3;4"));
    EXPECT_EQ(kZero, parsed("1,x,3,4"));
    EXPECT_EQ(kZero, parsed("1,2,3, "));
}

TEST(CRectTest, fromStringRefusesNumbersAndEdgesBeyondALong)
{
    EXPECT_EQ(kZero, parsed("99999999999,0,1,1"));
    EXPECT_EQ(kZero, parsed("0,0,1,-99999999999"));
    EXPECT_EQ(kZero, parsed("2147483647,0,1,1"));
    EXPECT_EQ(kZero, parsed("0,-2147483648,1,-1"));
    EXPECT_EQ((Fields{2147483646, 0, 1, 1, 2147483647, 1}), parsed("2147483646,0,1,1"));
}

TEST(CRectTest, intersectionZeroesDisjointRectanglesButKeepsTouchingOnes)
{
    const CRect square(0, 0, 10, 10);
    std::unique_ptr<CRect> apart(CRect::intersection(square, CRect(20, 20, 5, 5)));
    EXPECT_EQ(kZero, fields(*apart));
    std::unique_ptr<CRect> touching(CRect::intersection(square, CRect(10, 0, 5, 5)));
    EXPECT_EQ((Fields{10, 0, 0, 5, 10, 5}), fields(*touching));
    std::unique_ptr<CRect> overlapping(CRect::intersection(CRect(5, 5, 10, 10), square));
    EXPECT_EQ((Fields{5, 5, 5, 5, 10, 10}), fields(*overlapping));
}

TEST(CRectTest, getIntersectionIsNotClamped)
{
    CRect result(1, 2, 3, 4);
    CRect::getIntersection(CRect(0, 0, 10, 10), CRect(20, 20, 5, 5), result);
    EXPECT_EQ((Fields{20, 20, -10, -10, 10, 10}), fields(result));
}

TEST(CRectTest, unionWithCoversBothRectangles)
{
    CRect rect(100, 100, 10, 10);
    rect.unionWith(CRect(105, 105, 10, 10));
    EXPECT_EQ((Fields{100, 100, 15, 15, 115, 115}), fields(rect));
    rect.unionWith(CRect(0, 200, 1, 1));
    EXPECT_EQ((Fields{0, 100, 115, 101, 115, 201}), fields(rect));
}

TEST(CRectTest, insetMovesEveryEdgeAndScaleTruncatesTowardZero)
{
    CRect rect(0, 0, 10, 10);
    rect.inset(2);
    EXPECT_EQ((Fields{2, 2, 6, 6, 8, 8}), fields(rect));
    rect.inset(-3);
    EXPECT_EQ((Fields{-1, -1, 12, 12, 11, 11}), fields(rect));

    CRect scaled(3, 3, 5, 5);
    scaled.scale(0.5);
    EXPECT_EQ((Fields{1, 1, 2, 2, 3, 3}), fields(scaled));
    CRect negative(-3, -5, 5, -7);
    negative.scale(0.5);
    EXPECT_EQ((Fields{-1, -2, 2, -3, 1, -5}), fields(negative));
}

TEST(CRectTest, settersKeepTheOtherFieldsAndTheEdgesInStep)
{
    CRect rect(10, 20, 30, 40);
    rect.setLeft(0);
    rect.setTop(5);
    EXPECT_EQ((Fields{0, 5, 30, 40, 30, 45}), fields(rect));
    rect.setWidth(7);
    rect.setHeight(-2);
    EXPECT_EQ((Fields{0, 5, 7, -2, 7, 3}), fields(rect));
    rect.setOrigin(CPoint(-4, 4));
    EXPECT_EQ((Fields{-4, 4, 7, -2, 3, 2}), fields(rect));
    rect.setDimension(CDimension(9, 8));
    EXPECT_TRUE(CDimension(9, 8) == rect.getDimension());
    rect.offset(CPoint(1, -1));
    EXPECT_EQ((Fields{-3, 3, 9, 8, 6, 11}), fields(rect));
    rect.setRect(CPoint(1, 2), CDimension(3, 4));
    EXPECT_EQ((Fields{1, 2, 3, 4, 4, 6}), fields(rect));
    EXPECT_EQ((Fields{1, 2, 3, 4, 4, 6}), fields(CRect(CPoint(1, 2), CDimension(3, 4))));

    // The centre truncates toward zero.
    EXPECT_EQ(12, CRect(10, 0, 5, 0).getCentralXPosition());
    EXPECT_EQ(8, CRect(0, 10, 0, -5).getCentralYPosition());
}

TEST(CRectTest, convertsToAndFromWin32Rect)
{
    const RECT rect = CRect(1, 2, 3, 4).getAsRECT();
    EXPECT_EQ(1, rect.left);
    EXPECT_EQ(2, rect.top);
    EXPECT_EQ(4, rect.right);
    EXPECT_EQ(6, rect.bottom);

    CRect converted(0, 0, 0, 0);
    converted.setFromRECT(RECT{10, 20, 5, 25});
    EXPECT_EQ((Fields{10, 20, -5, 5, 5, 25}), fields(converted));
}

TEST(CRectTest, assignmentAndEqualityConcernTheFourFields)
{
    CRect rect(1, 2, 3, 4);
    rect.referenced();
    CRect other(9, 9, 9, 9);
    other = rect;
    EXPECT_TRUE(other == rect);
    EXPECT_EQ(0, other.getReferenceCount());
    EXPECT_FALSE(CRect(1, 2, 3, 5) == rect);
    EXPECT_FALSE(CRect(0, 2, 3, 4) == rect);

    const CRect copy(rect);
    EXPECT_TRUE(copy == rect);
    EXPECT_EQ(0, copy.getReferenceCount());
    rect.dereference();
}

TEST(CRectTest, countsItsInstancesInItsOwnRecord)
{
    EXPECT_TRUE(CRect::classRecord().isTypeOf(CCountedObject::classRecord()));
    CCountChange rects(CRect::classRecord());
    {
        const CRect rect(0, 0, 1, 1);
        const CRect copy(rect);
        EXPECT_EQ(&CRect::classRecord(), &copy.getClass());
        EXPECT_EQ(2, rects.live());
    }
    EXPECT_EQ(0, rects.live());
}
} // namespace
