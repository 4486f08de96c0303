#pragma once

#include "speech/pcm_sink.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace lexamo::test {

/// Keeps every utterance the engine begins, with its samples and how it ended; plays nothing,
/// so waiting is over at once. Written on the engine's thread: read it once the utterance or
/// the engine is over.
class RecordingSink : public PcmSink
{
public:
    struct Call
    {
        std::vector<std::int16_t> samples;
        int sampleRate = 0;
        bool ended = false;
        bool cancelled = false;
    };
    void beginSpeech(int sampleRate) override
    {
        calls.push_back({{}, sampleRate});
        if (onBegin)
            onBegin();
    }
    void pushSpeech(const std::int16_t* samples, std::size_t count) override
    {
        calls.back().samples.insert(calls.back().samples.end(), samples, samples + count);
    }
    void endSpeech() override { calls.back().ended = true; }
    void cancelSpeech() override
    {
        if (!calls.empty())
            calls.back().cancelled = true;
    }
    bool waitSpeechPlayed(std::chrono::milliseconds) override { return true; }

    std::vector<Call> calls;
    /// Runs on the engine's thread as each utterance begins.
    std::function<void()> onBegin;
};

} // namespace lexamo::test
