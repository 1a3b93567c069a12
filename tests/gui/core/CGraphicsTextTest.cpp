// Text on both drawing paths: each cell of the 3 by 3 grid puts the ink inside the area at its own place, the
// single-line forms, the default font, the text colour, and measuring.
#include "CGraphicsFixture.hpp"
#include "foundation/basics/CString.hpp"
#include "gui/core/CBrush.hpp"
#include "gui/core/CFont.hpp"

namespace
{
using Brivant::Basics::CString;
using Brivant::GUI::Basics::CAlphaColour;
using Brivant::GUI::Fonts::CFont;
using Brivant::GUI::Graphics::CGraphics;
using Brivant::MathTools::CDimension;
using Brivant::MathTools::CPoint;
using Brivant::MathTools::CRect;
using VolturaTests::CGraphicsFixture;
using VolturaTests::CPixels;

const std::string kWhite = "255,255,255";

class CGraphicsTextTest : public CGraphicsFixture
{
protected:
    CGraphicsTextTest() : m_font(CString("Arial"), 12, false, false) {}

    CRect inkOf(long alignment, const CRect& area)
    {
        clear();
        m_graphics.drawText(CString("Hx"), area, &m_font, alignment);
        return pixels().inkBounds(kWhite);
    }

    void clear()
    {
        m_graphics.getMutableBrush().setColour(CAlphaColour::white());
        m_graphics.fillRectangle(CRect(-m_graphics.getDrawingOffset().getX(), -m_graphics.getDrawingOffset().getY(),
                                       kWidth, kHeight));
    }

    CFont m_font;
};

TEST_P(CGraphicsTextTest, aFontChangedBetweenTwoTextsDrawsTheSecondInItsNewSize)
{
    const CRect area(0, 0, kWidth, kHeight);
    const CRect small = inkOf(CGraphics::kLeftTop, area);
    m_font.setFontSize(24);
    const CRect large = inkOf(CGraphics::kLeftTop, area);
    EXPECT_GT(large.getHeight(), small.getHeight() + 4);
    m_font.setFontSize(12);
    EXPECT_TRUE(inkOf(CGraphics::kLeftTop, area) == small);
}

TEST_P(CGraphicsTextTest, eachGridCellPutsTheInkInsideTheAreaAtItsOwnPlace)
{
    // The area (8, 6, 48, 36), given as (4, 4, ...) under an offset of (4, 2).
    m_graphics.setDrawingOffset(CPoint(4, 2));
    const CRect area(4, 4, 48, 36);
    const long left = 8, top = 6, right = 56, bottom = 42;
    CRect ink[9] = {CRect(0, 0, 0, 0), CRect(0, 0, 0, 0), CRect(0, 0, 0, 0), CRect(0, 0, 0, 0), CRect(0, 0, 0, 0),
                    CRect(0, 0, 0, 0), CRect(0, 0, 0, 0), CRect(0, 0, 0, 0), CRect(0, 0, 0, 0)};
    for (long cell = 0; cell < 9; ++cell)
    {
        SCOPED_TRACE(cell);
        ink[cell] = inkOf(cell, area);
        ASSERT_GT(ink[cell].getWidth(), 0);
        EXPECT_GE(ink[cell].getLeft(), left);
        EXPECT_LE(ink[cell].getRight(), right);
        EXPECT_GE(ink[cell].getTop(), top);
        EXPECT_LE(ink[cell].getBottom(), bottom);
        // Columns: flush left, centred, flush right (a glyph's side bearing apart).
        const long column = cell % 3;
        if (column == 0)
        {
            EXPECT_LE(ink[cell].getLeft() - left, 3);
        }
        else if (column == 1)
        {
            EXPECT_NEAR((left + right) / 2, ink[cell].getCentralXPosition(), 3);
        }
        else
        {
            EXPECT_LE(right - ink[cell].getRight(), 3);
        }
        // Rows: at the top, in the middle, at the bottom (line spacing apart).
        const long row = cell / 3;
        if (row == 0)
        {
            EXPECT_LE(ink[cell].getTop() - top, 6);
        }
        else if (row == 1)
        {
            EXPECT_NEAR((top + bottom) / 2, ink[cell].getCentralYPosition(), 4);
        }
        else
        {
            EXPECT_LE(bottom - ink[cell].getBottom(), 6);
        }
    }
    for (long row = 0; row < 3; ++row)
    {
        EXPECT_LT(ink[row * 3].getLeft(), ink[row * 3 + 1].getLeft());
        EXPECT_LT(ink[row * 3 + 1].getLeft(), ink[row * 3 + 2].getLeft());
    }
    for (long column = 0; column < 3; ++column)
    {
        EXPECT_LT(ink[column].getTop(), ink[3 + column].getTop());
        EXPECT_LT(ink[3 + column].getTop(), ink[6 + column].getTop());
    }
}

TEST_P(CGraphicsTextTest, singleLineFormsDrawAsTheMiddleRowsLeftAndCentreCells)
{
    const CRect area(2, 2, 56, 40);
    EXPECT_TRUE(inkOf(CGraphics::kSingleLine, area) == inkOf(CGraphics::kLeftMiddle, area));
    EXPECT_TRUE(inkOf(CGraphics::kDefaultSingleLine, area) == inkOf(CGraphics::kCentreMiddle, area));
}

TEST_P(CGraphicsTextTest, cellsOutsideTheGridDrawAtTheTopLeft)
{
    const CRect area(2, 2, 56, 40);
    EXPECT_TRUE(inkOf(11, area) == inkOf(CGraphics::kLeftTop, area));
    EXPECT_TRUE(inkOf(-1, area) == inkOf(CGraphics::kLeftTop, area));
}

TEST_P(CGraphicsTextTest, nullFontDrawsInTheDefaultFont)
{
    const CRect area(0, 0, kWidth, kHeight);
    clear();
    m_graphics.drawText(CString("Default"), area, nullptr, CGraphics::kCentreMiddle);
    const CPixels withNull = pixels();
    clear();
    m_graphics.drawText(CString("Default"), area, CFont::getDefaultFont(), CGraphics::kCentreMiddle);
    const CPixels withDefault = pixels();
    EXPECT_GT(withNull.inkBounds(kWhite).getWidth(), 0);
    for (long y = 0; y < kHeight; ++y)
        for (long x = 0; x < kWidth; ++x)
            ASSERT_EQ(withDefault.rgb(x, y), withNull.rgb(x, y)) << x << "," << y;
}

TEST_P(CGraphicsTextTest, textIsDrawnInTheTextColour)
{
    m_graphics.setTextColour(CAlphaColour(255, 0, 0));
    m_graphics.drawText(CString("HHH"), CRect(0, 0, kWidth, kHeight), &m_font, CGraphics::kCentreMiddle);
    const CPixels drawn = pixels();
    long inked = 0;
    for (long y = 0; y < kHeight; ++y)
        for (long x = 0; x < kWidth; ++x)
        {
            if (drawn.rgb(x, y) == kWhite)
                continue;
            ++inked;
            EXPECT_GE(drawn.red(x, y), drawn.green(x, y)) << x << "," << y;
            EXPECT_GE(drawn.red(x, y), drawn.blue(x, y)) << x << "," << y;
        }
    EXPECT_GT(inked, 10);
    // Stems of an H are whole pixels wide: some pixels take the colour itself.
    EXPECT_GT(drawn.countAll("255,0,0"), 0);
}

TEST_P(CGraphicsTextTest, textIsClippedToTheClipRegion)
{
    m_graphics.getClippingRegion().setClipRegion(CRect(0, 0, kWidth / 2, kHeight));
    m_graphics.drawText(CString("HHHHHHHH"), CRect(0, 0, kWidth, kHeight), &m_font, CGraphics::kCentreMiddle);
    const CRect ink = pixels().inkBounds(kWhite);
    EXPECT_GT(ink.getWidth(), 0);
    EXPECT_LE(ink.getRight(), kWidth / 2);
}

TEST_P(CGraphicsTextTest, emptyTextDrawsNothing)
{
    m_graphics.drawText(CString(""), CRect(0, 0, kWidth, kHeight), &m_font, CGraphics::kCentreMiddle);
    EXPECT_EQ(kWidth * kHeight, pixels().countAll(kWhite));
}

TEST_P(CGraphicsTextTest, fontWithoutAFaceStillDraws)
{
    CFont unnamed;
    unnamed.setFontSize(12);
    m_graphics.drawText(CString("Hx"), CRect(0, 0, kWidth, kHeight), &unnamed, CGraphics::kCentreMiddle);
    EXPECT_GT(pixels().inkBounds(kWhite).getWidth(), 0);
}

VOLTURA_ON_BOTH_PATHS(CGraphicsTextTest);

TEST(CGraphicsTextExtent, nullFontLeavesTheSizeAlone)
{
    CDimension size(7, 9);
    EXPECT_FALSE(CGraphics::getTextExtent(CString("text"), size, nullptr));
    EXPECT_TRUE(size == CDimension(7, 9));
}

TEST(CGraphicsTextExtent, measuresInTheGivenFont)
{
    const CFont small(CString("Arial"), 10, false, false);
    const CFont large(CString("Arial"), 24, false, false);
    CDimension one(0, 0);
    CDimension four(0, 0);
    CDimension big(0, 0);
    EXPECT_TRUE(CGraphics::getTextExtent(CString("W"), one, &small));
    EXPECT_TRUE(CGraphics::getTextExtent(CString("WWWW"), four, &small));
    EXPECT_TRUE(CGraphics::getTextExtent(CString("WWWW"), big, &large));
    EXPECT_GT(one.getWidth(), 0);
    EXPECT_GT(four.getWidth(), 3 * one.getWidth());
    EXPECT_GE(one.getHeight(), 10);
    EXPECT_LE(one.getHeight(), 20);
    EXPECT_GT(big.getWidth(), 2 * four.getWidth());
    EXPECT_GT(big.getHeight(), 2 * four.getHeight() - 4);
}

TEST(CGraphicsTextExtent, theEmptyTextIsMeasuredByGdiplusAsNoWidth)
{
    const CFont font(CString("Arial"), 14, false, false);
    CDimension empty(-1, -1);
    EXPECT_TRUE(CGraphics::getTextExtent(CString(""), empty, &font));
    EXPECT_EQ(0, empty.getWidth());
    EXPECT_GE(empty.getHeight(), 0);
}
} // namespace
