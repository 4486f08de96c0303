#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>

namespace lexamo {

/// Where synthesized speech goes, piece by piece while the synthesizer is still at work, so that
/// the learner hears the start of a sentence before its end has been made. The synthesis thread
/// begins, pushes and ends an utterance; the waiting thread waits for it or cancels it. One
/// utterance at a time: beginning a new one drops whatever is left of the last.
class PcmSink
{
public:
    virtual ~PcmSink() = default;
    /// Mono 16-bit samples at this rate follow.
    virtual void beginSpeech(int sampleRate) = 0;
    virtual void pushSpeech(const std::int16_t* samples, std::size_t count) = 0;
    /// Nothing more follows: the utterance plays on to its end.
    virtual void endSpeech() = 0;
    /// Drops what has not been played yet.
    virtual void cancelSpeech() = 0;
    /// Waits at most `timeout`; true once everything pushed has been played after endSpeech, or
    /// the utterance was cancelled (at once when nothing can be played).
    virtual bool waitSpeechPlayed(std::chrono::milliseconds timeout) = 0;
};

} // namespace lexamo
