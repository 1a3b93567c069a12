// Unit tests of the test host's file readers: CWavFile and CPeImage.
#include "tools/testhost/CPeImage.hpp"
#include "tools/testhost/CWavFile.hpp"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>
#include <limits>
#include <string>
#include <tuple>
#include <vector>

namespace
{
typedef std::vector<uint8_t> Bytes;
typedef std::vector<std::vector<float>> Channels;

void putLe16(Bytes& bytes, size_t offset, uint16_t value)
{
    bytes[offset] = static_cast<uint8_t>(value & 0xFF);
    bytes[offset + 1] = static_cast<uint8_t>(value >> 8);
}

void putLe32(Bytes& bytes, size_t offset, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[offset + static_cast<size_t>(i)] = static_cast<uint8_t>((value >> (8 * i)) & 0xFF);
}

void appendLe16(Bytes& bytes, uint16_t value)
{
    bytes.resize(bytes.size() + 2);
    putLe16(bytes, bytes.size() - 2, value);
}

void appendLe32(Bytes& bytes, uint32_t value)
{
    bytes.resize(bytes.size() + 4);
    putLe32(bytes, bytes.size() - 4, value);
}

void appendText(Bytes& bytes, const char* text)
{
    bytes.insert(bytes.end(), text, text + std::strlen(text));
}

// A chunk with its header and, for odd sizes, the pad byte.
void appendChunk(Bytes& bytes, const char* id, const Bytes& body)
{
    appendText(bytes, id);
    appendLe32(bytes, static_cast<uint32_t>(body.size()));
    bytes.insert(bytes.end(), body.begin(), body.end());
    if (body.size() & 1)
        bytes.push_back(0);
}

Bytes fmtBody(uint16_t formatTag, uint16_t channels, uint32_t rate, uint16_t bits)
{
    Bytes body;
    const uint16_t blockAlign = static_cast<uint16_t>(channels * bits / 8);
    appendLe16(body, formatTag);
    appendLe16(body, channels);
    appendLe32(body, rate);
    appendLe32(body, rate * blockAlign);
    appendLe16(body, blockAlign);
    appendLe16(body, bits);
    return body;
}

Bytes extensibleFmtBody(uint16_t subFormat, uint16_t channels, uint32_t rate, uint16_t bits)
{
    Bytes body = fmtBody(0xFFFE, channels, rate, bits);
    appendLe16(body, 22);
    appendLe16(body, bits);
    appendLe32(body, channels == 1 ? 0x4 : 0x3);
    appendLe16(body, subFormat);
    const uint8_t tail[14] = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};
    body.insert(body.end(), tail, tail + sizeof(tail));
    return body;
}

// RIFF header around the given chunks, with the size field matching.
Bytes riffWave(const Bytes& chunks)
{
    Bytes bytes;
    appendText(bytes, "RIFF");
    appendLe32(bytes, static_cast<uint32_t>(4 + chunks.size()));
    appendText(bytes, "WAVE");
    bytes.insert(bytes.end(), chunks.begin(), chunks.end());
    return bytes;
}

// Interleaved little-endian integer samples.
Bytes pcmData(const std::vector<int32_t>& interleaved, int bytesPerSample)
{
    Bytes data;
    for (int32_t sample : interleaved)
        for (int i = 0; i < bytesPerSample; ++i)
            data.push_back(static_cast<uint8_t>((static_cast<uint32_t>(sample) >> (8 * i)) & 0xFF));
    return data;
}

// The layout this project's writer uses for integer PCM: fmt of 16 bytes, then data.
Bytes canonicalPcmFile(uint16_t channels, uint32_t rate, uint16_t bits, const std::vector<int32_t>& interleaved)
{
    Bytes chunks;
    appendChunk(chunks, "fmt ", fmtBody(1, channels, rate, bits));
    appendChunk(chunks, "data", pcmData(interleaved, bits / 8));
    return riffWave(chunks);
}

Bytes stereoPcm16File()
{
    return canonicalPcmFile(2, 44100, 16, {0, 1, -1, 32767, -32768, 12345});
}

// A folder of its own under the system temp folder, removed with everything the test put there.
class CTempFolderTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        char base[MAX_PATH + 1] = {};
        ASSERT_GT(GetTempPathA(sizeof(base), base), 0u);
        const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
        m_folder = std::string(base) + "voltura-tools-" + std::to_string(GetCurrentProcessId()) + "-" +
                   std::to_string(GetTickCount()) + "-" + info->name();
        std::replace(m_folder.begin() + static_cast<std::ptrdiff_t>(std::strlen(base)), m_folder.end(), '/', '_');
        ASSERT_TRUE(CreateDirectoryA(m_folder.c_str(), nullptr)) << m_folder;
    }

    void TearDown() override
    {
        for (const std::string& path : m_files)
            DeleteFileA(path.c_str());
        RemoveDirectoryA(m_folder.c_str());
    }

    std::string path(const std::string& name)
    {
        const std::string full = m_folder + "\\" + name;
        if (std::find(m_files.begin(), m_files.end(), full) == m_files.end())
            m_files.push_back(full);
        return full;
    }

    std::string writeFile(const std::string& name, const Bytes& bytes)
    {
        const std::string full = path(name);
        std::ofstream file(full, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        EXPECT_TRUE(file.good()) << full;
        return full;
    }

    static Bytes readFile(const std::string& full)
    {
        std::ifstream file(full, std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }

private:
    std::string m_folder;
    std::vector<std::string> m_files;
};

// ---------------------------------------------------------------------------------------------- CWavFile

class CWavFileRoundTripTest
    : public CTempFolderTest,
      public ::testing::WithParamInterface<std::tuple<CWavFile::ESampleFormat, int>>
{
};

// Values each format stores exactly, so what comes back must equal what went in.
Channels exactSamples(CWavFile::ESampleFormat format, int channelCount)
{
    const double scale = format == CWavFile::ESampleFormat::Pcm16   ? 32768.0
                         : format == CWavFile::ESampleFormat::Pcm24 ? 8388608.0
                                                                    : 0.0;
    Channels channels(static_cast<size_t>(channelCount));
    for (int channel = 0; channel < channelCount; ++channel)
    {
        if (scale == 0.0)
            channels[channel] = {0.0f, 1.0f, -1.0f, 1.5f, -2.25f, 1e-20f, -0.333333f, 0.7071f * channel, 3.0e5f};
        else
            channels[channel] = {0.0f,
                                 static_cast<float>(1.0 / scale),
                                 static_cast<float>(-1.0 / scale),
                                 -1.0f,
                                 static_cast<float>((scale - 1.0) / scale),
                                 static_cast<float>((1234.0 + channel) / scale),
                                 static_cast<float>(-(scale / 3.0 - std::fmod(scale / 3.0, 1.0)) / scale)};
    }
    return channels;
}

TEST_P(CWavFileRoundTripTest, WriteThenReadGivesTheSameSamplesRateAndFormat)
{
    const CWavFile::ESampleFormat format = std::get<0>(GetParam());
    const int channelCount = std::get<1>(GetParam());
    const CWavFile written(48000, format, exactSamples(format, channelCount));
    std::string error;
    const std::string file = path("roundtrip.wav");
    ASSERT_TRUE(written.write(file, error)) << error;

    CWavFile read;
    ASSERT_TRUE(read.read(file, error)) << error;
    EXPECT_EQ(read.sampleRate(), 48000u);
    EXPECT_EQ(read.sampleFormat(), format);
    EXPECT_EQ(read.channelCount(), static_cast<size_t>(channelCount));
    EXPECT_EQ(read.frameCount(), written.frameCount());
    EXPECT_EQ(read.channels(), written.channels());
    // The RIFF size covers exactly the rest of the file, and the file length is even.
    const Bytes bytes = readFile(file);
    ASSERT_GE(bytes.size(), 12u);
    EXPECT_EQ(uint32_t(bytes[4] | bytes[5] << 8 | bytes[6] << 16 | uint32_t(bytes[7]) << 24), bytes.size() - 8);
    EXPECT_EQ(bytes.size() % 2, 0u);
}

INSTANTIATE_TEST_SUITE_P(AllFormats, CWavFileRoundTripTest,
                         ::testing::Combine(::testing::Values(CWavFile::ESampleFormat::Pcm16,
                                                              CWavFile::ESampleFormat::Pcm24,
                                                              CWavFile::ESampleFormat::Float32),
                                            ::testing::Values(1, 2)));

class CWavFileTest : public CTempFolderTest
{
};

TEST_F(CWavFileTest, IntegerFilesReadAndWrittenAgainAreBitExact)
{
    // The odd-length 24-bit mono data also checks the pad byte after it.
    const Bytes files[] = {
        canonicalPcmFile(2, 44100, 16, {0, 1, -1, 32767, -32768, 12345, -23456, 256}),
        canonicalPcmFile(1, 22050, 16, {-32768, 32767, 7, -7, 0}),
        canonicalPcmFile(2, 96000, 24, {0, 1, -1, 8388607, -8388608, 0x123456, -0x123456, 0x800}),
        canonicalPcmFile(1, 48000, 24, {8388607, -8388608, 1, -1, 42}),
    };
    for (const Bytes& original : files)
    {
        std::string error;
        CWavFile wav;
        ASSERT_TRUE(wav.read(writeFile("original.wav", original), error)) << error;
        ASSERT_TRUE(wav.write(path("copy.wav"), error)) << error;
        EXPECT_EQ(readFile(path("copy.wav")), original);
    }
}

TEST_F(CWavFileTest, IntegerSamplesAreScaledToFullScaleOne)
{
    std::string error;
    CWavFile wav;
    ASSERT_TRUE(wav.read(writeFile("16.wav", canonicalPcmFile(1, 44100, 16, {16384, -32768, -16384})), error));
    EXPECT_EQ(wav.channels()[0], (std::vector<float>{0.5f, -1.0f, -0.5f}));
    ASSERT_TRUE(wav.read(writeFile("24.wav", canonicalPcmFile(1, 44100, 24, {0x400000, -0x800000, -1})), error));
    EXPECT_EQ(wav.channels()[0], (std::vector<float>{0.5f, -1.0f, -1.0f / 8388608.0f}));
}

TEST_F(CWavFileTest, WritingRoundsToTheNearestStepAndClampsToTheIntegerRange)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    struct SCase
    {
        CWavFile::ESampleFormat format;
        double scale;
        int bits;
        std::vector<int32_t> expected;
    } cases[] = {{CWavFile::ESampleFormat::Pcm16, 32768.0, 16, {32767, -32768, 100, 101, -101, 0}},
                 {CWavFile::ESampleFormat::Pcm24, 8388608.0, 24, {8388607, -8388608, 100, 101, -101, 0}}};
    for (const SCase& test : cases)
    {
        const std::vector<float> samples = {1.5f,
                                            -1.5f,
                                            static_cast<float>(100.4 / test.scale),
                                            static_cast<float>(100.6 / test.scale),
                                            static_cast<float>(-100.6 / test.scale),
                                            nan};
        std::string error;
        ASSERT_TRUE(CWavFile(44100, test.format, {samples}).write(path("clamped.wav"), error)) << error;
        EXPECT_EQ(readFile(path("clamped.wav")), canonicalPcmFile(1, 44100, static_cast<uint16_t>(test.bits),
                                                                   test.expected));
    }
}

TEST_F(CWavFileTest, ReadsExtensibleFormatsAndSkipsUnknownChunks)
{
    struct SCase
    {
        const char* name;
        Bytes file;
        CWavFile::ESampleFormat format;
        std::vector<float> left;
    };
    Bytes floatData;
    for (float value : {0.25f, -0.5f, 1.25f, 0.0f})
    {
        uint32_t bits = 0;
        std::memcpy(&bits, &value, sizeof(bits));
        appendLe32(floatData, bits);
    }
    Bytes oddChunk = {'a', 'b', 'c'};

    Bytes extensiblePcm;
    appendChunk(extensiblePcm, "LIST", oddChunk);
    appendChunk(extensiblePcm, "fmt ", extensibleFmtBody(1, 2, 44100, 24));
    appendChunk(extensiblePcm, "junk", Bytes(5, 0xEE));
    appendChunk(extensiblePcm, "data", pcmData({0x400000, 1, -0x400000, 2}, 3));
    appendChunk(extensiblePcm, "cue ", Bytes(7, 0x11));

    Bytes extensibleFloat;
    appendChunk(extensibleFloat, "fmt ", extensibleFmtBody(3, 2, 48000, 32));
    appendChunk(extensibleFloat, "fact", {2, 0, 0, 0});
    appendChunk(extensibleFloat, "data", floatData);

    // Data before fmt, and a trailing odd chunk whose pad byte is missing at the end of the file.
    Bytes dataFirst;
    appendChunk(dataFirst, "data", pcmData({16384, -16384}, 2));
    appendChunk(dataFirst, "fmt ", fmtBody(1, 1, 8000, 16));
    appendChunk(dataFirst, "note", oddChunk);
    dataFirst.pop_back();

    // fmt with a zero-length extension, as float files usually have.
    Bytes plainFloat;
    Bytes floatFmt = fmtBody(3, 2, 44100, 32);
    appendLe16(floatFmt, 0);
    appendChunk(plainFloat, "fmt ", floatFmt);
    appendChunk(plainFloat, "data", floatData);

    const SCase cases[] = {
        {"extensible pcm", riffWave(extensiblePcm), CWavFile::ESampleFormat::Pcm24, {0.5f, -0.5f}},
        {"extensible float", riffWave(extensibleFloat), CWavFile::ESampleFormat::Float32, {0.25f, 1.25f}},
        {"data first", riffWave(dataFirst), CWavFile::ESampleFormat::Pcm16, {0.5f, -0.5f}},
        {"plain float", riffWave(plainFloat), CWavFile::ESampleFormat::Float32, {0.25f, 1.25f}},
    };
    for (const SCase& test : cases)
    {
        std::string error;
        CWavFile wav;
        ASSERT_TRUE(wav.read(writeFile("case.wav", test.file), error)) << test.name << ": " << error;
        EXPECT_EQ(wav.sampleFormat(), test.format) << test.name;
        EXPECT_EQ(wav.channels()[0], test.left) << test.name;
    }
}

TEST_F(CWavFileTest, BadFilesGiveAnErrorAndLeaveTheContentsUnchanged)
{
    struct SCase
    {
        const char* name;
        Bytes file;
        const char* errorPart;
    };
    auto withFmt = [](const Bytes& fmt, const Bytes& data) {
        Bytes chunks;
        appendChunk(chunks, "fmt ", fmt);
        appendChunk(chunks, "data", data);
        return riffWave(chunks);
    };
    auto withChunks = [](std::initializer_list<std::pair<const char*, Bytes>> list) {
        Bytes chunks;
        for (const auto& chunk : list)
            appendChunk(chunks, chunk.first, chunk.second);
        return riffWave(chunks);
    };
    const Bytes twoFrames = pcmData({1, 2, 3, 4}, 2);
    const Bytes good = stereoPcm16File();

    Bytes notRiff = good;
    std::memcpy(notRiff.data(), "RIFX", 4);
    Bytes notWave = good;
    std::memcpy(notWave.data() + 8, "AVI ", 4);
    Bytes dataTooLong = good;
    dataTooLong.resize(dataTooLong.size() - 2);
    Bytes dataHuge = good;
    putLe32(dataHuge, 40, 0xFFFFFFFFu);
    Bytes chunkHuge = good;
    chunkHuge.insert(chunkHuge.begin() + 12, {'j', 'u', 'n', 'k', 0xF0, 0xFF, 0xFF, 0xFF});
    Bytes blockAlignWrong = fmtBody(1, 2, 44100, 16);
    putLe16(blockAlignWrong, 12, 6);
    Bytes unknownSubFormat = extensibleFmtBody(1, 2, 44100, 16);
    unknownSubFormat[30] = 0x11;
    Bytes shortExtensible = fmtBody(0xFFFE, 2, 44100, 16);
    appendLe16(shortExtensible, 0);

    const SCase cases[] = {
        {"empty", {}, "too short"},
        {"header only", Bytes(good.begin(), good.begin() + 11), "too short"},
        {"not RIFF", notRiff, "not a RIFF WAVE"},
        {"not WAVE", notWave, "not a RIFF WAVE"},
        {"no fmt", withChunks({{"data", twoFrames}}), "no fmt"},
        {"no data", withChunks({{"fmt ", fmtBody(1, 2, 44100, 16)}}), "no data"},
        {"fmt too small", withChunks({{"fmt ", Bytes(14, 1)}, {"data", twoFrames}}), "fmt chunk too small"},
        {"ADPCM", withFmt(fmtBody(2, 2, 44100, 16), twoFrames), "unsupported sample format"},
        {"8-bit", withFmt(fmtBody(1, 2, 44100, 8), twoFrames), "unsupported sample format"},
        {"64-bit float", withFmt(fmtBody(3, 1, 44100, 64), Bytes(16, 0)), "unsupported sample format"},
        {"no channels", withFmt(fmtBody(1, 0, 44100, 16), twoFrames), "channel count 0"},
        {"three channels", withFmt(fmtBody(1, 3, 44100, 16), Bytes(12, 0)), "channel count 3"},
        {"rate zero", withFmt(fmtBody(1, 2, 0, 16), twoFrames), "sample rate"},
        {"block align", withFmt(blockAlignWrong, twoFrames), "block align"},
        {"unknown sub-format", withFmt(unknownSubFormat, twoFrames), "sub-format"},
        {"short extensible", withFmt(shortExtensible, twoFrames), "extensible fmt chunk too small"},
        {"data longer than file", dataTooLong, "data chunk is longer than the file"},
        {"absurd data size", dataHuge, "data chunk is longer than the file"},
        {"absurd chunk size", chunkHuge, "'junk' is longer than the file"},
    };

    std::string error;
    CWavFile wav(12345, CWavFile::ESampleFormat::Pcm24, {{0.5f}});
    for (const SCase& test : cases)
    {
        error.clear();
        EXPECT_FALSE(wav.read(writeFile("bad.wav", test.file), error)) << test.name;
        EXPECT_NE(error.find(test.errorPart), std::string::npos) << test.name << ": " << error;
    }
    EXPECT_FALSE(wav.read(path("missing.wav"), error));
    EXPECT_NE(error.find("missing.wav"), std::string::npos) << error;

    EXPECT_EQ(wav.sampleRate(), 12345u);
    EXPECT_EQ(wav.sampleFormat(), CWavFile::ESampleFormat::Pcm24);
    EXPECT_EQ(wav.channels(), (Channels{{0.5f}}));
}

TEST_F(CWavFileTest, EveryTruncationOfAFileIsRejected)
{
    const Bytes whole = stereoPcm16File();
    for (size_t length = 0; length < whole.size(); ++length)
    {
        std::string error;
        CWavFile wav;
        EXPECT_FALSE(wav.read(writeFile("cut.wav", Bytes(whole.begin(), whole.begin() + length)), error)) << length;
        EXPECT_FALSE(error.empty()) << length;
    }
}

TEST_F(CWavFileTest, WritingFailsWithAnErrorForUnwritablePathsAndUnusableContents)
{
    struct SCase
    {
        const char* name;
        CWavFile wav;
        std::string target;
    } cases[] = {
        {"missing folder", CWavFile(44100, CWavFile::ESampleFormat::Pcm16, {{0.0f}}), path("no-such-folder\\x.wav")},
        {"no channels", CWavFile(44100, CWavFile::ESampleFormat::Pcm16, {}), path("x.wav")},
        {"three channels", CWavFile(44100, CWavFile::ESampleFormat::Pcm16, {{0.0f}, {0.0f}, {0.0f}}), path("x.wav")},
        {"ragged channels", CWavFile(44100, CWavFile::ESampleFormat::Float32, {{0.0f, 1.0f}, {0.0f}}),
         path("x.wav")},
        {"rate zero", CWavFile(0, CWavFile::ESampleFormat::Float32, {{0.0f}}), path("x.wav")},
    };
    for (const SCase& test : cases)
    {
        std::string error;
        EXPECT_FALSE(test.wav.write(test.target, error)) << test.name;
        EXPECT_FALSE(error.empty()) << test.name;
    }
}

// ---------------------------------------------------------------------------------------------- CPeImage

// A minimal DLL image: headers in the first 0x200 bytes, one section at RVA 0x1000 stored at file
// offset 0x200 with the export directory, two exported names, two import descriptors and their names.
// The last import name ends the file, so any truncation breaks it.
struct SPeLayout
{
    static constexpr size_t kPeOffset = 0x80;
    static constexpr size_t kCoff = kPeOffset + 4;
    static constexpr size_t kOptional = kCoff + 20;
    static constexpr uint32_t kSectionRva = 0x1000;
    static constexpr size_t kSectionFile = 0x200;
    static constexpr uint32_t kExportRva = 0x1000;
    static constexpr uint32_t kNameTableRva = 0x1040;
    static constexpr uint32_t kImportRva = 0x1080;
    static constexpr uint32_t kFirstImportNameRva = 0x10C0;
    static constexpr uint32_t kSecondImportNameRva = 0x10D0;

    static size_t directories(bool is64) { return kOptional + (is64 ? 112 : 96); }
    static size_t optionalSize(bool is64) { return is64 ? 240 : 224; }
    static size_t sectionTable(bool is64) { return kOptional + optionalSize(is64); }
    static size_t fileOffset(uint32_t rva) { return rva - kSectionRva + kSectionFile; }
};

Bytes buildPeImage(bool is64)
{
    typedef SPeLayout L;
    Bytes image(L::fileOffset(L::kSecondImportNameRva), 0);
    image[0] = 'M';
    image[1] = 'Z';
    putLe32(image, 0x3C, L::kPeOffset);
    std::memcpy(image.data() + L::kPeOffset, "PE\0\0", 4);
    putLe16(image, L::kCoff, is64 ? 0x8664 : 0x14C);
    putLe16(image, L::kCoff + 2, 1);
    putLe16(image, L::kCoff + 16, static_cast<uint16_t>(L::optionalSize(is64)));
    putLe16(image, L::kCoff + 18, 0x2102);
    putLe16(image, L::kOptional, is64 ? 0x20B : 0x10B);
    putLe32(image, L::kOptional + 60, static_cast<uint32_t>(L::kSectionFile));
    putLe32(image, L::directories(is64) - 4, 16);
    putLe32(image, L::directories(is64), L::kExportRva);
    putLe32(image, L::directories(is64) + 4, 40);
    putLe32(image, L::directories(is64) + 8, L::kImportRva);
    putLe32(image, L::directories(is64) + 12, 60);

    const char* imports[] = {"KERNEL32.dll", "USER32.dll"};
    const size_t imageSize = L::fileOffset(L::kSecondImportNameRva) + std::strlen(imports[1]) + 1;
    image.resize(imageSize, 0);
    const size_t section = L::sectionTable(is64);
    std::memcpy(image.data() + section, ".rdata", 6);
    putLe32(image, section + 8, static_cast<uint32_t>(imageSize - L::kSectionFile));
    putLe32(image, section + 12, L::kSectionRva);
    putLe32(image, section + 16, static_cast<uint32_t>(imageSize - L::kSectionFile));
    putLe32(image, section + 20, static_cast<uint32_t>(L::kSectionFile));

    putLe32(image, L::fileOffset(L::kExportRva) + 24, 2);
    putLe32(image, L::fileOffset(L::kExportRva) + 32, L::kNameTableRva);
    putLe32(image, L::fileOffset(L::kNameTableRva), L::kNameTableRva + 0x10);
    putLe32(image, L::fileOffset(L::kNameTableRva) + 4, L::kNameTableRva + 0x18);
    std::memcpy(image.data() + L::fileOffset(L::kNameTableRva + 0x10), "main", 5);
    std::memcpy(image.data() + L::fileOffset(L::kNameTableRva + 0x18), "other", 6);

    const uint32_t nameRvas[] = {L::kFirstImportNameRva, L::kSecondImportNameRva};
    for (size_t i = 0; i < 2; ++i)
    {
        const size_t descriptor = L::fileOffset(L::kImportRva) + 20 * i;
        putLe32(image, descriptor, 0x1100);
        putLe32(image, descriptor + 12, nameRvas[i]);
        putLe32(image, descriptor + 16, 0x1100);
        std::memcpy(image.data() + L::fileOffset(nameRvas[i]), imports[i], std::strlen(imports[i]) + 1);
    }
    return image;
}

bool equalsIgnoringCase(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

class CPeImageTest : public CTempFolderTest
{
};

TEST_F(CPeImageTest, ReadsItsOwnExecutable)
{
    char self[MAX_PATH + 1] = {};
    ASSERT_GT(GetModuleFileNameA(nullptr, self, sizeof(self)), 0u);
    CPeImage image;
    std::string error;
    ASSERT_TRUE(image.read(self, error)) << error;
    EXPECT_EQ(image.is64Bit(), sizeof(void*) == 8);
    EXPECT_EQ(image.machine(), sizeof(void*) == 8 ? 0x8664 : 0x14C);
    EXPECT_TRUE(image.exports().empty());
    EXPECT_TRUE(std::any_of(image.imports().begin(), image.imports().end(),
                            [](const std::string& name) { return equalsIgnoringCase(name, "KERNEL32.dll"); }));

    // The headers alone (their size is in the optional header) do not hold the import directory.
    const Bytes whole = readFile(self);
    ASSERT_GT(whole.size(), 0x40u);
    const size_t optional = (whole[0x3C] | whole[0x3D] << 8 | whole[0x3E] << 16) + 24u;
    ASSERT_LT(optional + 64, whole.size());
    const size_t headerSize = whole[optional + 60] | whole[optional + 61] << 8 | whole[optional + 62] << 16;
    ASSERT_LT(headerSize, whole.size());
    EXPECT_FALSE(image.read(writeFile("headers.dll", Bytes(whole.begin(), whole.begin() + headerSize)), error));
    EXPECT_NE(error.find("import"), std::string::npos) << error;
}

TEST_F(CPeImageTest, ListsExportsAndImportsOfBothImageKinds)
{
    for (bool is64 : {false, true})
    {
        CPeImage image;
        std::string error;
        ASSERT_TRUE(image.read(writeFile("image.dll", buildPeImage(is64)), error)) << error;
        EXPECT_EQ(image.is64Bit(), is64);
        EXPECT_EQ(image.machine(), is64 ? 0x8664 : 0x14C);
        EXPECT_EQ(image.exports(), (std::vector<std::string>{"main", "other"}));
        EXPECT_EQ(image.imports(), (std::vector<std::string>{"KERNEL32.dll", "USER32.dll"}));
    }
}

TEST_F(CPeImageTest, MalformedImagesGiveAnErrorAndEmptyLists)
{
    typedef SPeLayout L;
    struct SCase
    {
        const char* name;
        size_t offset;
        uint32_t value;
        int width;
    };
    for (bool is64 : {false, true})
    {
        const size_t directories = L::directories(is64);
        const size_t section = L::sectionTable(is64);
        const SCase corruptions[] = {
            {"DOS magic", 0, 'X', 1},
            {"PE offset past the end", 0x3C, 0x10000, 4},
            {"PE offset overflowing", 0x3C, 0xFFFFFFF0u, 4},
            {"PE signature", L::kPeOffset, 'X', 1},
            {"optional magic", L::kOptional, 0x30B, 2},
            {"optional header past the end", L::kCoff + 16, 0xFFFF, 2},
            {"optional header too small", L::kCoff + 16, 16, 2},
            {"section table past the end", L::kCoff + 2, 0xFFFF, 2},
            {"section raw data past the end", section + 20, 0x7FFFFFF0, 4},
            {"export directory outside", directories, 0x900000, 4},
            {"export name count", L::fileOffset(L::kExportRva) + 24, 0x40000000, 4},
            {"export name table outside", L::fileOffset(L::kExportRva) + 32, 0xFFFFFFFCu, 4},
            {"export name outside", L::fileOffset(L::kNameTableRva), 0x1FFFFF, 4},
            {"import directory outside", directories + 8, 0x7FFFFF00, 4},
            {"import name missing", L::fileOffset(L::kImportRva) + 12, 0, 4},
            {"import name outside", L::fileOffset(L::kImportRva) + 12, 0xFFFFFFFFu, 4},
            // The first descriptor then starts just before the file's end and cannot be complete.
            {"import directory at the end", directories + 8, L::kSecondImportNameRva + 4, 4},
        };
        for (const SCase& test : corruptions)
        {
            Bytes bytes = buildPeImage(is64);
            if (test.width == 1)
                bytes[test.offset] = static_cast<uint8_t>(test.value);
            else if (test.width == 2)
                putLe16(bytes, test.offset, static_cast<uint16_t>(test.value));
            else
                putLe32(bytes, test.offset, test.value);

            // Parsed after a good image, so stale results would show.
            CPeImage image;
            std::string error;
            ASSERT_TRUE(image.read(writeFile("good.dll", buildPeImage(is64)), error)) << error;
            EXPECT_FALSE(image.read(writeFile("bad.dll", bytes), error)) << test.name << (is64 ? " (64)" : " (32)");
            EXPECT_FALSE(error.empty()) << test.name;
            EXPECT_TRUE(image.exports().empty()) << test.name;
            EXPECT_TRUE(image.imports().empty()) << test.name;
        }

        // An export name running into the end of the file has no terminator.
        Bytes unterminated = buildPeImage(is64);
        putLe32(unterminated, L::fileOffset(L::kNameTableRva), static_cast<uint32_t>(unterminated.size() - 3 -
                                                                                     L::kSectionFile + L::kSectionRva));
        unterminated.back() = 'x';
        CPeImage image;
        std::string error;
        EXPECT_FALSE(image.read(writeFile("unterminated.dll", unterminated), error));
        EXPECT_NE(error.find("export name"), std::string::npos) << error;
    }
}

TEST_F(CPeImageTest, EveryTruncationAndMissingFilesAreRejected)
{
    const Bytes whole = buildPeImage(true);
    for (size_t length = 0; length < whole.size(); ++length)
    {
        CPeImage image;
        std::string error;
        EXPECT_FALSE(image.read(writeFile("cut.dll", Bytes(whole.begin(), whole.begin() + length)), error))
            << length;
        EXPECT_FALSE(error.empty()) << length;
    }
    CPeImage image;
    std::string error;
    EXPECT_FALSE(image.read(path("missing.dll"), error));
    EXPECT_NE(error.find("missing.dll"), std::string::npos) << error;
}
} // namespace
