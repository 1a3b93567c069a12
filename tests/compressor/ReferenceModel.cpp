#include "ReferenceModel.hpp"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <initializer_list>
#include <iterator>
#include <vector>

namespace ReferenceModel
{
namespace
{
constexpr double kFloor = 1e-20;
constexpr double kPi = 3.14159265358979323846;
constexpr double kEqualiserOffset = 1e-15;
} // namespace

double decibelsToGain(double decibels) { return std::pow(10.0, decibels / 20.0); }

double gainToDecibels(double gain) { return 20.0 * std::log10(gain); }

double timeCoefficient(double timeMs, double sampleRate) { return std::exp(-1000.0 / (timeMs * sampleRate)); }

Compressor::Compressor(const CompressorSettings& settings)
    : m_settings(settings), m_rmsCoefficient(timeCoefficient(settings.rmsMs, settings.sampleRate)),
      m_attackCoefficient(timeCoefficient(settings.attackMs, settings.sampleRate)),
      m_releaseCoefficient(timeCoefficient(settings.releaseMs, settings.sampleRate))
{
}

double Compressor::step(double keyLeft, double keyRight)
{
    const double power = keyLeft * keyLeft + keyRight * keyRight + kFloor;
    m_rms = power + (m_rms - power) * m_rmsCoefficient;
    m_level = 20.0 * std::log10(std::sqrt(m_rms) + kFloor);
    const double over = std::max(0.0, m_level - m_settings.thresholdDb) + kFloor;
    const double coefficient = m_envelope < over ? m_attackCoefficient : m_releaseCoefficient;
    m_envelope = over + (m_envelope - over) * coefficient;
    const double gain = decibelsToGain((m_envelope - kFloor) * (m_settings.slope - 1.0));
    return m_settings.knee ? kneeGain(gain, *m_settings.knee) : gain;
}

double Compressor::staticGainDb(double levelDb, double thresholdDb, double slope)
{
    return -std::max(0.0, levelDb - thresholdDb) * (1.0 - slope);
}

double Compressor::staticGainDb(double levelDb) const
{
    const double plain = staticGainDb(levelDb, m_settings.thresholdDb, m_settings.slope);
    return m_settings.knee ? gainToDecibels(kneeGain(decibelsToGain(plain), *m_settings.knee)) : plain;
}

double Compressor::kneeGain(double gain, double knee)
{
    const double shaped = gain * (gain * gain + 27.0) / (9.0 * gain * gain + 27.0);
    return (1.0 - knee) * shaped + knee * gain;
}

double Compressor::constantKeyLevelDb(double keyLeft, double keyRight)
{
    return 10.0 * std::log10(keyLeft * keyLeft + keyRight * keyRight + kFloor);
}

Equaliser::Equaliser(double sampleRate, double lowGain, double midGain, double highGain)
    : m_lowCoefficient(coefficient(800.0, sampleRate)), m_highCoefficient(coefficient(5000.0, sampleRate)),
      m_lowGain(lowGain), m_midGain(midGain), m_highGain(highGain)
{
}

double Equaliser::coefficient(double frequency, double sampleRate)
{
    return std::min(1.0, 2.0 * std::sin(kPi * frequency / sampleRate));
}

void Equaliser::setGains(double lowGain, double midGain, double highGain)
{
    m_lowGain = lowGain;
    m_midGain = midGain;
    m_highGain = highGain;
}

void Equaliser::setSampleRate(double sampleRate)
{
    m_lowCoefficient = coefficient(800.0, sampleRate);
    m_highCoefficient = coefficient(5000.0, sampleRate);
}

void Equaliser::reset()
{
    std::fill(std::begin(m_low), std::end(m_low), 0.0);
    std::fill(std::begin(m_high), std::end(m_high), 0.0);
    std::fill(std::begin(m_history), std::end(m_history), 0.0);
}

double Equaliser::step(double input)
{
    const double s = input + kEqualiserOffset;
    double previousLow = s;
    double previousHigh = s;
    for (int k = 0; k < 4; ++k)
    {
        m_low[k] += m_lowCoefficient * (previousLow - m_low[k]);
        m_high[k] += m_highCoefficient * (previousHigh - m_high[k]);
        previousLow = m_low[k];
        previousHigh = m_high[k];
    }
    const double delayed = m_history[0];
    m_history[0] = m_history[1];
    m_history[1] = m_history[2];
    m_history[2] = s;
    const double low = m_low[3];
    const double high = delayed - m_high[3];
    const double mid = delayed - low - high;
    return low * m_lowGain + mid * m_midGain + high * m_highGain;
}

double valve(double input, const ValveSetting& setting)
{
    const double x = std::clamp(input, -1.0, 1.0);
    return setting.outputGain * (setting.b * x - setting.a * x * std::fabs(x));
}

MidSideWeights midSideWeights(double parameterValue)
{
    return {parameterValue <= 0.5 ? 1.0 : 2.0 * (1.0 - parameterValue),
            parameterValue >= 0.5 ? 1.0 : 2.0 * parameterValue};
}

std::pair<double, double> midSide(double left, double right, const MidSideWeights& weights)
{
    const double mid = (left + right) * weights.mid;
    const double side = (left - right) * weights.side;
    return {(mid + side) / 2.0, (mid - side) / 2.0};
}

namespace
{
constexpr double kDefaultRate = 44100.0;
constexpr double kLowestRate = 11025.0;
constexpr ProValues kDefaultSet = {0.5, 1.0, 0.0, 0.25, 0.5, 1.0, 0.5, 0.5, 0.5, 0.0, 0.0, 0.0, 0.4, 0.0, 0.0, 0.5};

struct ProgramDifference
{
    int index;
    double value;
};

ProProgram makeProgram(const char* name, std::initializer_list<ProgramDifference> differences)
{
    ProProgram program{name, kDefaultSet};
    for (const ProgramDifference& difference : differences)
        program.values[static_cast<size_t>(difference.index)] = difference.value;
    return program;
}

const ProProgram kPrograms[kProPrograms] = {
    makeProgram("Default", {}),
    makeProgram("Soft master", {{1, 0.9995}, {2, 0.6}, {3, 0.3}, {4, 0.65}, {13, 0.25}}),
    makeProgram("Warm master", {{1, 0.9995}, {2, 0.72}, {3, 0.0}, {4, 0.65}, {13, 0.2}, {14, 0.4}}),
    makeProgram("Dirty", {{1, 0.95}, {2, 0.72}, {3, 0.0}, {4, 0.65}, {13, 0.2}, {14, 1.0}}),
    makeProgram("Guitar", {{1, 0.82}, {2, 0.6}, {3, 0.65}, {4, 0.6}, {11, 1.0}, {13, 0.2}, {14, 0.4}}),
    makeProgram("Bass", {{1, 0.65}, {2, 0.75}, {3, 0.0}, {4, 0.95}, {11, 1.0}, {13, 0.5}}),
    makeProgram("------------", {}),
    makeProgram("Selvan", {}),
    makeProgram("Quarrow", {}),
    makeProgram("Audio", {})};

// Valve Modelling's options 1 (Soft) and 2 (Dirty); 0 bypasses the stage.
const ValveSetting* valveSetting(int option)
{
    return option == 1 ? &kSoftValve : option == 2 ? &kDirtyValve : nullptr;
}

double usableRate(double sampleRate)
{
    return std::isfinite(sampleRate) && sampleRate > kLowestRate ? sampleRate : kDefaultRate;
}

// The priming run both editions make while built: one buffer of 0.5 as both key channels and both audio
// channels, 16 times, so every sample is read as key and then scaled once per audio channel.
void primeDetector(Compressor& compressor, int ringSize)
{
    std::vector<double> buffer(static_cast<size_t>(ringSize), 0.5);
    for (int pass = 0; pass < ringSize; ++pass)
    {
        for (double& sample : buffer)
        {
            const double gain = compressor.step(sample, sample);
            sample *= gain * gain;
        }
    }
}

// At 0 dB the compressor is skipped and its state stands still; when it comes back it starts afresh.
bool compressorRuns(Compressor& compressor, bool compress, bool& leftOut)
{
    if (compress && leftOut)
    {
        compressor.setEnvelopeDb(kFloor);
        compressor.setRmsState(0.0);
    }
    leftOut = !compress;
    return compress;
}

// Settings change the coefficients only; the detector's state carries over.
Compressor retuned(const Compressor& current, const CompressorSettings& settings)
{
    Compressor next(settings);
    next.setRmsState(current.rmsState());
    next.setEnvelopeDb(current.envelopeDb());
    return next;
}
} // namespace

const ProProgram& proProgram(int program) { return kPrograms[program]; }

int optionIndex(double hostValue, int count)
{
    const double position = std::trunc(static_cast<double>(count) * hostValue);
    return static_cast<int>(std::min(static_cast<double>(count - 1), std::max(0.0, position)));
}

double timeParameterMs(double hostValue)
{
    return std::min(1000.0, std::max(1.0, std::exp(std::log(1000.0) * hostValue)));
}

double timeParameterValue(double timeMs) { return std::log(timeMs) / std::log(1000.0); }

double bandDecibels(double hostValue) { return -20.0 + 40.0 * hostValue; }

double thresholdDecibels(double hostValue) { return -50.0 + 50.0 * hostValue; }

double ratioSlope(double hostValue) { return 0.05 + 0.95 * (1.0 - hostValue); }

ProEffect::ProEffect()
    : m_compressor(CompressorSettings{kDefaultRate, 0.0, 1.0, 1.0, 1.0, 5.0, 0.5}),
      m_equaliser{Equaliser(kDefaultRate), Equaliser(kDefaultRate)}
{
    primeDetector(m_compressor, kRingSize);
    setProgram(0);
}

void ProEffect::setParameter(int index, double hostValue)
{
    if (index < 0 || index >= kProParameters || std::isnan(hostValue))
        return;
    m_values[static_cast<size_t>(index)] = std::min(1.0, std::max(0.0, hostValue));
    updateCompressor();
    updateEqualiser();
}

void ProEffect::setProgram(int program)
{
    for (int index = 0; index < kProParameters; ++index)
        setParameter(index, kPrograms[program].values[static_cast<size_t>(index)]);
}

void ProEffect::resume(double sampleRate)
{
    m_sampleRate = usableRate(sampleRate);
    for (Equaliser& equaliser : m_equaliser)
        equaliser.setSampleRate(m_sampleRate);
    updateCompressor();
    m_compressor.setEnvelopeDb(kFloor);
    m_position = 0;
    for (auto* ring : {m_wet, m_dry, m_key})
        for (int channel = 0; channel < 2; ++channel)
            ring[channel].fill(0.0);
}

double ProEffect::masterGain() const { return decibelsToGain(bandDecibels(parameter(kMaster))); }

double ProEffect::makeUpGain() const
{
    const double threshold = std::fabs(thresholdDecibels(parameter(kThreshold)));
    const double slope = ratioSlope(parameter(kRatio));
    return decibelsToGain(threshold - slope * threshold) * kMakeUpFactor;
}

CompressorSettings ProEffect::compressorSettings() const
{
    return {m_sampleRate,
            thresholdDecibels(parameter(kThreshold)),
            ratioSlope(parameter(kRatio)),
            timeParameterMs(parameter(kAttack)),
            timeParameterMs(parameter(kRelease)),
            5.0,
            parameter(kSoftKnee)};
}

void ProEffect::updateCompressor() { m_compressor = retuned(m_compressor, compressorSettings()); }

void ProEffect::updateEqualiser()
{
    for (Equaliser& equaliser : m_equaliser)
        equaliser.setGains(decibelsToGain(bandDecibels(parameter(kEqLow))),
                           decibelsToGain(bandDecibels(parameter(kEqMid))),
                           decibelsToGain(bandDecibels(parameter(kEqHigh))));
}

void ProEffect::runStages()
{
    if (const ValveSetting* valve = valveSetting(optionIndex(parameter(kValveModelling), 3)))
        for (auto& channel : m_wet)
            for (double& sample : channel)
                sample = ReferenceModel::valve(sample, *valve);
    const bool equalise = parameter(kEqLow) != 0.5 || parameter(kEqMid) != 0.5 || parameter(kEqHigh) != 0.5;
    for (int channel = 0; channel < 2 && equalise; ++channel)
    {
        // Left out while flat, it comes back as a new one would.
        if (m_equaliserLeftOut)
            m_equaliser[channel].reset();
        for (double& sample : m_key[channel])
            sample = m_equaliser[channel].step(sample);
    }
    m_equaliserLeftOut = !equalise;
    const MidSideWeights weights = midSideWeights(parameter(kMidSide));
    for (int i = 0; i < kRingSize; ++i)
    {
        const auto key = midSide(m_key[0][static_cast<size_t>(i)], m_key[1][static_cast<size_t>(i)], weights);
        m_key[0][static_cast<size_t>(i)] = key.first;
        m_key[1][static_cast<size_t>(i)] = key.second;
    }
    if (compressorRuns(m_compressor, parameter(kThreshold) != 1.0, m_compressorLeftOut))
    {
        for (int i = 0; i < kRingSize; ++i)
        {
            const size_t at = static_cast<size_t>(i);
            const double gain = m_compressor.step(m_key[0][at], m_key[1][at]);
            m_wet[0][at] *= gain;
            m_wet[1][at] *= gain;
        }
    }
}

double ProEffect::process(const float* const* inputs, double* outLeft, double* outRight, long frames)
{
    double peak = 0.0;
    if (frames <= 0)
        return peak;
    const bool external = optionIndex(parameter(kSideChain), 2) == 1;
    const int keyInput = optionIndex(parameter(kKeyInput), 3);
    const bool makeUp = optionIndex(parameter(kMakeUpGain), 2) == 1;
    const bool monitorInput = optionIndex(parameter(kMonitor), 2) != 0;
    const double master = masterGain();
    const double makeUpFactor = makeUpGain();
    const double step = (parameter(kMix) - m_mix) / static_cast<double>(frames);
    auto sample = [&](int channel, long frame) {
        return inputs[channel] != nullptr ? static_cast<double>(inputs[channel][frame]) : 0.0;
    };
    for (long frame = 0; frame < frames; ++frame)
    {
        const size_t at = static_cast<size_t>(m_position);
        const double keyLeft = m_key[0][at];
        const double keyRight = m_key[1][at];
        double sourceLeft = external ? sample(2, frame) : sample(0, frame);
        double sourceRight = external ? sample(3, frame) : sample(1, frame);
        if (keyInput == 0)
            sourceRight = sourceLeft;
        else if (keyInput == 2)
            sourceLeft = sourceRight;
        const double offset = external ? kSideChainOffset : 0.0;
        m_key[0][at] = sourceLeft + offset;
        m_key[1][at] = sourceRight + offset;

        const double dryLeft = m_dry[0][at];
        const double dryRight = m_dry[1][at];
        double wetLeft = m_wet[0][at];
        double wetRight = m_wet[1][at];
        m_dry[0][at] = m_wet[0][at] = sample(0, frame);
        m_dry[1][at] = m_wet[1][at] = sample(1, frame);
        if (++m_position == kRingSize)
        {
            m_position = 0;
            runStages();
        }

        if (makeUp)
        {
            wetLeft *= makeUpFactor;
            wetRight *= makeUpFactor;
        }
        m_mix += step;
        const double left = monitorInput ? keyLeft : wetLeft;
        const double right = monitorInput ? keyRight : wetRight;
        outLeft[frame] = ((left - dryLeft) * m_mix + dryLeft) * master;
        outRight[frame] = ((right - dryRight) * m_mix + dryRight) * master;
        peak = std::max(peak, std::max(std::fabs(left), std::fabs(right)));
    }
    return peak;
}

namespace
{
constexpr LiteValues kLiteDefaultSet = {0.5, 1.0, 0.0, 0.25, 0.5, 1.0};

const LiteProgram kLiteProgramTable[kLitePrograms] = {
    {"Default", kLiteDefaultSet},
    {"Mix", {0.505, 0.8, 0.6, 0.0, 0.72, 1.0}},
    {"Bass Guitar", {0.505, 0.6, 0.75, 0.15, 0.71, 1.0}},
    {"Vocals", {0.505, 0.5, 0.6, 0.0, 0.58, 1.0}},
    {"Acoustic Guitar", {0.505, 0.6, 0.5, 0.45, 0.55, 1.0}},
    {"Hard", {0.505, 0.84, 1.0, 0.0, 0.3, 1.0}},
    {"Drums", {0.505, 0.9, 0.665, 0.2, 0.5, 1.0}},
    {"TZN", {0.65, 0.0, 1.0, 0.0, 0.0, 1.0}},
    {"-------", kLiteDefaultSet},
    {"Voltura", kLiteDefaultSet},
    {"From", kLiteDefaultSet},
    {"Selvan", kLiteDefaultSet},
    {"Quarrow", kLiteDefaultSet}};
} // namespace

const LiteProgram& liteProgram(int program) { return kLiteProgramTable[program]; }

LiteEffect::LiteEffect() : m_compressor(CompressorSettings{kDefaultRate, 0.0, 1.0, 1.0, 1.0, 5.0, std::nullopt})
{
    primeDetector(m_compressor, kRingSize);
    setProgram(0);
}

void LiteEffect::setParameter(int index, double hostValue)
{
    if (index < 0 || index >= kLiteParameters || std::isnan(hostValue))
        return;
    m_values[static_cast<size_t>(index)] = std::min(1.0, std::max(0.0, hostValue));
    m_compressor = retuned(m_compressor, compressorSettings());
}

void LiteEffect::setProgram(int program)
{
    for (int index = 0; index < kLiteParameters; ++index)
        setParameter(index, kLiteProgramTable[program].values[static_cast<size_t>(index)]);
}

void LiteEffect::resume(double sampleRate)
{
    m_sampleRate = usableRate(sampleRate);
    m_compressor = retuned(m_compressor, compressorSettings());
    m_compressor.setEnvelopeDb(kFloor);
    m_position = 0;
    for (auto* ring : {m_wet, m_dry})
        for (int channel = 0; channel < 2; ++channel)
            ring[channel].fill(0.0);
}

double LiteEffect::masterGain() const { return decibelsToGain(bandDecibels(parameter(kMaster)) + kMasterOffsetDb); }

CompressorSettings LiteEffect::compressorSettings() const
{
    return {m_sampleRate,
            thresholdDecibels(parameter(kThreshold)),
            ratioSlope(parameter(kRatio)),
            timeParameterMs(parameter(kAttack)),
            timeParameterMs(parameter(kRelease)),
            5.0,
            std::nullopt};
}

double LiteEffect::process(const float* const* inputs, double* outLeft, double* outRight, long frames)
{
    double peak = 0.0;
    if (frames <= 0)
        return peak;
    const double master = masterGain();
    const double step = (parameter(kMix) - m_mix) / static_cast<double>(frames);
    auto sample = [&](int channel, long frame) {
        return inputs[channel] != nullptr ? static_cast<double>(inputs[channel][frame]) : 0.0;
    };
    for (long frame = 0; frame < frames; ++frame)
    {
        const size_t at = static_cast<size_t>(m_position);
        const double dryLeft = m_dry[0][at];
        const double dryRight = m_dry[1][at];
        const double wetLeft = m_wet[0][at];
        const double wetRight = m_wet[1][at];
        m_dry[0][at] = m_wet[0][at] = sample(0, frame);
        m_dry[1][at] = m_wet[1][at] = sample(1, frame);
        if (++m_position == kRingSize)
        {
            m_position = 0;
            // The dry input is the detector.
            if (compressorRuns(m_compressor, parameter(kThreshold) != 1.0, m_compressorLeftOut))
            {
                for (size_t i = 0; i < kRingSize; ++i)
                {
                    const double gain = m_compressor.step(m_dry[0][i], m_dry[1][i]);
                    m_wet[0][i] *= gain;
                    m_wet[1][i] *= gain;
                }
            }
            peak = std::max(peak, std::max(std::fabs(wetLeft), std::fabs(wetRight)));
        }
        m_mix += step;
        outLeft[frame] = (dryLeft + (wetLeft - dryLeft) * m_mix) * master;
        outRight[frame] = (dryRight + (wetRight - dryRight) * m_mix) * master;
    }
    return peak;
}
} // namespace ReferenceModel
