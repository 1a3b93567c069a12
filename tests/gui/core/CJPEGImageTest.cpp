// CJPEGImage: decoding through GDI+ into an opaque picture without alpha, its name check for "jpg" and "jpeg" in
// any case, its error texts, and the frame header read ahead of GDI+ to refuse pictures beyond the cap.
#include "gui/core/CJPEGImage.hpp"

#include "foundation/basics/CSystemString.hpp"
#include "tests/gui/core/CGdiplusProbe.hpp"
#include "tests/gui/core/CImageFiles.hpp"
#include "tests/support/CTemporaryFolder.hpp"

#include <gtest/gtest.h>

#include <string>

namespace
{
using Brivant::Basics::CString;
using Brivant::Basics::CSystemString;
using Brivant::GUI::Graphics::CJPEGImage;
using Brivant::GUI::Graphics::IImage;
using Brivant::MathTools::CDimension;
using VolturaTests::CGdiplusProbe;
using VolturaTests::CTemporaryFolder;
using VolturaTests::SPixel;

const char* const kNotJpeg = "Filename is not of JPEG type";
const char* const kNoGdiplus = "System doesnt support GDI+ which must be available to load JPEG images";
const char* const kNoBitmap = "Failed to aquire HBITMAP from Bitmap image";

constexpr long kWidth = 40;
constexpr long kHeight = 30;

// Flat colour: JPEG keeps it within a few steps.
std::uint32_t teal(long /*x*/, long /*y*/) { return 0xFF208080u; }

// The offset of the first start-of-frame marker (FF C0 or FF C2); npos when there is none.
size_t frameHeaderAt(const std::string& bytes)
{
    for (size_t at = 2; at + 1 < bytes.size(); ++at)
        if (static_cast<unsigned char>(bytes[at]) == 0xFF &&
            (static_cast<unsigned char>(bytes[at + 1]) == 0xC0 || static_cast<unsigned char>(bytes[at + 1]) == 0xC2))
            return at;
    return std::string::npos;
}

class CJPEGImageTest : public ::testing::Test
{
protected:
    std::string writeTeal(const char* name)
    {
        const std::string path = m_folder.file(name);
        EXPECT_TRUE(VolturaTests::writeJpeg(path, kWidth, kHeight, teal));
        return path;
    }

    std::string writeBytes(const char* name, const std::string& bytes)
    {
        const std::string path = m_folder.file(name);
        CTemporaryFolder::writeBytes(path, bytes);
        return path;
    }

    CTemporaryFolder m_folder;
};

TEST_F(CJPEGImageTest, loadedPictureHasItsSizeAndNoAlpha)
{
    CJPEGImage image{CSystemString(writeTeal("teal.jpg").c_str())};

    ASSERT_TRUE(image.hasImageLoaded()) << image.getLastError().getString();
    EXPECT_EQ(CDimension(kWidth, kHeight), image.getImageSize());
    EXPECT_EQ(IImage::kJPEGImage, image.getImageType());
    EXPECT_FALSE(image.hasAlpha());
    const std::vector<SPixel> pixels = VolturaTests::readPixels(image, kWidth, kHeight);
    ASSERT_EQ(static_cast<size_t>(kWidth * kHeight), pixels.size());
    EXPECT_TRUE(VolturaTests::isNear(SPixel{0x80, 0x80, 0x20, 255}, pixels[kWidth * 10 + 20], 6))
        << VolturaTests::pixelText(pixels[kWidth * 10 + 20]);
}

TEST_F(CJPEGImageTest, bothEndingsLoadInAnyCase)
{
    for (const char* name : {"a.jpeg", "b.JPG", "c.JPEG", "d.Jpg"})
    {
        CJPEGImage image{CSystemString(writeTeal(name).c_str())};
        EXPECT_TRUE(image.hasImageLoaded()) << name << ": " << image.getLastError().getString();
    }
}

TEST_F(CJPEGImageTest, otherNameIsRefusedWithItsText)
{
    CJPEGImage image{CSystemString(writeTeal("teal.png").c_str())};

    EXPECT_FALSE(image.hasImageLoaded());
    EXPECT_STREQ(kNotJpeg, image.getLastError().getString());
}

TEST_F(CJPEGImageTest, segmentsBeforeTheFrameHeaderAreWalkedOver)
{
    std::string bytes = CTemporaryFolder::readBytes(writeTeal("teal.jpg"));
    // A comment segment of 3000 bytes right after the start marker.
    std::string comment = "\xFF\xFE";
    comment.push_back(static_cast<char>((3000 + 2) >> 8));
    comment.push_back(static_cast<char>((3000 + 2) & 0xFF));
    comment += std::string(3000, 'c');
    bytes.insert(2, comment);

    CJPEGImage image{CSystemString(writeBytes("commented.jpg", bytes).c_str())};

    EXPECT_TRUE(image.hasImageLoaded()) << image.getLastError().getString();
    EXPECT_EQ(CDimension(kWidth, kHeight), image.getImageSize());
}

TEST_F(CJPEGImageTest, frameStatingAHugePictureIsRefusedBeforeDecoding)
{
    std::string bytes = CTemporaryFolder::readBytes(writeTeal("teal.jpg"));
    const size_t frame = frameHeaderAt(bytes);
    ASSERT_NE(std::string::npos, frame);
    // Height and width 65000 each.
    const char huge[4] = {'\xFD', '\xE8', '\xFD', '\xE8'};
    bytes.replace(frame + 5, 4, huge, 4);
    const std::string path = writeBytes("huge.jpg", bytes);
    CGdiplusProbe probe;
    ASSERT_TRUE(probe.isActive());

    CJPEGImage image{CSystemString(path.c_str())};

    EXPECT_FALSE(image.hasImageLoaded());
    EXPECT_STREQ(kNoBitmap, image.getLastError().getString());
    EXPECT_EQ(0, probe.calls(CGdiplusProbe::kCreateBitmapFromFile));
    EXPECT_EQ(0, probe.openSessions());
}

TEST_F(CJPEGImageTest, frameStatingNoHeightIsRefused)
{
    std::string bytes = CTemporaryFolder::readBytes(writeTeal("teal.jpg"));
    const size_t frame = frameHeaderAt(bytes);
    ASSERT_NE(std::string::npos, frame);
    bytes[frame + 5] = '\0';
    bytes[frame + 6] = '\0';

    CJPEGImage image{CSystemString(writeBytes("noheight.jpg", bytes).c_str())};

    EXPECT_FALSE(image.hasImageLoaded());
    EXPECT_STREQ(kNoBitmap, image.getLastError().getString());
}

TEST_F(CJPEGImageTest, fileCutBeforeItsFrameHeaderIsRefused)
{
    std::string bytes = CTemporaryFolder::readBytes(writeTeal("teal.jpg"));
    const size_t frame = frameHeaderAt(bytes);
    ASSERT_NE(std::string::npos, frame);

    CJPEGImage image{CSystemString(writeBytes("cut.jpg", bytes.substr(0, frame + 3)).c_str())};

    EXPECT_FALSE(image.hasImageLoaded());
    EXPECT_STREQ(kNoBitmap, image.getLastError().getString());
}

TEST_F(CJPEGImageTest, withoutGdiplusItFailsWithTheJpegText)
{
    const std::string path = writeTeal("teal.jpg");
    CGdiplusProbe probe;
    ASSERT_TRUE(probe.isActive());
    probe.fail(CGdiplusProbe::kStartup);

    CJPEGImage image{CSystemString(path.c_str())};

    EXPECT_FALSE(image.hasImageLoaded());
    EXPECT_STREQ(kNoGdiplus, image.getLastError().getString());
}

TEST_F(CJPEGImageTest, createFromFileJoinsFolderAndName)
{
    writeTeal("teal.jpeg");
    CJPEGImage* image = CJPEGImage::createFromFile(CSystemString(m_folder.path().c_str()), CString("teal.jpeg"));

    EXPECT_TRUE(image->hasImageLoaded());
    EXPECT_STREQ(m_folder.file("teal.jpeg").c_str(), image->getFilename().getString());
    delete image;
}
} // namespace
