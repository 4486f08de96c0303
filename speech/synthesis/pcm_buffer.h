#pragma once

#include <cstdint>
#include <vector>

namespace lexamo {

/// Mono 16-bit speech as a synthesizer produced it, before it is played.
struct PcmBuffer
{
    std::vector<std::int16_t> samples;
    int sampleRate = 0;

    double seconds() const
    {
        return sampleRate > 0 ? static_cast<double>(samples.size()) / sampleRate : 0.0;
    }
};

} // namespace lexamo
