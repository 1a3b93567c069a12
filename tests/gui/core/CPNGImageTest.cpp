// CPNGImage: decoding through GDI+ into premultiplied pixels, its name check in any case, its error texts, and
// that no failure (GDI+ missing, any GDI+ step failing, a file stating a huge picture) leaves anything behind.
#include "gui/core/CPNGImage.hpp"

#include "foundation/basics/CSystemString.hpp"
#include "tests/foundation/basics/CCountChange.hpp"
#include "tests/gui/core/CGdiplusProbe.hpp"
#include "tests/gui/core/CImageFiles.hpp"
#include "tests/support/CTemporaryFolder.hpp"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

namespace
{
using Brivant::Basics::CString;
using Brivant::Basics::CSystemString;
using Brivant::GUI::Graphics::CPNGImage;
using Brivant::GUI::Graphics::IImage;
using Brivant::MathTools::CDimension;
using Brivant::MathTools::CRect;
using VolturaTests::CCountChange;
using VolturaTests::CGdiplusProbe;
using VolturaTests::CTemporaryFolder;
using VolturaTests::SPixel;

const char* const kNotPng = "Filename is not of PNG type";
const char* const kNoGdiplus = "System doesnt support GDI+ which must be available to load PNG images";
const char* const kNoBitmap = "Failed to aquire HBITMAP from Bitmap image";

// Left column opaque orange, middle column half-transparent, right column fully transparent.
std::uint32_t threeColumns(long x, long /*y*/)
{
    if (x == 0)
        return 0xFFC86432u;
    if (x == 1)
        return 0x803264C8u;
    return 0x00FFFFFFu;
}

class CPNGImageTest : public ::testing::Test
{
protected:
    std::string file(const char* name) const { return m_folder.file(name); }

    // A 3 x 2 picture of threeColumns.
    std::string writeColumns(const char* name)
    {
        const std::string path = file(name);
        EXPECT_TRUE(VolturaTests::writePng(path, 3, 2, threeColumns));
        return path;
    }

    std::string writeBytes(const char* name, const std::string& bytes)
    {
        const std::string path = file(name);
        CTemporaryFolder::writeBytes(path, bytes);
        return path;
    }

    CTemporaryFolder m_folder;
};

TEST_F(CPNGImageTest, loadedPictureReportsSizeAreaTypeAlphaAndFile)
{
    const std::string path = writeColumns("columns.png");
    CPNGImage image{CSystemString(path.c_str())};

    ASSERT_TRUE(image.hasImageLoaded()) << image.getLastError().getString();
    EXPECT_EQ(CDimension(3, 2), image.getImageSize());
    EXPECT_EQ(CRect(0, 0, 3, 2), image.getImageArea());
    EXPECT_EQ(IImage::kPNGImage, image.getImageType());
    EXPECT_TRUE(image.hasAlpha());
    EXPECT_STREQ(path.c_str(), image.getFilename().getString());
    EXPECT_NE(nullptr, image.getNativeImage());
    char description[512] = {};
    image.getObjectDescription(description, sizeof(description));
    EXPECT_EQ("File loaded is = " + path, std::string(description));
}

TEST_F(CPNGImageTest, pixelsArePremultipliedByTheirAlpha)
{
    CPNGImage image{CSystemString(writeColumns("columns.png").c_str())};
    ASSERT_TRUE(image.hasImageLoaded());

    const std::vector<SPixel> pixels = VolturaTests::readPixels(image, 3, 2);
    ASSERT_EQ(6u, pixels.size());
    for (long row = 0; row < 2; ++row)
    {
        const SPixel* line = &pixels[static_cast<size_t>(row * 3)];
        EXPECT_EQ((SPixel{50, 100, 200, 255}), line[0]) << VolturaTests::pixelText(line[0]);
        // (R 50, G 100, B 200) at alpha 128: each channel x 128 / 255, give or take GDI+'s rounding.
        EXPECT_TRUE(VolturaTests::isNear(SPixel{100, 50, 25, 128}, line[1], 1)) << VolturaTests::pixelText(line[1]);
        EXPECT_EQ((SPixel{0, 0, 0, 0}), line[2]) << VolturaTests::pixelText(line[2]);
    }
}

TEST_F(CPNGImageTest, extensionIsMatchedInAnyCase)
{
    CPNGImage upper{CSystemString(writeColumns("UPPER.PNG").c_str())};
    CPNGImage mixed{CSystemString(writeColumns("mixed.Png").c_str())};

    EXPECT_TRUE(upper.hasImageLoaded()) << upper.getLastError().getString();
    EXPECT_TRUE(mixed.hasImageLoaded()) << mixed.getLastError().getString();
}

TEST_F(CPNGImageTest, nameEndingInPngWithoutDotPassesTheCheck)
{
    CPNGImage image{CSystemString(writeColumns("picturepng").c_str())};

    EXPECT_TRUE(image.hasImageLoaded()) << image.getLastError().getString();
}

TEST_F(CPNGImageTest, otherNameIsRefusedAndKeepsThePictureHeld)
{
    CPNGImage image{CSystemString(writeColumns("columns.png").c_str())};
    ASSERT_TRUE(image.hasImageLoaded());

    EXPECT_FALSE(image.loadFromFile(CSystemString(writeColumns("columns.bmp").c_str())));
    EXPECT_STREQ(kNotPng, image.getLastError().getString());
    EXPECT_TRUE(image.hasImageLoaded());
    EXPECT_EQ(CDimension(3, 2), image.getImageSize());
}

TEST_F(CPNGImageTest, fileThatCannotBeDecodedUnloadsWithItsText)
{
    CPNGImage image{CSystemString(writeColumns("columns.png").c_str())};
    ASSERT_TRUE(image.hasImageLoaded());
    const std::string text = writeBytes("text.png", "this is no picture at all");

    EXPECT_FALSE(image.loadFromFile(CSystemString(text.c_str())));
    EXPECT_STREQ(kNoBitmap, image.getLastError().getString());
    EXPECT_FALSE(image.hasImageLoaded());
    EXPECT_EQ(nullptr, image.getNativeImage());
    EXPECT_EQ(CDimension(0, 0), image.getImageSize());
    EXPECT_EQ(CRect(0, 0, 0, 0), image.getImageArea());
}

TEST_F(CPNGImageTest, missingFileFailsWithTheBitmapText)
{
    CPNGImage image{CSystemString(file("missing.png").c_str())};

    EXPECT_FALSE(image.hasImageLoaded());
    EXPECT_STREQ(kNoBitmap, image.getLastError().getString());
}

TEST_F(CPNGImageTest, unloadedImageDescribesItselfAsEmpty)
{
    CPNGImage image;
    char description[64] = {};
    image.getObjectDescription(description, sizeof(description));

    EXPECT_STREQ("No Image loaded", description);
    EXPECT_STREQ(" ", image.getFilename().getString());
    EXPECT_STREQ(" ", image.getLastError().getString());
    EXPECT_EQ(nullptr, image.getNativeImage());
}

TEST_F(CPNGImageTest, descriptionIsCutToTheBufferGiven)
{
    CPNGImage image;
    char description[8];
    std::memset(description, 'x', sizeof(description));
    image.getObjectDescription(description, 4);

    EXPECT_STREQ("No ", description);
    EXPECT_EQ('x', description[4]);
}

TEST_F(CPNGImageTest, unloadingDeletesTheBitmapAndForgetsTheFile)
{
    CPNGImage image{CSystemString(writeColumns("columns.png").c_str())};
    HBITMAP bitmap = image.getNativeImage();
    ASSERT_NE(nullptr, bitmap);

    image.unloadImage();

    EXPECT_FALSE(image.hasImageLoaded());
    EXPECT_EQ(0, GetObjectType(bitmap));
    EXPECT_STREQ(" ", image.getFilename().getString());
    EXPECT_EQ(CDimension(0, 0), image.getImageSize());
}

TEST_F(CPNGImageTest, lastDereferenceDeletesTheImage)
{
    const CCountChange images(CPNGImage::classRecord());
    auto* image = new CPNGImage();
    image->referenced();
    image->referenced();
    image->dereference();
    EXPECT_EQ(1, images.live());
    EXPECT_EQ(1, image->getReferenceCount());

    image->dereference();

    EXPECT_EQ(0, images.live());
}

TEST_F(CPNGImageTest, createFromFileJoinsFolderAndName)
{
    writeColumns("columns.png");
    CPNGImage* image = CPNGImage::createFromFile(CSystemString(m_folder.path().c_str()), CString("columns.png"));

    EXPECT_TRUE(image->hasImageLoaded());
    EXPECT_STREQ(file("columns.png").c_str(), image->getFilename().getString());
    EXPECT_EQ(0, image->getReferenceCount());
    delete image;
}

// ---- Failures inside GDI+ ----

class CPNGImageGdiplusTest : public CPNGImageTest
{
protected:
    void SetUp() override
    {
        m_path = writeColumns("columns.png");
        m_probe = std::make_unique<CGdiplusProbe>();
        ASSERT_TRUE(m_probe->isActive());
    }

    // Loads the picture, expecting failure with the text, nothing loaded and nothing of GDI+ left open.
    void expectFailureLeavingNothing(const char* text)
    {
        CPNGImage image{CSystemString(m_path.c_str())};
        EXPECT_FALSE(image.hasImageLoaded());
        EXPECT_EQ(nullptr, image.getNativeImage());
        EXPECT_EQ(CDimension(0, 0), image.getImageSize());
        EXPECT_STREQ(text, image.getLastError().getString());
        EXPECT_EQ(0, m_probe->openSessions());
        EXPECT_EQ(0, m_probe->liveBitmaps());
    }

    std::string m_path;
    std::unique_ptr<CGdiplusProbe> m_probe;
};

TEST_F(CPNGImageGdiplusTest, successfulLoadStopsGdiplusAndDisposesItsBitmap)
{
    CPNGImage image{CSystemString(m_path.c_str())};

    EXPECT_TRUE(image.hasImageLoaded());
    EXPECT_EQ(1, m_probe->calls(CGdiplusProbe::kStartup));
    EXPECT_EQ(0, m_probe->openSessions());
    EXPECT_EQ(0, m_probe->liveBitmaps());
}

TEST_F(CPNGImageGdiplusTest, withoutGdiplusNothingElseIsCalled)
{
    m_probe->fail(CGdiplusProbe::kStartup);

    expectFailureLeavingNothing(kNoGdiplus);
    EXPECT_EQ(0, m_probe->calls(CGdiplusProbe::kCreateBitmapFromFile));
    EXPECT_EQ(0, m_probe->calls(CGdiplusProbe::kShutdown));
}

TEST_F(CPNGImageGdiplusTest, failedDecodingMakesNoBitmap)
{
    m_probe->fail(CGdiplusProbe::kCreateBitmapFromFile);

    expectFailureLeavingNothing(kNoBitmap);
    EXPECT_EQ(0, m_probe->calls(CGdiplusProbe::kGetWidth));
    EXPECT_EQ(0, m_probe->calls(CGdiplusProbe::kCreateHBitmap));
}

TEST_F(CPNGImageGdiplusTest, failedSizeQueryStopsBeforeTheBitmap)
{
    m_probe->fail(CGdiplusProbe::kGetWidth);

    expectFailureLeavingNothing(kNoBitmap);
    EXPECT_EQ(0, m_probe->calls(CGdiplusProbe::kCreateHBitmap));
}

TEST_F(CPNGImageGdiplusTest, failedHeightQueryStopsBeforeTheBitmap)
{
    m_probe->fail(CGdiplusProbe::kGetHeight);

    expectFailureLeavingNothing(kNoBitmap);
    EXPECT_EQ(0, m_probe->calls(CGdiplusProbe::kCreateHBitmap));
}

TEST_F(CPNGImageGdiplusTest, failedBitmapConversionLeavesNothing)
{
    m_probe->fail(CGdiplusProbe::kCreateHBitmap);

    expectFailureLeavingNothing(kNoBitmap);
}

// The picture a header states is checked before GDI+ sees the file, so no file can ask it for gigabytes.
TEST_F(CPNGImageGdiplusTest, hugeStatedPictureIsRefusedBeforeDecoding)
{
    std::string bytes = CTemporaryFolder::readBytes(m_path);
    ASSERT_GT(bytes.size(), 24u);
    // IHDR's width and height: 100000 x 100000.
    const unsigned char huge[8] = {0x00, 0x01, 0x86, 0xA0, 0x00, 0x01, 0x86, 0xA0};
    bytes.replace(16, 8, reinterpret_cast<const char*>(huge), 8);
    m_path = writeBytes("huge.png", bytes);

    expectFailureLeavingNothing(kNoBitmap);
    EXPECT_EQ(0, m_probe->calls(CGdiplusProbe::kCreateBitmapFromFile));
}

TEST_F(CPNGImageGdiplusTest, otherPictureFormatUnderThePngNameIsRefusedBeforeDecoding)
{
    // A bitmap file's signature: its size cannot be checked, so it never reaches GDI+.
    m_path = writeBytes("bitmap.png", std::string("BM") + std::string(60, '\0'));

    expectFailureLeavingNothing(kNoBitmap);
    EXPECT_EQ(0, m_probe->calls(CGdiplusProbe::kCreateBitmapFromFile));
}
} // namespace
