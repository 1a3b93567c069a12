// Image files come from users and skins: thousands of deterministic mutations (cuts, flipped bytes, rewritten
// headers, inserted and repeated runs) of valid TGA, PNG and JPEG files and of image-set and skin files must each
// load to a sound answer (a sane picture, or a failure with its text) without a crash, and leave no bitmap,
// GDI+ session or framework object behind.
#include "gui/core/CBaseImage.hpp"
#include "gui/core/CImageManager.hpp"
#include "gui/core/CJPEGImage.hpp"
#include "gui/core/CPNGImage.hpp"
#include "gui/core/CTGAImage.hpp"
#include "tests/foundation/basics/CCountChange.hpp"
#include "tests/gui/core/CGdiplusProbe.hpp"
#include "tests/gui/core/CImageManagerFixture.hpp"

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

namespace
{
using Brivant::Basics::CString;
using Brivant::Basics::CSystemString;
using Brivant::Collections::TCountedPointerArray;
using Brivant::GUI::Graphics::CBaseImage;
using Brivant::GUI::Graphics::CImageManager;
using Brivant::GUI::Graphics::CJPEGImage;
using Brivant::GUI::Graphics::CPNGImage;
using Brivant::GUI::Graphics::CTGAImage;
using Brivant::GUI::Graphics::IImage;
using VolturaTests::CCountChange;
using VolturaTests::CGdiplusProbe;
using VolturaTests::CImageManagerFixture;
using VolturaTests::CTemporaryFolder;
using VolturaTests::SPixel;

constexpr std::uint32_t kSeed = 0x5EED1234u;

// Changes a valid file the ways damaged or hostile files differ from good ones.
class CMutator
{
public:
    explicit CMutator(std::uint32_t seed) : m_random(seed) {}

    std::string mutate(const std::string& original)
    {
        std::string bytes = original;
        const long changes = 1 + pick(3);
        for (long change = 0; change < changes; ++change)
        {
            switch (pick(6))
            {
            case 0: // Cut short anywhere, the header included.
                bytes.resize(static_cast<size_t>(pick(static_cast<long>(bytes.size()) + 1)));
                break;
            case 1: // A few bytes anywhere.
                for (long count = 1 + pick(8); count > 0 && !bytes.empty(); --count)
                    bytes[at(bytes)] = static_cast<char>(pick(256));
                break;
            case 2: // The header's fields: sizes, types and lengths live in the first bytes.
                for (long count = 1 + pick(4); count > 0 && !bytes.empty(); --count)
                    bytes[static_cast<size_t>(pick(std::min<long>(40, static_cast<long>(bytes.size()))))] =
                        static_cast<char>(pick(2) == 0 ? 0xFF : pick(256));
                break;
            case 3: // Bytes inserted.
                bytes.insert(bytes.empty() ? 0 : at(bytes), std::string(static_cast<size_t>(1 + pick(16)),
                                                                        static_cast<char>(pick(256))));
                break;
            case 4: // A run repeated.
                if (!bytes.empty())
                {
                    const size_t from = at(bytes);
                    bytes.insert(at(bytes), bytes.substr(from, static_cast<size_t>(1 + pick(64))));
                }
                break;
            default: // A run removed.
                if (!bytes.empty())
                    bytes.erase(at(bytes), static_cast<size_t>(1 + pick(32)));
                break;
            }
        }
        return bytes;
    }

    // The text mutations also draw from the characters that mean something in the two formats.
    std::string mutateText(const std::string& original)
    {
        static const char kMeaningful[] = "<>/\"=,#{}\n\r\t -1&;";
        std::string text = mutate(original);
        for (long count = pick(4); count > 0; --count)
            text.insert(text.empty() ? 0 : at(text), 1, kMeaningful[pick(sizeof(kMeaningful) - 1)]);
        return text;
    }

private:
    long pick(long count) { return static_cast<long>(m_random() % static_cast<std::uint32_t>(count)); }
    size_t at(const std::string& bytes) { return static_cast<size_t>(pick(static_cast<long>(bytes.size()))); }

    std::mt19937 m_random;
};

class CImageRobustnessTest : public CImageManagerFixture
{
protected:
    CImageRobustnessTest()
        : m_mutator(kSeed), m_tga(CTGAImage::classRecord()), m_png(CPNGImage::classRecord()),
          m_jpeg(CJPEGImage::classRecord()), m_references(CImageManager::CImageReference::classRecord()),
          m_strips(CImageManager::CAnimationReference::classRecord())
    {
    }

    void SetUp() override { ASSERT_TRUE(m_probe.isActive()); }

    // Loads the bytes through the factory as the named file and checks the answer is sound.
    void loadMutation(const char* name, const std::string& bytes, long iteration)
    {
        const std::string path = file(name);
        CTemporaryFolder::writeBytes(path, bytes);
        IImage* image = CImageManager::createImage(CSystemString(path.c_str()));
        ASSERT_NE(nullptr, image) << name << " #" << iteration;
        image->referenced();
        HBITMAP bitmap = image->getNativeImage();
        if (image->hasImageLoaded())
        {
            ++m_loaded;
            const long width = image->getImageSize().getWidth();
            const long height = image->getImageSize().getHeight();
            EXPECT_TRUE(CBaseImage::isSaneSize(static_cast<std::uint64_t>(width), static_cast<std::uint64_t>(height)))
                << name << " #" << iteration;
            BITMAP described = {};
            ASSERT_EQ(static_cast<int>(sizeof(described)), GetObjectA(bitmap, sizeof(described), &described))
                << name << " #" << iteration;
            EXPECT_EQ(width, described.bmWidth) << name << " #" << iteration;
            EXPECT_EQ(height, std::labs(described.bmHeight)) << name << " #" << iteration;
        }
        else
        {
            ++m_refused;
            const auto* base = dynamic_cast<const CBaseImage*>(image);
            ASSERT_NE(nullptr, base);
            EXPECT_STRNE(" ", base->getLastError().getString()) << name << " #" << iteration;
            EXPECT_EQ(nullptr, bitmap) << name << " #" << iteration;
        }
        image->dereference();
        if (bitmap != nullptr)
        {
            EXPECT_EQ(0, GetObjectType(bitmap)) << name << " #" << iteration << ": bitmap left behind";
        }
    }

    void fuzzPicture(const char* name, const std::string& valid, long iterations)
    {
        loadMutation(name, valid, -1);
        for (long iteration = 0; iteration < iterations && !HasFatalFailure(); ++iteration)
            loadMutation(name, m_mutator.mutate(valid), iteration);
        expectNothingLeft();
    }

    void expectNothingLeft() const
    {
        EXPECT_EQ(0, m_probe.openSessions()) << "GDI+ left started";
        EXPECT_EQ(0, m_probe.liveBitmaps()) << "GDI+ bitmaps left undisposed";
        EXPECT_EQ(0, m_tga.live());
        EXPECT_EQ(0, m_png.live());
        EXPECT_EQ(0, m_jpeg.live());
        EXPECT_EQ(0, m_references.live());
        EXPECT_EQ(0, m_strips.live());
    }

    CMutator m_mutator;
    CGdiplusProbe m_probe;
    CCountChange m_tga;
    CCountChange m_png;
    CCountChange m_jpeg;
    CCountChange m_references;
    CCountChange m_strips;
    long m_loaded = 0;
    long m_refused = 0;
};

std::uint32_t gradient(long x, long y)
{
    return static_cast<std::uint32_t>((x * 16) << 24 | (y * 16) << 16 | (x * y) << 8 | 0x40) | 0x01000000u;
}

TEST_F(CImageRobustnessTest, mutatedTargaFilesLoadSoundly)
{
    std::vector<SPixel> pixels;
    for (unsigned index = 0; index < 16 * 12; ++index)
        pixels.push_back({index & 0xFF, (index * 7) & 0xFF, (index * 13) & 0xFF, (index * 29) & 0xFF});

    fuzzPicture("fuzz.tga", VolturaTests::targaFile(16, 12, pixels), 2000);

    // Both kinds of answer were reached, so the mutations neither all broke nor all spared the files.
    EXPECT_GT(m_loaded, 100);
    EXPECT_GT(m_refused, 100);
}

TEST_F(CImageRobustnessTest, mutatedPngFilesLoadSoundly)
{
    ASSERT_TRUE(VolturaTests::writePng(file("valid.png"), 16, 12, gradient));

    fuzzPicture("fuzz.png", CTemporaryFolder::readBytes(file("valid.png")), 1000);

    // GDI+ checks every chunk's CRC, so few damaged files still decode.
    EXPECT_GT(m_loaded, 5);
    EXPECT_GT(m_refused, 100);
}

TEST_F(CImageRobustnessTest, mutatedJpegFilesLoadSoundly)
{
    ASSERT_TRUE(VolturaTests::writeJpeg(file("valid.jpg"), 16, 12, gradient));

    fuzzPicture("fuzz.jpg", CTemporaryFolder::readBytes(file("valid.jpg")), 1000);

    EXPECT_GT(m_loaded, 20);
    EXPECT_GT(m_refused, 100);
}

TEST_F(CImageRobustnessTest, mutatedImageSetsAndSkinsLoadSoundly)
{
    writeTarga("a.tga", 2, 2);
    writeTarga("knobs\\knob.tga", 4, 16);
    const std::string imageSet = "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n"
                                 "<image_manager_root>\r\n"
                                 "\t<images>\r\n"
                                 "\t\t<image relative_path=\"{}\" filename=\"a.tga\" reference_name=\"a\"/>\r\n"
                                 "\t</images>\r\n"
                                 "\t<animations>\r\n"
                                 "\t\t<image relative_path=\"knobs\" filename=\"knob.tga\" reference_name=\"k\" "
                                 "frame_height=\"-1\" number_of_frames=\"-1\"/>\r\n"
                                 "\t</animations>\r\n"
                                 "</image_manager_root>";
    const std::string skin = "<start_skin>\r\n# skin\r\n<images>\r\n{},a.tga,a\r\n<animations>\r\n"
                             "knobs,knob.tga,k,-1,-1\r\nknobs,knob.tga,j,4,2\r\n<end_skin>\r\n";
    long registered = 0;
    for (long iteration = 0; iteration < 1500; ++iteration)
    {
        const bool asSkin = iteration % 2 == 1;
        writeText("set.txt", m_mutator.mutateText(asSkin ? skin : imageSet));
        const CSystemString path(file("set.txt").c_str());
        if (asSkin)
            CImageManager::loadFromDefinitionFile(path);
        else
            CImageManager::loadFromXMLFile(path);
        TCountedPointerArray<CString> names;
        CImageManager::getAllNames(names);
        registered += names.getInsertIndex();
        for (long index = 0; index < names.getInsertIndex(); ++index)
        {
            long frameHeight = 0;
            long frames = 0;
            const CString& name = *names.getElementAt(index);
            EXPECT_TRUE(CImageManager::getImage(name) != nullptr ||
                        CImageManager::getAnimation(name, frameHeight, frames) != nullptr)
                << iteration;
        }
        CImageManager::clear();
    }

    EXPECT_GT(registered, 100);
    expectNothingLeft();
}
} // namespace
