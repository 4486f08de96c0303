#pragma once

#include <cstddef>
#include <cstdint>

namespace lexamo {

/// Where synthesized speech goes: the call plays mono 16-bit samples and returns only once they
/// have been played (at once when there is no audio device).
class PcmSink
{
public:
    virtual ~PcmSink() = default;
    virtual void playSpeech(const std::int16_t* samples, std::size_t count, int sampleRate) = 0;
};

} // namespace lexamo
