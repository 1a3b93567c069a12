#include "ReferenceModel.hpp"

#include <algorithm>
#include <cmath>

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
    return 2.0 * std::sin(kPi * frequency / sampleRate);
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
    return setting.outputGain * (setting.b * input - setting.a * input * std::fabs(input));
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
} // namespace ReferenceModel
