// The display and drive reports: where they are written, their lines, and streams they must leave alone.
#include "foundation/host/CDisplayInformation.hpp"
#include "foundation/host/CDriveInformation.hpp"

#include "foundation/basics/CSystemString.hpp"
#include "foundation/io/CTextStream.hpp"
#include "tests/support/CTemporaryFolder.hpp"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace
{
using Brivant::Basics::CString;
using Brivant::Basics::CSystemString;
using Brivant::Collections::TCountedPointerArray;
using Brivant::Host::CDisplayInformation;
using Brivant::Host::CDriveInformation;
using Brivant::IO::CTextStream;
using VolturaTests::CTemporaryFolder;

size_t occurrences(const std::string& text, const std::string& part)
{
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

class CHostReportsTest : public ::testing::Test
{
protected:
    std::string displayReportAt(const std::string& path, const std::string& written)
    {
        CDisplayInformation::writeDisplayInformationToFile(CSystemString(path.c_str()));
        return CTemporaryFolder::readBytes(written);
    }

    CTemporaryFolder m_folder;
};

TEST_F(CHostReportsTest, displayReportListsMonitorsAndScreenSize)
{
    const std::string rule = "------------------------------------------\r\n\r\n";
    const std::string expected = "Brivant Host display info extraction tool\r\n" + rule +
                                 "Number of monitors\t:\t\t" +
                                 std::to_string(CDisplayInformation::getNumberOfMonitors()) + "\r\n" +
                                 "Screen width\t\t:\t\t" + std::to_string(CDisplayInformation::getScreenWidth()) +
                                 "\r\n" + "Screen height\t\t:\t\t" +
                                 std::to_string(CDisplayInformation::getScreenHeight()) + "\r\n" + rule;
    EXPECT_EQ(expected, displayReportAt(m_folder.file("report.txt"), m_folder.file("report.txt")));
}

TEST_F(CHostReportsTest, reportsWithoutAnExtensionAppendTheirFileNameAsItIs)
{
    const std::string folder = m_folder.path() + "\\";
    EXPECT_NE("", displayReportAt(folder, folder + "CPUStats.txt"));
    EXPECT_NE("", displayReportAt(m_folder.file("out"), m_folder.file("outCPUStats.txt")))
        << "no separator is added";

    const std::string drives = m_folder.file("drives") + "\\";
    CreateDirectoryA(drives.c_str(), nullptr);
    CDriveInformation::writeDriveInformationToFile(CSystemString(drives.c_str()));
    EXPECT_EQ(0u, CTemporaryFolder::readBytes(drives + "CPUStats.txt").find("Brivant Host drive info"));
    CDriveInformation::writeDriveInformationToFile(CSystemString(m_folder.file("drives.txt").c_str()));
    EXPECT_EQ(0u, CTemporaryFolder::readBytes(m_folder.file("drives.txt")).find("Brivant Host drive info"));
}

TEST_F(CHostReportsTest, driveReportHasOneBlockPerLogicalDrive)
{
    TCountedPointerArray<CString> drives;
    CDriveInformation::getLogicalDrives(drives);
    ASSERT_GT(drives.getInsertIndex(), 0);

    CString windows("");
    CString temp("");
    CDriveInformation::getWindowsFolder(windows);
    CDriveInformation::getTempFolder(temp);
    const std::string rule = "----------------------------------------\r\n\r\n";
    const std::string report = [&] {
        CDriveInformation::writeDriveInformationToFile(CSystemString(m_folder.file("drives.txt").c_str()));
        return CTemporaryFolder::readBytes(m_folder.file("drives.txt"));
    }();
    const std::string heading = "Brivant Host drive info extraction tool\r\n" + rule + "Windows folder : " +
                                windows.getString() + "\r\nWindow temp folder : " + temp.getString() +
                                "\r\n\r\n" + rule;
    EXPECT_EQ(0u, report.find(heading)) << report;
    EXPECT_EQ(static_cast<size_t>(drives.getInsertIndex()), occurrences(report, "Registered name : "));
    EXPECT_EQ(static_cast<size_t>(drives.getInsertIndex()) + 2, occurrences(report, rule));
    EXPECT_NE(std::string::npos, report.find("Registered name : C:\\\r\nVolume name : "));
    EXPECT_NE(std::string::npos, report.find("Volume is of type : Fixed Drive\r\n" + rule));
}

TEST_F(CHostReportsTest, reportsLeaveAStreamThatIsNotOpenForWritingAlone)
{
    const std::string file = m_folder.file("kept.txt");
    CTemporaryFolder::writeBytes(file, "kept\n");
    CTextStream reader(CSystemString(file.c_str()), CTextStream::kReading);
    CDisplayInformation::writeDisplayInformation(reader);
    CDriveInformation::writeDriveInformation(reader);
    CTextStream closed;
    CDisplayInformation::writeDisplayInformation(closed);
    CDriveInformation::writeDriveInformation(closed);
    EXPECT_EQ("kept\n", CTemporaryFolder::readBytes(file));
}

TEST_F(CHostReportsTest, aFailedVolumeQueryLeavesTheOutputsAsTheyWere)
{
    CString name("name");
    CString fileSystem("system");
    long serial = -1;
    EXPECT_FALSE(CDriveInformation::getVolumeInformation(CString("no such root"), name, fileSystem, serial));
    EXPECT_STREQ("name", name.getString());
    EXPECT_STREQ("system", fileSystem.getString());
    EXPECT_EQ(-1, serial);

    CString type("");
    CDriveInformation::getDriveTypeString(CString("\\\\?\\no such root\\"), type);
    EXPECT_STREQ("Unmounted Drive", type.getString());
}
} // namespace
