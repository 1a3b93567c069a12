// CTrace: lines only while a trace file is open, bounded formatting, and texts written as they are.
#include "foundation/host/CTrace.hpp"

#include "foundation/basics/CSystemString.hpp"
#include "tests/support/CTemporaryFolder.hpp"

#include <gtest/gtest.h>

#include <string>

namespace
{
using Brivant::Basics::CString;
using Brivant::Basics::CSystemString;
using Brivant::Host::CTrace;
using VolturaTests::CTemporaryFolder;

class CTraceTest : public ::testing::Test
{
protected:
    ~CTraceTest() override { CTrace::closeTraceFile(); }

    std::string log() const { return CTemporaryFolder::readBytes(m_log); }
    void open() { ASSERT_TRUE(CTrace::openTraceFile(CSystemString(m_log.c_str()))); }

    CTemporaryFolder m_folder;
    const std::string m_log = m_folder.file("trace.log");
};

TEST_F(CTraceTest, writesFormattedLinesOnlyWhileTheFileIsOpen)
{
    CTrace::trace("before %d", 1);
    open();
    CTrace::trace("value %d of %s", 5, "six");
    CTrace::trace("second");
    EXPECT_EQ("value 5 of six\r\nsecond\r\n", log()) << "each line reaches the file at once";
    CTrace::closeTraceFile();
    CTrace::trace("after %d", 2);
    EXPECT_EQ("value 5 of six\r\nsecond\r\n", log());
}

TEST_F(CTraceTest, aLongTextIsCutToTheFormatBuffer)
{
    open();
    const std::string longText(1000, 'a');
    CTrace::trace("%s", longText.c_str());
    EXPECT_EQ(std::string(CTrace::kFormatSize - 1, 'a') + "\r\n", log());
}

TEST_F(CTraceTest, textGivenAsAnArgumentIsWrittenAsItIs)
{
    open();
    CTrace::trace("%s", "100% read, %n %s %x");
    EXPECT_EQ("100% read, %n %s %x\r\n", log());
}

TEST_F(CTraceTest, objectLinesAreTheMessageFollowedByTheDescription)
{
    open();
    CTrace::trace(CSystemString("C:\\skins\\a%s.xml"), CString("Failed to open XML stream with path = "));
    const std::string longPath(3000, 'p');
    CTrace::trace(CSystemString(longPath.c_str()), CString("> "));
    EXPECT_EQ("Failed to open XML stream with path = C:\\skins\\a%s.xml\r\n> " +
                  std::string(CTrace::kDescriptionSize - 1, 'p') + "\r\n",
              log());
}

TEST_F(CTraceTest, openingAgainTruncatesAndAMissingFolderFails)
{
    open();
    CTrace::trace("old");
    open();
    CTrace::trace("new");
    EXPECT_EQ("new\r\n", log());
    EXPECT_FALSE(CTrace::openTraceFile(CSystemString(m_folder.file("missing\\trace.log").c_str())));
    CTrace::trace("nowhere");
    EXPECT_EQ("new\r\n", log()) << "the failed open closed the earlier file";
}
} // namespace
