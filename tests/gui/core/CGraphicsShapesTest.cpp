// CGraphics on both drawing paths: the drawing offset, exact rectangle frames and fills, the clip and its
// reset, lines, pixels, polygons, ellipses and rounded rectangles, read back from the off-screen surface.
#include "CGdiDeletionWatch.hpp"
#include "CGraphicsFixture.hpp"
#include "foundation/basics/CString.hpp"
#include "foundation/mathtools/CPolygon.hpp"
#include "gui/core/CBrush.hpp"
#include "gui/core/CPen.hpp"

#include <gdiplus.h>

namespace
{
using Brivant::GUI::Basics::CAlphaColour;
using Brivant::GUI::Graphics::CGraphics;
using Brivant::MathTools::CDimension;
using Brivant::MathTools::CPoint;
using Brivant::MathTools::CPolygon;
using Brivant::MathTools::CRect;
using VolturaTests::CGraphicsFixture;
using VolturaTests::CPixels;

const std::string kWhite = "255,255,255";
const std::string kBlack = "0,0,0";
const std::string kRed = "243,32,32";
const std::string kBlue = "85,86,200";

class CGraphicsShapesTest : public CGraphicsFixture
{
protected:
    void clearSurface()
    {
        HBRUSH white = CreateSolidBrush(RGB(255, 255, 255));
        const RECT whole = {0, 0, kWidth, kHeight};
        FillRect(m_graphics.getDeviceContext(), &whole, white);
        DeleteObject(white);
    }
};

TEST_P(CGraphicsShapesTest, newContextStartsOnAWhiteSurfaceWithBlackPenWhiteBrushAndBlackText)
{
    EXPECT_EQ(kWidth * kHeight, pixels().countAll(kWhite));
    EXPECT_TRUE(m_graphics.getMutablePen().getColour() == CAlphaColour::black());
    EXPECT_EQ(1, m_graphics.getMutablePen().getWidth());
    EXPECT_TRUE(m_graphics.getMutableBrush().getColour() == CAlphaColour::white());
    EXPECT_TRUE(m_graphics.getTextColour() == CAlphaColour::black());
    EXPECT_EQ(CGraphics::kSmoothingDefault, m_graphics.getSmoothingMode());
}

TEST_P(CGraphicsShapesTest, fillCoversExactlyTheAreaMovedByTheOffset)
{
    m_graphics.setDrawingOffset(CPoint(10, 20));
    m_graphics.getMutableBrush().setColour(CAlphaColour::red());
    m_graphics.fillRectangle(CRect(0, 0, 5, 5));
    const CPixels drawn = pixels();
    EXPECT_EQ(25, drawn.count(10, 20, 5, 5, kRed));
    EXPECT_EQ(25, drawn.countAll(kRed));
}

TEST_P(CGraphicsShapesTest, frameCoversExactlyTheEdgesOfTheMovedArea)
{
    m_graphics.setDrawingOffset(CPoint(10, 20));
    m_graphics.drawRectangle(CRect(0, 0, 5, 5));
    const CPixels drawn = pixels();
    for (long i = 0; i < 5; ++i)
    {
        EXPECT_EQ(kBlack, drawn.rgb(10 + i, 20)) << i;
        EXPECT_EQ(kBlack, drawn.rgb(10 + i, 24)) << i;
        EXPECT_EQ(kBlack, drawn.rgb(10, 20 + i)) << i;
        EXPECT_EQ(kBlack, drawn.rgb(14, 20 + i)) << i;
    }
    EXPECT_EQ(9, drawn.count(11, 21, 3, 3, kWhite));
    EXPECT_EQ(16, drawn.countAll(kBlack));
}

TEST_P(CGraphicsShapesTest, filledBorderedRectangleFillsInsideItsFrame)
{
    m_graphics.getMutableBrush().setColour(CAlphaColour::blue());
    m_graphics.getMutablePen().setColour(CAlphaColour::red());
    m_graphics.drawFilledBorderedRectangle(CRect(2, 3, 6, 4));
    const CPixels drawn = pixels();
    EXPECT_EQ(16, drawn.countAll(kRed));
    EXPECT_EQ(8, drawn.count(3, 4, 4, 2, kBlue));
    EXPECT_EQ(8, drawn.countAll(kBlue));
}

TEST_P(CGraphicsShapesTest, emptyOrNegativeAreasDrawNothing)
{
    m_graphics.getMutableBrush().setColour(CAlphaColour::red());
    m_graphics.fillRectangle(CRect(5, 5, 0, 10));
    m_graphics.fillRectangle(CRect(5, 5, 10, -3));
    m_graphics.drawRectangle(CRect(5, 5, 0, 0));
    m_graphics.fillRoundedRectangle(CRect(5, 5, -4, 4), CDimension(2, 2));
    // Under a clip too, where a shape inside it is drawn without one: a negative width reaches out of the clip.
    m_graphics.getClippingRegion().setClipRegion(CRect(20, 10, 20, 20));
    m_graphics.fillEllipse(CRect(38, 12, -30, 16));
    m_graphics.fillEllipse(CRect(22, 12, 10, 0));
    EXPECT_EQ(kWidth * kHeight, pixels().countAll(kWhite));
}

TEST_P(CGraphicsShapesTest, clipKeepsEveryKindOfDrawingInsideAndIsNotMovedByTheOffset)
{
    m_graphics.setDrawingOffset(CPoint(5, 5));
    m_graphics.getClippingRegion().setClipRegion(CRect(20, 10, 8, 6));
    m_graphics.getMutableBrush().setColour(CAlphaColour::red());
    m_graphics.fillRectangle(CRect(-5, -5, kWidth, kHeight));
    m_graphics.getMutablePen().setColour(CAlphaColour::blue());
    // A GDI line on either path, through the clip and far outside it.
    m_graphics.drawLine(CPoint(-5, 7), CPoint(kWidth, 7));
    const CPixels drawn = pixels();
    EXPECT_EQ(40, drawn.count(20, 10, 8, 6, kRed));
    EXPECT_EQ(8, drawn.count(20, 12, 8, 1, kBlue));
    EXPECT_EQ(40, drawn.countAll(kRed));
    EXPECT_EQ(8, drawn.countAll(kBlue));

    CRect clip(0, 0, 0, 0);
    m_graphics.getClippingRegion().getClipRegion(clip);
    EXPECT_TRUE(clip == CRect(20, 10, 8, 6));
}

// Inside the clip a shape is what it would be without one, outside it nothing, whether it lies well inside,
// reaches the edge or crosses it, smoothed or not.
TEST_P(CGraphicsShapesTest, clippedShapesMatchTheUnclippedOnesInsideTheClipAndLeaveTheRestAlone)
{
    using FShape = void (*)(CGraphics&, const CRect&);
    const FShape shapes[] = {
        [](CGraphics& graphics, const CRect& area) { graphics.fillRectangle(area); },
        [](CGraphics& graphics, const CRect& area) { graphics.fillRoundedRectangle(area, CDimension(3, 3)); },
        [](CGraphics& graphics, const CRect& area) { graphics.fillEllipse(area); },
        [](CGraphics& graphics, const CRect& area) {
            graphics.getMutablePen().setWidth(1);
            graphics.drawRectangle(area);
        },
        [](CGraphics& graphics, const CRect& area) {
            graphics.getMutablePen().setWidth(3);
            graphics.drawRectangle(area);
        },
    };
    const CRect clip(20, 10, 16, 12);
    const CRect areas[] = {CRect(22, 12, 12, 8), CRect(21, 11, 14, 10), CRect(20, 10, 16, 12), CRect(14, 6, 16, 9),
                           CRect(30, 18, 20, 20)};
    m_graphics.getMutableBrush().setColour(CAlphaColour(40, 90, 200, 160));
    m_graphics.getMutablePen().setColour(CAlphaColour(200, 60, 20, 200));
    for (const long smoothing : {CGraphics::kSmoothingAntiAlias, CGraphics::kSmoothingDefault})
        for (size_t shape = 0; shape < sizeof(shapes) / sizeof(shapes[0]); ++shape)
            for (const CRect& area : areas)
            {
                m_graphics.setSmoothingMode(smoothing);
                m_graphics.getClippingRegion().resetClipRegion();
                clearSurface();
                shapes[shape](m_graphics, area);
                const CPixels unclipped = pixels();
                clearSurface();
                m_graphics.getClippingRegion().setClipRegion(clip);
                shapes[shape](m_graphics, area);
                const CPixels clipped = pixels();
                long differing = 0;
                for (long y = 0; y < kHeight; ++y)
                    for (long x = 0; x < kWidth; ++x)
                        differing += clipped.rgb(x, y) != (clip.getLeft() <= x && x < clip.getRight() &&
                                                                   clip.getTop() <= y && y < clip.getBottom()
                                                               ? unclipped.rgb(x, y)
                                                               : kWhite);
                EXPECT_EQ(0, differing) << smoothing << " " << shape << " " << CRect::toString(area).getString();
            }
}

TEST_P(CGraphicsShapesTest, resettingTheClipFreesBothGdiAndGdiplusDrawing)
{
    m_graphics.getClippingRegion().setClipRegion(CRect(0, 0, 4, 4));
    m_graphics.getClippingRegion().resetClipRegion();
    EXPECT_FALSE(m_graphics.getClippingRegion().isClipSet());
    // The rectangle is only what was set last; it no longer limits the drawing.
    CRect clip(0, 0, 0, 0);
    m_graphics.getClippingRegion().getClipRegion(clip);
    EXPECT_TRUE(clip == CRect(0, 0, 4, 4));

    m_graphics.getMutableBrush().setColour(CAlphaColour::red());
    m_graphics.fillRectangle(CRect(10, 10, 10, 10));
    m_graphics.getMutablePen().setColour(CAlphaColour::blue());
    m_graphics.drawLine(CPoint(0, 30), CPoint(kWidth, 30));
    const CPixels drawn = pixels();
    EXPECT_EQ(100, drawn.countAll(kRed));
    EXPECT_EQ(kWidth, drawn.count(0, 30, kWidth, 1, kBlue));
}

TEST_P(CGraphicsShapesTest, clipCanBeSetAgainAfterAReset)
{
    m_graphics.getClippingRegion().setClipRegion(CRect(0, 0, 4, 4));
    m_graphics.getClippingRegion().resetClipRegion();
    m_graphics.getClippingRegion().setClipRegion(CRect(30, 30, 2, 3));
    m_graphics.getMutableBrush().setColour(CAlphaColour::red());
    m_graphics.fillRectangle(CRect(0, 0, kWidth, kHeight));
    const CPixels drawn = pixels();
    EXPECT_EQ(6, drawn.count(30, 30, 2, 3, kRed));
    EXPECT_EQ(6, drawn.countAll(kRed));
}

TEST_P(CGraphicsShapesTest, lineLeavesItsEndPointOutAndMovesByTheOffset)
{
    m_graphics.setDrawingOffset(CPoint(3, 4));
    m_graphics.drawLine(CPoint(2, 2), CPoint(10, 2));
    const CPixels drawn = pixels();
    EXPECT_EQ(8, drawn.count(5, 6, 8, 1, kBlack));
    EXPECT_EQ(kWhite, drawn.rgb(13, 6));
    EXPECT_EQ(8, drawn.countAll(kBlack));
}

TEST_P(CGraphicsShapesTest, moveToAndLineToDrawConnectedSegments)
{
    m_graphics.moveTo(CPoint(1, 1));
    m_graphics.lineTo(CPoint(6, 1));
    m_graphics.lineTo(CPoint(6, 6));
    const CPixels drawn = pixels();
    EXPECT_EQ(5, drawn.count(1, 1, 5, 1, kBlack));
    EXPECT_EQ(5, drawn.count(6, 1, 1, 5, kBlack));
    EXPECT_EQ(10, drawn.countAll(kBlack));
}

TEST_P(CGraphicsShapesTest, pixelTakesThePenColourAtTheMovedPoint)
{
    m_graphics.setDrawingOffset(CPoint(1, 2));
    m_graphics.getMutablePen().setColour(CAlphaColour::red());
    m_graphics.drawPixel(CPoint(3, 3));
    const CPixels drawn = pixels();
    EXPECT_EQ(kRed, drawn.rgb(4, 5));
    EXPECT_EQ(1, drawn.countAll(kRed));
}

TEST_P(CGraphicsShapesTest, alphaPixelBlendsThePenOverTheBackgroundWithItsAlphaHeldToAByte)
{
    m_graphics.getMutablePen().setColour(CAlphaColour(255, 0, 0));
    m_graphics.drawAlphaPixel(CPoint(1, 1), 128);
    m_graphics.drawAlphaPixel(CPoint(2, 1), 0);
    m_graphics.drawAlphaPixel(CPoint(3, 1), 255);
    m_graphics.drawAlphaPixel(CPoint(4, 1), 300);
    m_graphics.drawAlphaPixel(CPoint(5, 1), -40);
    const CPixels drawn = pixels();
    EXPECT_EQ("255,127,127", drawn.rgb(1, 1));
    EXPECT_EQ(kWhite, drawn.rgb(2, 1));
    EXPECT_EQ("255,0,0", drawn.rgb(3, 1));
    EXPECT_EQ("255,0,0", drawn.rgb(4, 1));
    EXPECT_EQ(kWhite, drawn.rgb(5, 1));
    EXPECT_TRUE(m_graphics.getMutablePen().getColour() == CAlphaColour(255, 0, 0));
}

TEST_P(CGraphicsShapesTest, emptyAndShortPolygonsDrawNothing)
{
    m_graphics.getMutableBrush().setColour(CAlphaColour::red());
    const CPolygon empty;
    m_graphics.drawPolygon(empty);
    m_graphics.drawAntiAliasedPolygon(empty);
    m_graphics.fillPolygon(empty);
    CPolygon two(2);
    two.setPoint(1, 1, 0);
    two.setPoint(20, 20, 1);
    m_graphics.drawAntiAliasedPolygon(two);
    m_graphics.fillPolygon(two);
    EXPECT_EQ(kWidth * kHeight, pixels().countAll(kWhite));
}

TEST_P(CGraphicsShapesTest, polygonOutlineIsLeftOpen)
{
    CPolygon square(4);
    square.setPoint(5, 5, 0);
    square.setPoint(15, 5, 1);
    square.setPoint(15, 15, 2);
    square.setPoint(5, 15, 3);
    m_graphics.setDrawingOffset(CPoint(1, 1));
    m_graphics.drawPolygon(square);
    const CPixels drawn = pixels();
    EXPECT_EQ(kBlack, drawn.rgb(11, 6));
    EXPECT_EQ(kBlack, drawn.rgb(16, 11));
    EXPECT_EQ(kBlack, drawn.rgb(11, 16));
    // The closing edge from the last point back to the first is not drawn.
    EXPECT_EQ(0, drawn.count(6, 7, 1, 8, kBlack));
}

TEST_P(CGraphicsShapesTest, polygonFillCoversItsInsideInTheBrushColour)
{
    CPolygon triangle(3);
    triangle.setPoint(10, 10, 0);
    triangle.setPoint(40, 10, 1);
    triangle.setPoint(10, 40, 2);
    m_graphics.getMutableBrush().setColour(CAlphaColour::blue());
    m_graphics.getMutablePen().setColour(CAlphaColour::red());
    m_graphics.fillPolygon(triangle);
    const CPixels drawn = pixels();
    EXPECT_EQ(kBlue, drawn.rgb(15, 15));
    EXPECT_EQ(kWhite, drawn.rgb(35, 35));
    EXPECT_EQ(kWhite, drawn.rgb(5, 5));
    // No outline, and the pen is back afterwards.
    EXPECT_EQ(0, drawn.countAll(kRed));
    m_graphics.drawLine(CPoint(0, 45), CPoint(3, 45));
    EXPECT_EQ(3, pixels().countAll(kRed));
}

TEST_P(CGraphicsShapesTest, ellipseFillCoversTheCentreButNotTheCorners)
{
    m_graphics.getMutableBrush().setColour(CAlphaColour::blue());
    m_graphics.fillEllipse(CRect(10, 10, 20, 16));
    const CPixels drawn = pixels();
    EXPECT_EQ(kBlue, drawn.rgb(20, 18));
    EXPECT_EQ(kBlue, drawn.rgb(12, 18));
    EXPECT_EQ(kWhite, drawn.rgb(10, 10));
    EXPECT_EQ(kWhite, drawn.rgb(29, 25));
    EXPECT_EQ(0, drawn.countAll(kBlack));
}

TEST_P(CGraphicsShapesTest, ellipseOutlineLeavesTheCentreUnfilled)
{
    m_graphics.getMutableBrush().setColour(CAlphaColour::blue());
    m_graphics.drawEllipse(CRect(10, 10, 21, 21));
    const CPixels drawn = pixels();
    EXPECT_EQ(kWhite, drawn.rgb(20, 20));
    EXPECT_EQ(0, drawn.countAll(kBlue));
    EXPECT_EQ(kBlack, drawn.rgb(10, 20));
    EXPECT_EQ(kBlack, drawn.rgb(20, 10));
    EXPECT_EQ(kWhite, drawn.rgb(10, 10));
}

TEST_P(CGraphicsShapesTest, arcRunsFromItsStartToItsEndInTheGivenDirection)
{
    // From the top round to the left: clockwise through the right and the bottom, anticlockwise directly.
    m_graphics.drawArc(CRect(10, 10, 21, 21), CPoint(20, 0), CPoint(0, 20), true);
    const CPixels clockwise = pixels();
    EXPECT_EQ(kBlack, clockwise.rgb(30, 20));
    EXPECT_EQ(0, clockwise.count(10, 10, 8, 8, kBlack));

    m_graphics.getMutableBrush().setColour(CAlphaColour::white());
    m_graphics.fillRectangle(CRect(0, 0, kWidth, kHeight));
    m_graphics.drawArc(CRect(10, 10, 21, 21), CPoint(20, 0), CPoint(0, 20), false);
    const CPixels anticlockwise = pixels();
    EXPECT_EQ(kWhite, anticlockwise.rgb(30, 20));
    EXPECT_GT(anticlockwise.count(10, 10, 8, 8, kBlack), 0);
}

TEST_P(CGraphicsShapesTest, roundedRectangleFillSparesTheCornersOnly)
{
    m_graphics.getMutableBrush().setColour(CAlphaColour::blue());
    m_graphics.fillRoundedRectangle(CRect(10, 10, 30, 20), CDimension(6, 6));
    const CPixels drawn = pixels();
    EXPECT_EQ(kWhite, drawn.rgb(10, 10));
    EXPECT_EQ(kWhite, drawn.rgb(39, 29));
    EXPECT_EQ(kBlue, drawn.rgb(25, 10));
    EXPECT_EQ(kBlue, drawn.rgb(10, 20));
    EXPECT_EQ(kBlue, drawn.rgb(25, 20));
    EXPECT_EQ(0, drawn.count(0, 0, kWidth, 9, kBlue));
    EXPECT_EQ(0, drawn.count(0, 31, kWidth, kHeight - 31, kBlue));
}

// Corners too large for the area are made as large as it allows: the fill never leaves its area.
TEST_P(CGraphicsShapesTest, roundedRectangleFillWithOversizedCornersStaysInsideItsArea)
{
    m_graphics.getMutableBrush().setColour(CAlphaColour::blue());
    m_graphics.fillRoundedRectangle(CRect(10, 10, 30, 8), CDimension(20, 20));
    m_graphics.fillRoundedRectangle(CRect(50, 4, 8, 30), CDimension(6, 6));
    const CPixels drawn = pixels();
    const CRect ink = drawn.inkBounds(kWhite);
    EXPECT_TRUE(ink.getLeft() >= 10 && ink.getTop() >= 4 && ink.getRight() <= 58 && ink.getBottom() <= 34);
    EXPECT_EQ(10 * kHeight + 40 * 30, drawn.count(40, 0, 10, kHeight, kWhite) + drawn.count(10, 18, 40, 30, kWhite));
    EXPECT_EQ(kBlue, drawn.rgb(25, 14));
    EXPECT_EQ(kBlue, drawn.rgb(54, 19));
}

TEST_P(CGraphicsShapesTest, roundedRectangleOutlineLeavesTheInsideAndTheBrushAlone)
{
    m_graphics.getMutableBrush().setColour(CAlphaColour::blue());
    m_graphics.drawRoundedRectangle(CRect(10, 10, 30, 20), CDimension(6, 6));
    const CPixels drawn = pixels();
    EXPECT_EQ(kBlack, drawn.rgb(25, 10));
    EXPECT_EQ(kBlack, drawn.rgb(10, 20));
    EXPECT_EQ(kWhite, drawn.rgb(25, 20));
    EXPECT_EQ(kWhite, drawn.rgb(10, 10));
    EXPECT_EQ(0, drawn.countAll(kBlue));
    m_graphics.fillRectangle(CRect(0, 0, 2, 2));
    EXPECT_EQ(4, pixels().countAll(kBlue));
}

TEST_P(CGraphicsShapesTest, antiAliasedStraightLineIsSolidInThePenColour)
{
    m_graphics.getMutablePen().setColour(CAlphaColour::red());
    m_graphics.setDrawingOffset(CPoint(2, 2));
    m_graphics.drawAntiAliasedLine(CPoint(4, 8), CPoint(30, 8));
    const CPixels drawn = pixels();
    EXPECT_EQ(22, drawn.count(8, 10, 22, 1, kRed));
    EXPECT_EQ(0, drawn.count(0, 0, kWidth, 9, kRed));
    EXPECT_EQ(0, drawn.count(0, 12, kWidth, kHeight - 12, kRed));
}

// The smoothing mode GDI+ draws with now; -1 on the GDI path.
long gdiplusSmoothing(const CGraphics& graphics)
{
    if (graphics.getGdiplusGraphics() == nullptr)
        return -1;
    Gdiplus::SmoothingMode mode = Gdiplus::SmoothingModeInvalid;
    Gdiplus::DllExports::GdipGetSmoothingMode(static_cast<Gdiplus::GpGraphics*>(graphics.getGdiplusGraphics()),
                                              &mode);
    return mode;
}

TEST_P(CGraphicsShapesTest, smoothingModesReachGdiplusAndOutliveAnAlphaLayer)
{
    const long antiAlias = onGdiplus() ? Gdiplus::SmoothingModeAntiAlias : -1;
    m_graphics.setSmoothingMode(CGraphics::kSmoothingAntiAlias);
    EXPECT_EQ(antiAlias, gdiplusSmoothing(m_graphics));
    m_graphics.setSmoothingMode(7);
    EXPECT_EQ(7, m_graphics.getSmoothingMode());
    EXPECT_EQ(antiAlias, gdiplusSmoothing(m_graphics));
    m_graphics.setSmoothingMode(CGraphics::kSmoothingHighQuality);
    EXPECT_EQ(onGdiplus() ? Gdiplus::SmoothingModeHighQuality : -1, gdiplusSmoothing(m_graphics));

    // Set inside a layer, the mode still holds for the surface afterwards and for the next paint.
    m_graphics.beginAlphaDrawing(1.0);
    m_graphics.setSmoothingMode(CGraphics::kSmoothingAntiAlias);
    EXPECT_EQ(antiAlias, gdiplusSmoothing(m_graphics));
    m_graphics.endAlphaDrawing(CRect(0, 0, 1, 1), CRect(0, 0, 1, 1));
    EXPECT_EQ(antiAlias, gdiplusSmoothing(m_graphics));
    m_graphics.uninitialise();
    m_graphics.initialise(&m_window, m_windowContext.context(), CDimension(kWidth, kHeight));
    EXPECT_EQ(antiAlias, gdiplusSmoothing(m_graphics));

    m_graphics.setSmoothingMode(CGraphics::kSmoothingDefault);
    EXPECT_EQ(onGdiplus() ? Gdiplus::SmoothingModeDefault : -1, gdiplusSmoothing(m_graphics));
}

TEST_P(CGraphicsShapesTest, noObjectIsDeletedWhileAContextStillHoldsIt)
{
    VolturaTests::CGdiDeletionWatch watch;
    watch.watch(m_graphics);
    watch.watch(m_windowContext.context());
    m_graphics.getMutablePen().setPen(2, CAlphaColour::red());
    m_graphics.getMutableBrush().setColour(CAlphaColour::blue());
    m_graphics.drawFilledBorderedRectangle(CRect(1, 1, 10, 10));
    m_graphics.fillEllipse(CRect(1, 1, 10, 10));
    m_graphics.fillRoundedRectangle(CRect(1, 1, 10, 10), CDimension(3, 3));
    m_graphics.drawRoundedRectangle(CRect(1, 1, 10, 10), CDimension(3, 3));
    m_graphics.drawShadedRectangle(CRect(1, 1, 10, 10));
    m_graphics.drawRaisedRectangle(CRect(1, 1, 10, 10));
    m_graphics.drawSunkenRectangle(CRect(1, 1, 10, 10));
    m_graphics.getClippingRegion().setClipRegion(CRect(0, 0, 20, 20));
    m_graphics.beginAlphaDrawing(0.5);
    m_graphics.getMutablePen().setColour(CAlphaColour::green());
    m_graphics.getMutableBrush().setColour(CAlphaColour::pink());
    m_graphics.drawText(Brivant::Basics::CString("Hx"), CRect(0, 0, 30, 20), nullptr, 4);
    m_graphics.drawRaisedRectangle(CRect(1, 1, 10, 10));
    m_graphics.endAlphaDrawing(CRect(0, 0, 20, 20), CRect(0, 0, 20, 20));
    m_graphics.getClippingRegion().resetClipRegion();
    m_graphics.uninitialise();
    EXPECT_GT(watch.deletions(), 20);
    EXPECT_EQ(0, watch.deletionsWhileSelected());
}

VOLTURA_ON_BOTH_PATHS(CGraphicsShapesTest);

TEST(CGraphicsLife, drawingBeforeInitialiseOrAfterUninitialiseDoesNothing)
{
    CGraphics graphics;
    EXPECT_FALSE(graphics.isInitialised());
    EXPECT_EQ(nullptr, graphics.getDeviceContext());
    graphics.fillRectangle(CRect(0, 0, 5, 5));
    graphics.drawRectangle(CRect(0, 0, 5, 5));
    graphics.drawSoftwareAntiAliasedLine(CPoint(0, 0), CPoint(3, 9));
    graphics.drawText(Brivant::Basics::CString("text"), CRect(0, 0, 50, 20), nullptr, 4);
    graphics.beginAlphaDrawing(0.5);
    EXPECT_FALSE(graphics.isAlphaDrawing());
    graphics.endAlphaDrawing(CRect(0, 0, 5, 5), CRect(0, 0, 5, 5));
}

TEST(CGraphicsLife, contextWithoutAWindowDrawsStraightIntoTheGivenContextAndGivesItsObjectsBack)
{
    VolturaTests::CDibSurface owner(20, 20);
    owner.fill(0xFFFFFF);
    HGDIOBJ pen = GetCurrentObject(owner.context(), OBJ_PEN);
    HGDIOBJ brush = GetCurrentObject(owner.context(), OBJ_BRUSH);
    CGraphics graphics;
    graphics.initialise(nullptr, owner.context(), CDimension(20, 20));
    ASSERT_EQ(owner.context(), graphics.getDeviceContext());
    EXPECT_FALSE(graphics.getClippingRegion().isInitialised());
    EXPECT_TRUE(graphics.getSize() == CDimension(20, 20));
    graphics.getMutableBrush().setColour(CAlphaColour::red());
    graphics.fillRectangle(CRect(2, 2, 3, 3));
    GdiFlush();
    EXPECT_EQ(0xF32020u, owner.at(3, 3) & 0xFFFFFF);
    graphics.uninitialise();
    EXPECT_EQ(pen, GetCurrentObject(owner.context(), OBJ_PEN));
    EXPECT_EQ(brush, GetCurrentObject(owner.context(), OBJ_BRUSH));
}

TEST(CGraphicsLife, argbPutsAlphaHighAndHoldsChannelsToAByte)
{
    EXPECT_EQ(0x80F32020u, CGraphics::toArgb(CAlphaColour(243, 32, 32, 128)));
    EXPECT_EQ(0xFF00FF00u, CGraphics::toArgb(CAlphaColour(-5, 300, 0, 999)));
}
} // namespace
