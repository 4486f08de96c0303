#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

namespace lexamo {

/// Where the samples of a RIFF WAVE image are and how they are encoded. The view points into the
/// image itself: nothing is copied, so the image must outlive it.
struct WaveView
{
    enum class Encoding
    {
        Pcm8,
        Pcm16,
        Pcm32,
        Float32
    };

    Encoding encoding = Encoding::Pcm16;
    int channels = 0;
    int sampleRate = 0;
    const unsigned char* samples = nullptr;
    std::size_t sampleBytes = 0; ///< whole frames only

    int bytesPerFrame() const;
};

/// Walks the chunks of a RIFF WAVE image to its "fmt " and "data" chunks; chunks before, between
/// or after them are skipped. Returns nothing for an image that is not a playable WAVE: not RIFF
/// WAVE, a chunk missing or cut short, or an encoding other than 8/16/32-bit PCM or 32-bit float
/// with one or two channels. A data chunk that claims more bytes than the image holds is read up
/// to the image's end.
std::optional<WaveView> parseWave(const unsigned char* image, std::size_t size);

} // namespace lexamo
