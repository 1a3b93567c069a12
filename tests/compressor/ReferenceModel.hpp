// A double-precision model of the signal-processing stages and of both editions' whole block paths, written from
// their formulas alone, for comparing the production code against. Every model runs one sample at a time.
#pragma once

#include <array>
#include <optional>
#include <utility>

namespace ReferenceModel
{
// 10^(dB / 20).
double decibelsToGain(double decibels);
// 20 log10(gain).
double gainToDecibels(double gain);
// The one-pole coefficient exp(-1000 / (ms * rate)).
double timeCoefficient(double timeMs, double sampleRate);

struct CompressorSettings
{
    double sampleRate = 44100.0;
    double thresholdDb = 0.0;
    // 1 / ratio.
    double slope = 1.0;
    double attackMs = 1.0;
    double releaseMs = 1.0;
    double rmsMs = 5.0;
    // VolturaPro's knee value 0..1 (0 full shaping, 1 plain gain); empty for VolturaLite's plain gain.
    std::optional<double> knee;
};

// The RMS detector, the dB envelope and the gain, starting from RMS state 0 and envelope 1e-20.
class Compressor
{
public:
    explicit Compressor(const CompressorSettings& settings);

    // One frame: takes the key samples, answers the gain the audio is multiplied by (knee shaping included).
    double step(double keyLeft, double keyRight);

    const CompressorSettings& settings() const { return m_settings; }
    double levelDb() const { return m_level; }
    double envelopeDb() const { return m_envelope; }
    double rmsState() const { return m_rms; }
    void setEnvelopeDb(double envelope) { m_envelope = envelope; }
    void setRmsState(double rms) { m_rms = rms; }

    // The settled plain gain in dB for a constant detector level: -(level - threshold)(1 - slope) above the
    // threshold, 0 below it.
    static double staticGainDb(double levelDb, double thresholdDb, double slope);
    // The settled gain in dB including the knee shaping, when the settings have a knee.
    double staticGainDb(double levelDb) const;
    // (1 - knee) g (g^2 + 27) / (9 g^2 + 27) + knee g.
    static double kneeGain(double gain, double knee);
    // The detector level in dB of a constant key (the power is the sum of both channels' squares).
    static double constantKeyLevelDb(double keyLeft, double keyRight);

private:
    CompressorSettings m_settings;
    double m_rmsCoefficient;
    double m_attackCoefficient;
    double m_releaseCoefficient;
    double m_rms = 0.0;
    double m_envelope = 1e-20;
    double m_level = -200.0;
};

// One channel of the detector equaliser: bands split at 800 Hz and 5 kHz by four-pole low-passes, the direct
// path delayed by three samples, a 1e-15 offset on the input.
class Equaliser
{
public:
    Equaliser(double sampleRate, double lowGain = 1.0, double midGain = 1.0, double highGain = 1.0);

    double step(double input);

    // Both keep the filter state, as the effect's own equaliser does across parameter changes and resume.
    void setGains(double lowGain, double midGain, double highGain);
    void setSampleRate(double sampleRate);
    // The empty state of a new equaliser.
    void reset();

    // 2 sin(pi f / rate).
    static double coefficient(double frequency, double sampleRate);

private:
    double m_lowCoefficient;
    double m_highCoefficient;
    double m_lowGain;
    double m_midGain;
    double m_highGain;
    double m_low[4] = {};
    double m_high[4] = {};
    double m_history[3] = {};
};

struct ValveSetting
{
    double a;
    double b;
    double outputGain;
};
constexpr ValveSetting kSoftValve{1.0, 2.0, 0.7};
constexpr ValveSetting kDirtyValve{4.0, 4.0, 0.4};

// outputGain (b x - a x |x|).
double valve(double input, const ValveSetting& setting);

struct MidSideWeights
{
    double mid;
    double side;
};

// The weights the Mid/Side parameter's host value v gives: K = 1 up to 0.5, else 2 (1 - v); S = 1 from 0.5,
// else 2 v.
MidSideWeights midSideWeights(double parameterValue);
// (((L + R) K + (L - R) S) / 2, ((L + R) K - (L - R) S) / 2).
std::pair<double, double> midSide(double left, double right, const MidSideWeights& weights);

// VolturaPro's parameters by index.
enum ProParameter
{
    kMaster,
    kThreshold,
    kRatio,
    kAttack,
    kRelease,
    kMix,
    kEqLow,
    kEqMid,
    kEqHigh,
    kSideChain,
    kMonitor,
    kMakeUpGain,
    kKeyInput,
    kSoftKnee,
    kValveModelling,
    kMidSide,
    kProParameters
};
constexpr int kProPrograms = 10;

using ProValues = std::array<double, kProParameters>;

struct ProProgram
{
    const char* name;
    ProValues values;
};

// The factory programs: the default set with each program's own differences applied.
const ProProgram& proProgram(int program);

// The option a selector's host value picks: the integer part of count * value, kept to 0 .. count - 1.
int optionIndex(double hostValue, int count);
// Attack and Release: 1 ms at 0 up to 1000 ms at 1, exponentially.
double timeParameterMs(double hostValue);
// Its inverse: the host value giving a time.
double timeParameterValue(double timeMs);
// Master and the EQ bands: -20 .. 20 dB.
double bandDecibels(double hostValue);
// Threshold: -50 .. 0 dB.
double thresholdDecibels(double hostValue);
// Ratio: the host's 0 is slope 1 (1:1), its 1 slope 0.05 (20:1).
double ratioSlope(double hostValue);

// The whole block path of VolturaPro's effect: a 16-sample delay ring for wet, dry and key; each time the ring
// fills, valve, detector equaliser, mid/side and compressor run over the 16 buffered samples; the samples leaving
// the ring get make-up, the dry/wet mix ramp and master. Parameters are the host's normalised values.
class ProEffect
{
public:
    static constexpr int kRingSize = 16;
    // Added to every key sample taken from the external side-chain.
    static constexpr double kSideChainOffset = 1e-15;
    static constexpr double kMakeUpFactor = 0.75;

    // As the effect is built: the detector primed with a constant 0.5 at 44100 Hz, the ring empty, the Default
    // program applied. The mix ramp starts from the Mix value that program applies (1).
    ProEffect();

    // Clamped to 0..1; NaN changes nothing.
    void setParameter(int index, double hostValue);
    double parameter(int index) const { return m_values[static_cast<size_t>(index)]; }
    // All sixteen values of a program, in index order.
    void setProgram(int program);
    // A rate that is not finite or is 11025 or less counts as 44100. Clears the ring and the envelope; the RMS
    // state, the equaliser's state and the mix value stay.
    void resume(double sampleRate);

    double sampleRate() const { return m_sampleRate; }
    double masterGain() const;
    // 10^((|T| - s |T|) / 20) * 0.75, applied only while MakeUpGain is On.
    double makeUpGain() const;
    const Compressor& compressor() const { return m_compressor; }

    // One host call of `frames` frames. inputs holds main left, main right, side-chain left, side-chain right;
    // a null channel is silence. Answers the block peak the meter shows.
    double process(const float* const* inputs, double* outLeft, double* outRight, long frames);

private:
    CompressorSettings compressorSettings() const;
    void updateCompressor();
    void updateEqualiser();
    void runStages();

    ProValues m_values{};
    double m_sampleRate = 44100.0;
    double m_mix = 1.0;
    int m_position = 0;
    std::array<double, kRingSize> m_wet[2]{};
    std::array<double, kRingSize> m_dry[2]{};
    std::array<double, kRingSize> m_key[2]{};
    Compressor m_compressor;
    bool m_compressorLeftOut = false;
    Equaliser m_equaliser[2];
    bool m_equaliserLeftOut = false;
};
// VolturaLite's six parameters: the first six of VolturaPro's, at the same indexes with the same ranges.
constexpr int kLiteParameters = 6;
constexpr int kLitePrograms = 13;

using LiteValues = std::array<double, kLiteParameters>;

struct LiteProgram
{
    const char* name;
    LiteValues values;
};

const LiteProgram& liteProgram(int program);

// The whole block path of VolturaLite's effect: a 16-sample delay ring for wet and dry; each time the ring fills,
// the plain compressor (no knee) runs over the 16 buffered samples with the dry ones as its detector, unless
// Threshold is at 0 dB; the samples leaving the ring get the dry/wet mix ramp and master, which sits 2 dB above
// the Master value shown. Parameters are the host's normalised values.
class LiteEffect
{
public:
    static constexpr int kRingSize = 16;
    static constexpr double kMasterOffsetDb = 2.0;

    // As the effect is built: the detector primed with a constant 0.5 at 44100 Hz, the ring empty, the Default
    // program applied. The mix ramp starts from the Mix value that program applies (1).
    LiteEffect();

    // Clamped to 0..1; NaN changes nothing.
    void setParameter(int index, double hostValue);
    double parameter(int index) const { return m_values[static_cast<size_t>(index)]; }
    // All six values of a program, in index order.
    void setProgram(int program);
    // A rate that is not finite or is 11025 or less counts as 44100. Clears the ring and the envelope; the RMS
    // state and the mix value stay.
    void resume(double sampleRate);

    double sampleRate() const { return m_sampleRate; }
    // 10^((Master dB + 2) / 20).
    double masterGain() const;
    const Compressor& compressor() const { return m_compressor; }

    // One host call of `frames` frames. inputs holds main left and right; a null channel is silence. Answers the
    // block peak the meter shows: the wet samples leaving the ring, sampled only at the frames where it fills.
    double process(const float* const* inputs, double* outLeft, double* outRight, long frames);

private:
    CompressorSettings compressorSettings() const;

    LiteValues m_values{};
    double m_sampleRate = 44100.0;
    double m_mix = 1.0;
    int m_position = 0;
    std::array<double, kRingSize> m_wet[2]{};
    std::array<double, kRingSize> m_dry[2]{};
    Compressor m_compressor;
    bool m_compressorLeftOut = false;
};
} // namespace ReferenceModel
