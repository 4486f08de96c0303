#pragma once

#include "speech/speech_engine.h"

#include <QString>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

namespace lexamo {

/// Takes the samples of an utterance as the synthesizer makes them (mono, 16-bit, at the rate
/// given); returning false stops the synthesis.
using SampleOutput =
    std::function<bool(const std::int16_t* samples, std::size_t count, int sampleRate)>;

/// One embedded synthesizer with its English voices. The libraries behind it keep global
/// state, so each is a single object per process and callers serialise every synthesis.
class Synthesizer
{
public:
    virtual ~Synthesizer() = default;
    /// The voices in a fixed order; empty when the synthesizer could not start.
    virtual const std::vector<VoiceToken>& voices() const = 0;
    /// Speaks the text with voices()[voice] at the rate (-10..10), handing the samples to
    /// `output` piece by piece while it goes. The text must have passed speakableText().
    virtual void synthesize(std::size_t voice, const QString& text, float rate,
                            const SampleOutput& output) = 0;
};

} // namespace lexamo
