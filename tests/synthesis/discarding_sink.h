#pragma once

#include "speech/pcm_sink.h"

namespace lexamo::test {

/// Takes speech and plays nothing, so every wait for it is over at once; counts the samples.
class DiscardingSink : public PcmSink
{
public:
    void beginSpeech(int) override {}
    void pushSpeech(const std::int16_t*, std::size_t count) override { pushed += count; }
    void endSpeech() override {}
    void cancelSpeech() override {}
    bool waitSpeechPlayed(std::chrono::milliseconds) override { return true; }

    std::size_t pushed = 0;
};

} // namespace lexamo::test
