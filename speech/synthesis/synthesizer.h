#pragma once

#include "pcm_buffer.h"
#include "speech/speech_engine.h"

#include <QString>

#include <cstddef>
#include <vector>

namespace lexamo {

/// One embedded synthesizer with its English voices. The libraries behind it keep global
/// state, so each is a single object per process and callers serialise every synthesis.
class Synthesizer
{
public:
    virtual ~Synthesizer() = default;
    /// The voices in a fixed order; empty when the synthesizer could not start.
    virtual const std::vector<VoiceToken>& voices() const = 0;
    /// Speaks the text with voices()[voice] at the rate (-10..10) into samples.
    virtual PcmBuffer synthesize(std::size_t voice, const QString& text, float rate) = 0;
};

} // namespace lexamo
