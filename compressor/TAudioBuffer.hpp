// A channel-by-frame sample buffer: channel c's frames lie together, from sample c * frames on.
#pragma once

#include "foundation/basics/CCountedObject.hpp"

#include <algorithm>
#include <cstddef>
#include <limits>
#include <typeinfo>

namespace Brivant
{
namespace Audio
{
template <typename T>
class TAudioBuffer : public Basics::CCountedObject
{
public:
    // Empty: no samples.
    TAudioBuffer() : m_samples(nullptr), m_frames(0), m_channels(0), m_sampleCount(0) {}

    // Zeroed; see setSize.
    TAudioBuffer(long channels, long frames) : TAudioBuffer() { setSize(channels, frames); }

    TAudioBuffer(const TAudioBuffer&) = delete;
    TAudioBuffer& operator=(const TAudioBuffer&) = delete;
    ~TAudioBuffer() override { delete[] m_samples; }

    static Basics::CClass& classRecord()
    {
        static Basics::CClass record("TAudioBuffer<TypeName>", typeid(T), "CCountedObject");
        return record;
    }

    const Basics::CClass& getClass() const override { return classRecord(); }

    // Replaces the samples with channels * frames zeros. A negative size counts as 0; a size whose sample
    // count does not fit a long is refused by leaving the buffer as it was. The new array is allocated
    // before the old one is freed, so a failed allocation (std::bad_alloc) leaves the old samples in place.
    void setSize(long channels, long frames)
    {
        channels = std::max(channels, 0L);
        frames = std::max(frames, 0L);
        if (frames != 0 && channels > std::numeric_limits<long>::max() / frames)
            return;
        const long count = channels * frames;
        T* samples = count > 0 ? new T[static_cast<size_t>(count)]() : nullptr;
        delete[] m_samples;
        m_samples = samples;
        m_frames = frames;
        m_channels = channels;
        m_sampleCount = count;
    }

    long getNumberOfFrames() const { return m_frames; }
    long getNumberOfChannels() const { return m_channels; }
    long getNumberOfSamples() const { return m_sampleCount; }

    // Null when the buffer is empty or the channel does not exist.
    T* getChannel(long channel)
    {
        return channel >= 0 && channel < m_channels ? m_samples + channel * m_frames : nullptr;
    }
    const T* getChannel(long channel) const
    {
        return channel >= 0 && channel < m_channels ? m_samples + channel * m_frames : nullptr;
    }

private:
    T* m_samples;
    long m_frames;
    long m_channels;
    long m_sampleCount;
    Basics::TInstanceCount<TAudioBuffer> m_instanceCount;
};
} // namespace Audio
} // namespace Brivant
