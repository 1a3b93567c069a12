// CFileStream: the bytes each byte order puts in the file, values read back, sticky errors, streams open the
// other way, sizes and positions; and the byte-order helpers with their 24-bit values.
#include "foundation/io/CFileStream.hpp"

#include "tests/support/CLargeFile.hpp"
#include "tests/support/CTemporaryFolder.hpp"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace
{
using Brivant::Basics::CSystemString;
using Brivant::IO::CFileStream;
using VolturaTests::CLargeFile;
using VolturaTests::CTemporaryFolder;

class CFileStreamTest : public ::testing::Test
{
protected:
    // The file's bytes after the writes, the stream closed again.
    template <class Writes>
    std::string written(bool littleEndian, bool neverSwap, Writes writes)
    {
        CFileStream stream;
        EXPECT_TRUE(stream.openStream(m_path, CFileStream::kWriting, littleEndian, neverSwap));
        writes(stream);
        EXPECT_FALSE(stream.hasStreamError());
        stream.closeStream();
        return CTemporaryFolder::readBytes(m_file);
    }

    // A stream reading exactly these bytes.
    CFileStream& reading(const std::string& bytes, bool littleEndian)
    {
        CTemporaryFolder::writeBytes(m_file, bytes);
        EXPECT_TRUE(m_stream.openStream(m_path, CFileStream::kReading, littleEndian, false));
        return m_stream;
    }

    CTemporaryFolder m_folder;
    const std::string m_file = m_folder.file("values.bin");
    const CSystemString m_path = CSystemString(m_file.c_str());
    CFileStream m_stream;
};

TEST_F(CFileStreamTest, sixteenBitValuesFollowTheStreamsByteOrderUnlessNeverSwapIsSet)
{
    const auto value = [](CFileStream& s) { s << static_cast<unsigned short>(0x1234); };
    EXPECT_EQ(std::string("\x12\x34"), written(false, false, value));
    EXPECT_EQ(std::string("\x34\x12"), written(true, false, value));
    EXPECT_EQ(std::string("\x34\x12"), written(false, true, value));
    EXPECT_EQ(std::string("\x34\x12"), written(true, true, value));
}

TEST_F(CFileStreamTest, widerValuesAreReversedWholeAndSingleBytesNever)
{
    const auto values = [](CFileStream& s) {
        s << 0x12345678L << 1.0f << 1.0 << 'a' << static_cast<unsigned char>(0xFE) << true << false;
    };
    EXPECT_EQ(std::string("\x12\x34\x56\x78" "\x3F\x80\0\0" "\x3F\xF0\0\0\0\0\0\0" "a\xFE\x01\0", 20),
              written(false, false, values));
    EXPECT_EQ(std::string("\x78\x56\x34\x12" "\0\0\x80\x3F" "\0\0\0\0\0\0\xF0\x3F" "a\xFE\x01\0", 20),
              written(true, false, values));
}

TEST_F(CFileStreamTest, everyValueReadsBackAsWrittenInEitherByteOrder)
{
    for (const bool littleEndian : {false, true})
    {
        const std::string bytes = written(littleEndian, false, [](CFileStream& s) {
            s << static_cast<short>(-2) << static_cast<unsigned short>(65535) << -70000L << 4000000000UL << 0.5f
              << -1.25 << 'z' << static_cast<unsigned char>(200) << true;
        });
        CFileStream& stream = reading(bytes, littleEndian);
        short s = 0;
        unsigned short us = 0;
        long l = 0;
        unsigned long ul = 0;
        float f = 0.0f;
        double d = 0.0;
        char c = 0;
        unsigned char uc = 0;
        bool b = false;
        stream >> s >> us >> l >> ul >> f >> d >> c >> uc >> b;
        EXPECT_FALSE(stream.hasStreamError());
        EXPECT_EQ(std::make_tuple(-2, 65535, -70000L, 4000000000UL, 0.5f, -1.25, 'z', 200, true),
                  std::make_tuple(int{s}, int{us}, l, ul, f, d, c, int{uc}, b));
        stream >> c;
        EXPECT_TRUE(stream.hasStreamError()) << "reading past the end";
        EXPECT_TRUE(stream.isEndOfFile());
    }
}

TEST_F(CFileStreamTest, aBooleanReadsTrueOnlyFromTheByteOne)
{
    CFileStream& stream = reading(std::string("\x01\x02\x00", 3), true);
    bool values[3] = {false, true, true};
    stream >> values[0] >> values[1] >> values[2];
    EXPECT_EQ(std::make_tuple(true, false, false), std::make_tuple(values[0], values[1], values[2]));
}

TEST_F(CFileStreamTest, transfersAgainstTheStreamsModeSetTheErrorAndMoveNothing)
{
    CFileStream writer(m_path, CFileStream::kWriting, true);
    long value = 7;
    writer >> value;
    EXPECT_TRUE(writer.hasStreamError());
    EXPECT_EQ(7, value);
    char byte = 0;
    EXPECT_FALSE(writer.readDataFromStream(&byte, 1));

    CFileStream& reader = reading("abcd", true);
    reader << 1L;
    EXPECT_TRUE(reader.hasStreamError());
    EXPECT_FALSE(reader.writeDataToStream("x", 1));
    reader.closeStream();
    EXPECT_EQ("abcd", CTemporaryFolder::readBytes(m_file));

    CFileStream closed;
    closed << 'c';
    EXPECT_TRUE(closed.hasStreamError());
}

TEST_F(CFileStreamTest, aShortReadKeepsWhatArrivedAndTheErrorStaysUntilTheStreamIsOpenedOrClosed)
{
    CFileStream& stream = reading("\xAA\xBB", true);
    unsigned long value = 0x11111111UL;
    stream >> value;
    EXPECT_EQ(0x1111BBAAUL, value);
    EXPECT_TRUE(stream.hasStreamError());
    EXPECT_TRUE(stream.rewindStream());
    unsigned short word = 0;
    stream >> word;
    EXPECT_EQ(0xBBAA, word);
    EXPECT_TRUE(stream.hasStreamError()) << "a later success does not clear it";

    EXPECT_TRUE(stream.openStream(m_path, CFileStream::kReading, true, false));
    EXPECT_FALSE(stream.hasStreamError());
    stream >> value;
    stream.closeStream();
    EXPECT_FALSE(stream.hasStreamError());
    EXPECT_FALSE(stream.isStreamOpenForReading());
}

TEST_F(CFileStreamTest, aWriteCountsOnlyOnceItReachesTheFile)
{
    // Wine maps Z: to the Unix root, where /dev/full refuses every write with "no space left".
    CFileStream stream(CSystemString("Z:\\dev\\full"), CFileStream::kWriting, true);
    stream << 1L;
    EXPECT_TRUE(stream.hasStreamError());
    EXPECT_FALSE(stream.closeStream());
}

TEST_F(CFileStreamTest, rawBlocksAreNeverSwappedAndLeaveTheErrorAlone)
{
    const auto block = [](CFileStream& s) { EXPECT_TRUE(s.writeDataToStream("\x01\x02\x03\x04", 4)); };
    EXPECT_EQ("\x01\x02\x03\x04", written(false, false, block));
    CFileStream& stream = reading("\x01\x02\x03\x04", false);
    char bytes[4] = {};
    EXPECT_TRUE(stream.readDataFromStream(bytes, 4));
    EXPECT_EQ("\x01\x02\x03\x04", std::string(bytes, 4));
    EXPECT_FALSE(stream.readDataFromStream(bytes, 1));
    EXPECT_FALSE(stream.hasStreamError());
}

TEST_F(CFileStreamTest, shortArraysAreReadInTheStreamsOrder)
{
    short values[2] = {};
    EXPECT_TRUE(reading(std::string("\x00\x01\xFF\xFE", 4), false).readShortArrayFromStream(values, 2));
    EXPECT_EQ(1, values[0]);
    EXPECT_EQ(-2, values[1]);
    EXPECT_TRUE(reading(std::string("\x00\x01\xFF\xFE", 4), true).readShortArrayFromStream(values, 2));
    EXPECT_EQ(0x0100, values[0]);
    EXPECT_FALSE(m_stream.hasStreamError());

    EXPECT_FALSE(reading("\x01\x02\x03", true).readShortArrayFromStream(values, 2));
    EXPECT_TRUE(m_stream.hasStreamError());
    CFileStream writer(m_path, CFileStream::kWriting, true);
    EXPECT_FALSE(writer.readShortArrayFromStream(values, 1));
    EXPECT_TRUE(writer.hasStreamError());
}

TEST_F(CFileStreamTest, theSizeIsOnlyForReadingAndKeepsThePosition)
{
    CFileStream& stream = reading("12345", true);
    char first = 0;
    stream >> first;
    EXPECT_EQ(5, stream.getStreamSize());
    EXPECT_EQ(1, stream.getStreamPosition());
    EXPECT_TRUE(stream.moveStreamPosition(2));
    stream >> first;
    EXPECT_EQ('4', first);
    EXPECT_TRUE(stream.moveToStreamPosition(1));
    stream >> first;
    EXPECT_EQ('2', first);

    CFileStream writer(m_path, CFileStream::kWriting, true);
    EXPECT_EQ(-1, writer.getStreamSize());
    EXPECT_FALSE(writer.hasStreamError());

    CFileStream closed;
    EXPECT_EQ(-1, closed.getStreamPosition());
    EXPECT_FALSE(closed.rewindStream());
    EXPECT_TRUE(closed.isEndOfFile());
}

TEST_F(CFileStreamTest, aSizeALongCannotHoldIsAnErrorRatherThanAWrappedNumber)
{
    ASSERT_TRUE(CLargeFile::create(m_file));
    CFileStream stream(m_path, CFileStream::kReading, true);
    EXPECT_EQ(-1, stream.getStreamSize());
    EXPECT_TRUE(stream.hasStreamError());
    EXPECT_EQ(0, stream.getStreamPosition()) << "the position is restored";
}

TEST_F(CFileStreamTest, onlyTheTwoModesOpenSoNoFileIsEmptiedForNothing)
{
    CTemporaryFolder::writeBytes(m_file, "kept");
    CFileStream stream;
    EXPECT_FALSE(stream.openStream(m_path, 2, true, false));
    EXPECT_EQ("kept", CTemporaryFolder::readBytes(m_file));
    EXPECT_FALSE(stream.openStream(CSystemString(m_folder.file("missing.bin").c_str()), CFileStream::kReading,
                                   true, false));
    EXPECT_STREQ("CFileStream", stream.getClass().getClassName());
}

TEST(ByteOrderHelpersTest, twentyFourBitValuesAreSignedAndLeastSignificantFirst)
{
    const unsigned char minusOne[] = {0xFF, 0xFF, 0xFF};
    const unsigned char lowest[] = {0x00, 0x00, 0x80};
    const unsigned char highest[] = {0xFF, 0xFF, 0x7F};
    EXPECT_EQ(-1, Brivant::IO::readLittleEndian24(minusOne));
    EXPECT_EQ(-8388608, Brivant::IO::readLittleEndian24(lowest));
    EXPECT_EQ(8388607, Brivant::IO::readLittleEndian24(highest));

    unsigned char bytes[4] = {0, 0, 0, 0xAA};
    Brivant::IO::writeLittleEndian24(0x123456, bytes);
    EXPECT_EQ(std::string("\x56\x34\x12\xAA"), std::string(reinterpret_cast<char*>(bytes), 4));
    for (const long value : {-8388608L, -70000L, -1L, 0L, 1L, 8388607L})
    {
        Brivant::IO::writeLittleEndian24(value, bytes);
        EXPECT_EQ(value, Brivant::IO::readLittleEndian24(bytes));
    }
}

TEST(ByteOrderHelpersTest, swapsAndTheHostsOrder)
{
    EXPECT_EQ(0, Brivant::IO::getHostByteOrder());
    unsigned char bytes[] = {1, 2, 3, 4};
    Brivant::IO::swapBytes32(bytes);
    EXPECT_EQ(std::string("\x04\x03\x02\x01"), std::string(reinterpret_cast<char*>(bytes), 4));
    Brivant::IO::swapBytes16(bytes);
    EXPECT_EQ(std::string("\x03\x04\x02\x01"), std::string(reinterpret_cast<char*>(bytes), 4));
    EXPECT_EQ(-32768, Brivant::IO::lowInt16(0x12348000L));
    EXPECT_EQ(0x5678, Brivant::IO::lowInt16(0x12345678L));
}
} // namespace
