// The gain computer of both editions: measures the power of a stereo key, follows its level above the threshold
// with an attack/release envelope in dB and scales a separate stereo signal, 16 samples at a time.
#pragma once

#include "compressor/CTimeRecord.hpp"
#include "foundation/basics/CCountedObject.hpp"

#include <atomic>

class CCompressorSC : public Brivant::Basics::CCountedObject
{
    BRIVANT_CLASS_RECORD(CCompressorSC, "CCountedObject");

public:
    static constexpr int kBlockSize = 16;
    // The envelope's resting value, also what the owner sets at construction and resume.
    static constexpr float kEnvelopeFloor = 1e-20f;

    // Threshold 0 dB, slope 1, knee 0.5, RMS 5 ms, attack and release 1 ms, all at 44100 Hz; RMS state 0.
    CCompressorSC();
    CCompressorSC(const CCompressorSC&) = delete;
    CCompressorSC& operator=(const CCompressorSC&) = delete;
    ~CCompressorSC() override;

    virtual void setThreshold(float thresholdDb);
    virtual float getThreshold() const;
    // The fraction of the level above the threshold that passes: 1 / ratio.
    virtual void setSlope(float slope);
    virtual float getSlope() const;

    // Stores the rate in all three time records; each recomputes its coefficient from its own time.
    void setSampleRate(float sampleRate);

    CTimeRecord& getRmsSmoother() { return m_rmsSmoother; }
    CTimeRecord& getAttack() { return m_attack; }
    CTimeRecord& getRelease() { return m_release; }
    const CTimeRecord& getRmsSmoother() const { return m_rmsSmoother; }
    const CTimeRecord& getAttack() const { return m_attack; }
    const CTimeRecord& getRelease() const { return m_release; }

    // 0 shapes the gain fully, 1 leaves the plain gain.
    void setKnee(float knee) { m_knee.store(knee, std::memory_order_relaxed); }
    float getKnee() const { return m_knee.load(std::memory_order_relaxed); }

    // Audio-thread state; the owner writes the envelope only while no block runs.
    void setEnvelope(float envelopeDb) { m_envelope = envelopeDb; }
    float getEnvelope() const { return m_envelope; }
    float getRmsState() const { return m_rmsState; }
    // Back to the state of a compressor that has just started: the envelope at rest and no power heard yet.
    void restart()
    {
        m_envelope = kEnvelopeFloor;
        m_rmsState = 0.0f;
    }

    // VolturaPro's block routine, with knee shaping. key and audio may be the same arrays: each sample's key is
    // read before that sample's audio is scaled.
    void process(const float* keyLeft, const float* keyRight, float* audioLeft, float* audioRight);
    // VolturaLite's block routine: the plain gain, without the knee shaping.
    void processPlain(const float* keyLeft, const float* keyRight, float* audioLeft, float* audioRight);

private:
    // Non-finite input must not poison the state for good: reset what is not finite after each block.
    void recoverState();

    std::atomic<float> m_threshold;
    std::atomic<float> m_slope;
    float m_envelope;
    float m_rmsState;
    CTimeRecord m_rmsSmoother;
    CTimeRecord m_attack;
    CTimeRecord m_release;
    std::atomic<float> m_knee;
};
