#pragma once

#include "pcm_buffer.h"
#include "speech/pcm_sink.h"
#include "speech/speech_engine.h"

#include <QString>

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace lexamo {

class Synthesizer;

/// The speech engine over the embedded synthesizers: flite's US voices (rms first, the voice
/// that speaks until another is chosen), then espeak-ng's English voices. Each utterance is
/// synthesized on the engine's own thread and handed to the sink piece by piece, so playing
/// starts as soon as the first piece is made. Every text passes speakableText() first, and no
/// utterance lasts longer than MaxSeconds.
class EmbeddedSpeechEngine : public SpeechEngine
{
public:
    /// Longer synthesis is cut off: no text keeps the learner listening longer than this.
    static constexpr int MaxSeconds = 120;

    /// Loads the voices of both synthesizers, once per process. Optional: an engine does it
    /// itself when it is made, but the program starts it early, on another thread, so that the
    /// window is built meanwhile.
    static void prepareSynthesizers();

    explicit EmbeddedSpeechEngine(PcmSink& sink);
    /// Cancels what is still to be spoken and waits for the synthesis thread to end.
    ~EmbeddedSpeechEngine() override;

    VoiceCollection GetVoices() override;
    VoiceCollection GetVoices(const QString& requiredAttributes,
                              const QString& optionalAttributes) override;
    /// Raises lexamo::Error when the token names no voice of this engine.
    void Voice(const VoiceToken& voice) override;
    void Rate(float rate) override;
    /// A failure of the synthesizer is raised by the utterance's waitFor().
    std::unique_ptr<Utterance> startSpeaking(const QString& text) override;

    /// The samples an utterance of the text consists of with the current voice and rate,
    /// synthesized on the calling thread; empty for an empty text.
    PcmBuffer synthesize(const QString& text);

    struct Job;

private:
    struct Entry
    {
        VoiceToken token;
        Synthesizer* synthesizer;
        std::size_t index; // the voice's place in its synthesizer's list
    };
    using Deliver =
        std::function<void(const std::int16_t* samples, std::size_t count, int sampleRate)>;

    const Entry& currentVoice() const;
    /// The bounded, trimmed synthesis both paths share; stops early once `keepGoing` is false.
    static void produce(const Entry& voice, float rate, const QString& text,
                        const std::function<bool()>& keepGoing, const Deliver& deliver);
    void runJobs(std::stop_token stop);
    void speak(Job& job);

    PcmSink& m_sink;
    std::vector<Entry> m_voices;
    std::size_t m_voice = 0;
    float m_rate = 0.0f;

    std::mutex m_jobsMutex;
    std::condition_variable_any m_jobsChanged;
    std::deque<std::shared_ptr<Job>> m_jobs;
    std::shared_ptr<Job> m_running; // being synthesized now: cancelled too when the engine goes
    std::jthread m_thread; // last: it stops and joins before the rest goes
};

} // namespace lexamo
