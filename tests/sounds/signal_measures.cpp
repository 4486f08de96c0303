#include "signal_measures.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>

namespace lexamo::test {

double toDbfs(double amplitude)
{
    return 20.0 * std::log10(amplitude);
}

double peak(std::span<const double> samples)
{
    double largest = 0.0;
    for (double s : samples)
        largest = std::max(largest, std::abs(s));
    return largest;
}

double rms(std::span<const double> samples)
{
    double sum = 0.0;
    for (double s : samples)
        sum += s * s;
    return std::sqrt(sum / double(samples.size()));
}

std::span<const double> window(const std::vector<double>& samples, double rate, double from,
                               double to)
{
    const auto first = std::min(samples.size(), std::size_t(std::lround(from * rate)));
    const auto last = std::min(samples.size(), std::size_t(std::lround(to * rate)));
    return std::span<const double>(samples).subspan(first, last - first);
}

double amplitudeAt(std::span<const double> samples, double rate, double frequency)
{
    const double n = double(samples.size());
    const double pi = std::numbers::pi;
    // Rotating phasors instead of a sin and cos per sample keep the scans fast under sanitizers.
    const std::complex<double> step = std::polar(1.0, -2.0 * pi * frequency / rate);
    const std::complex<double> hannStep = std::polar(1.0, 2.0 * pi / (n - 1));
    std::complex<double> phasor = 1.0;
    std::complex<double> hannPhasor = 1.0;
    std::complex<double> sum = 0.0;
    double weight = 0.0;
    for (double s : samples) {
        const double w = 0.5 - 0.5 * hannPhasor.real();
        sum += w * s * phasor;
        weight += w;
        phasor *= step;
        hannPhasor *= hannStep;
    }
    return 2.0 * std::abs(sum) / weight;
}

double dominantFrequency(std::span<const double> samples, double rate, double low, double high)
{
    auto bestIn = [&](double from, double to, double step) {
        double best = from;
        double bestAmplitude = -1.0;
        for (double f = from; f <= to; f += step) {
            const double a = amplitudeAt(samples, rate, f);
            if (a > bestAmplitude) {
                bestAmplitude = a;
                best = f;
            }
        }
        return best;
    };
    // The windows measured are long enough that a main lobe spans well over 2 Hz.
    const double coarse = bestIn(low, high, 2.0);
    return bestIn(coarse - 2.0, coarse + 2.0, 0.01);
}

std::vector<std::pair<std::size_t, std::size_t>> loudRuns(std::span<const double> samples,
                                                          double threshold, std::size_t bridge)
{
    std::vector<std::pair<std::size_t, std::size_t>> runs;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        if (std::abs(samples[i]) <= threshold)
            continue;
        if (!runs.empty() && i - runs.back().second <= bridge)
            runs.back().second = i;
        else
            runs.emplace_back(i, i);
    }
    return runs;
}

} // namespace lexamo::test
