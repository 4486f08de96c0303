#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace lexamo::test {

/// Interleaved float stereo frames, as the audio output hands them to the device.
struct StereoSignal
{
    std::vector<float> samples;
    int sampleRate = 0;

    std::size_t frames() const { return samples.size() / 2; }
    float at(std::size_t frame, int channel) const { return samples[frame * 2 + channel]; }
};

StereoSignal readStereoFloatFile(const std::string& path, int sampleRate);

/// Frames [first, end) from the first to the last frame louder than the threshold on any channel.
struct Span
{
    std::size_t first = 0;
    std::size_t end = 0;
    std::size_t length() const { return end - first; }
};
Span loudSpan(const StereoSignal& signal, float threshold = 0.02f);

/// The amplitude of one frequency in frames [first, first + count) of a channel (Goertzel).
double toneAmplitude(const StereoSignal& signal, int channel, std::size_t first, std::size_t count,
                     double frequency);

/// The frequency of the main tone, from the sign changes in frames [first, first + count).
double crossingFrequency(const StereoSignal& signal, int channel, std::size_t first,
                         std::size_t count);

} // namespace lexamo::test
