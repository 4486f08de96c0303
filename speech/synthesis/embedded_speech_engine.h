#pragma once

#include "pcm_buffer.h"
#include "speech/pcm_sink.h"
#include "speech/speech_engine.h"
#include "utterance_cache.h"

#include <QString>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace lexamo {

class Synthesizer;

/// The speech engine over the embedded synthesizers: flite's US voices (rms first, the voice
/// that speaks until another is chosen), then espeak-ng's English voices. Each utterance is
/// synthesized on the engine's own thread and handed to the sink piece by piece, so playing
/// starts as soon as the first piece is made. Every text passes speakableText() first, and no
/// utterance lasts longer than MaxSeconds.
///
/// flite's US voices compute a whole sentence before the first piece can be played, so the
/// finished audio of recent utterances is kept (UtteranceCache), and texts announced with
/// prepare() are made while nothing is spoken. Speaking a text whose audio is ready plays it at
/// once; speaking the text being prepared plays what is made so far and the rest as it comes.
/// Preparing never holds up speech of another text: it stops at the synthesizer's next piece
/// and starts again once the engine is idle.
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
    /// Makes the audio for the current voice and speed on the engine's thread when it has
    /// nothing to speak. Only the latest few texts wait their turn.
    void prepare(const QString& text) override;
    /// Waits at most `timeout`; true once speaking the text with the current voice and speed
    /// would start from finished audio.
    bool waitPrepared(const QString& text, std::chrono::milliseconds timeout);

    /// The samples an utterance of the text consists of with the current voice and rate,
    /// synthesized on the calling thread, never taken from kept audio; empty for an empty text.
    PcmBuffer synthesize(const QString& text);

    struct Job;

    /// Texts announced by prepare() that wait for the engine to be idle, the latest last.
    static constexpr std::size_t MaxWaitingPreparations = 4;

private:
    struct Entry
    {
        VoiceToken token;
        Synthesizer* synthesizer;
        std::size_t index; // the voice's place in its synthesizer's list
    };
    /// A text announced by prepare(), with the voice and speed of that moment.
    struct Preparation
    {
        UtteranceKey key;
        Entry voice;
    };
    struct Production;
    using Deliver =
        std::function<void(const std::int16_t* samples, std::size_t count, int sampleRate)>;

    const Entry& currentVoice() const;
    UtteranceKey keyFor(const Entry& voice, const QString& text) const;
    /// The bounded, trimmed synthesis every path shares, of a text that has passed
    /// speakableText(); stops early once `keepGoing` is false.
    static void produce(const Entry& voice, float rate, const QString& speakable,
                        const std::function<bool()>& keepGoing, const Deliver& deliver);
    /// Makes the audio on the engine's thread, passing it to the production's listener, if
    /// any, as it comes; false when `keepGoing` stopped it before the end.
    bool make(const UtteranceKey& key, const Entry& voice, Production& production,
              const std::function<bool()>& keepGoing);
    void hear(Production& production, int sampleRate, const std::int16_t* samples,
              std::size_t count);
    /// Ends the listener's utterance and tells its waiter.
    void finish(Production& production, std::exception_ptr failure);
    void store(const UtteranceKey& key, PcmBuffer audio);
    void runJobs(std::stop_token stop);
    void speak(const std::shared_ptr<Job>& job);
    void prepareAhead(const Preparation& preparation);

    PcmSink& m_sink;
    std::vector<Entry> m_voices;
    std::size_t m_voice = 0;
    float m_rate = 0.0f;

    std::mutex m_mutex; // guards the queues and the cache
    std::condition_variable_any m_jobsChanged;
    std::condition_variable m_stored;
    std::deque<std::shared_ptr<Job>> m_jobs; // utterances to speak, before any preparation
    std::deque<Preparation> m_preparations;
    std::optional<UtteranceKey> m_preparing; // the preparation being made now
    UtteranceCache m_cache;
    std::atomic<bool> m_closing{false};
    std::jthread m_thread; // last: it stops and joins before the rest goes
};

} // namespace lexamo
