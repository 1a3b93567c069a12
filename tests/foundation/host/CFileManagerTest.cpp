// CFileManager in a temporary folder: existence, listings and their order, folder trees, and copies byte for byte,
// including the copies that must be refused without harming a byte.
#include "foundation/host/CFileManager.hpp"

#include "foundation/basics/CSystemString.hpp"
#include "foundation/host/CFileInformation.hpp"
#include "foundation/host/CTrace.hpp"
#include "tests/foundation/basics/CAllocationFailure.hpp"
#include "tests/foundation/basics/CCountChange.hpp"
#include "tests/support/CLargeFile.hpp"
#include "tests/support/CTemporaryFolder.hpp"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace
{
using Brivant::Basics::CString;
using Brivant::Basics::CSystemString;
using Brivant::Collections::TCountedPointerArray;
using Brivant::Collections::TCountedObjectDeleter;
using Brivant::Collections::TTreeNode;
using Brivant::Host::CFileInformation;
using Brivant::Host::CFileManager;
using Brivant::Host::CTrace;
using Brivant::Testing::CAllocationFailure;
using VolturaTests::CCountChange;
using VolturaTests::CLargeFile;
using VolturaTests::CTemporaryFolder;

// Every byte value a text-mode copy would change or stop at.
const std::string kBinary("a\r\nb\0c\x1A\xFF\n", 9);

class CFileManagerTest : public ::testing::Test
{
protected:
    std::string at(const std::string& relative) const { return m_folder.file(relative); }
    CSystemString path(const std::string& relative) const { return CSystemString(at(relative).c_str()); }
    void folder(const std::string& relative) const { ASSERT_TRUE(CreateDirectoryA(at(relative).c_str(), nullptr)); }
    void file(const std::string& relative, const std::string& bytes) const
    {
        CTemporaryFolder::writeBytes(at(relative), bytes);
    }
    std::string bytes(const std::string& relative) const { return CTemporaryFolder::readBytes(at(relative)); }
    bool exists(const std::string& relative) const { return CTemporaryFolder::exists(at(relative)); }

    // source\a.txt, source\sub\b.txt, source\sub\deeper\c.bin
    void sourceTree() const
    {
        folder("source");
        folder("source\\sub");
        folder("source\\sub\\deeper");
        file("source\\a.txt", "first");
        file("source\\sub\\b.txt", "second");
        file("source\\sub\\deeper\\c.bin", kBinary);
    }

    CTemporaryFolder m_folder;
};

// Each node as "name" or "name(children)", children in name order since the system's order is its own.
std::string describe(const TTreeNode<CFileInformation>& node)
{
    std::vector<std::string> children;
    for (long index = 0; index < node.getChildren().getArraySize(); ++index)
    {
        const TTreeNode<CFileInformation>* child = node.getChildren().getElementAt(index);
        if (child == nullptr)
            continue;
        EXPECT_EQ(&node, child->getParent());
        children.push_back(describe(*child));
    }
    std::sort(children.begin(), children.end());
    std::string text = node.getPayload().getPointer() ? node.getPayload().getPointer()->getFileName().getString() : "";
    if (!children.empty())
    {
        text += "(";
        for (const std::string& child : children)
            text += (child == children.front() ? "" : ",") + child;
        text += ")";
    }
    return text;
}

std::vector<std::string> names(const TCountedPointerArray<CString>& strings)
{
    std::vector<std::string> found;
    for (long index = 0; index < strings.getInsertIndex(); ++index)
        found.push_back(strings.getElementAt(index)->getString());
    std::sort(found.begin(), found.end());
    return found;
}

TEST_F(CFileManagerTest, onlyFilesThatOpenExist)
{
    file("preset.xml", "x");
    EXPECT_TRUE(CFileManager::fileExists(path("preset.xml")));
    EXPECT_FALSE(CFileManager::fileExists(path("missing.xml")));
    EXPECT_FALSE(CFileManager::fileExists(CSystemString(m_folder.path().c_str()))) << "a folder is no file";
    EXPECT_TRUE(CFileManager::fileExistsInFolder(CString("preset.xml"), CSystemString(m_folder.path().c_str())));
    EXPECT_TRUE(CFileManager::fileExistsInFolder(CString("preset.xml"), path("")));
    EXPECT_FALSE(CFileManager::fileExistsInFolder(CString("missing.xml"), path("")));
    EXPECT_TRUE(CFileManager::isDirectory(CSystemString(m_folder.path().c_str())));
    EXPECT_FALSE(CFileManager::directoryExists(path("preset.xml")));
}

TEST_F(CFileManagerTest, fileListingsLeaveOutEveryFolderHiddenOrReadOnlyToo)
{
    file("a.txt", "a");
    file("b.bin", "b");
    folder("plain");
    folder(".hidden");
    folder("locked");
    SetFileAttributesA(at(".hidden").c_str(), FILE_ATTRIBUTE_HIDDEN);
    SetFileAttributesA(at("locked").c_str(), FILE_ATTRIBUTE_READONLY);
    ASSERT_NE(static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY), GetFileAttributesA(at(".hidden").c_str()));

    const CSystemString pattern = path("*");
    EXPECT_EQ(2, CFileManager::getNumberOfFiles(pattern));
    TCountedPointerArray<CString> found;
    CFileManager::getFileNames(pattern, found);
    EXPECT_EQ((std::vector<std::string>{"a.txt", "b.bin"}), names(found));
    EXPECT_EQ(0, CFileManager::getNumberOfFiles(path("none\\*")));
}

TEST_F(CFileManagerTest, directoryContentsKnowTheirFolderAndSortFoldersFirst)
{
    file("b.txt", "12345");
    file("a.txt", "");
    folder("z");
    folder(".hidden");
    for (const std::string& given : {m_folder.path(), m_folder.path() + "\\"})
    {
        TCountedPointerArray<CFileInformation> contents;
        CFileManager::getDirectoryContents(contents, CSystemString(given.c_str()));
        CFileManager::sortDirectoryContents(contents);
        ASSERT_EQ(4, contents.getInsertIndex()) << "no \".\" or \"..\"";
        std::string order;
        for (long index = 0; index < 4; ++index)
        {
            const CFileInformation* entry = contents.getElementAt(index);
            order += std::string(entry->getFileName().getString()) + (entry->isFolder() ? "/ " : " ");
            EXPECT_EQ(m_folder.path() + "\\", entry->getFolder().getString());
            EXPECT_EQ(at(entry->getFileName().getString()), entry->getFullPath().getString());
        }
        EXPECT_EQ(".hidden/ z/ a.txt b.txt ", order);
        EXPECT_EQ(5.0, contents.getElementAt(3)->getSize());
    }
}

TEST_F(CFileManagerTest, aFolderThatCannotBeListedIsTracedAndChangesNothing)
{
    const std::string log = at("trace.log");
    ASSERT_TRUE(CTrace::openTraceFile(CSystemString(log.c_str())));
    TCountedPointerArray<CFileInformation> contents;
    contents.addElement(new CFileInformation());
    CFileManager::getDirectoryContents(contents, path("missing"));
    CTrace::closeTraceFile();
    EXPECT_EQ(1, contents.getInsertIndex());

    const std::string traced = CTemporaryFolder::readBytes(log);
    const std::string first = "Failed to find file in directory" + at("missing") + "\r\n";
    EXPECT_EQ(first, traced.substr(0, first.size()));
    const std::string message = traced.substr(first.size());
    EXPECT_GT(message.size(), 2u) << "the system's text on a line of its own";
    EXPECT_EQ(message.find("\r\n"), message.size() - 2);
}

TEST_F(CFileManagerTest, aListingThatRunsOutOfMemoryLeavesNoEntryOrSearchBehind)
{
    for (int index = 0; index < 40; ++index)
        file(std::to_string(index), "x");
    const CCountChange names(CString::classRecord()), entries(CFileInformation::classRecord()),
        nodes(TTreeNode<CFileInformation>::classRecord());
    for (long allocation = 1; allocation < 1000; ++allocation)
    {
        CAllocationFailure::failAt(allocation);
        try
        {
            TCountedPointerArray<CString> found;
            CFileManager::getFileNames(path("*"), found);
            TTreeNode<CFileInformation> root(&TCountedObjectDeleter<CFileInformation>::sharedPolicy());
            CFileManager::buildDirectoryTree(root, path(""));
        }
        catch (...)
        {
        }
        CAllocationFailure::disarm();
    }
    EXPECT_EQ(0, names.live() + entries.live() + nodes.live());
    // A search left open would keep the folder from being opened alone.
    const HANDLE alone = CreateFileA(m_folder.path().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                     FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    EXPECT_NE(INVALID_HANDLE_VALUE, alone);
    CloseHandle(alone);
}

TEST_F(CFileManagerTest, theExecutableFolderIsTheTestProgramsFolder)
{
    char program[MAX_PATH + 1] = {};
    GetModuleFileNameA(nullptr, program, MAX_PATH);
    const std::string expected(program, std::string(program).rfind('\\'));
    CString bare("");
    CString separated("");
    CFileManager::getExecutableFolder(bare, false);
    CFileManager::getExecutableFolder(separated, true);
    EXPECT_EQ(expected, bare.getString());
    EXPECT_EQ(expected + "\\", separated.getString());
}

TEST_F(CFileManagerTest, foldersAreCreatedOneLevelAtATimeAndNeverWithADot)
{
    EXPECT_TRUE(CFileManager::createDirectory(path("presets")));
    EXPECT_TRUE(CFileManager::isDirectory(path("presets")));
    EXPECT_FALSE(CFileManager::createDirectory(path("presets"))) << "already there";
    EXPECT_FALSE(CFileManager::createDirectory(path("release.old")));
    EXPECT_FALSE(exists("release.old"));
    EXPECT_FALSE(CFileManager::createDirectory(path("one\\two")));
    EXPECT_FALSE(exists("one"));
}

TEST_F(CFileManagerTest, aCopyHasEveryByteAndOverwritesOnlyWhenAsked)
{
    file("source.bin", kBinary);
    file("empty.bin", "");
    EXPECT_TRUE(CFileManager::copyFile(path("source.bin"), path("copy.bin"), false));
    EXPECT_EQ(kBinary, bytes("copy.bin"));
    EXPECT_TRUE(CFileManager::copyFile(path("empty.bin"), path("copy of empty.bin"), false));
    EXPECT_TRUE(exists("copy of empty.bin"));
    EXPECT_EQ("", bytes("copy of empty.bin"));

    file("existing.bin", "older");
    EXPECT_FALSE(CFileManager::copyFile(path("source.bin"), path("existing.bin"), false));
    EXPECT_EQ("older", bytes("existing.bin"));
    EXPECT_TRUE(CFileManager::copyFile(path("source.bin"), path("existing.bin"), true));
    EXPECT_EQ(kBinary, bytes("existing.bin"));

    EXPECT_FALSE(CFileManager::copyFile(path("missing.bin"), path("nothing.bin"), true));
    EXPECT_FALSE(exists("nothing.bin"));
    EXPECT_FALSE(CFileManager::copyFile(path("source.bin"), path("no folder\\copy.bin"), true));
}

TEST_F(CFileManagerTest, aCopyWhoseBytesNeverReachTheDestinationFails)
{
    // Wine maps Z: to the Unix root, where /dev/full refuses every write with "no space left".
    for (const size_t size : {1u, 1000u, 4095u})
    {
        file("source.bin", std::string(size, 'x'));
        EXPECT_FALSE(CFileManager::copyFile(path("source.bin"), CSystemString("Z:\\dev\\full"), true)) << size;
    }
}

TEST_F(CFileManagerTest, aFileCopiedOntoItselfKeepsItsBytes)
{
    folder("sub");
    file("Preset.bin", kBinary);
    for (const std::string same : {"Preset.bin", "PRESET.BIN", "sub\\..\\preset.bin"})
    {
        EXPECT_FALSE(CFileManager::copyFile(path("Preset.bin"), path(same), true)) << same;
        EXPECT_EQ(kBinary, bytes("Preset.bin")) << same;
    }
}

TEST_F(CFileManagerTest, aFileWhoseSizeCannotBeReadIsNotCopiedAndHarmsNoDestination)
{
    ASSERT_TRUE(CLargeFile::create(at("huge.bin")));
    file("destination.bin", "kept");
    EXPECT_FALSE(CFileManager::copyFile(path("huge.bin"), path("destination.bin"), true));
    EXPECT_EQ("kept", bytes("destination.bin"));

    TCountedPointerArray<CFileInformation> contents;
    CFileManager::getDirectoryContents(contents, CSystemString(m_folder.path().c_str()));
    CFileManager::sortDirectoryContents(contents);
    EXPECT_EQ(static_cast<double>(CLargeFile::kSize), contents.getElementAt(1)->getSize()) << "both words of the size";
}

TEST_F(CFileManagerTest, aFolderIsCopiedWholeOrWithoutItsSubfolders)
{
    sourceTree();
    EXPECT_TRUE(CFileManager::copyFolder(path("source"), path("whole"), false, true));
    EXPECT_EQ("first", bytes("whole\\a.txt"));
    EXPECT_EQ("second", bytes("whole\\sub\\b.txt"));
    EXPECT_EQ(kBinary, bytes("whole\\sub\\deeper\\c.bin"));

    EXPECT_TRUE(CFileManager::copyFolder(path("source"), path("flat\\"), false, false));
    EXPECT_EQ("first", bytes("flat\\a.txt"));
    EXPECT_FALSE(exists("flat\\sub"));

    EXPECT_FALSE(CFileManager::copyFolder(path("source\\a.txt"), path("other"), true, true));
    EXPECT_FALSE(CFileManager::copyFolder(path("missing"), path("other"), true, true));
    EXPECT_FALSE(CFileManager::copyFolder(path("source"), path("with.dot"), true, true));
    EXPECT_FALSE(exists("other"));
}

TEST_F(CFileManagerTest, aFolderThatCannotBeListedFailsTheCopyAtAnyDepth)
{
    // 259 characters fit a path but not the listing's "\\*"; only wide paths make such folders and take them away.
    folder("outer");
    const std::string top = m_folder.path() + "\\" + std::string(258 - m_folder.path().size(), 'f');
    const std::string deep = at("outer") + "\\" + std::string(258 - at("outer").size(), 'f');
    for (const std::string& made : {top, deep})
        EXPECT_TRUE(CreateDirectoryW((L"\\\\?\\" + std::wstring(made.begin(), made.end())).c_str(), nullptr));
    EXPECT_FALSE(CFileManager::copyFolder(CSystemString(top.c_str()), path("top copy"), true, true));
    EXPECT_FALSE(CFileManager::copyFolder(path("outer"), path("outer copy"), true, true));
    for (const std::string& made : {top, deep})
        RemoveDirectoryW((L"\\\\?\\" + std::wstring(made.begin(), made.end())).c_str());
}

TEST_F(CFileManagerTest, anExistingDestinationIsLeftAloneUnlessOverwriteIsAsked)
{
    sourceTree();
    folder("target");
    file("target\\a.txt", "older");
    EXPECT_TRUE(CFileManager::copyFolder(path("source"), path("target"), false, true));
    EXPECT_EQ("older", bytes("target\\a.txt"));
    EXPECT_FALSE(exists("target\\sub"));

    EXPECT_TRUE(CFileManager::copyFolder(path("source"), path("target"), true, true));
    EXPECT_EQ("first", bytes("target\\a.txt"));
    EXPECT_EQ(kBinary, bytes("target\\sub\\deeper\\c.bin"));
}

TEST_F(CFileManagerTest, aFolderIsNeverCopiedIntoItself)
{
    sourceTree();
    EXPECT_FALSE(CFileManager::copyFolder(path("source"), path("source\\copy"), true, true));
    EXPECT_FALSE(CFileManager::copyFolder(path("source"), path("SOURCE\\sub\\copy"), true, true));
    EXPECT_FALSE(exists("source\\copy"));
    EXPECT_FALSE(exists("source\\sub\\copy"));
    EXPECT_FALSE(CFileManager::copyFolder(path("source"), path("source\\"), true, true));
    EXPECT_EQ("first", bytes("source\\a.txt"));
    EXPECT_TRUE(CFileManager::copyFolder(path("source\\sub"), path("source\\sub copy"), false, true))
        << "a neighbour whose name begins the same is not inside";
    EXPECT_EQ(kBinary, bytes("source\\sub copy\\deeper\\c.bin"));
}

TEST_F(CFileManagerTest, theTreeHoldsEveryEntryBelowItsFolderAndOwnsThem)
{
    sourceTree();
    folder("source\\empty");
    const long entriesBefore = CFileInformation::classRecord().getInstanceCount();
    {
        TTreeNode<CFileInformation> root(&TCountedObjectDeleter<CFileInformation>::sharedPolicy());
        CFileManager::buildDirectoryTree(root, path("source"));
        EXPECT_EQ("(a.txt,empty,sub(b.txt,deeper(c.bin)))", describe(root));
        EXPECT_EQ(entriesBefore + 6, CFileInformation::classRecord().getInstanceCount());
    }
    EXPECT_EQ(entriesBefore, CFileInformation::classRecord().getInstanceCount());
}
} // namespace
