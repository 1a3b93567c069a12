#include "compressor/CCompressorSC.hpp"

#include "foundation/mathtools/CVectorMath.hpp"

#include <cmath>

using Brivant::Basics::CClass;

static_assert(std::atomic<float>::is_always_lock_free, "settings are shared with the audio thread");

namespace
{
constexpr float kPowerFloor = 1e-20f;
constexpr float kLevelFloor = 1e-20f;
// 20 / ln 10 and ln 10 / 20: dB from a natural log, and a natural exponent from dB.
constexpr float kDecibelsPerNeper = 8.685889638065037f;
constexpr float kNepersPerDecibel = 0.11512925464970228f;

// Everything another thread may change, read once per block.
struct CBlockSettings
{
    explicit CBlockSettings(const CCompressorSC& compressor)
        : rmsCoefficient(compressor.getRmsSmoother().getCoefficient()),
          attackCoefficient(compressor.getAttack().getCoefficient()),
          releaseCoefficient(compressor.getRelease().getCoefficient()), threshold(compressor.getThreshold()),
          slope(compressor.getSlope()), knee(compressor.getKnee())
    {
    }

    float rmsCoefficient;
    float attackCoefficient;
    float releaseCoefficient;
    float threshold;
    float slope;
    float knee;
};

// The detector over one block, in four passes so that the logarithms and exponentials run four at a time:
//   p = kL^2 + kR^2 + 1e-20;            rms = p + (rms - p) c_rms
//   level = 20 log10(sqrt(rms) + 1e-20) (dB)
//   over = max(0, level - threshold) + 1e-20
//   env = over + (env - over) c          c = attack while env < over, else release
//   g = 10^((env - 1e-20)(slope - 1) / 20)
// The state lives in locals so that stores to the audio arrays cannot force it through memory.
void detectorGains(const float* keyLeft, const float* keyRight, const CBlockSettings& settings, float& rms,
                   float& envelope, float* gains)
{
    using Brivant::MathTools::CVectorMath;
    constexpr int kBlock = CCompressorSC::kBlockSize;
    alignas(16) float values[kBlock];
    for (int i = 0; i < kBlock; ++i)
    {
        const float power = keyLeft[i] * keyLeft[i] + keyRight[i] * keyRight[i] + kPowerFloor;
        rms = power + (rms - power) * settings.rmsCoefficient;
        values[i] = rms;
    }
    for (int i = 0; i < kBlock; i += 4)
    {
        const __m128 amplitude = _mm_add_ps(_mm_sqrt_ps(_mm_load_ps(values + i)), _mm_set1_ps(kLevelFloor));
        _mm_store_ps(values + i, _mm_mul_ps(CVectorMath::log(amplitude), _mm_set1_ps(kDecibelsPerNeper)));
    }
    const float slopeBelowOne = settings.slope - 1.0f;
    for (int i = 0; i < kBlock; ++i)
    {
        float over = values[i] - settings.threshold;
        // Written so that a NaN level or threshold counts as no excess.
        if (!(over > 0.0f))
            over = 0.0f;
        over += CCompressorSC::kEnvelopeFloor;
        const float coefficient = envelope < over ? settings.attackCoefficient : settings.releaseCoefficient;
        envelope = over + (envelope - over) * coefficient;
        values[i] = (envelope - CCompressorSC::kEnvelopeFloor) * slopeBelowOne;
    }
    for (int i = 0; i < kBlock; i += 4)
        _mm_storeu_ps(gains + i, CVectorMath::exp(_mm_mul_ps(_mm_load_ps(values + i), _mm_set1_ps(kNepersPerDecibel))));
}
} // namespace

CCompressorSC::CCompressorSC()
    : m_threshold(0.0f), m_slope(1.0f), m_envelope(kEnvelopeFloor), m_rmsState(0.0f), m_rmsSmoother(44100.0f, 5.0f),
      m_attack(44100.0f, 1.0f), m_release(44100.0f, 1.0f), m_knee(0.5f)
{
}

CCompressorSC::~CCompressorSC() = default;

// Sequentially consistent, so that a value read back after another store is the latest (the make-up gain relies on
// it); on the audio thread a load costs no more than a relaxed one.
void CCompressorSC::setThreshold(float thresholdDb) { m_threshold.store(thresholdDb); }

float CCompressorSC::getThreshold() const { return m_threshold.load(); }

void CCompressorSC::setSlope(float slope) { m_slope.store(slope); }

float CCompressorSC::getSlope() const { return m_slope.load(); }

void CCompressorSC::setSampleRate(float sampleRate)
{
    m_rmsSmoother.setSampleRate(sampleRate);
    m_attack.setSampleRate(sampleRate);
    m_release.setSampleRate(sampleRate);
}

// Knee shaping in single precision on g rounded to a float: g' = (1 - knee) g (g^2 + 27) / (9 g^2 + 27) + knee g.
void CCompressorSC::process(const float* keyLeft, const float* keyRight, float* audioLeft, float* audioRight)
{
    const CBlockSettings settings(*this);
    float gains[kBlockSize];
    detectorGains(keyLeft, keyRight, settings, m_rmsState, m_envelope, gains);
    for (int i = 0; i < kBlockSize; ++i)
    {
        const float gain = gains[i];
        const float square = gain * gain;
        const float shaped = gain * (square + 27.0f) / (9.0f * square + 27.0f);
        const float kneeGain = (1.0f - settings.knee) * shaped + settings.knee * gain;
        audioLeft[i] *= kneeGain;
        audioRight[i] *= kneeGain;
    }
    recoverState();
}

// The plain gain of the edition without knee shaping.
void CCompressorSC::processPlain(const float* keyLeft, const float* keyRight, float* audioLeft, float* audioRight)
{
    const CBlockSettings settings(*this);
    float gains[kBlockSize];
    detectorGains(keyLeft, keyRight, settings, m_rmsState, m_envelope, gains);
    for (int i = 0; i < kBlockSize; ++i)
    {
        audioLeft[i] *= gains[i];
        audioRight[i] *= gains[i];
    }
    recoverState();
}

void CCompressorSC::recoverState()
{
    if (!std::isfinite(m_rmsState))
        m_rmsState = 0.0f;
    if (!std::isfinite(m_envelope))
        m_envelope = kEnvelopeFloor;
}
