// CImageManager's two file forms: the image-set XML file (its exact layout, a round trip, the root it insists on,
// entries it skips and traces) and the skin definition text file (the example skin, its sections, comments, the
// entries it refuses and traces, and the hand-over to the XML reader).
#include "gui/core/CImageManager.hpp"

#include "foundation/io/CXMLNode.hpp"
#include "foundation/mathtools/CDimension.hpp"
#include "gui/core/IImage.hpp"
#include "tests/gui/core/CImageManagerFixture.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
using Brivant::Basics::CString;
using Brivant::Basics::CSystemString;
using Brivant::Collections::TCountedPointerArray;
using Brivant::GUI::Graphics::CImageManager;
using Brivant::GUI::Graphics::IImage;
using Brivant::IO::CXMLNode;
using Brivant::MathTools::CDimension;
using VolturaTests::CImageManagerFixture;
using VolturaTests::CTemporaryFolder;
using VolturaTests::namesOf;

using Names = std::vector<std::string>;

const std::string kHeader = "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n";

Names allNames()
{
    TCountedPointerArray<CString> names;
    CImageManager::getAllNames(names);
    return namesOf(names);
}

class CImageManagerFilesTest : public CImageManagerFixture
{
protected:
    CSystemString pathOf(const char* relative) const { return CSystemString(file(relative).c_str()); }

    bool loadXml(const std::string& text)
    {
        writeText("set.xml", text);
        return CImageManager::loadFromXMLFile(pathOf("set.xml"));
    }

    bool loadSkin(const std::string& text)
    {
        writeText("skin.txt", text);
        return CImageManager::loadFromDefinitionFile(pathOf("skin.txt"));
    }

    static long framesOf(const char* name)
    {
        long frameHeight = -5;
        long frames = -5;
        CImageManager::getAnimation(CString(name), frameHeight, frames);
        return frames;
    }
};

// ---- The image-set XML file ----

TEST_F(CImageManagerFilesTest, savedSetHasOneElementPerEntryInEntryOrder)
{
    writeTarga("a.tga", 1, 1);
    writeTarga("knobs\\knob.tga", 20, 60);
    CImageManager::addImage(CString("{}"), CString("a.tga"), CString("background"));
    CImageManager::addAnimation(CString("knobs"), CString("knob.tga"), CString("knob"), -1, -1);
    CImageManager::addAnimation(CString("knobs"), CString("knob.tga"), CString("slow \"knob\""), 10, 4);

    ASSERT_TRUE(CImageManager::saveToFile(pathOf("set.xml")));

    EXPECT_EQ(kHeader + "<image_manager_root>\r\n"
                        "\t<images>\r\n"
                        "\t\t<image relative_path=\"{}\" filename=\"a.tga\" reference_name=\"background\"/>\r\n"
                        "\t</images>\r\n"
                        "\t<animations>\r\n"
                        "\t\t<image relative_path=\"knobs\" filename=\"knob.tga\" reference_name=\"knob\" "
                        "frame_height=\"20\" number_of_frames=\"3\"/>\r\n"
                        "\t\t<image relative_path=\"knobs\" filename=\"knob.tga\" "
                        "reference_name=\"slow &quot;knob&quot;\" frame_height=\"10\" number_of_frames=\"4\"/>\r\n"
                        "\t</animations>\r\n"
                        "</image_manager_root>",
              CTemporaryFolder::readBytes(file("set.xml")));
}

TEST_F(CImageManagerFilesTest, emptyRegistrySavesTwoEmptyLists)
{
    ASSERT_TRUE(CImageManager::saveToFile(pathOf("set.xml")));

    EXPECT_EQ(kHeader + "<image_manager_root>\r\n\t<images/>\r\n\t<animations/>\r\n</image_manager_root>",
              CTemporaryFolder::readBytes(file("set.xml")));
}

TEST_F(CImageManagerFilesTest, savedSetLoadsBackTheSameEntries)
{
    writeTarga("a.tga", 3, 3);
    writeTarga("knobs\\knob.tga", 20, 60);
    CImageManager::addImage(CString("{}"), CString("a.tga"), CString("background"));
    CImageManager::addImage(CString("knobs"), CString("knob.tga"), CString("still knob"));
    CImageManager::addAnimation(CString("knobs"), CString("knob.tga"), CString("knob"), -1, -1);
    CImageManager::addAnimation(CString("knobs"), CString("knob.tga"), CString("halves"), 30, 2);
    ASSERT_TRUE(CImageManager::saveToFile(pathOf("set.xml")));
    CImageManager::clear();

    ASSERT_TRUE(CImageManager::loadFromXMLFile(pathOf("set.xml")));

    EXPECT_EQ((Names{"background", "still knob", "knob", "halves"}), allNames());
    const CImageManager::CImageReference* still = CImageManager::getImageReference(CString("still knob"));
    ASSERT_NE(nullptr, still);
    EXPECT_STREQ("knobs", still->getRelativePath().getString());
    EXPECT_STREQ("knob.tga", still->getFileName().getString());
    EXPECT_TRUE(still->getImage()->hasImageLoaded());
    const CImageManager::CAnimationReference* halves = CImageManager::getAnimationReference(CString("halves"));
    ASSERT_NE(nullptr, halves);
    EXPECT_EQ(30, halves->getFrameHeight());
    EXPECT_EQ(2, halves->getNumberOfFrames());
    EXPECT_EQ(3, framesOf("knob"));
}

TEST_F(CImageManagerFilesTest, otherRootNameLoadsNothing)
{
    writeTarga("a.tga", 1, 1);

    EXPECT_FALSE(loadXml(kHeader + "<images_root>\n\t<images>\n"
                                   "\t\t<image relative_path=\"{}\" filename=\"a.tga\" reference_name=\"a\"/>\n"
                                   "\t</images>\n</images_root>"));
    EXPECT_TRUE(allNames().empty());
}

TEST_F(CImageManagerFilesTest, unreadableFileLoadsNothing)
{
    EXPECT_FALSE(CImageManager::loadFromXMLFile(pathOf("missing.xml")));
    EXPECT_FALSE(loadXml("plain text, no XML header"));
    EXPECT_TRUE(allNames().empty());
}

TEST_F(CImageManagerFilesTest, failedEntriesAreTracedAndSkipped)
{
    writeTarga("a.tga", 1, 1);
    writeTarga("s.tga", 2, 8);

    EXPECT_TRUE(loadXml(kHeader + "<image_manager_root>\n"
                                  "\t<images>\n"
                                  "\t\t<image relative_path=\"{}\" filename=\"missing.tga\" reference_name=\"m\"/>\n"
                                  "\t\t<image relative_path=\"{}\" filename=\"a.tga\"/>\n"
                                  "\t\t<image relative_path=\"{}\" filename=\"a.tga\" reference_name=\"a\"/>\n"
                                  "\t</images>\n"
                                  "\t<animations>\n"
                                  "\t\t<image relative_path=\"{}\" filename=\"s.tga\" reference_name=\"s\"/>\n"
                                  "\t\t<image relative_path=\"{}\" filename=\"s.tga\" reference_name=\"t\" "
                                  "frame_height=\"-1\" number_of_frames=\"-1\"/>\n"
                                  "\t</animations>\n"
                                  "</image_manager_root>"));

    EXPECT_EQ((Names{"a", "t"}), allNames());
    EXPECT_EQ(4, framesOf("t"));
    const std::string trace = traceLog();
    EXPECT_NE(std::string::npos, trace.find("Failed to load image with filename missing.tga"));
    EXPECT_NE(std::string::npos, trace.find("Failed to load image with filename a.tga"));
    EXPECT_NE(std::string::npos, trace.find("Failed to load animation with filename s.tga"));
}

TEST_F(CImageManagerFilesTest, elementNamesInsideTheListsAreNotChecked)
{
    writeTarga("a.tga", 1, 1);

    EXPECT_TRUE(loadXml(kHeader + "<image_manager_root>\n\t<images>\n"
                                  "\t\t<picture relative_path=\"{}\" filename=\"a.tga\" reference_name=\"a\"/>\n"
                                  "\t</images>\n</image_manager_root>"));

    EXPECT_EQ((Names{"a"}), allNames());
}

TEST_F(CImageManagerFilesTest, rootWithoutListsIsAcceptedEmpty)
{
    EXPECT_TRUE(loadXml(kHeader + "<image_manager_root/>"));
    EXPECT_TRUE(allNames().empty());
}

TEST_F(CImageManagerFilesTest, nodeFormsRefuseANullNode)
{
    EXPECT_FALSE(CImageManager::readFromXMLNode(nullptr));
    EXPECT_FALSE(CImageManager::writeToXMLNode(nullptr));
}

TEST_F(CImageManagerFilesTest, writtenNodeReadsBackAsAnImageSet)
{
    writeTarga("a.tga", 1, 1);
    CImageManager::addImage(CString("{}"), CString("a.tga"), CString("a"));
    CXMLNode* node = new CXMLNode(CString("anything"), nullptr);
    node->referenced();

    ASSERT_TRUE(CImageManager::writeToXMLNode(node));
    CImageManager::clear();
    EXPECT_TRUE(CImageManager::readFromXMLNode(node));

    EXPECT_STREQ("image_manager_root", node->getNodeName().getString());
    EXPECT_EQ((Names{"a"}), allNames());
    node->dereference();
}

// ---- The skin definition text file ----

TEST_F(CImageManagerFilesTest, exampleSkinRegistersItsImageAndFilmStrip)
{
    ASSERT_TRUE(VolturaTests::writePng(file("background.png"), 30, 20, [](long, long) { return 0xFF102030u; }));
    makeFolders("knobs\\knob.png");
    ASSERT_TRUE(VolturaTests::writePng(file("knobs\\knob.png"), 16, 64, [](long, long) { return 0x80FFFFFFu; }));

    EXPECT_TRUE(loadSkin("<start_skin>\n"
                         "# The example skin\n"
                         "<images>\n"
                         "{},background.png,background\n"
                         "<animations>\n"
                         "knobs,knob.png,knob,-1,-1\n"
                         "<end_skin>\n"));

    IImage* background = CImageManager::getImage(CString("background"));
    ASSERT_NE(nullptr, background);
    EXPECT_EQ(CDimension(30, 20), background->getImageSize());
    long frameHeight = 0;
    long frames = 0;
    IImage* knob = CImageManager::getAnimation(CString("knob"), frameHeight, frames);
    ASSERT_NE(nullptr, knob);
    EXPECT_TRUE(knob->hasImageLoaded());
    EXPECT_EQ(16, frameHeight);
    EXPECT_EQ(4, frames);
}

TEST_F(CImageManagerFilesTest, blanksAroundLinesAndBeforeTokensAreIgnored)
{
    writeTarga("a.tga", 1, 1);
    writeTarga("s.tga", 2, 6);

    EXPECT_TRUE(loadSkin("<start_skin>\r\n"
                         "   <images>\t\r\n"
                         "  {},  a.tga,\ta  \r\n"
                         "\t<animations>\r\n"
                         " {}, s.tga, s,  2,   3 \r\n"
                         "<end_skin>\r\n"));

    EXPECT_EQ((Names{"a", "s"}), allNames());
    EXPECT_EQ(3, framesOf("s"));
}

TEST_F(CImageManagerFilesTest, firstLineWithATrailingBlankIsReadAsXml)
{
    writeTarga("a.tga", 1, 1);

    EXPECT_FALSE(loadSkin("<start_skin> \n<images>\n{},a.tga,a\n<end_skin>\n"));
    EXPECT_TRUE(allNames().empty());
}

TEST_F(CImageManagerFilesTest, imageSetXmlIsReadThroughTheSkinReader)
{
    writeTarga("a.tga", 1, 1);
    CImageManager::addImage(CString("{}"), CString("a.tga"), CString("a"));
    ASSERT_TRUE(CImageManager::saveToFile(pathOf("set.xml")));
    CImageManager::clear();

    EXPECT_TRUE(CImageManager::loadFromDefinitionFile(pathOf("set.xml")));
    EXPECT_EQ((Names{"a"}), allNames());
    EXPECT_FALSE(CImageManager::loadFromDefinitionFile(pathOf("missing.txt")));
}

TEST_F(CImageManagerFilesTest, wrongNumberOfTokensIsAFailureButLoadingGoesOn)
{
    writeTarga("a.tga", 1, 1);

    EXPECT_FALSE(loadSkin("<start_skin>\n<images>\n  {},a.tga \n{},a.tga,a\n<animations>\n\t{},a.tga,s,1\n"
                          "{},a.tga,t,1,1\n<end_skin>\n"));

    EXPECT_EQ((Names{"a", "t"}), allNames());
    // Each failed line is traced as the file has it, blanks and all.
    const std::string trace = traceLog();
    EXPECT_NE(std::string::npos, trace.find("Failed to load image with buffer   {},a.tga \r\n"));
    EXPECT_NE(std::string::npos, trace.find("Failed to load animation with buffer \t{},a.tga,s,1\r\n"));
}

TEST_F(CImageManagerFilesTest, entriesWhoseFileIsMissingAreFailures)
{
    EXPECT_FALSE(loadSkin("<start_skin>\n<images>\n{},missing.tga,m\n<end_skin>\n"));
    EXPECT_NE(std::string::npos, traceLog().find("Failed to load image with filename missing.tga"));

    EXPECT_FALSE(loadSkin("<start_skin>\n<animations>\n{},gone.tga,g,-1,-1\n<end_skin>\n"));
    EXPECT_NE(std::string::npos, traceLog().find("Failed to load animation with buffer {},gone.tga,g,-1,-1"));
    EXPECT_TRUE(allNames().empty());
}

TEST_F(CImageManagerFilesTest, linesBeforeAnySectionAreTracedButNoFailure)
{
    writeTarga("a.tga", 1, 1);

    EXPECT_TRUE(loadSkin("<start_skin>\n hello there\n\n<images>\n{},a.tga,a\n<end_skin>\n"));

    EXPECT_EQ((Names{"a"}), allNames());
    EXPECT_NE(std::string::npos, traceLog().find("Unknown line with buffer  hello there\r\n"));
}

TEST_F(CImageManagerFilesTest, blankLineInsideASectionIsAFailure)
{
    writeTarga("a.tga", 1, 1);

    EXPECT_FALSE(loadSkin("<start_skin>\n<images>\n{},a.tga,a\n   \n<end_skin>\n"));
    EXPECT_EQ((Names{"a"}), allNames());
}

TEST_F(CImageManagerFilesTest, commentsAndLinesAfterTheEndAreSkipped)
{
    writeTarga("a.tga", 1, 1);

    EXPECT_TRUE(loadSkin("<start_skin>\n<images>\n# {},a.tga,commented\n  #indented comment\n{},a.tga,a\n"
                         "<end_skin>\n{},a.tga,after\nnot an entry\n"));

    EXPECT_EQ((Names{"a"}), allNames());
}

TEST_F(CImageManagerFilesTest, lastLineNeedsNoLineEnd)
{
    writeTarga("a.tga", 1, 1);

    EXPECT_TRUE(loadSkin("<start_skin>\n<images>\n{},a.tga,a"));
    EXPECT_EQ((Names{"a"}), allNames());
}

TEST_F(CImageManagerFilesTest, skinReadWhileClosedRegistersNothing)
{
    writeTarga("a.tga", 1, 1);
    CImageManager::releaseImageManager();

    EXPECT_FALSE(loadSkin("<start_skin>\n<images>\n{},a.tga,a\n<end_skin>\n"));
    EXPECT_FALSE(loadXml(kHeader + "<image_manager_root/>"));
    EXPECT_TRUE(allNames().empty());
}
} // namespace
