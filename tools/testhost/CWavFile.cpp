#include "CWavFile.hpp"

#include <cmath>
#include <cstring>
#include <fstream>
#include <utility>

namespace
{
constexpr uint16_t kFormatPcm = 1;
constexpr uint16_t kFormatFloat = 3;
constexpr uint16_t kFormatExtensible = 0xFFFE;
constexpr uint32_t kPlainFmtSize = 16;
constexpr uint32_t kExtensibleFmtSize = 40;
// Nothing this tool handles needs more than a gigabyte of samples; larger sizes are corrupt headers.
constexpr uint64_t kMaxDataBytes = uint64_t(1) << 30;
constexpr uint32_t kMaxSampleRate = 10000000;

// The tail every WAVE sub-format GUID shares after its two-byte format code.
const uint8_t kSubFormatTail[14] = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80,
                                    0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};

uint16_t readLe16(const uint8_t* bytes)
{
    return static_cast<uint16_t>(bytes[0] | (bytes[1] << 8));
}

uint32_t readLe32(const uint8_t* bytes)
{
    return static_cast<uint32_t>(bytes[0]) | (static_cast<uint32_t>(bytes[1]) << 8) |
           (static_cast<uint32_t>(bytes[2]) << 16) | (static_cast<uint32_t>(bytes[3]) << 24);
}

void appendLe16(std::vector<uint8_t>& out, uint16_t value)
{
    out.push_back(static_cast<uint8_t>(value & 0xFF));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

void appendLe32(std::vector<uint8_t>& out, uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<uint8_t>((value >> shift) & 0xFF));
}

void appendId(std::vector<uint8_t>& out, const char* id)
{
    out.insert(out.end(), id, id + 4);
}

std::string chunkName(const uint8_t* id)
{
    std::string name;
    for (int i = 0; i < 4; ++i)
        name += (id[i] >= 0x20 && id[i] < 0x7F) ? static_cast<char>(id[i]) : '?';
    return name;
}

// Scales to the integer range, rounds and clamps; NaN becomes silence.
int32_t toInteger(float sample, double fullScale)
{
    if (std::isnan(sample))
        return 0;
    double scaled = std::round(static_cast<double>(sample) * fullScale);
    if (scaled > fullScale - 1.0)
        scaled = fullScale - 1.0;
    if (scaled < -fullScale)
        scaled = -fullScale;
    return static_cast<int32_t>(scaled);
}

size_t bytesPerSample(CWavFile::ESampleFormat sampleFormat)
{
    switch (sampleFormat)
    {
    case CWavFile::ESampleFormat::Pcm16:
        return 2;
    case CWavFile::ESampleFormat::Pcm24:
        return 3;
    case CWavFile::ESampleFormat::Float32:
        return 4;
    }
    return 4;
}
} // namespace

CWavFile::CWavFile(uint32_t sampleRate, ESampleFormat sampleFormat, std::vector<std::vector<float>> channels)
    : m_sampleRate(sampleRate), m_sampleFormat(sampleFormat), m_channels(std::move(channels))
{
}

const char* CWavFile::formatName(ESampleFormat sampleFormat)
{
    switch (sampleFormat)
    {
    case ESampleFormat::Pcm16:
        return "16-bit PCM";
    case ESampleFormat::Pcm24:
        return "24-bit PCM";
    case ESampleFormat::Float32:
        return "32-bit float";
    }
    return "unknown";
}

bool CWavFile::read(const std::string& path, std::string& error)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
    {
        error = "cannot open '" + path + "'";
        return false;
    }
    file.seekg(0, std::ios::end);
    const std::streamoff endPosition = file.tellg();
    if (endPosition < 0)
    {
        error = "cannot determine the size of '" + path + "'";
        return false;
    }
    const uint64_t fileSize = static_cast<uint64_t>(endPosition);
    file.seekg(0, std::ios::beg);

    const std::string prefix = "'" + path + "': ";
    uint8_t header[12];
    if (fileSize < sizeof(header) || !file.read(reinterpret_cast<char*>(header), sizeof(header)))
    {
        error = prefix + "file too short for a RIFF header";
        return false;
    }
    if (std::memcmp(header, "RIFF", 4) != 0 || std::memcmp(header + 8, "WAVE", 4) != 0)
    {
        error = prefix + "not a RIFF WAVE file";
        return false;
    }

    // Chunks may come in any order, so find fmt and data first and decode afterwards.
    uint8_t fmt[kExtensibleFmtSize] = {};
    uint32_t fmtSize = 0;
    bool haveFmt = false;
    bool haveData = false;
    uint64_t dataOffset = 0;
    uint32_t dataSize = 0;
    uint64_t position = sizeof(header);
    while (position + 8 <= fileSize)
    {
        uint8_t chunkHeader[8];
        file.seekg(static_cast<std::streamoff>(position));
        if (!file.read(reinterpret_cast<char*>(chunkHeader), sizeof(chunkHeader)))
        {
            error = prefix + "read error";
            return false;
        }
        const uint32_t size = readLe32(chunkHeader + 4);
        position += 8;
        const bool isFmt = std::memcmp(chunkHeader, "fmt ", 4) == 0;
        const bool isData = std::memcmp(chunkHeader, "data", 4) == 0;
        if (size > fileSize - position)
        {
            if (isData)
                error = prefix + "data chunk is longer than the file (" + std::to_string(size) + " bytes declared, " +
                        std::to_string(fileSize - position) + " present)";
            else
                error = prefix + "chunk '" + chunkName(chunkHeader) + "' is longer than the file";
            return false;
        }
        if (isFmt && !haveFmt)
        {
            if (size < kPlainFmtSize)
            {
                error = prefix + "fmt chunk too small (" + std::to_string(size) + " bytes)";
                return false;
            }
            fmtSize = size < kExtensibleFmtSize ? size : kExtensibleFmtSize;
            if (!file.read(reinterpret_cast<char*>(fmt), fmtSize))
            {
                error = prefix + "read error in fmt chunk";
                return false;
            }
            haveFmt = true;
        }
        else if (isData && !haveData)
        {
            dataOffset = position;
            dataSize = size;
            haveData = true;
        }
        // Odd-sized chunks are followed by a pad byte.
        position += static_cast<uint64_t>(size) + (size & 1u);
    }
    if (!haveFmt)
    {
        error = prefix + "no fmt chunk";
        return false;
    }
    if (!haveData)
    {
        error = prefix + "no data chunk";
        return false;
    }

    uint16_t formatTag = readLe16(fmt);
    const uint16_t channelCount = readLe16(fmt + 2);
    const uint32_t sampleRate = readLe32(fmt + 4);
    const uint16_t blockAlign = readLe16(fmt + 12);
    const uint16_t bitsPerSample = readLe16(fmt + 14);
    if (formatTag == kFormatExtensible)
    {
        if (fmtSize < kExtensibleFmtSize || readLe16(fmt + 16) < 22)
        {
            error = prefix + "extensible fmt chunk too small";
            return false;
        }
        if (std::memcmp(fmt + 26, kSubFormatTail, sizeof(kSubFormatTail)) != 0)
        {
            error = prefix + "unsupported extensible sub-format";
            return false;
        }
        formatTag = readLe16(fmt + 24);
    }

    ESampleFormat sampleFormat;
    if (formatTag == kFormatPcm && bitsPerSample == 16)
        sampleFormat = ESampleFormat::Pcm16;
    else if (formatTag == kFormatPcm && bitsPerSample == 24)
        sampleFormat = ESampleFormat::Pcm24;
    else if (formatTag == kFormatFloat && bitsPerSample == 32)
        sampleFormat = ESampleFormat::Float32;
    else
    {
        error = prefix + "unsupported sample format (format tag " + std::to_string(formatTag) + ", " +
                std::to_string(bitsPerSample) + " bits); 16-bit PCM, 24-bit PCM and 32-bit float are supported";
        return false;
    }
    if (channelCount < 1 || channelCount > 2)
    {
        error = prefix + "unsupported channel count " + std::to_string(channelCount) + " (mono or stereo only)";
        return false;
    }
    if (sampleRate == 0 || sampleRate > kMaxSampleRate)
    {
        error = prefix + "implausible sample rate " + std::to_string(sampleRate);
        return false;
    }
    const size_t sampleBytes = bytesPerSample(sampleFormat);
    const size_t frameBytes = sampleBytes * channelCount;
    if (blockAlign != frameBytes)
    {
        error = prefix + "block align " + std::to_string(blockAlign) + " does not match " +
                std::to_string(channelCount) + " channel(s) of " + std::to_string(bitsPerSample) + " bits";
        return false;
    }
    if (dataSize > kMaxDataBytes)
    {
        error = prefix + "data chunk of " + std::to_string(dataSize) + " bytes is too large";
        return false;
    }

    std::vector<uint8_t> data(dataSize);
    file.seekg(static_cast<std::streamoff>(dataOffset));
    if (dataSize > 0 && !file.read(reinterpret_cast<char*>(data.data()), static_cast<std::streamsize>(dataSize)))
    {
        error = prefix + "read error in data chunk";
        return false;
    }

    // A trailing partial frame carries no complete sample set; it is dropped.
    const size_t frames = dataSize / frameBytes;
    std::vector<std::vector<float>> channels(channelCount, std::vector<float>(frames));
    const uint8_t* cursor = data.data();
    for (size_t frame = 0; frame < frames; ++frame)
    {
        for (size_t channel = 0; channel < channelCount; ++channel, cursor += sampleBytes)
        {
            float value = 0.0f;
            switch (sampleFormat)
            {
            case ESampleFormat::Pcm16:
                value = static_cast<float>(static_cast<int16_t>(readLe16(cursor))) / 32768.0f;
                break;
            case ESampleFormat::Pcm24:
            {
                int32_t integer = static_cast<int32_t>(cursor[0] | (cursor[1] << 8) | (cursor[2] << 16));
                if (integer & 0x800000)
                    integer -= 0x1000000;
                value = static_cast<float>(integer) / 8388608.0f;
                break;
            }
            case ESampleFormat::Float32:
            {
                const uint32_t bits = readLe32(cursor);
                std::memcpy(&value, &bits, sizeof(value));
                break;
            }
            }
            channels[channel][frame] = value;
        }
    }

    m_sampleRate = sampleRate;
    m_sampleFormat = sampleFormat;
    m_channels = std::move(channels);
    return true;
}

bool CWavFile::write(const std::string& path, std::string& error) const
{
    const std::string prefix = "'" + path + "': ";
    if (m_channels.empty() || m_channels.size() > 2)
    {
        error = prefix + "cannot write " + std::to_string(m_channels.size()) + " channels (mono or stereo only)";
        return false;
    }
    const size_t frames = m_channels[0].size();
    for (const auto& channel : m_channels)
    {
        if (channel.size() != frames)
        {
            error = prefix + "channels differ in length";
            return false;
        }
    }
    if (m_sampleRate == 0 || m_sampleRate > kMaxSampleRate)
    {
        error = prefix + "implausible sample rate " + std::to_string(m_sampleRate);
        return false;
    }
    const size_t sampleBytes = bytesPerSample(m_sampleFormat);
    const uint64_t dataSize = static_cast<uint64_t>(frames) * m_channels.size() * sampleBytes;
    if (dataSize > kMaxDataBytes)
    {
        error = prefix + "too many samples for one file";
        return false;
    }

    const bool isFloat = m_sampleFormat == ESampleFormat::Float32;
    // Non-PCM formats carry the extension size field and a fact chunk with the frame count.
    const uint32_t fmtSize = isFloat ? 18 : kPlainFmtSize;
    const uint32_t factBytes = isFloat ? 12 : 0;
    const uint32_t padBytes = static_cast<uint32_t>(dataSize & 1u);
    const uint32_t riffSize = 4 + (8 + fmtSize) + factBytes + 8 + static_cast<uint32_t>(dataSize) + padBytes;

    std::vector<uint8_t> out;
    out.reserve(static_cast<size_t>(riffSize) + 8);
    appendId(out, "RIFF");
    appendLe32(out, riffSize);
    appendId(out, "WAVE");
    appendId(out, "fmt ");
    appendLe32(out, fmtSize);
    appendLe16(out, isFloat ? kFormatFloat : kFormatPcm);
    appendLe16(out, static_cast<uint16_t>(m_channels.size()));
    appendLe32(out, m_sampleRate);
    const uint32_t blockAlign = static_cast<uint32_t>(sampleBytes * m_channels.size());
    appendLe32(out, m_sampleRate * blockAlign);
    appendLe16(out, static_cast<uint16_t>(blockAlign));
    appendLe16(out, static_cast<uint16_t>(sampleBytes * 8));
    if (isFloat)
    {
        appendLe16(out, 0);
        appendId(out, "fact");
        appendLe32(out, 4);
        appendLe32(out, static_cast<uint32_t>(frames));
    }
    appendId(out, "data");
    appendLe32(out, static_cast<uint32_t>(dataSize));
    for (size_t frame = 0; frame < frames; ++frame)
    {
        for (const auto& channel : m_channels)
        {
            const float sample = channel[frame];
            switch (m_sampleFormat)
            {
            case ESampleFormat::Pcm16:
                appendLe16(out, static_cast<uint16_t>(toInteger(sample, 32768.0)));
                break;
            case ESampleFormat::Pcm24:
            {
                const uint32_t integer = static_cast<uint32_t>(toInteger(sample, 8388608.0));
                out.push_back(static_cast<uint8_t>(integer & 0xFF));
                out.push_back(static_cast<uint8_t>((integer >> 8) & 0xFF));
                out.push_back(static_cast<uint8_t>((integer >> 16) & 0xFF));
                break;
            }
            case ESampleFormat::Float32:
            {
                uint32_t bits = 0;
                std::memcpy(&bits, &sample, sizeof(bits));
                appendLe32(out, bits);
                break;
            }
            }
        }
    }
    if (padBytes)
        out.push_back(0);

    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file)
    {
        error = "cannot create '" + path + "'";
        return false;
    }
    file.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
    file.close();
    if (!file)
    {
        error = prefix + "write failed";
        return false;
    }
    return true;
}
