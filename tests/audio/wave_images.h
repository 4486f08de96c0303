#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace lexamo::test {

using Bytes = std::vector<unsigned char>;

/// One RIFF chunk; `declaredSize` overrides the size written in its header (for broken images).
struct Chunk
{
    std::string id;
    Bytes body;
    std::int64_t declaredSize = -1;
};

Bytes fmtBody(std::uint16_t formatTag, int channels, int sampleRate, int bits, int fmtSize);
/// A RIFF image of form type `form` holding the chunks in order, each padded to an even length.
Bytes riffImage(const std::vector<Chunk>& chunks, const std::string& form = "WAVE");

/// A sine tone in one of the WAVE encodings the program's effects use.
struct ToneWave
{
    std::uint16_t formatTag = 1; // 1 PCM, 3 IEEE float
    int channels = 1;
    int sampleRate = 6000;
    int bits = 16;
    int fmtSize = 16;
    double seconds = 0.2;
    double frequency = 523.0;
    double amplitude = 0.5;
    double rightAmplitude = 0.5; // second channel, when there is one
    bool trailingChunks = false; // a LIST chunk after the data
};

Bytes toneSamples(const ToneWave& tone);
Bytes toneImage(const ToneWave& tone);
int frameCount(const ToneWave& tone);

} // namespace lexamo::test
