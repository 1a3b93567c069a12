// Images through IImage (copied, stretched, blended by their own and a constant alpha) and alpha layers, on
// both drawing paths. The pictures are made here, as 32-bit bitmaps with chosen pixels.
#include "CGraphicsFixture.hpp"
#include "foundation/basics/CCountedObject.hpp"
#include "foundation/basics/CSystemString.hpp"
#include "gui/core/CBrush.hpp"
#include "gui/core/CNativeImage.hpp"
#include "gui/core/CPen.hpp"
#include "gui/core/IImage.hpp"

#include <cstdint>
#include <cstdlib>

namespace
{
using Brivant::Basics::CSystemString;
using Brivant::GUI::Basics::CAlphaColour;
using Brivant::GUI::Graphics::CGraphics;
using Brivant::GUI::Graphics::IImage;
using Brivant::MathTools::CDimension;
using Brivant::MathTools::CPoint;
using Brivant::MathTools::CRect;
using VolturaTests::CDibSurface;
using VolturaTests::CGraphicsFixture;
using VolturaTests::CPixels;
using VolturaTests::rgbText;

const std::string kWhite = "255,255,255";
const std::string kBlack = "0,0,0";

// A picture held in memory: its pixels are set directly, premultiplied where it has alpha. Its bitmap is in no
// device context, so that drawing can select it into one.
class CTestImage : public Brivant::Basics::CCountedObject, public IImage
{
public:
    CTestImage(long width, long height, bool alpha)
        : m_bitmap(nullptr), m_bits(nullptr), m_size(width, height), m_area(0, 0, width, height), m_name(" "),
          m_alpha(alpha), m_loaded(true)
    {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        m_bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &m_bits, nullptr, 0);
    }
    ~CTestImage() override { DeleteObject(m_bitmap); }
    CTestImage(const CTestImage&) = delete;
    CTestImage& operator=(const CTestImage&) = delete;

    void set(long x, long y, long red, long green, long blue, long alpha = 255)
    {
        GdiFlush();
        static_cast<std::uint32_t*>(m_bits)[y * m_size.getWidth() + x] =
            static_cast<std::uint32_t>(alpha << 24 | red << 16 | green << 8 | blue);
    }

    const CDimension& getImageSize() const override { return m_size; }
    const CRect& getImageArea() const override { return m_area; }
    long getImageType() const override { return kRGBAImage; }
    const CSystemString& getFilename() const override { return m_name; }
    bool loadFromFile(const CSystemString&) override { return false; }
    void unloadImage() override { m_loaded = false; }
    bool hasAlpha() const override { return m_alpha; }
    bool hasImageLoaded() const override { return m_loaded; }
    HBITMAP getNativeImage() const override { return m_loaded ? m_bitmap : nullptr; }

private:
    HBITMAP m_bitmap;
    void* m_bits;
    CDimension m_size;
    CRect m_area;
    CSystemString m_name;
    bool m_alpha;
    bool m_loaded;
};

// Every pixel different: red by column, green by row.
void paintGradient(CTestImage& image, long width, long height)
{
    for (long y = 0; y < height; ++y)
        for (long x = 0; x < width; ++x)
            image.set(x, y, 40 * x + 10, 40 * y + 20, 99);
}

std::string gradient(long x, long y) { return rgbText(40 * x + 10, 40 * y + 20, 99); }

bool isNear(const CPixels& drawn, long x, long y, long red, long green, long blue)
{
    return std::abs(drawn.red(x, y) - red) <= 1 && std::abs(drawn.green(x, y) - green) <= 1 &&
           std::abs(drawn.blue(x, y) - blue) <= 1;
}

class CGraphicsImageTest : public CGraphicsFixture
{
};

TEST_P(CGraphicsImageTest, imageAtItsOwnSizeIsCopiedPixelForPixelAtTheMovedDestination)
{
    CTestImage image(4, 4, false);
    paintGradient(image, 4, 4);
    m_graphics.setDrawingOffset(CPoint(3, 2));
    m_graphics.drawImage(&image, CRect(7, 8, 4, 4), CRect(0, 0, 4, 4));
    const CPixels drawn = pixels();
    for (long y = 0; y < 4; ++y)
        for (long x = 0; x < 4; ++x)
            EXPECT_EQ(gradient(x, y), drawn.rgb(10 + x, 10 + y)) << x << "," << y;
    EXPECT_EQ(kWidth * kHeight - 16, drawn.countAll(kWhite));
}

TEST_P(CGraphicsImageTest, imageIsStretchedIntoALargerDestination)
{
    CTestImage image(4, 4, false);
    paintGradient(image, 4, 4);
    m_graphics.drawImage(&image, CRect(0, 0, 8, 8), CRect(0, 0, 4, 4));
    const CPixels drawn = pixels();
    for (long y = 0; y < 8; ++y)
        for (long x = 0; x < 8; ++x)
            EXPECT_EQ(gradient(x / 2, y / 2), drawn.rgb(x, y)) << x << "," << y;
}

TEST_P(CGraphicsImageTest, shrinkingKeepsThePicturesOwnColoursRatherThanMixingThem)
{
    CTestImage image(4, 1, false);
    for (long x = 0; x < 4; ++x)
        image.set(x, 0, x % 2 == 0 ? 200 : 50, 100, x % 2 == 0 ? 50 : 200);
    m_graphics.drawImage(&image, CRect(0, 0, 2, 1), CRect(0, 0, 4, 1));
    const CPixels drawn = pixels();
    for (long x = 0; x < 2; ++x)
        EXPECT_TRUE(drawn.rgb(x, 0) == "200,100,50" || drawn.rgb(x, 0) == "50,100,200") << drawn.rgb(x, 0);
}

TEST_P(CGraphicsImageTest, partOfAnImageAtItsOwnSizeIsCopied)
{
    CTestImage image(4, 4, false);
    paintGradient(image, 4, 4);
    m_graphics.drawImage(&image, CRect(10, 10, 2, 2), CRect(2, 1, 2, 2));
    const CPixels drawn = pixels();
    EXPECT_EQ(gradient(2, 1), drawn.rgb(10, 10));
    EXPECT_EQ(gradient(3, 2), drawn.rgb(11, 11));
    EXPECT_EQ(kWidth * kHeight - 4, drawn.countAll(kWhite));
}

TEST_P(CGraphicsImageTest, partOfAnImageIsStretchedEvenIntoADestinationOfTheWholeImagesSize)
{
    CTestImage image(4, 4, false);
    paintGradient(image, 4, 4);
    m_graphics.drawImage(&image, CRect(0, 0, 4, 4), CRect(0, 0, 2, 2));
    const CPixels drawn = pixels();
    for (long y = 0; y < 4; ++y)
        for (long x = 0; x < 4; ++x)
            EXPECT_EQ(gradient(x / 2, y / 2), drawn.rgb(x, y)) << x << "," << y;
}

TEST_P(CGraphicsImageTest, imageWithAlphaIsBlendedByItsPremultipliedPixels)
{
    CTestImage image(3, 1, true);
    image.set(0, 0, 0, 0, 0, 0);
    image.set(1, 0, 255, 0, 0, 255);
    image.set(2, 0, 128, 0, 0, 128);
    m_graphics.drawImage(&image, CRect(5, 5, 3, 1), CRect(0, 0, 3, 1));
    const CPixels drawn = pixels();
    EXPECT_EQ(kWhite, drawn.rgb(5, 5));
    EXPECT_EQ("255,0,0", drawn.rgb(6, 5));
    EXPECT_TRUE(isNear(drawn, 7, 5, 255, 127, 127)) << drawn.rgb(7, 5);
}

TEST_P(CGraphicsImageTest, imageWithAlphaIsStretchedByTheBlend)
{
    CTestImage image(2, 2, true);
    image.set(0, 0, 255, 0, 0);
    image.set(1, 0, 0, 255, 0);
    image.set(0, 1, 0, 0, 255);
    image.set(1, 1, 0, 0, 0, 0);
    m_graphics.drawImage(&image, CRect(0, 0, 4, 4), CRect(0, 0, 2, 2));
    const CPixels drawn = pixels();
    EXPECT_EQ(4, drawn.count(0, 0, 2, 2, "255,0,0"));
    EXPECT_EQ(4, drawn.count(2, 0, 2, 2, "0,255,0"));
    EXPECT_EQ(4, drawn.count(0, 2, 2, 2, "0,0,255"));
    EXPECT_EQ(4, drawn.count(2, 2, 2, 2, kWhite));
}

TEST_P(CGraphicsImageTest, constantAlphaIsHeldToZeroToOne)
{
    CTestImage image(1, 1, true);
    image.set(0, 0, 0, 0, 0, 255);
    m_graphics.drawImageWithAlpha(&image, CRect(1, 1, 1, 1), CRect(0, 0, 1, 1), 0.5);
    m_graphics.drawImageWithAlpha(&image, CRect(2, 1, 1, 1), CRect(0, 0, 1, 1), 2.0);
    m_graphics.drawImageWithAlpha(&image, CRect(3, 1, 1, 1), CRect(0, 0, 1, 1), -1.0);
    const CPixels drawn = pixels();
    EXPECT_TRUE(isNear(drawn, 1, 1, 128, 128, 128)) << drawn.rgb(1, 1);
    EXPECT_EQ(kBlack, drawn.rgb(2, 1));
    EXPECT_EQ(kWhite, drawn.rgb(3, 1));
}

TEST_P(CGraphicsImageTest, imageWithoutAlphaIsCopiedWhateverAlphaItIsGiven)
{
    CTestImage image(2, 2, false);
    paintGradient(image, 2, 2);
    m_graphics.drawImageWithAlpha(&image, CRect(0, 0, 2, 2), CRect(0, 0, 2, 2), 0.1);
    const CPixels drawn = pixels();
    EXPECT_EQ(gradient(1, 1), drawn.rgb(1, 1));
    EXPECT_EQ(gradient(0, 1), drawn.rgb(0, 1));
}

TEST_P(CGraphicsImageTest, nullAndUnloadedImagesDrawNothing)
{
    CTestImage image(4, 4, false);
    paintGradient(image, 4, 4);
    image.unloadImage();
    CTestImage alpha(4, 4, true);
    paintGradient(alpha, 4, 4);
    alpha.unloadImage();
    m_graphics.drawImage(nullptr, CRect(0, 0, 4, 4), CRect(0, 0, 4, 4));
    m_graphics.drawImageWithAlpha(nullptr, CRect(0, 0, 4, 4), CRect(0, 0, 4, 4), 1.0);
    m_graphics.drawImage(&image, CRect(0, 0, 4, 4), CRect(0, 0, 4, 4));
    m_graphics.drawImageWithAlpha(&alpha, CRect(0, 0, 8, 8), CRect(0, 0, 4, 4), 1.0);
    EXPECT_EQ(kWidth * kHeight, pixels().countAll(kWhite));
}

long greyOf(const CPixels& drawn, long x, long y) { return drawn.red(x, y); }

TEST_P(CGraphicsImageTest, alphaLayerGathersDrawingUntilItIsBlendedOntoTheDestination)
{
    HDC surface = m_graphics.getOffscreenImage().getMemoryContext();
    m_graphics.beginAlphaDrawing(0.5);
    ASSERT_TRUE(m_graphics.isAlphaDrawing());
    EXPECT_NE(surface, m_graphics.getDeviceContext());
    m_graphics.getMutableBrush().setColour(CAlphaColour::black());
    m_graphics.fillRectangle(CRect(0, 0, 20, 20));
    EXPECT_EQ(kWidth * kHeight, CPixels(surface, kWidth, kHeight).countAll(kWhite));

    m_graphics.endAlphaDrawing(CRect(0, 0, 10, 10), CRect(0, 0, 10, 10));
    EXPECT_FALSE(m_graphics.isAlphaDrawing());
    EXPECT_EQ(surface, m_graphics.getDeviceContext());
    const CPixels drawn = pixels();
    for (long y = 0; y < 10; ++y)
        for (long x = 0; x < 10; ++x)
        {
            EXPECT_NEAR(128, greyOf(drawn, x, y), 1) << x << "," << y;
            EXPECT_EQ(drawn.red(x, y), drawn.blue(x, y));
        }
    // Drawn in the layer, but outside the destination.
    EXPECT_EQ(kWhite, drawn.rgb(15, 15));
    EXPECT_EQ(kWidth * kHeight - 100, drawn.countAll(kWhite));
}

TEST_P(CGraphicsImageTest, alphaLayerHoldsItsAlphaToZeroToOne)
{
    m_graphics.beginAlphaDrawing(1.5);
    m_graphics.getMutableBrush().setColour(CAlphaColour::black());
    m_graphics.fillRectangle(CRect(0, 0, 4, 4));
    m_graphics.endAlphaDrawing(CRect(0, 0, 4, 4), CRect(0, 0, 4, 4));
    m_graphics.beginAlphaDrawing(-0.5);
    m_graphics.getMutableBrush().setColour(CAlphaColour::black());
    m_graphics.fillRectangle(CRect(10, 0, 4, 4));
    m_graphics.endAlphaDrawing(CRect(10, 0, 4, 4), CRect(10, 0, 4, 4));
    const CPixels drawn = pixels();
    EXPECT_EQ(16, drawn.count(0, 0, 4, 4, kBlack));
    EXPECT_EQ(16, drawn.count(10, 0, 4, 4, kWhite));
}

TEST_P(CGraphicsImageTest, secondBeginKeepsTheFirstLayerAndItsAlpha)
{
    m_graphics.beginAlphaDrawing(1.0);
    HDC layer = m_graphics.getDeviceContext();
    m_graphics.beginAlphaDrawing(0.0);
    EXPECT_EQ(layer, m_graphics.getDeviceContext());
    m_graphics.getMutableBrush().setColour(CAlphaColour::black());
    m_graphics.fillRectangle(CRect(0, 0, 4, 4));
    m_graphics.endAlphaDrawing(CRect(0, 0, 4, 4), CRect(0, 0, 4, 4));
    EXPECT_EQ(16, pixels().countAll(kBlack));
}

TEST_P(CGraphicsImageTest, endWithoutALayerDoesNothing)
{
    HDC surface = m_graphics.getDeviceContext();
    m_graphics.endAlphaDrawing(CRect(0, 0, 10, 10), CRect(0, 0, 10, 10));
    EXPECT_EQ(surface, m_graphics.getDeviceContext());
    EXPECT_EQ(kWidth * kHeight, pixels().countAll(kWhite));
}

TEST_P(CGraphicsImageTest, alphaLayerStartsFromTheSurfaceAndMovesBothRectanglesByTheOffset)
{
    m_graphics.getMutableBrush().setColour(CAlphaColour::red());
    m_graphics.fillRectangle(CRect(16, 16, 2, 2));
    m_graphics.setDrawingOffset(CPoint(5, 5));
    m_graphics.beginAlphaDrawing(1.0);
    m_graphics.getMutableBrush().setColour(CAlphaColour::black());
    m_graphics.fillRectangle(CRect(0, 0, 4, 4));
    m_graphics.endAlphaDrawing(CRect(10, 10, 4, 4), CRect(0, 0, 4, 4));
    const CPixels drawn = pixels();
    EXPECT_EQ(16, drawn.count(15, 15, 4, 4, kBlack));
    EXPECT_EQ(16, drawn.countAll(kBlack));
    EXPECT_EQ(kWhite, drawn.rgb(5, 5));
}

TEST_P(CGraphicsImageTest, layerDrawsWithItsOwnPenAndBrushAndGivesTheOldOnesBack)
{
    CAlphaColour red = CAlphaColour::red();
    m_graphics.getMutablePen().setPen(3, red);
    m_graphics.getMutablePen().setLineCap(2);
    m_graphics.getMutableBrush().setColour(CAlphaColour::blue());
    HPEN surfacePen = m_graphics.getMutablePen().getPenHandle();

    m_graphics.beginAlphaDrawing(1.0);
    EXPECT_NE(surfacePen, m_graphics.getMutablePen().getPenHandle());
    EXPECT_EQ(3, m_graphics.getMutablePen().getWidth());
    EXPECT_EQ(2, m_graphics.getMutablePen().getLineCap());
    EXPECT_TRUE(m_graphics.getMutablePen().getColour() == red);
    EXPECT_TRUE(m_graphics.getMutableBrush().getColour() == CAlphaColour::blue());
    m_graphics.getMutablePen().setColour(CAlphaColour::green());
    m_graphics.endAlphaDrawing(CRect(0, 0, 1, 1), CRect(0, 0, 1, 1));

    EXPECT_EQ(surfacePen, m_graphics.getMutablePen().getPenHandle());
    EXPECT_TRUE(m_graphics.getMutablePen().getColour() == red);
    EXPECT_EQ(surfacePen, GetCurrentObject(m_graphics.getDeviceContext(), OBJ_PEN));
}

TEST_P(CGraphicsImageTest, uninitialiseDropsAnOpenLayer)
{
    m_graphics.beginAlphaDrawing(0.5);
    m_graphics.uninitialise();
    EXPECT_FALSE(m_graphics.isAlphaDrawing());
    EXPECT_FALSE(m_graphics.isInitialised());
    m_graphics.initialise(&m_window, m_windowContext.context(), CDimension(kWidth, kHeight));
    m_graphics.getMutableBrush().setColour(CAlphaColour::black());
    m_graphics.fillRectangle(CRect(0, 0, 2, 2));
    EXPECT_EQ(4, pixels().countAll(kBlack));
}

VOLTURA_ON_BOTH_PATHS(CGraphicsImageTest);

TEST(CGraphicsAlphaLayer, contextWithoutAnOffscreenSurfaceIgnoresLayers)
{
    CDibSurface owner(16, 16);
    owner.fill(0xFFFFFF);
    CGraphics graphics;
    graphics.initialise(nullptr, owner.context(), CDimension(16, 16));
    graphics.beginAlphaDrawing(0.5);
    EXPECT_FALSE(graphics.isAlphaDrawing());
    EXPECT_EQ(owner.context(), graphics.getDeviceContext());
    graphics.getMutableBrush().setColour(CAlphaColour::black());
    graphics.fillRectangle(CRect(0, 0, 4, 4));
    graphics.endAlphaDrawing(CRect(0, 0, 16, 16), CRect(0, 0, 16, 16));
    EXPECT_EQ(16, CPixels(owner.context(), 16, 16).countAll(kBlack));
}
} // namespace
