// CTextStream: the bytes writers leave on disk, one value per line read back, long lines, the end of the file,
// and streams that are closed or open the other way.
#include "foundation/io/CTextStream.hpp"

#include "tests/support/CTemporaryFolder.hpp"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace
{
using Brivant::Basics::CCountedObject;
using Brivant::Basics::CString;
using Brivant::Basics::CSystemString;
using Brivant::IO::CTextStream;
using VolturaTests::CTemporaryFolder;

// A counted object whose description is as long as asked.
class CLongDescription : public CCountedObject
{
public:
    explicit CLongDescription(size_t length) : m_text(length, 'd') {}
    void getObjectDescription(char* text, long size) const override
    {
        std::strncpy(text, m_text.c_str(), static_cast<size_t>(size));
    }

private:
    std::string m_text;
};

class CTextStreamTest : public ::testing::Test
{
protected:
    CSystemString path(const char* name) const { return CSystemString(m_folder.file(name).c_str()); }

    // The file's bytes after writing through a stream that is closed again.
    template <class Writes>
    std::string written(Writes writes)
    {
        const CSystemString file = path("written.txt");
        {
            CTextStream stream(file, CTextStream::kWriting);
            EXPECT_TRUE(stream.isStreamOpenForWriting());
            writes(stream);
        }
        return CTemporaryFolder::readBytes(file.getString());
    }

    // A stream reading a file that holds exactly these bytes.
    CTextStream& reading(const std::string& bytes)
    {
        const CSystemString file = path("read.txt");
        CTemporaryFolder::writeBytes(file.getString(), bytes);
        EXPECT_TRUE(m_reader.openStream(file, CTextStream::kReading));
        return m_reader;
    }

    CTemporaryFolder m_folder;
    CTextStream m_reader;
};

TEST_F(CTextStreamTest, writersAddNoLineEndsAndTextModeWritesCarriageReturnLineFeed)
{
    EXPECT_EQ("true42x\r\n", written([](CTextStream& s) { s << true << 42L << "x\n"; }));
    EXPECT_EQ("false-7|13", written([](CTextStream& s) { s << false << -7L << "|" << 13; }));
}

TEST_F(CTextStreamTest, floatingPointIsFixedWithTwentyDecimals)
{
    EXPECT_EQ("0.25000000000000000000", written([](CTextStream& s) { s << 0.25; }));
    EXPECT_EQ("1.50000000000000000000", written([](CTextStream& s) { s << 1.5f; }));
    EXPECT_EQ("-3.00000000000000000000 7", written([](CTextStream& s) { s << -3.0 << " " << 7L; }))
        << "integers after a double keep their own form";
}

TEST_F(CTextStreamTest, stringsObjectsAndNullTexts)
{
    EXPECT_EQ("C:\\dir plain", written([](CTextStream& s) {
                  s << CSystemString("C:\\dir") << CString(" plain") << static_cast<const char*>(nullptr);
              }));
    const std::string description = written([](CTextStream& s) { s << CLongDescription(400); });
    EXPECT_EQ(std::string(255, 'd'), description) << "a description is cut to its 256-byte buffer";
}

TEST_F(CTextStreamTest, readsOneValuePerLine)
{
    CTextStream& stream = reading("12\r\r\ntrue\r\nTrue\r\n-5\r\n2.5\r\n0.75\r\nname with blanks\r\n");
    long number = 0;
    bool first = false;
    bool second = true;
    int integer = 0;
    double real = 0.0;
    float single = 0.0f;
    CString text("");
    stream >> number >> first >> second >> integer >> real >> single >> text;
    EXPECT_EQ(12, number) << "one carriage return left at the line end is removed";
    EXPECT_TRUE(first);
    EXPECT_FALSE(second) << "only \"true\" reads as true";
    EXPECT_EQ(-5, integer);
    EXPECT_DOUBLE_EQ(2.5, real);
    EXPECT_FLOAT_EQ(0.75f, single);
    EXPECT_STREQ("name with blanks", text.getString());
    EXPECT_FALSE(stream.isEndOfFile());
}

TEST_F(CTextStreamTest, readingPastTheEndGivesEmptyLinesAndReportsTheEnd)
{
    CTextStream& stream = reading("7\n");
    long number = 0;
    stream >> number;
    EXPECT_EQ(7, number);
    CString text("before");
    long after = 99;
    bool flag = true;
    stream >> text >> after >> flag;
    EXPECT_STREQ("", text.getString());
    EXPECT_EQ(0, after);
    EXPECT_FALSE(flag);
    EXPECT_TRUE(stream.isEndOfFile());
}

TEST_F(CTextStreamTest, aReadThatFailsEndsTheInputAsTheEndOfTheFileDoes)
{
    // Wine maps Z: to the Unix root, where the process's memory opens as a file whose first page, unmapped,
    // fails every read.
    ASSERT_TRUE(m_reader.openStream(CSystemString("Z:\\proc\\self\\mem"), CTextStream::kReading));
    long number = 99;
    m_reader >> number;
    EXPECT_TRUE(m_reader.isEndOfFile());
}

TEST_F(CTextStreamTest, aLongLineIsReadInPiecesOfTheBufferSize)
{
    const std::string line = std::string(1023, 'a') + std::string(977, 'b');
    CTextStream& stream = reading(line + "\r\nnext\r\n");
    CString piece("");
    stream >> piece;
    EXPECT_EQ(std::string(1023, 'a'), piece.getString());
    stream >> piece;
    EXPECT_EQ(std::string(977, 'b'), piece.getString()) << "the rest of the line comes with the next read";
    stream >> piece;
    EXPECT_STREQ("next", piece.getString());
}

TEST_F(CTextStreamTest, aLineOfExactlyTheLimitIsReadWhole)
{
    CTextStream& stream = reading(std::string(1023, 'c') + "\nnext\n");
    CString piece("");
    stream >> piece;
    EXPECT_EQ(std::string(1023, 'c'), piece.getString());
    stream >> piece;
    EXPECT_STREQ("next", piece.getString());
}

TEST_F(CTextStreamTest, readingIntoACharacterBufferStaysInsideTheBuffer)
{
    CTextStream& stream = reading("abcdefghijkl\nsecond line\nthird\n");
    char guarded[12];
    std::memset(guarded, '#', sizeof(guarded));
    stream.readLine(guarded, 8);
    EXPECT_STREQ("abcdefg", guarded);
    EXPECT_EQ('#', guarded[8]) << "nothing is written beyond the size given";

    char line[5];
    stream >> line;
    EXPECT_STREQ("seco", line);

    char untouched[4] = "old";
    stream.readLine(untouched, 0);
    stream.readLine(nullptr, 10);
    EXPECT_STREQ("old", untouched);
    char last[16];
    stream >> last;
    EXPECT_STREQ("third", last) << "a refused read consumes no line";
}

TEST_F(CTextStreamTest, aClosedStreamOrTheWrongModeDoesNothing)
{
    CTextStream closed;
    EXPECT_STREQ("CTextStream", closed.getClass().getClassName());
    EXPECT_FALSE(closed.isStreamOpenForReading());
    EXPECT_FALSE(closed.isStreamOpenForWriting());
    EXPECT_TRUE(closed.isEndOfFile());
    long number = 5;
    CString text("kept");
    char buffer[8] = "kept";
    closed >> number >> text >> buffer;
    EXPECT_EQ(5, number);
    EXPECT_STREQ("kept", text.getString());
    EXPECT_STREQ("kept", buffer);
    closed << "ignored" << 3L;

    CTextStream& reader = reading("line\n");
    reader << "not written";
    EXPECT_EQ("line\n", CTemporaryFolder::readBytes(m_folder.file("read.txt")));

    CTextStream writer(path("w.txt"), CTextStream::kWriting);
    writer >> number;
    EXPECT_EQ(5, number);
    EXPECT_FALSE(writer.isEndOfFile());
}

TEST_F(CTextStreamTest, anUnknownModeOrAMissingFileOpensNothing)
{
    CTextStream stream;
    EXPECT_FALSE(stream.openStream(path("two.txt"), 2));
    EXPECT_FALSE(stream.isStreamOpenForReading());
    EXPECT_FALSE(stream.isStreamOpenForWriting());
    EXPECT_TRUE(stream.isEndOfFile());
    EXPECT_FALSE(CTemporaryFolder::exists(m_folder.file("two.txt")));

    EXPECT_FALSE(stream.openStream(path("missing.txt"), CTextStream::kReading));
    EXPECT_TRUE(stream.isEndOfFile());
    EXPECT_FALSE(stream.openStream(path("no folder\\x.txt"), CTextStream::kWriting));
}

TEST_F(CTextStreamTest, openingAgainClosesAndFlushesTheFirstFile)
{
    CTextStream stream(path("first.txt"), CTextStream::kWriting);
    stream << 1L;
    ASSERT_TRUE(stream.openStream(path("second.txt"), CTextStream::kWriting));
    stream << 2L;
    EXPECT_EQ("1", CTemporaryFolder::readBytes(m_folder.file("first.txt")));
    stream.closeStream();
    EXPECT_FALSE(stream.isStreamOpenForWriting());
    EXPECT_EQ("2", CTemporaryFolder::readBytes(m_folder.file("second.txt")));

    ASSERT_TRUE(stream.openStream(path("second.txt"), CTextStream::kReading));
    long number = 0;
    stream >> number;
    EXPECT_EQ(2, number);
    ASSERT_TRUE(stream.openStream(path("second.txt"), CTextStream::kWriting));
    stream.flushStream();
    EXPECT_EQ("", CTemporaryFolder::readBytes(m_folder.file("second.txt"))) << "writing truncates";
}

} // namespace
