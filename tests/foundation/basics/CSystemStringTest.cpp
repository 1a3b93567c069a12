// CSystemString: joining, file, folder, drive and extension parts, path components, and the class record.
#include "foundation/basics/CSystemString.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace
{
using Brivant::Basics::CString;
using Brivant::Basics::CSystemString;

// Runs a const query that writes into a string and answers what it wrote.
template <class Query>
std::string part(const char* path, Query query)
{
    const CSystemString text(path);
    CString out("unchanged");
    (text.*query)(out);
    return out.getString();
}

template <class Change>
std::string changed(const char* path, Change change)
{
    CSystemString text(path);
    change(text);
    return text.getString();
}

std::string component(const char* path, long index)
{
    const std::unique_ptr<CString> text(CSystemString(path).getPathComponent(index));
    return text ? text->getString() : "<null>";
}

TEST(CSystemStringTest, plusEqualsJoinsWithTheSeparatorAndAppendPathAddsOneOnlyWhenMissing)
{
    CSystemString path("C:\\dir");
    path += "file.txt";
    EXPECT_STREQ("C:\\dir\\file.txt", path.getString());
    path += CString("more");
    EXPECT_STREQ("C:\\dir\\file.txt\\more", path.getString());

    EXPECT_EQ("C:\\dir\\x", changed("C:\\dir\\", [](CSystemString& p) { p.appendPath(CString("x")); }));
    EXPECT_EQ("C:\\dir\\x", changed("C:\\dir", [](CSystemString& p) { p.appendPath(CString("x")); }));
    EXPECT_EQ("C:\\dir\\", changed("C:\\dir", [](CSystemString& p) { p.appendSeparator(); }));
    EXPECT_EQ("C:\\dirx", changed("C:\\dir", [](CSystemString& p) { p.appendString("x"); }));
}

TEST(CSystemStringTest, plusEqualsANullTextLeavesThePathAsItIs)
{
    EXPECT_EQ("C:\\dir", changed("C:\\dir", [](CSystemString& p) { p += static_cast<const char*>(nullptr); }));
}

TEST(CSystemStringTest, joiningAPathWithItselfReadsItBeforeChangingIt)
{
    CSystemString path("a\\b");
    path += path;
    EXPECT_STREQ("a\\b\\a\\b", path.getString());

    CSystemString text("folder");
    text += text.getString();
    EXPECT_STREQ("folder\\folder", text.getString());

    text = "x";
    text.appendPath(text);
    EXPECT_STREQ("x\\x", text.getString());
}

TEST(CSystemStringTest, plusEqualsThroughACStringReferenceStillJoinsAsAPath)
{
    CSystemString path("C:\\dir");
    CString& plain = path;
    plain += "file";
    EXPECT_STREQ("C:\\dir\\file", path.getString());
}

TEST(CSystemStringTest, fileNameExtensionFolderAndDriveOfAFullPath)
{
    EXPECT_EQ("file.txt", part("C:\\dir\\file.txt", &CSystemString::getFileName));
    EXPECT_EQ(".txt", part("C:\\dir\\file.txt", &CSystemString::getExtension));
    EXPECT_EQ("C:\\dir\\", part("C:\\dir\\file.txt", &CSystemString::getFolder));

    CString drive("unchanged");
    CSystemString("C:\\dir\\file.txt").getDrive(drive, true);
    EXPECT_STREQ("C:\\", drive.getString());
    CSystemString("C:\\dir\\file.txt").getDrive(drive, false);
    EXPECT_STREQ("C", drive.getString());
    CSystemString("nodrive").getDrive(drive, true);
    EXPECT_STREQ("", drive.getString());
}

TEST(CSystemStringTest, partsThatAreMissingComeOutEmpty)
{
    EXPECT_EQ("", part("file.txt", &CSystemString::getFileName));
    EXPECT_EQ("", part("C:\\dir\\", &CSystemString::getFileName));
    EXPECT_EQ("", part("C:\\dir\\file", &CSystemString::getExtension));
    EXPECT_EQ("C:\\dir\\file", part("C:\\dir\\file", &CSystemString::getFolder)) << "a folder path is its own folder";
    EXPECT_EQ("", part("file.txt", &CSystemString::getFolder));
}

TEST(CSystemStringTest, hasExtensionCountsADotAboveIndexZeroEvenInAFolderName)
{
    EXPECT_TRUE(CSystemString("file.txt").hasExtension());
    EXPECT_FALSE(CSystemString(".profile").hasExtension());
    EXPECT_TRUE(CSystemString("C:\\my.dir\\file").hasExtension());
    EXPECT_FALSE(CSystemString("C:\\dir\\file").hasExtension());
    EXPECT_TRUE(CSystemString("C:\\dir\\file").isFolderPath());
    EXPECT_FALSE(CSystemString("C:\\dir\\file.txt").isFolderPath());
}

TEST(CSystemStringTest, setExtensionAppendsOrReplacesTheFileNamesExtension)
{
    auto set = [](const char* extension, bool replace) {
        return [=](CSystemString& p) { p.setExtension(extension, replace); };
    };
    EXPECT_EQ("a.txt.png", changed("a.txt", set("png", false)));
    EXPECT_EQ("a.png", changed("a.txt", set("png", true)));
    EXPECT_EQ("a.png", changed("a", set("png", true)));
    EXPECT_EQ("a.png", changed("a", set("png", false)));
    EXPECT_EQ("C:\\dir\\archive.tar.zip", changed("C:\\dir\\archive.tar.gz", set("zip", true)));
    EXPECT_EQ("a.txt", changed("a.txt", set(nullptr, true))) << "a null extension changes nothing";

    CSystemString path("C:\\dir\\file.txt");
    path.setExtension(CString("xml"), true);
    EXPECT_STREQ("C:\\dir\\file.xml", path.getString());
}

TEST(CSystemStringTest, aDotInAFolderNameIsNeverTakenForTheFilesExtension)
{
    EXPECT_EQ("C:\\my.dir\\file.png",
              changed("C:\\my.dir\\file", [](CSystemString& p) { p.setExtension("png", true); }));
    EXPECT_EQ("C:\\my.dir\\file", changed("C:\\my.dir\\file", [](CSystemString& p) { p.removeExtension(); }));
    EXPECT_EQ("", part("C:\\my.dir\\file", &CSystemString::getExtension));
    EXPECT_EQ("C:\\my.dir\\file", changed("C:\\my.dir\\file.txt", [](CSystemString& p) { p.removeExtension(); }));
}

TEST(CSystemStringTest, removeExtensionCutsAtTheLastDotAboveIndexZero)
{
    auto remove = [](CSystemString& p) { p.removeExtension(); };
    EXPECT_EQ("C:\\dir\\file", changed("C:\\dir\\file.txt", remove));
    EXPECT_EQ("archive.tar", changed("archive.tar.gz", remove));
    EXPECT_EQ(".profile", changed(".profile", remove));
    EXPECT_EQ("plain", changed("plain", remove));
}

TEST(CSystemStringTest, removeFileNameKeepsTheFolderWithItsSeparator)
{
    auto remove = [](CSystemString& p) { p.removeFileName(); };
    EXPECT_EQ("C:\\dir\\", changed("C:\\dir\\file.txt", remove));
    EXPECT_EQ("file.txt", changed("file.txt", remove));
}

TEST(CSystemStringTest, removeLastPathComponentStopsAtTheDrive)
{
    auto remove = [](CSystemString& p) { p.removeLastPathComponent(); };
    EXPECT_EQ("C:\\a", changed("C:\\a\\b", remove));
    EXPECT_EQ("C:", changed("C:\\a", remove));
    EXPECT_EQ("\\a", changed("\\a", remove));
    EXPECT_EQ("C:\\Hosts\\Plugins", changed("C:\\Hosts\\Plugins\\Edition.dll", remove));
}

TEST(CSystemStringTest, removeFirstPathComponentDropsItWithItsSeparator)
{
    auto remove = [](CSystemString& p) { p.removeFirstPathComponent(); };
    EXPECT_EQ("a\\b", changed("C:\\a\\b", remove));
    EXPECT_EQ("", changed("C:\\", remove));
    EXPECT_EQ("file", changed("file", remove));
}

TEST(CSystemStringTest, pathComponentsAreTheRunsBetweenSeparators)
{
    EXPECT_EQ(3, CSystemString("C:\\a\\b").getNumberOfPathComponents());
    EXPECT_EQ("C:\\", component("C:\\a\\b", 0));
    EXPECT_EQ("a", component("C:\\a\\b", 1));
    EXPECT_EQ("b", component("C:\\a\\b", 2));
    EXPECT_EQ("<null>", component("C:\\a\\b", 3));
    EXPECT_EQ("<null>", component("C:\\a\\b", -1));

    EXPECT_EQ(2, CSystemString("\\\\server\\\\share\\").getNumberOfPathComponents());
    EXPECT_EQ("share", component("\\\\server\\\\share\\", 1));
    EXPECT_EQ(0, CSystemString("").getNumberOfPathComponents());
}

TEST(CSystemStringTest, aFirstFolderStartingWithAnUnderscoreIsStillAComponent)
{
    EXPECT_EQ(2, CSystemString("_build\\out").getNumberOfPathComponents());
    EXPECT_EQ("_build\\", component("_build\\out", 0));
}

TEST(CSystemStringTest, lastPathComponentGoesThroughTheComponentRule)
{
    EXPECT_EQ("b", part("C:\\a\\b", &CSystemString::getLastPathComponent));
    EXPECT_EQ("C:\\", part("C:", &CSystemString::getLastPathComponent)) << "a lone component is component 0";
    EXPECT_EQ(" ", part("", &CSystemString::getLastPathComponent));
    EXPECT_EQ(" ", part("\\\\", &CSystemString::getLastPathComponent));
}

TEST(CSystemStringTest, endsWithComparesTheLastCharacters)
{
    const CSystemString path("x.png");
    EXPECT_TRUE(path.endsWith("png"));
    EXPECT_TRUE(path.endsWith(CString("x.png")));
    EXPECT_TRUE(CSystemString("png").endsWith("png"));
    EXPECT_FALSE(path.endsWith("longer.png"));
    EXPECT_FALSE(path.endsWith("PNG"));
    EXPECT_TRUE(path.endsWith(""));
    EXPECT_FALSE(path.endsWith(static_cast<const char*>(nullptr)));
}

TEST(CSystemStringTest, forwardSlashesBecomeSeparators)
{
    EXPECT_EQ("C:\\a\\b\\", changed("C:/a/b/", [](CSystemString& p) { p.replaceForwardSlashes(); }));
}

TEST(CSystemStringTest, keepsTheStringsAssignmentsAndItsOwnRecord)
{
    CSystemString path(static_cast<const char*>(nullptr));
    EXPECT_STREQ(" ", path.getString());
    path = 42L;
    EXPECT_STREQ("042", path.getString());
    const CSystemString& same = path;
    path = same;
    EXPECT_STREQ("042", path.getString());
    EXPECT_STREQ("CSystemString", path.getClass().getClassName());
    EXPECT_STREQ("CCountedObject", CSystemString::classRecord().getParentName());
}
} // namespace
