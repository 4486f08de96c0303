#include "signal_analysis.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>
#include <numbers>

namespace lexamo::test {

StereoSignal readStereoFloatFile(const std::string& path, int sampleRate)
{
    std::ifstream in(path, std::ios::binary);
    const std::vector<char> bytes{std::istreambuf_iterator<char>(in),
                                  std::istreambuf_iterator<char>()};
    StereoSignal signal;
    signal.sampleRate = sampleRate;
    signal.samples.resize(bytes.size() / (2 * sizeof(float)) * 2);
    std::copy_n(bytes.data(), signal.samples.size() * sizeof(float),
                reinterpret_cast<char*>(signal.samples.data()));
    return signal;
}

Span loudSpan(const StereoSignal& signal, float threshold)
{
    Span span;
    bool found = false;
    for (std::size_t i = 0; i < signal.frames(); ++i) {
        if (std::fabs(signal.at(i, 0)) > threshold || std::fabs(signal.at(i, 1)) > threshold) {
            if (!found) {
                span.first = i;
                found = true;
            }
            span.end = i + 1;
        }
    }
    return span;
}

double toneAmplitude(const StereoSignal& signal, int channel, std::size_t first, std::size_t count,
                     double frequency)
{
    const double coefficient =
        2.0 * std::cos(2.0 * std::numbers::pi * frequency / signal.sampleRate);
    double previous = 0.0;
    double beforePrevious = 0.0;
    const std::size_t end = std::min(first + count, signal.frames());
    for (std::size_t i = first; i < end; ++i) {
        const double current = signal.at(i, channel) + coefficient * previous - beforePrevious;
        beforePrevious = previous;
        previous = current;
    }
    const double power = previous * previous + beforePrevious * beforePrevious -
                         coefficient * previous * beforePrevious;
    return end > first ? 2.0 * std::sqrt(std::max(power, 0.0)) / double(end - first) : 0.0;
}

double crossingFrequency(const StereoSignal& signal, int channel, std::size_t first,
                         std::size_t count)
{
    const std::size_t end = std::min(first + count, signal.frames());
    int crossings = 0;
    for (std::size_t i = first + 1; i < end; ++i) {
        if ((signal.at(i - 1, channel) < 0.0f) != (signal.at(i, channel) < 0.0f)) {
            ++crossings;
        }
    }
    return end > first ? crossings / 2.0 * signal.sampleRate / double(end - first) : 0.0;
}

} // namespace lexamo::test
