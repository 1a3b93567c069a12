// CTGAImage: our own reader of uncompressed 32-bit Targa files: premultiplied pixels in the file's bottom-up row
// order, every header it refuses with its text, short bodies made up with transparent pixels, and createFromFile's
// added extension.
#include "gui/core/CTGAImage.hpp"

#include "foundation/basics/CSystemString.hpp"
#include "tests/gui/core/CImageFiles.hpp"
#include "tests/support/CTemporaryFolder.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
using Brivant::Basics::CString;
using Brivant::Basics::CSystemString;
using Brivant::GUI::Graphics::CTGAImage;
using Brivant::GUI::Graphics::IImage;
using Brivant::MathTools::CDimension;
using Brivant::MathTools::CRect;
using VolturaTests::CTemporaryFolder;
using VolturaTests::SPixel;
using VolturaTests::STargaHeader;

const char* const kNotTarga = "Filename is not of TARGA type";
const char* const kNotFound = "Could not find file with matching details";
const char* const kBadHeader = "Header information did not match\nFile must be 32 bit Targa, colour map of 0, bpp = 8";

class CTGAImageTest : public ::testing::Test
{
protected:
    CSystemString write(const char* name, const std::string& bytes)
    {
        const std::string path = m_folder.file(name);
        CTemporaryFolder::writeBytes(path, bytes);
        return CSystemString(path.c_str());
    }

    // A header of the given form with 2 x 2 opaque white pixels behind it.
    CSystemString writeWithHeader(const STargaHeader& header)
    {
        return write("header.tga", header.bytes() + std::string(16, '\xFF'));
    }

    void expectRefusedHeader(const STargaHeader& header, const char* what)
    {
        CTGAImage image(writeWithHeader(header));
        EXPECT_FALSE(image.hasImageLoaded()) << what;
        EXPECT_STREQ(kBadHeader, image.getLastError().getString()) << what;
        EXPECT_STREQ(" ", image.getFilename().getString()) << what;
        EXPECT_EQ(nullptr, image.getNativeImage()) << what;
    }

    CTemporaryFolder m_folder;
};

TEST_F(CTGAImageTest, colourIsPremultipliedByAlpha)
{
    CTGAImage image(write("pixel.tga", VolturaTests::targaFile(1, 1, {{200, 100, 50, 128}})));

    ASSERT_TRUE(image.hasImageLoaded()) << image.getLastError().getString();
    const std::vector<SPixel> pixels = VolturaTests::readPixels(image, 1, 1);
    ASSERT_EQ(1u, pixels.size());
    EXPECT_EQ((SPixel{100, 50, 25, 128}), pixels[0]) << VolturaTests::pixelText(pixels[0]);
}

TEST_F(CTGAImageTest, firstRowOfTheFileIsTheBottomOfThePicture)
{
    const SPixel bottomLeft{10, 0, 0, 255};
    const SPixel bottomRight{20, 0, 0, 255};
    const SPixel topLeft{30, 0, 0, 255};
    const SPixel topRight{40, 0, 0, 255};
    CTGAImage image(write("rows.tga", VolturaTests::targaFile(2, 2, {bottomLeft, bottomRight, topLeft, topRight})));

    const std::vector<SPixel> pixels = VolturaTests::readPixels(image, 2, 2);
    ASSERT_EQ(4u, pixels.size());
    EXPECT_EQ(topLeft, pixels[0]);
    EXPECT_EQ(topRight, pixels[1]);
    EXPECT_EQ(bottomLeft, pixels[2]);
    EXPECT_EQ(bottomRight, pixels[3]);
}

TEST_F(CTGAImageTest, loadedPictureReportsSizeAreaTypeAndAlpha)
{
    const CSystemString path = write("wide.tga", VolturaTests::targaFile(3, 2, std::vector<SPixel>(6, {1, 2, 3, 255})));
    CTGAImage image(path);

    ASSERT_TRUE(image.hasImageLoaded());
    EXPECT_EQ(CDimension(3, 2), image.getImageSize());
    EXPECT_EQ(CRect(0, 0, 3, 2), image.getImageArea());
    EXPECT_EQ(IImage::kTGAImage, image.getImageType());
    EXPECT_TRUE(image.hasAlpha());
    EXPECT_STREQ(path.getString(), image.getFilename().getString());
}

TEST_F(CTGAImageTest, extensionIsMatchedInAnyCase)
{
    CTGAImage image(write("UPPER.TGA", VolturaTests::targaFile(1, 1, {{1, 2, 3, 255}})));

    EXPECT_TRUE(image.hasImageLoaded()) << image.getLastError().getString();
}

TEST_F(CTGAImageTest, otherNameIsRefusedWithItsText)
{
    CTGAImage image(write("pixel.png", VolturaTests::targaFile(1, 1, {{1, 2, 3, 255}})));

    EXPECT_FALSE(image.hasImageLoaded());
    EXPECT_STREQ(kNotTarga, image.getLastError().getString());
}

TEST_F(CTGAImageTest, missingFileIsReported)
{
    CTGAImage image(CSystemString(m_folder.file("missing.tga").c_str()));

    EXPECT_FALSE(image.hasImageLoaded());
    EXPECT_STREQ(kNotFound, image.getLastError().getString());
}

TEST_F(CTGAImageTest, topLeftOriginIsRefused)
{
    STargaHeader header;
    header.descriptor = 0x28;
    expectRefusedHeader(header, "descriptor 0x28");
}

TEST_F(CTGAImageTest, anyOtherFormatIsRefused)
{
    STargaHeader withId;
    withId.idLength = 4;
    expectRefusedHeader(withId, "id length 4");
    STargaHeader withColourMap;
    withColourMap.colourMapType = 1;
    expectRefusedHeader(withColourMap, "colour map");
    STargaHeader compressed;
    compressed.imageType = 10;
    expectRefusedHeader(compressed, "run-length encoded");
    STargaHeader twentyFourBits;
    twentyFourBits.pixelDepth = 24;
    expectRefusedHeader(twentyFourBits, "24 bits");
    STargaHeader noAlphaBits;
    noAlphaBits.descriptor = 0;
    expectRefusedHeader(noAlphaBits, "descriptor 0");
}

TEST_F(CTGAImageTest, emptyPictureIsRefused)
{
    STargaHeader noWidth;
    noWidth.width = 0;
    noWidth.height = 2;
    expectRefusedHeader(noWidth, "width 0");
    STargaHeader noHeight;
    noHeight.width = 2;
    noHeight.height = 0;
    expectRefusedHeader(noHeight, "height 0");
}

TEST_F(CTGAImageTest, pictureBeyondTheCapIsRefused)
{
    STargaHeader largest;
    largest.width = 65535;
    largest.height = 65535;
    expectRefusedHeader(largest, "65535 x 65535");
    STargaHeader justOver;
    justOver.width = 4097;
    justOver.height = 4096;
    expectRefusedHeader(justOver, "4097 x 4096");
}

TEST_F(CTGAImageTest, longestSideWithinTheCapLoads)
{
    STargaHeader column;
    column.width = 1;
    column.height = 65535;
    CTGAImage image(writeWithHeader(column));

    EXPECT_TRUE(image.hasImageLoaded()) << image.getLastError().getString();
    EXPECT_EQ(CDimension(1, 65535), image.getImageSize());
}

TEST_F(CTGAImageTest, headerCutShortIsRefused)
{
    for (size_t length : {size_t(0), size_t(1), size_t(12), size_t(17)})
    {
        CTGAImage image(write("short.tga", VolturaTests::targaFile(1, 1, {}).substr(0, length)));
        EXPECT_FALSE(image.hasImageLoaded()) << length << " bytes";
        EXPECT_STREQ(kBadHeader, image.getLastError().getString()) << length << " bytes";
    }
}

TEST_F(CTGAImageTest, shortBodyLeavesTheMissingPixelsTransparent)
{
    // Two of four pixels, and half of the third.
    std::string bytes = VolturaTests::targaFile(2, 2, {{200, 100, 50, 255}, {200, 100, 50, 255}});
    bytes += std::string("\x10\x10", 2);
    CTGAImage image(write("short.tga", bytes));

    ASSERT_TRUE(image.hasImageLoaded()) << image.getLastError().getString();
    const std::vector<SPixel> pixels = VolturaTests::readPixels(image, 2, 2);
    ASSERT_EQ(4u, pixels.size());
    EXPECT_EQ((SPixel{0, 0, 0, 0}), pixels[0]);
    EXPECT_EQ((SPixel{0, 0, 0, 0}), pixels[1]);
    EXPECT_EQ((SPixel{200, 100, 50, 255}), pixels[2]);
    EXPECT_EQ((SPixel{200, 100, 50, 255}), pixels[3]);
}

TEST_F(CTGAImageTest, failedLoadUnloadsThePictureHeld)
{
    CTGAImage image(write("good.tga", VolturaTests::targaFile(1, 1, {{1, 2, 3, 255}})));
    ASSERT_TRUE(image.hasImageLoaded());
    STargaHeader header;
    header.pixelDepth = 16;

    EXPECT_FALSE(image.loadFromFile(writeWithHeader(header)));

    EXPECT_FALSE(image.hasImageLoaded());
    EXPECT_EQ(CDimension(0, 0), image.getImageSize());
}

TEST_F(CTGAImageTest, createFromFileAddsTheExtensionOnlyWhenMissing)
{
    write("knob.tga", VolturaTests::targaFile(1, 1, {{1, 2, 3, 255}}));
    write("KNOB.TGA", VolturaTests::targaFile(1, 1, {{1, 2, 3, 255}}));
    const CSystemString folder(m_folder.path().c_str());

    CTGAImage* bare = CTGAImage::createFromFile(folder, CString("knob"));
    CTGAImage* upper = CTGAImage::createFromFile(folder, CString("KNOB.TGA"));
    CTGAImage* other = CTGAImage::createFromFile(folder, CString("knob.png"));

    EXPECT_STREQ(m_folder.file("knob.tga").c_str(), bare->getFilename().getString());
    EXPECT_TRUE(bare->hasImageLoaded());
    EXPECT_STREQ(m_folder.file("KNOB.TGA").c_str(), upper->getFilename().getString());
    EXPECT_STREQ(m_folder.file("knob.png.tga").c_str(), other->getFilename().getString());
    delete bare;
    delete upper;
    delete other;
}
} // namespace
