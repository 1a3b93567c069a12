// A RIFF WAVE file held in memory as float samples per channel.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class CWavFile
{
public:
    enum class ESampleFormat
    {
        Pcm16,
        Pcm24,
        Float32
    };

    CWavFile() = default;
    CWavFile(uint32_t sampleRate, ESampleFormat sampleFormat, std::vector<std::vector<float>> channels);

    // Replaces the contents with the file's; on failure the contents are unchanged and error says why.
    bool read(const std::string& path, std::string& error);
    bool write(const std::string& path, std::string& error) const;

    uint32_t sampleRate() const { return m_sampleRate; }
    void setSampleRate(uint32_t sampleRate) { m_sampleRate = sampleRate; }
    ESampleFormat sampleFormat() const { return m_sampleFormat; }
    void setSampleFormat(ESampleFormat sampleFormat) { m_sampleFormat = sampleFormat; }

    size_t channelCount() const { return m_channels.size(); }
    size_t frameCount() const { return m_channels.empty() ? 0 : m_channels[0].size(); }
    // Full scale is -1..1 for the integer formats.
    const std::vector<std::vector<float>>& channels() const { return m_channels; }
    std::vector<std::vector<float>>& channels() { return m_channels; }

    static const char* formatName(ESampleFormat sampleFormat);

private:
    uint32_t m_sampleRate = 44100;
    ESampleFormat m_sampleFormat = ESampleFormat::Float32;
    std::vector<std::vector<float>> m_channels;
};
