#pragma once

#include <span>
#include <vector>

namespace lexamo::test {

/// Level of an amplitude relative to full scale.
double toDbfs(double amplitude);

/// Largest magnitude of the samples.
double peak(std::span<const double> samples);

/// Root mean square of the samples.
double rms(std::span<const double> samples);

/// The samples from time `from` to time `to` (seconds).
std::span<const double> window(const std::vector<double>& samples, double rate, double from,
                               double to);

/// Amplitude of the component at `frequency`, from a Hann-windowed DFT evaluated at exactly that
/// frequency (a steady sine of amplitude A gives about A).
double amplitudeAt(std::span<const double> samples, double rate, double frequency);

/// The frequency between `low` and `high` with the largest amplitude, found to 0.01 Hz.
double dominantFrequency(std::span<const double> samples, double rate, double low, double high);

/// Runs of samples louder than `threshold`, merged across quiet stretches shorter than `bridge`
/// samples (the zero crossings of a loud wave); each run as [first, last] sample index.
std::vector<std::pair<std::size_t, std::size_t>> loudRuns(std::span<const double> samples,
                                                          double threshold, std::size_t bridge);

} // namespace lexamo::test
