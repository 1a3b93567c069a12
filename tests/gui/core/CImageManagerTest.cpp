// CImageManager's factory and registry: the class chosen by extension, path resolution against the image folder,
// film strips and their derived frames, look-ups by name, clearing and releasing, the registry closed before
// initialisation and after release, and the GUI resources that open and release it.
#include "gui/core/CImageManager.hpp"

#include "gui/core/CGuiResources.hpp"
#include "gui/core/CJPEGImage.hpp"
#include "gui/core/CPNGImage.hpp"
#include "gui/core/CTGAImage.hpp"
#include "gui/core/IImage.hpp"
#include "tests/foundation/basics/CCountChange.hpp"
#include "tests/gui/core/CImageManagerFixture.hpp"
#include "tests/gui/core/CImportPatch.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace
{
using Brivant::Basics::CClass;
using Brivant::Basics::CString;
using Brivant::Basics::CSystemString;
using Brivant::Collections::TCountedPointerArray;
using Brivant::GUI::Graphics::CImageManager;
using Brivant::GUI::Graphics::CJPEGImage;
using Brivant::GUI::Graphics::CPNGImage;
using Brivant::GUI::Graphics::CTGAImage;
using Brivant::GUI::Graphics::IImage;
using Brivant::GUI::Windowing::CGuiResources;
using Brivant::MathTools::CDimension;
using VolturaTests::CCountChange;
using VolturaTests::CImageManagerFixture;
using VolturaTests::namesOf;

using Names = std::vector<std::string>;

// Deletes a factory-made image (reference count 0) at the end of the test.
struct SImageDeleter
{
    void operator()(IImage* image) const
    {
        if (image != nullptr)
        {
            image->referenced();
            image->dereference();
        }
    }
};
using ImagePointer = std::unique_ptr<IImage, SImageDeleter>;

std::uint32_t grey(long /*x*/, long /*y*/) { return 0xFF808080u; }

// ---- The factory ----

class CImageManagerFactoryTest : public CImageManagerFixture
{
};

TEST_F(CImageManagerFactoryTest, classIsChosenByExtensionInAnyCase)
{
    struct SCase
    {
        const char* name;
        const CClass* record;
    };
    const SCase cases[] = {{"a.jpg", &CJPEGImage::classRecord()},  {"b.jpeg", &CJPEGImage::classRecord()},
                           {"c.JPG", &CJPEGImage::classRecord()},  {"d.JPEG", &CJPEGImage::classRecord()},
                           {"e.tga", &CTGAImage::classRecord()},   {"f.TGA", &CTGAImage::classRecord()},
                           {"g.png", &CPNGImage::classRecord()},   {"h.PNG", &CPNGImage::classRecord()},
                           {"i.Jpeg", &CJPEGImage::classRecord()}, {"j.Png", &CPNGImage::classRecord()}};
    for (const SCase& test : cases)
    {
        const std::string name = test.name;
        if (test.record == &CTGAImage::classRecord())
            writeTarga(name, 2, 2);
        else if (test.record == &CPNGImage::classRecord())
            ASSERT_TRUE(VolturaTests::writePng(file(name), 2, 2, grey));
        else
            ASSERT_TRUE(VolturaTests::writeJpeg(file(name), 2, 2, grey));

        ImagePointer image(CImageManager::createImage(CSystemString(file(name).c_str())));

        ASSERT_NE(nullptr, image) << name;
        EXPECT_EQ(*test.record, image->getClass()) << name;
        EXPECT_TRUE(image->hasImageLoaded()) << name;
        EXPECT_EQ(0, image->getReferenceCount()) << name;
    }
}

TEST_F(CImageManagerFactoryTest, otherExtensionGivesNoImage)
{
    for (const char* name : {"a.bmp", "b.gif", "tga.txt", "noextension"})
    {
        writeTarga(name, 1, 1);
        EXPECT_EQ(nullptr, CImageManager::createImage(CSystemString(file(name).c_str()))) << name;
    }
}

TEST_F(CImageManagerFactoryTest, missingFileOrFolderGivesNoImage)
{
    CreateDirectoryA(file("folder.png").c_str(), nullptr);

    EXPECT_EQ(nullptr, CImageManager::createImage(CSystemString(file("missing.png").c_str())));
    EXPECT_EQ(nullptr, CImageManager::createImage(CSystemString(file("folder.png").c_str())));
}

TEST_F(CImageManagerFactoryTest, imageThatFailsToLoadIsStillMade)
{
    writeText("broken.tga", "not a picture");

    ImagePointer image(CImageManager::createImage(CSystemString(file("broken.tga").c_str())));

    ASSERT_NE(nullptr, image);
    EXPECT_FALSE(image->hasImageLoaded());
}

TEST_F(CImageManagerFactoryTest, folderAndFileNameAreJoined)
{
    writeTarga("a.tga", 3, 1);

    ImagePointer image(CImageManager::createImage(folder(), CString("a.tga")));

    ASSERT_NE(nullptr, image);
    EXPECT_STREQ(file("a.tga").c_str(), image->getFilename().getString());
}

TEST_F(CImageManagerFactoryTest, blankFolderStandsForNone)
{
    writeTarga("a.tga", 3, 1);

    ImagePointer image(CImageManager::createImage(CSystemString(" "), CString(file("a.tga").c_str())));

    ASSERT_NE(nullptr, image);
    EXPECT_TRUE(image->hasImageLoaded());
}

// ---- Registering images ----

class CImageManagerRegistryTest : public CImageManagerFixture
{
};

TEST_F(CImageManagerRegistryTest, braceRelativePathLoadsFromTheFolderItself)
{
    writeTarga("a.tga", 4, 2);

    ASSERT_TRUE(CImageManager::addImage(CString("{}"), CString("a.tga"), CString("first")));

    IImage* image = CImageManager::getImage(CString("first"));
    ASSERT_NE(nullptr, image);
    EXPECT_STREQ(file("a.tga").c_str(), image->getFilename().getString());
    EXPECT_EQ(CDimension(4, 2), image->getImageSize());
}

TEST_F(CImageManagerRegistryTest, relativePathIsAFolderBelowTheImageFolder)
{
    writeTarga("sub\\dir\\a.tga", 2, 2);

    ASSERT_TRUE(CImageManager::addImage(CString("sub/dir"), CString("a.tga"), CString("nested")));

    const CImageManager::CImageReference* entry = CImageManager::getImageReference(CString("nested"));
    ASSERT_NE(nullptr, entry);
    EXPECT_STREQ(file("sub\\dir\\a.tga").c_str(), entry->getImage()->getFilename().getString());
    EXPECT_TRUE(entry->getImage()->hasImageLoaded());
    EXPECT_STREQ("sub/dir", entry->getRelativePath().getString());
    EXPECT_STREQ("a.tga", entry->getFileName().getString());
    EXPECT_EQ(1, entry->getImage()->getReferenceCount());
}

TEST_F(CImageManagerRegistryTest, folderEndingInASeparatorGetsNoSecondOne)
{
    writeTarga("a.tga", 2, 2);
    CImageManager::setPath(CSystemString((m_folder.path() + "\\").c_str()));

    ASSERT_TRUE(CImageManager::addImage(CString("{}"), CString("a.tga"), CString("a")));

    EXPECT_STREQ(file("a.tga").c_str(), CImageManager::getImage(CString("a"))->getFilename().getString());
}

TEST_F(CImageManagerRegistryTest, unsetFolderTakesTheRelativePathAsItStands)
{
    writeTarga("a.tga", 2, 2);
    CImageManager::releaseImageManager();
    CImageManager::initialise();
    ASSERT_STREQ(" ", CImageManager::getPath().getString());

    EXPECT_TRUE(CImageManager::addImage(CString(m_folder.path().c_str()), CString("a.tga"), CString("a")));
    EXPECT_TRUE(CImageManager::getImage(CString("a"))->hasImageLoaded());
}

TEST_F(CImageManagerRegistryTest, missingFileIsNotRegistered)
{
    EXPECT_FALSE(CImageManager::addImage(CString("{}"), CString("missing.tga"), CString("missing")));
    EXPECT_FALSE(CImageManager::addImage(CString("{}"), CString("notes.txt"), CString("notes")));

    EXPECT_EQ(nullptr, CImageManager::getImageReference(CString("missing")));
    TCountedPointerArray<CString> names;
    CImageManager::getAllNames(names);
    EXPECT_TRUE(namesOf(names).empty());
}

TEST_F(CImageManagerRegistryTest, fileThatFailsToLoadIsStillRegistered)
{
    writeText("broken.png", "not a picture");

    EXPECT_TRUE(CImageManager::addImage(CString("{}"), CString("broken.png"), CString("broken")));

    IImage* image = CImageManager::getImage(CString("broken"));
    ASSERT_NE(nullptr, image);
    EXPECT_FALSE(image->hasImageLoaded());
}

TEST_F(CImageManagerRegistryTest, firstOfTwoEqualNamesIsFound)
{
    writeTarga("a.tga", 1, 1);
    writeTarga("b.tga", 2, 2);
    CImageManager::addImage(CString("{}"), CString("a.tga"), CString("twin"));
    CImageManager::addImage(CString("{}"), CString("b.tga"), CString("twin"));

    EXPECT_EQ(CDimension(1, 1), CImageManager::getImage(CString("twin"))->getImageSize());
    TCountedPointerArray<CString> names;
    CImageManager::getImageNames(names);
    EXPECT_EQ((Names{"twin", "twin"}), namesOf(names));
}

TEST_F(CImageManagerRegistryTest, namesMatchExactly)
{
    writeTarga("a.tga", 1, 1);
    CImageManager::addImage(CString("{}"), CString("a.tga"), CString("Knob"));

    EXPECT_EQ(nullptr, CImageManager::getImage(CString("knob")));
    EXPECT_EQ(nullptr, CImageManager::getImage(CString("Knob ")));
}

// ---- Film strips ----

TEST_F(CImageManagerRegistryTest, filmStripOfSquareFramesIsDerivedFromTheImage)
{
    writeTarga("strip.tga", 40, 400);

    ASSERT_TRUE(CImageManager::addAnimation(CString("{}"), CString("strip.tga"), CString("knob"), -1, 5));
    ASSERT_TRUE(CImageManager::addAnimation(CString("{}"), CString("strip.tga"), CString("other"), 7, -1));

    long frameHeight = 0;
    long frames = 0;
    EXPECT_NE(nullptr, CImageManager::getAnimation(CString("knob"), frameHeight, frames));
    EXPECT_EQ(40, frameHeight);
    EXPECT_EQ(10, frames);
    CImageManager::getAnimation(CString("other"), frameHeight, frames);
    EXPECT_EQ(40, frameHeight);
    EXPECT_EQ(10, frames);
}

TEST_F(CImageManagerRegistryTest, filmStripKeepsTheNumbersGiven)
{
    writeTarga("strip.tga", 40, 400);
    ASSERT_TRUE(CImageManager::addAnimation(CString("{}"), CString("strip.tga"), CString("knob"), 25, 16));

    long frameHeight = 0;
    long frames = 0;
    CImageManager::getAnimation(CString("knob"), frameHeight, frames);

    EXPECT_EQ(25, frameHeight);
    EXPECT_EQ(16, frames);
}

TEST_F(CImageManagerRegistryTest, filmStripOfAFailedImageHasNoFrames)
{
    writeText("broken.tga", "no header here");

    ASSERT_TRUE(CImageManager::addAnimation(CString("{}"), CString("broken.tga"), CString("broken"), -1, -1));

    long frameHeight = 99;
    long frames = 99;
    IImage* image = CImageManager::getAnimation(CString("broken"), frameHeight, frames);
    ASSERT_NE(nullptr, image);
    EXPECT_FALSE(image->hasImageLoaded());
    EXPECT_EQ(0, frameHeight);
    EXPECT_EQ(0, frames);
}

TEST_F(CImageManagerRegistryTest, filmStripsAndImagesAreLookedUpApart)
{
    writeTarga("a.tga", 1, 1);
    CImageManager::addImage(CString("{}"), CString("a.tga"), CString("still"));
    CImageManager::addAnimation(CString("{}"), CString("a.tga"), CString("strip"), 1, 1);

    long frameHeight = 77;
    long frames = 88;
    EXPECT_EQ(nullptr, CImageManager::getImage(CString("strip")));
    EXPECT_EQ(nullptr, CImageManager::getAnimation(CString("still"), frameHeight, frames));
    EXPECT_EQ(77, frameHeight);
    EXPECT_EQ(88, frames);
    EXPECT_EQ(nullptr, CImageManager::getAnimationReference(CString("still")));
    EXPECT_NE(nullptr, CImageManager::getAnimationReference(CString("strip")));
}

TEST_F(CImageManagerRegistryTest, referenceNameIsFoundForImagesThenFilmStrips)
{
    writeTarga("a.tga", 1, 1);
    CImageManager::addImage(CString("{}"), CString("a.tga"), CString("still"));
    CImageManager::addAnimation(CString("{}"), CString("a.tga"), CString("strip"), 1, 1);
    long frameHeight = 0;
    long frames = 0;
    IImage* still = CImageManager::getImage(CString("still"));
    IImage* strip = CImageManager::getAnimation(CString("strip"), frameHeight, frames);
    CTGAImage unregistered;

    EXPECT_STREQ("still", CImageManager::getReferenceName(still).getString());
    EXPECT_STREQ("strip", CImageManager::getReferenceName(strip).getString());
    EXPECT_STREQ(" ", CImageManager::getReferenceName(&unregistered).getString());
    EXPECT_STREQ(" ", CImageManager::getReferenceName(nullptr).getString());
}

TEST_F(CImageManagerRegistryTest, namesAreListedInEntryOrder)
{
    writeTarga("a.tga", 1, 1);
    for (const char* name : {"c", "a", "b"})
        CImageManager::addImage(CString("{}"), CString("a.tga"), CString(name));
    for (const char* name : {"z", "y"})
        CImageManager::addAnimation(CString("{}"), CString("a.tga"), CString(name), 1, 1);

    TCountedPointerArray<CString> images;
    TCountedPointerArray<CString> strips;
    TCountedPointerArray<CString> all;
    CImageManager::getImageNames(images);
    CImageManager::getAnimationNames(strips);
    CImageManager::getAllNames(all);

    EXPECT_EQ((Names{"c", "a", "b"}), namesOf(images));
    EXPECT_EQ((Names{"z", "y"}), namesOf(strips));
    EXPECT_EQ((Names{"c", "a", "b", "z", "y"}), namesOf(all));
}

TEST_F(CImageManagerRegistryTest, clearingDropsTheEntriesAndTheirImages)
{
    writeTarga("a.tga", 1, 1);
    const CCountChange images(CTGAImage::classRecord());
    CImageManager::addImage(CString("{}"), CString("a.tga"), CString("still"));
    CImageManager::addAnimation(CString("{}"), CString("a.tga"), CString("strip"), 1, 1);
    ASSERT_EQ(2, images.live());

    CImageManager::clearImages();
    EXPECT_EQ(nullptr, CImageManager::getImage(CString("still")));
    EXPECT_NE(nullptr, CImageManager::getAnimationReference(CString("strip")));
    EXPECT_EQ(1, images.live());

    CImageManager::clearAnimations();
    EXPECT_EQ(nullptr, CImageManager::getAnimationReference(CString("strip")));
    EXPECT_EQ(0, images.live());

    CImageManager::addImage(CString("{}"), CString("a.tga"), CString("again"));
    CImageManager::clear();
    EXPECT_EQ(0, images.live());
}

// Fails, on the thread that armed it, the allocations of one size: the size a full list of entries grows to.
class CFailingGrowth
{
public:
    explicit CFailingGrowth(std::size_t size)
    {
        s_size = size;
        s_thread = GetCurrentThreadId();
        s_failures = 0;
    }
    ~CFailingGrowth() { s_size = 0; }
    CFailingGrowth(const CFailingGrowth&) = delete;
    CFailingGrowth& operator=(const CFailingGrowth&) = delete;

    static void* __cdecl allocate(std::size_t size)
    {
        if (size == s_size && GetCurrentThreadId() == s_thread)
        {
            ++s_failures;
            return nullptr;
        }
        return s_malloc(size);
    }

    static inline std::size_t s_size = 0;
    static inline DWORD s_thread = 0;
    static inline int s_failures = 0;
    static inline void*(__cdecl* s_malloc)(std::size_t) = reinterpret_cast<void*(__cdecl*)(std::size_t)>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("msvcrt.dll"), "malloc")));
};

TEST_F(CImageManagerRegistryTest, anEntryTheListCannotTakeGoesWithItsImage)
{
    writeTarga("a.tga", 3, 3);
    for (bool animation : {false, true})
    {
        SCOPED_TRACE(animation ? "film strip" : "image");
        const auto add = [animation](const char* name) {
            return animation ? CImageManager::addAnimation(CString("{}"), CString("a.tga"), CString(name), 3, 1)
                             : CImageManager::addImage(CString("{}"), CString("a.tga"), CString(name));
        };
        const CCountChange images(CTGAImage::classRecord());
        const CCountChange entries(animation ? CImageManager::CAnimationReference::classRecord()
                                             : CImageManager::CImageReference::classRecord());
        // The list grows in steps of 32: the 33rd entry needs room for 64.
        for (int index = 0; index < 32; ++index)
            ASSERT_TRUE(add("full"));
        {
            const CFailingGrowth failing(64 * sizeof(void*));
            const VolturaTests::CImportPatch patch("msvcrt.dll", "malloc",
                                                   reinterpret_cast<void*>(&CFailingGrowth::allocate));
            ASSERT_TRUE(patch.isActive());
            EXPECT_FALSE(add("refused"));
            ASSERT_EQ(1, CFailingGrowth::s_failures) << "the list's growth is what failed";
        }
        EXPECT_EQ(32, images.live());
        EXPECT_EQ(32, entries.live());
        EXPECT_TRUE(add("after"));
        CImageManager::clear();
        EXPECT_EQ(0, images.live());
        EXPECT_EQ(0, entries.live());
    }
}

TEST_F(CImageManagerRegistryTest, imageKeptByAControlOutlivesItsEntry)
{
    writeTarga("a.tga", 1, 1);
    CImageManager::addImage(CString("{}"), CString("a.tga"), CString("still"));
    IImage* image = CImageManager::getImage(CString("still"));
    image->referenced();

    CImageManager::clear();

    EXPECT_EQ(1, image->getReferenceCount());
    EXPECT_TRUE(image->hasImageLoaded());
    image->dereference();
}

// ---- The registry closed ----

TEST_F(CImageManagerRegistryTest, releaseDropsEveryEntryTheFolderAndTheirImages)
{
    writeTarga("a.tga", 1, 1);
    const CCountChange images(CTGAImage::classRecord());
    const CCountChange references(CImageManager::CImageReference::classRecord());
    const CCountChange strips(CImageManager::CAnimationReference::classRecord());
    CImageManager::addImage(CString("{}"), CString("a.tga"), CString("still"));
    CImageManager::addAnimation(CString("{}"), CString("a.tga"), CString("strip"), 1, 1);

    CImageManager::releaseImageManager();

    EXPECT_FALSE(CImageManager::isInitialised());
    EXPECT_EQ(0, images.live());
    EXPECT_EQ(0, references.live());
    EXPECT_EQ(0, strips.live());
    EXPECT_STREQ(" ", CImageManager::getPath().getString());
}

TEST_F(CImageManagerRegistryTest, closedRegistryAnswersEmptyAndTakesNothing)
{
    writeTarga("a.tga", 1, 1);
    CImageManager::releaseImageManager();
    const CCountChange images(CTGAImage::classRecord());

    CImageManager::setPath(folder());
    EXPECT_FALSE(CImageManager::addImage(CString("{}"), CString(file("a.tga").c_str()), CString("a")));
    EXPECT_FALSE(CImageManager::addAnimation(CString("{}"), CString(file("a.tga").c_str()), CString("s"), -1, -1));
    long frameHeight = 5;
    long frames = 6;
    EXPECT_EQ(nullptr, CImageManager::getImage(CString("a")));
    EXPECT_EQ(nullptr, CImageManager::getAnimation(CString("s"), frameHeight, frames));
    EXPECT_EQ(nullptr, CImageManager::getImageReference(CString("a")));
    EXPECT_EQ(5, frameHeight);
    EXPECT_EQ(6, frames);
    EXPECT_STREQ(" ", CImageManager::getPath().getString());
    TCountedPointerArray<CString> names;
    CImageManager::getAllNames(names);
    EXPECT_TRUE(namesOf(names).empty());
    CImageManager::clear();
    EXPECT_EQ(0, images.live());

    // Opened again it starts empty: nothing said while closed was kept.
    CImageManager::initialise();
    EXPECT_STREQ(" ", CImageManager::getPath().getString());
    EXPECT_EQ(nullptr, CImageManager::getImage(CString("a")));
}

TEST_F(CImageManagerRegistryTest, initialisingTwiceKeepsTheEntries)
{
    writeTarga("a.tga", 1, 1);
    CImageManager::addImage(CString("{}"), CString("a.tga"), CString("a"));

    CImageManager::initialise();

    EXPECT_NE(nullptr, CImageManager::getImage(CString("a")));
    EXPECT_STREQ(m_folder.path().c_str(), CImageManager::getPath().getString());
}

TEST_F(CImageManagerRegistryTest, guiResourcesOpenAndReleaseTheRegistry)
{
    writeTarga("a.tga", 1, 1);
    CImageManager::releaseImageManager();
    const CCountChange images(CTGAImage::classRecord());

    CGuiResources::initialiseGuiResources();
    EXPECT_TRUE(CImageManager::isInitialised());
    CImageManager::setPath(folder());
    EXPECT_TRUE(CImageManager::addImage(CString("{}"), CString("a.tga"), CString("a")));

    CGuiResources::releaseGuiResources();
    EXPECT_FALSE(CImageManager::isInitialised());
    EXPECT_EQ(nullptr, CImageManager::getImage(CString("a")));
    EXPECT_EQ(0, images.live());
}
} // namespace
