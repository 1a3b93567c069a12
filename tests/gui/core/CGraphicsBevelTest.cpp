// The composite drawings: shaded rows, raised and sunken rectangles and the software anti-aliased line.
#include "CGraphicsFixture.hpp"
#include "gui/core/CBrush.hpp"
#include "gui/core/CPen.hpp"

#include <utility>
#include <vector>

namespace
{
using Brivant::GUI::Basics::CAlphaColour;
using Brivant::GUI::Graphics::CGraphics;
using Brivant::MathTools::CPoint;
using Brivant::MathTools::CRect;
using VolturaTests::CGraphicsFixture;
using VolturaTests::CPixels;
using VolturaTests::rgbText;

const std::string kWhite = "255,255,255";
const std::string kBlack = "0,0,0";

std::string grey(long level) { return rgbText(level, level, level); }

class CGraphicsBevelTest : public CGraphicsFixture
{
};

TEST_P(CGraphicsBevelTest, shadedRectangleBrightensRowByRowToTheMiddleAndBack)
{
    m_graphics.getMutablePen().setColour(CAlphaColour(55, 55, 55, 200));
    m_graphics.setDrawingOffset(CPoint(1, 1));
    m_graphics.drawShadedRectangle(CRect(2, 3, 20, 10));
    const CPixels drawn = pixels();
    // half = 5, so each row moves (255 - 55) / 5 = 40.
    const long rows[10] = {55, 95, 135, 175, 215, 255, 215, 175, 135, 95};
    for (long row = 0; row < 10; ++row)
    {
        SCOPED_TRACE(row);
        EXPECT_EQ(20, drawn.count(3, 4 + row, 20, 1, grey(rows[row])));
        EXPECT_EQ(kWhite, drawn.rgb(2, 4 + row));
        EXPECT_EQ(kWhite, drawn.rgb(23, 4 + row));
    }
    EXPECT_EQ(0, drawn.count(0, 0, kWidth, 4, grey(55)));
    EXPECT_TRUE(m_graphics.getMutablePen().getColour() == CAlphaColour(55, 55, 55, 200));
}

TEST_P(CGraphicsBevelTest, shadedRectangleLessThanTwoRowsHighDrawsNothing)
{
    m_graphics.drawShadedRectangle(CRect(0, 0, 20, 1));
    m_graphics.drawShadedRectangle(CRect(0, 0, 20, 0));
    EXPECT_EQ(kWidth * kHeight, pixels().countAll(kWhite));
}

// Pen 100 and brush 200; the pen darkened once is 50, brightened twice 217.
void expectBevel(const CPixels& drawn, long left, long top, const std::string& topLeft,
                 const std::string& bottomRight)
{
    const long right = left + 10;
    const long bottom = top + 10;
    for (long i = 1; i <= 8; ++i)
    {
        SCOPED_TRACE(i);
        EXPECT_EQ(topLeft, drawn.rgb(left + 1, top + i));
        EXPECT_EQ(topLeft, drawn.rgb(left + i, top + 1));
        EXPECT_EQ(bottomRight, drawn.rgb(left + i, bottom - 1));
        EXPECT_EQ(bottomRight, drawn.rgb(right - 1, top + i));
        // The outer frame keeps the pen colour on the top and left.
        EXPECT_EQ(grey(100), drawn.rgb(left, top + i));
        EXPECT_EQ(grey(100), drawn.rgb(left + i, top));
    }
    EXPECT_EQ(grey(100), drawn.rgb(left, top));
    EXPECT_EQ(grey(100), drawn.rgb(right - 1, bottom - 1));
    EXPECT_EQ(49, drawn.count(left + 2, top + 2, 7, 7, grey(200)));
    EXPECT_EQ(kWhite, drawn.rgb(right, top + 5));
    EXPECT_EQ(kWhite, drawn.rgb(left + 5, bottom));
}

TEST_P(CGraphicsBevelTest, raisedRectangleIsLightAtTopLeftAndDarkAtBottomRight)
{
    m_graphics.getMutablePen().setColour(CAlphaColour(100, 100, 100));
    m_graphics.getMutableBrush().setColour(CAlphaColour(200, 200, 200));
    m_graphics.setDrawingOffset(CPoint(4, 6));
    m_graphics.drawRaisedRectangle(CRect(1, 1, 10, 10));
    expectBevel(pixels(), 5, 7, grey(217), grey(50));
    EXPECT_TRUE(m_graphics.getMutablePen().getColour() == CAlphaColour(100, 100, 100));
    EXPECT_TRUE(m_graphics.getMutableBrush().getColour() == CAlphaColour(200, 200, 200));
}

TEST_P(CGraphicsBevelTest, sunkenRectangleIsDarkAtTopLeftAndLightAtBottomRight)
{
    m_graphics.getMutablePen().setColour(CAlphaColour(100, 100, 100));
    m_graphics.getMutableBrush().setColour(CAlphaColour(200, 200, 200));
    m_graphics.drawSunkenRectangle(CRect(20, 20, 10, 10));
    expectBevel(pixels(), 20, 20, grey(50), grey(217));
    EXPECT_TRUE(m_graphics.getMutablePen().getColour() == CAlphaColour(100, 100, 100));
    EXPECT_TRUE(m_graphics.getMutableBrush().getColour() == CAlphaColour(200, 200, 200));
}

// Two pixels wide, the left edge is drawn over the right one on the inner column; one pixel wide or high, the
// edges would fall outside the area and the frame is all there is.
TEST_P(CGraphicsBevelTest, narrowBevelsDrawTheirEdgesInsideTheirAreaOnly)
{
    m_graphics.getMutablePen().setColour(CAlphaColour(100, 100, 100));
    m_graphics.getMutableBrush().setColour(CAlphaColour(200, 200, 200));
    m_graphics.drawRaisedRectangle(CRect(5, 5, 2, 2));
    m_graphics.drawRaisedRectangle(CRect(30, 5, 2, 6));
    m_graphics.drawSunkenRectangle(CRect(20, 5, 1, 8));
    m_graphics.drawSunkenRectangle(CRect(40, 20, 8, 1));
    const CPixels drawn = pixels();
    EXPECT_EQ(4, drawn.count(5, 5, 2, 2, grey(100)));
    EXPECT_EQ(6, drawn.count(30, 5, 1, 6, grey(100)));
    EXPECT_EQ(grey(100), drawn.rgb(31, 5));
    EXPECT_EQ(4, drawn.count(31, 6, 1, 4, grey(217)));
    EXPECT_EQ(grey(100), drawn.rgb(31, 10));
    EXPECT_EQ(8, drawn.count(20, 5, 1, 8, grey(100)));
    EXPECT_EQ(8, drawn.count(40, 20, 8, 1, grey(100)));
    EXPECT_EQ(kWidth * kHeight - 4 - 12 - 8 - 8, drawn.countAll(kWhite));
}

TEST_P(CGraphicsBevelTest, softwareStraightLinesAreSolidWithBothEndsDrawn)
{
    m_graphics.setDrawingOffset(CPoint(1, 1));
    m_graphics.drawSoftwareAntiAliasedLine(CPoint(2, 2), CPoint(12, 2));
    m_graphics.drawSoftwareAntiAliasedLine(CPoint(20, 12), CPoint(20, 2));
    m_graphics.drawSoftwareAntiAliasedLine(CPoint(30, 2), CPoint(40, 12));
    m_graphics.drawSoftwareAntiAliasedLine(CPoint(50, 12), CPoint(45, 17));
    const CPixels drawn = pixels();
    EXPECT_EQ(11, drawn.count(3, 3, 11, 1, kBlack));
    EXPECT_EQ(11, drawn.count(21, 3, 1, 11, kBlack));
    for (long i = 0; i <= 10; ++i)
        EXPECT_EQ(kBlack, drawn.rgb(31 + i, 3 + i)) << i;
    for (long i = 0; i <= 5; ++i)
        EXPECT_EQ(kBlack, drawn.rgb(51 - i, 13 + i)) << i;
    // Solid pixels only: nothing blended anywhere.
    EXPECT_EQ(kWidth * kHeight, drawn.countAll(kBlack) + drawn.countAll(kWhite));
    EXPECT_EQ(11 + 11 + 11 + 6, drawn.countAll(kBlack));
}

// For a black line on white each step shares one pixel's worth of ink between two neighbours.
TEST_P(CGraphicsBevelTest, softwareSteepLineSharesEachRowBetweenTwoNeighbours)
{
    m_graphics.drawSoftwareAntiAliasedLine(CPoint(10, 5), CPoint(13, 25));
    const CPixels drawn = pixels();
    EXPECT_EQ(kBlack, drawn.rgb(10, 5));
    EXPECT_EQ(kBlack, drawn.rgb(13, 25));
    for (long y = 6; y < 25; ++y)
    {
        SCOPED_TRACE(y);
        long inked = 0;
        long ink = 0;
        for (long x = 0; x < kWidth; ++x)
        {
            if (drawn.rgb(x, y) != kWhite)
            {
                ++inked;
                ink += 255 - drawn.red(x, y);
                EXPECT_EQ(drawn.red(x, y), drawn.green(x, y));
                EXPECT_GE(x, 10);
                EXPECT_LE(x, 14);
            }
        }
        EXPECT_LE(inked, 2);
        EXPECT_EQ(255, ink);
    }
}

TEST_P(CGraphicsBevelTest, softwareShallowLineSharesEachColumnBetweenTwoNeighbours)
{
    m_graphics.drawSoftwareAntiAliasedLine(CPoint(40, 20), CPoint(5, 11));
    const CPixels drawn = pixels();
    EXPECT_EQ(kBlack, drawn.rgb(40, 20));
    EXPECT_EQ(kBlack, drawn.rgb(5, 11));
    for (long x = 6; x < 40; ++x)
    {
        SCOPED_TRACE(x);
        long ink = 0;
        for (long y = 0; y < kHeight; ++y)
            ink += 255 - drawn.red(x, y);
        EXPECT_EQ(255, ink);
    }
}

TEST_P(CGraphicsBevelTest, softwareLineDrawsTheSameWhicheverEndItStartsFrom)
{
    m_graphics.drawSoftwareAntiAliasedLine(CPoint(3, 4), CPoint(20, 30));
    const CPixels forwards = pixels();
    m_graphics.getMutableBrush().setColour(CAlphaColour::white());
    m_graphics.fillRectangle(CRect(0, 0, kWidth, kHeight));
    m_graphics.drawSoftwareAntiAliasedLine(CPoint(20, 30), CPoint(3, 4));
    const CPixels backwards = pixels();
    for (long y = 0; y < kHeight; ++y)
        for (long x = 0; x < kWidth; ++x)
            ASSERT_EQ(forwards.rgb(x, y), backwards.rgb(x, y)) << x << "," << y;
}

TEST_P(CGraphicsBevelTest, softwareLineOverADarkBackgroundBlendsTowardsTheLightPen)
{
    m_graphics.getMutableBrush().setColour(CAlphaColour::black());
    m_graphics.fillRectangle(CRect(0, 0, kWidth, kHeight));
    m_graphics.getMutablePen().setColour(CAlphaColour::white());
    m_graphics.drawSoftwareAntiAliasedLine(CPoint(10, 5), CPoint(17, 30));
    const CPixels drawn = pixels();
    for (long y = 6; y < 30; ++y)
    {
        SCOPED_TRACE(y);
        long light = 0;
        for (long x = 0; x < kWidth; ++x)
            light += drawn.red(x, y);
        EXPECT_EQ(255, light);
    }
}

VOLTURA_ON_BOTH_PATHS(CGraphicsBevelTest);

TEST(CGraphicsSoftwareLine, gdiContextDrawsAntiAliasedLinesInSoftware)
{
    VolturaTests::CDibSurface window(40, 40);
    HWND handle = nullptr;
    CGraphics software(CGraphics::kGdiOnly);
    CGraphics reference(CGraphics::kGdiOnly);
    software.initialise(&handle, window.context(), Brivant::MathTools::CDimension(40, 40));
    reference.initialise(&handle, window.context(), Brivant::MathTools::CDimension(40, 40));
    software.drawAntiAliasedLine(CPoint(2, 3), CPoint(30, 17));
    reference.drawSoftwareAntiAliasedLine(CPoint(2, 3), CPoint(30, 17));
    const CPixels drawn(software.getDeviceContext(), 40, 40);
    const CPixels expected(reference.getDeviceContext(), 40, 40);
    long blended = 0;
    for (long y = 0; y < 40; ++y)
        for (long x = 0; x < 40; ++x)
        {
            ASSERT_EQ(expected.rgb(x, y), drawn.rgb(x, y)) << x << "," << y;
            blended += drawn.rgb(x, y) != kWhite && drawn.rgb(x, y) != kBlack ? 1 : 0;
        }
    EXPECT_GT(blended, 0);
}
} // namespace
