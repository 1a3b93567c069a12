// A double-precision model of the signal-processing stages, written from their formulas alone, for comparing
// the production stages (and later the whole effect) against. Every model runs one sample at a time.
#pragma once

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
} // namespace ReferenceModel
