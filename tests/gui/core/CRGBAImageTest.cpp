// CRGBAImage: a picture drawn through a graphics context on a transparent GDI+ bitmap and turned into a
// premultiplied bitmap; its failures, and that a drawing never finished leaves nothing of GDI+ behind.
#include "gui/core/CRGBAImage.hpp"

#include "foundation/exceptions/CException.hpp"
#include "gui/core/CBrush.hpp"
#include "gui/core/CGraphics.hpp"
#include "tests/gui/core/CGdiplusProbe.hpp"
#include "tests/gui/core/CImageFiles.hpp"

#include <gtest/gtest.h>

#include <vector>

namespace
{
using Brivant::Basics::CSystemString;
using Brivant::Exceptions::CException;
using Brivant::GUI::Basics::CAlphaColour;
using Brivant::GUI::Graphics::CGraphics;
using Brivant::GUI::Graphics::CRGBAImage;
using Brivant::GUI::Graphics::IImage;
using Brivant::MathTools::CDimension;
using Brivant::MathTools::CRect;
using VolturaTests::CGdiplusProbe;
using VolturaTests::SPixel;

const char* const kNoBitmap = "Failed to create GDI+ Bitmap for RGBA image";

TEST(CRGBAImageTest, drawingBecomesAPictureOfTheSizeWithTransparentBackground)
{
    CRGBAImage image;
    ASSERT_TRUE(image.initialise(CDimension(8, 6))) << image.getLastError().getString();
    CGraphics* graphics = image.getGraphics();
    ASSERT_NE(nullptr, graphics);
    EXPECT_FALSE(image.hasImageLoaded());
    graphics->getMutableBrush().setColour(CAlphaColour(200, 40, 20, 255));
    graphics->fillRectangle(CRect(2, 1, 3, 2));

    ASSERT_TRUE(image.unintialise()) << image.getLastError().getString();

    EXPECT_EQ(nullptr, image.getGraphics());
    EXPECT_TRUE(image.hasImageLoaded());
    EXPECT_TRUE(image.hasAlpha());
    EXPECT_EQ(IImage::kRGBAImage, image.getImageType());
    EXPECT_EQ(CDimension(8, 6), image.getImageSize());
    EXPECT_EQ(CRect(0, 0, 8, 6), image.getImageArea());
    const std::vector<SPixel> pixels = VolturaTests::readPixels(image, 8, 6);
    ASSERT_EQ(48u, pixels.size());
    EXPECT_EQ((SPixel{20, 40, 200, 255}), pixels[1 * 8 + 2]) << VolturaTests::pixelText(pixels[1 * 8 + 2]);
    EXPECT_EQ((SPixel{20, 40, 200, 255}), pixels[2 * 8 + 4]) << VolturaTests::pixelText(pixels[2 * 8 + 4]);
    EXPECT_EQ((SPixel{0, 0, 0, 0}), pixels[0]) << VolturaTests::pixelText(pixels[0]);
    EXPECT_EQ((SPixel{0, 0, 0, 0}), pixels[5 * 8 + 7]) << VolturaTests::pixelText(pixels[5 * 8 + 7]);
}

TEST(CRGBAImageTest, picturesAreDrawnNotRead)
{
    CRGBAImage image;

    EXPECT_FALSE(image.loadFromFile(CSystemString("anything.png")));
    EXPECT_FALSE(image.hasImageLoaded());
}

TEST(CRGBAImageTest, endingADrawingNeverStartedThrows)
{
    CRGBAImage image;
    try
    {
        image.unintialise();
        FAIL() << "no exception";
    }
    catch (const CException& exception)
    {
        EXPECT_STREQ("GDI+ Bitmap or context are NULL", exception.getErrorReason().getString());
        EXPECT_STREQ("CRGBAImage::unintialise()", exception.getFunctionName().getString());
    }
}

TEST(CRGBAImageTest, emptyOrHugeSizeIsRefused)
{
    for (const CDimension& size : {CDimension(0, 5), CDimension(5, 0), CDimension(-3, 4), CDimension(70000, 70000)})
    {
        CRGBAImage image;
        EXPECT_FALSE(image.initialise(size)) << size.getWidth() << " x " << size.getHeight();
        EXPECT_STREQ(kNoBitmap, image.getLastError().getString());
        EXPECT_EQ(nullptr, image.getGraphics());
    }
}

TEST(CRGBAImageTest, drawingAgainReplacesThePicture)
{
    CRGBAImage image;
    ASSERT_TRUE(image.initialise(CDimension(4, 4)));
    ASSERT_TRUE(image.unintialise());
    HBITMAP first = image.getNativeImage();

    ASSERT_TRUE(image.initialise(CDimension(2, 3)));
    EXPECT_FALSE(image.hasImageLoaded());
    EXPECT_EQ(0, GetObjectType(first));
    ASSERT_TRUE(image.unintialise());

    EXPECT_EQ(CDimension(2, 3), image.getImageSize());
}

TEST(CRGBAImageTest, withoutGdiplusItFailsWithItsText)
{
    CGdiplusProbe probe;
    ASSERT_TRUE(probe.isActive());
    probe.fail(CGdiplusProbe::kStartup);
    CRGBAImage image;

    EXPECT_FALSE(image.initialise(CDimension(4, 4)));
    EXPECT_STREQ("System doesnt support GDI+ which must be available to draw RGBA images",
                 image.getLastError().getString());
    EXPECT_EQ(nullptr, image.getGraphics());
}

TEST(CRGBAImageTest, eachFailedGdiplusStepGivesEverythingBack)
{
    for (CGdiplusProbe::EFunction step :
         {CGdiplusProbe::kCreateBitmapFromScan0, CGdiplusProbe::kGetGraphicsContext, CGdiplusProbe::kGetDC})
    {
        CGdiplusProbe probe;
        ASSERT_TRUE(probe.isActive());
        probe.fail(step);
        {
            CRGBAImage image;
            EXPECT_FALSE(image.initialise(CDimension(4, 4))) << step;
            EXPECT_STREQ(kNoBitmap, image.getLastError().getString()) << step;
            EXPECT_EQ(nullptr, image.getGraphics()) << step;
        }
        EXPECT_EQ(0, probe.openSessions()) << step;
        EXPECT_EQ(0, probe.liveBitmaps()) << step;
    }
}

TEST(CRGBAImageTest, failedConversionLeavesItUnloadedWithItsText)
{
    CGdiplusProbe probe;
    ASSERT_TRUE(probe.isActive());
    probe.fail(CGdiplusProbe::kCreateHBitmap);
    {
        CRGBAImage image;
        ASSERT_TRUE(image.initialise(CDimension(4, 4)));

        EXPECT_FALSE(image.unintialise());
        EXPECT_FALSE(image.hasImageLoaded());
        EXPECT_EQ(nullptr, image.getNativeImage());
        EXPECT_STREQ("Failed to get HBITMAP from GDI Bitmap", image.getLastError().getString());
    }
    EXPECT_EQ(0, probe.openSessions());
    EXPECT_EQ(0, probe.liveBitmaps());
}

TEST(CRGBAImageTest, imageDestroyedWhileDrawingGivesEverythingBack)
{
    CGdiplusProbe probe;
    ASSERT_TRUE(probe.isActive());
    {
        CRGBAImage image;
        ASSERT_TRUE(image.initialise(CDimension(4, 4)));
        EXPECT_GT(probe.openSessions(), 0);
    }

    EXPECT_EQ(0, probe.openSessions());
    EXPECT_EQ(0, probe.liveBitmaps());
    EXPECT_EQ(1, probe.calls(CGdiplusProbe::kReleaseDC));
}
} // namespace
