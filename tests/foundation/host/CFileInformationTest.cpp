// CFileInformation: what a find record makes of an entry, full paths, copies and the listing order.
#include "foundation/host/CFileInformation.hpp"

#include "foundation/collections/TCountedPointerArray.hpp"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace
{
using Brivant::Basics::CString;
using Brivant::Collections::TCountedPointerArray;
using Brivant::Host::CFileInformation;
using Brivant::Host::CTime;

WIN32_FIND_DATAA findData(DWORD attributes, const char* name)
{
    WIN32_FIND_DATAA data = {};
    data.dwFileAttributes = attributes;
    std::strcpy(data.cFileName, name);
    return data;
}

CFileInformation* entry(long type, const char* name)
{
    CFileInformation* information = new CFileInformation();
    information->setType(type);
    information->setFileName(CString(name));
    information->setFolder(CString("C:\\presets\\"));
    return information;
}

TEST(CFileInformationTest, theDirectoryBitMakesAFolderWhateverElseIsSet)
{
    const auto typeOf = [](DWORD attributes) { return CFileInformation(findData(attributes, "x")).getType(); };
    EXPECT_EQ(CFileInformation::kTypeFolder, typeOf(FILE_ATTRIBUTE_DIRECTORY));
    EXPECT_EQ(CFileInformation::kTypeFolder, typeOf(FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN));
    EXPECT_EQ(CFileInformation::kTypeFolder, typeOf(FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(CFileInformation::kTypeSystemFile, typeOf(FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_HIDDEN));
    EXPECT_EQ(CFileInformation::kTypeFile, typeOf(FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NORMAL));
    EXPECT_EQ(CFileInformation::kTypeFile, typeOf(FILE_ATTRIBUTE_ARCHIVE));
}

TEST(CFileInformationTest, findDataGivesNamesTimesAndSizesOfFourGigabytesAndMore)
{
    WIN32_FIND_DATAA data = findData(FILE_ATTRIBUTE_ARCHIVE, "Long preset name.xml");
    std::strcpy(data.cAlternateFileName, "LONGPR~1.XML");
    data.nFileSizeHigh = 1;
    data.nFileSizeLow = 5;
    const SYSTEMTIME written = {2026, 12, 1, 7, 9, 5, 3, 7};
    SystemTimeToFileTime(&written, &data.ftLastWriteTime);
    CFileInformation information;
    EXPECT_EQ(CFileInformation::kTypeNotSet, information.getType());
    information.setFromFindData(data);
    EXPECT_EQ(4294967301.0, information.getSize());
    EXPECT_STREQ("Long preset name.xml", information.getFileName().getString());
    EXPECT_STREQ("LONGPR~1.XML", information.getShortName().getString());
    CString date("");
    information.getLastWriteTime().getDateString(date, true);
    EXPECT_STREQ("Monday 7 December 2026", date.getString());

    information.setFolder(CString("C:\\presets\\"));
    EXPECT_STREQ("C:\\presets\\", information.getFolder().getString());
    EXPECT_STREQ("C:\\presets\\Long preset name.xml", information.getFullPath().getString());
}

TEST(CFileInformationTest, aNameFillingItsWholeFieldIsReadNoFurther)
{
    WIN32_FIND_DATAA data = findData(0, "");
    std::memset(data.cFileName, 'n', sizeof(data.cFileName));
    std::memset(data.cAlternateFileName, 's', sizeof(data.cAlternateFileName));
    const CFileInformation information(data);
    EXPECT_EQ(std::string(sizeof(data.cFileName), 'n'), information.getFileName().getString());
    EXPECT_EQ(std::string(sizeof(data.cAlternateFileName), 's'), information.getShortName().getString());
}

TEST(CFileInformationTest, copiesAndAssignmentsTakeEveryField)
{
    CFileInformation* original = entry(CFileInformation::kTypeFolder, "bank");
    original->setSize(12.0);
    CTime created;
    created.setTime({1999, 1, 0, 31, 23, 59, 58, 123});
    original->setCreationTime(created);
    CFileInformation assigned;
    assigned = *original;
    assigned = assigned;
    const CFileInformation copied(*original);
    const CFileInformation* const copies[] = {&copied, &assigned};
    for (const CFileInformation* copy : copies)
    {
        EXPECT_EQ(CFileInformation::kTypeFolder, copy->getType());
        EXPECT_EQ(12.0, copy->getSize());
        EXPECT_STREQ("C:\\presets\\bank", copy->getFullPath().getString());
        CString date("");
        copy->getCreationTime().getDateString(date, false);
        EXPECT_STREQ("31/01/1999", date.getString());
    }
    delete original;
}

TEST(CFileInformationTest, listingsSortFoldersFirstThenByFullPathWithNullEntriesLast)
{
    TCountedPointerArray<CFileInformation> entries;
    entries.addElement(entry(CFileInformation::kTypeFile, "b"));
    entries.addElement(entry(CFileInformation::kTypeFolder, "z"));
    entries.addElement(entry(CFileInformation::kTypeFile, "a"));
    entries.addElement(nullptr);
    entries.addElement(entry(CFileInformation::kTypeFile, "B"));
    entries.addElement(entry(CFileInformation::kTypeFile, "\xE9"));
    entries.sortArray(&CFileInformation::compareFileInformation);
    std::string order;
    for (long index = 0; index < entries.getInsertIndex(); ++index)
    {
        const CFileInformation* information = entries.getElementAt(index);
        order += information == nullptr ? "-" : information->getFileName().getString();
    }
    EXPECT_EQ("zBab\xE9-", order) << "case counts and bytes compare unsigned";

    const CFileInformation* none = nullptr;
    EXPECT_EQ(0, CFileInformation::compareFileInformation(&none, &none));
}
} // namespace
