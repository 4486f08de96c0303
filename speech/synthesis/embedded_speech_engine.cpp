#include "embedded_speech_engine.h"

#include "courses/error.h"
#include "espeak_synthesizer.h"
#include "flite_synthesizer.h"
#include "silence_trimmer.h"
#include "speech/text/speakable_text.h"
#include "speech_rate.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <optional>

namespace lexamo {

namespace {

// Neither flite nor espeak-ng may run on two threads at once, whichever engine object asks.
std::mutex& synthesisMutex()
{
    static std::mutex mutex;
    return mutex;
}

} // namespace

/// One utterance, shared by the engine's thread, which makes it, and the waiting caller.
struct EmbeddedSpeechEngine::Job
{
    UtteranceKey key;
    Entry voice;

    std::atomic<bool> cancelled{false};
    std::mutex mutex;
    std::condition_variable changed;
    bool synthesized = false;  // the thread is done with it
    bool audioStarted = false; // the sink received samples of it
    std::exception_ptr failure;
};

namespace {

class EmbeddedUtterance : public Utterance
{
public:
    EmbeddedUtterance(std::shared_ptr<EmbeddedSpeechEngine::Job> job, PcmSink& sink)
        : m_job(std::move(job)), m_sink(sink)
    {
    }

    bool waitFor(std::chrono::milliseconds timeout) override
    {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        bool audioStarted = false;
        {
            std::unique_lock lock(m_job->mutex);
            if (!m_job->changed.wait_until(lock, deadline, [&] { return m_job->synthesized; }))
                return false;
            if (m_job->failure)
                std::rethrow_exception(std::exchange(m_job->failure, nullptr));
            audioStarted = m_job->audioStarted;
        }
        if (!audioStarted || m_job->cancelled)
            return true;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        return m_sink.waitSpeechPlayed(std::max(left, std::chrono::milliseconds(0)));
    }

    void cancel() override
    {
        m_job->cancelled = true;
        m_sink.cancelSpeech();
    }

private:
    std::shared_ptr<EmbeddedSpeechEngine::Job> m_job;
    PcmSink& m_sink;
};

} // namespace

/// The audio of one utterance as the engine's thread makes it, and the live utterance, if any,
/// that hears it meanwhile.
struct EmbeddedSpeechEngine::Production
{
    PcmBuffer audio;
    std::shared_ptr<Job> listener;
    bool begun = false; // the sink has begun the listener's utterance
};

void EmbeddedSpeechEngine::prepareSynthesizers()
{
    const std::lock_guard lock(synthesisMutex());
    FliteSynthesizer::instance();
    EspeakSynthesizer::instance();
}

EmbeddedSpeechEngine::EmbeddedSpeechEngine(PcmSink& sink) : m_sink(sink)
{
    {
        const std::lock_guard lock(synthesisMutex());
        for (Synthesizer* synthesizer :
             {static_cast<Synthesizer*>(&FliteSynthesizer::instance()),
              static_cast<Synthesizer*>(&EspeakSynthesizer::instance())}) {
            const std::vector<VoiceToken>& tokens = synthesizer->voices();
            for (std::size_t i = 0; i < tokens.size(); ++i)
                m_voices.push_back({tokens[i], synthesizer, i});
        }
    }
    m_thread = std::jthread([this](std::stop_token stop) { runJobs(stop); });
}

EmbeddedSpeechEngine::~EmbeddedSpeechEngine()
{
    {
        const std::lock_guard lock(m_mutex);
        m_closing = true;
        m_preparations.clear();
    }
    m_thread.request_stop();
    m_thread.join();
    m_sink.cancelSpeech();
}

VoiceCollection EmbeddedSpeechEngine::GetVoices()
{
    std::vector<VoiceToken> tokens;
    tokens.reserve(m_voices.size());
    for (const Entry& entry : m_voices)
        tokens.push_back(entry.token);
    return VoiceCollection(std::move(tokens));
}

VoiceCollection EmbeddedSpeechEngine::GetVoices(const QString&, const QString&)
{
    return GetVoices();
}

void EmbeddedSpeechEngine::Voice(const VoiceToken& voice)
{
    for (std::size_t i = 0; i < m_voices.size(); ++i) {
        if (m_voices[i].token.id() == voice.id()) {
            m_voice = i;
            return;
        }
    }
    throw Error(QStringLiteral("The voice \"%1\" is not installed.").arg(voice.GetDescription()));
}

void EmbeddedSpeechEngine::Rate(float rate)
{
    m_rate = clampRate(rate);
}

const EmbeddedSpeechEngine::Entry& EmbeddedSpeechEngine::currentVoice() const
{
    if (m_voices.empty())
        throw Error(QStringLiteral("No voice is installed."));
    return m_voices[m_voice];
}

UtteranceKey EmbeddedSpeechEngine::keyFor(const Entry& voice, const QString& text) const
{
    return {speakableText(text).text, voice.token.id(), m_rate};
}

std::unique_ptr<Utterance> EmbeddedSpeechEngine::startSpeaking(const QString& text)
{
    if (text.isEmpty())
        return std::make_unique<SilentUtterance>();
    auto job = std::make_shared<Job>();
    job->voice = currentVoice();
    job->key = keyFor(job->voice, text);
    {
        const std::lock_guard lock(m_mutex);
        m_jobs.push_back(job);
    }
    m_jobsChanged.notify_one();
    return std::make_unique<EmbeddedUtterance>(std::move(job), m_sink);
}

void EmbeddedSpeechEngine::prepare(const QString& text)
{
    if (text.isEmpty() || m_voices.empty())
        return;
    Preparation preparation{keyFor(currentVoice(), text), currentVoice()};
    if (preparation.key.text.isEmpty())
        return;
    {
        const std::lock_guard lock(m_mutex);
        const auto same = [&](const Preparation& waiting) {
            return waiting.key == preparation.key;
        };
        // Audio already kept is only marked as wanted soon, so that it stays.
        if (m_preparing == preparation.key || m_cache.find(preparation.key) ||
            std::any_of(m_preparations.begin(), m_preparations.end(), same))
            return;
        m_preparations.push_back(std::move(preparation));
        if (m_preparations.size() > MaxWaitingPreparations)
            m_preparations.pop_front();
    }
    m_jobsChanged.notify_one();
}

bool EmbeddedSpeechEngine::waitPrepared(const QString& text, std::chrono::milliseconds timeout)
{
    if (m_voices.empty())
        return false;
    const UtteranceKey key = keyFor(currentVoice(), text);
    std::unique_lock lock(m_mutex);
    return m_stored.wait_for(lock, timeout, [&] { return m_cache.contains(key); });
}

PcmBuffer EmbeddedSpeechEngine::synthesize(const QString& text)
{
    PcmBuffer pcm;
    if (text.isEmpty())
        return pcm;
    produce(
        currentVoice(), m_rate, speakableText(text).text, [] { return true; },
        [&](const std::int16_t* samples, std::size_t count, int sampleRate) {
            pcm.sampleRate = sampleRate;
            pcm.samples.insert(pcm.samples.end(), samples, samples + count);
        });
    return pcm;
}

void EmbeddedSpeechEngine::produce(const Entry& voice, float rate, const QString& speakable,
                                   const std::function<bool()>& keepGoing, const Deliver& deliver)
{
    if (speakable.isEmpty())
        return;
    std::optional<SilenceTrimmer> trimmer;
    std::size_t made = 0;
    std::size_t limit = 0;
    const SampleOutput output = [&](const std::int16_t* samples, std::size_t count,
                                    int sampleRate) {
        if (!keepGoing())
            return false;
        if (!trimmer) {
            trimmer.emplace(sampleRate,
                            [&deliver, sampleRate](const std::int16_t* s, std::size_t n) {
                                deliver(s, n, sampleRate);
                            });
            limit = std::size_t(sampleRate) * MaxSeconds;
        }
        count = std::min(count, limit - made);
        trimmer->push(samples, count);
        made += count;
        return made < limit;
    };
    {
        const std::lock_guard lock(synthesisMutex());
        voice.synthesizer->synthesize(voice.index, speakable, rate, output);
    }
    if (trimmer && keepGoing())
        trimmer->finish();
}

bool EmbeddedSpeechEngine::make(const UtteranceKey& key, const Entry& voice, Production& production,
                                const std::function<bool()>& keepGoing)
{
    bool stopped = false;
    produce(
        voice, key.rate, key.text,
        [&] {
            stopped = stopped || !keepGoing();
            return !stopped;
        },
        [&](const std::int16_t* samples, std::size_t count, int sampleRate) {
            production.audio.sampleRate = sampleRate;
            production.audio.samples.insert(production.audio.samples.end(), samples,
                                            samples + count);
            if (production.listener)
                hear(production, sampleRate, samples, count);
        });
    return !stopped;
}

void EmbeddedSpeechEngine::hear(Production& production, int sampleRate, const std::int16_t* samples,
                                std::size_t count)
{
    if (!production.begun) {
        m_sink.beginSpeech(sampleRate);
        production.begun = true;
    }
    m_sink.pushSpeech(samples, count);
}

void EmbeddedSpeechEngine::finish(Production& production, std::exception_ptr failure)
{
    Job& job = *production.listener;
    if (m_closing)
        job.cancelled = true;
    if (production.begun) {
        // A cancel may have come between the last check and the first samples.
        if (job.cancelled)
            m_sink.cancelSpeech();
        else
            m_sink.endSpeech();
    }
    {
        const std::lock_guard lock(job.mutex);
        job.synthesized = true;
        job.audioStarted = production.begun;
        job.failure = failure;
    }
    job.changed.notify_all();
}

void EmbeddedSpeechEngine::store(const UtteranceKey& key, PcmBuffer audio)
{
    if (audio.samples.empty())
        return;
    auto shared = std::make_shared<const PcmBuffer>(std::move(audio));
    {
        const std::lock_guard lock(m_mutex);
        m_cache.store(key, std::move(shared));
    }
    m_stored.notify_all();
}

void EmbeddedSpeechEngine::runJobs(std::stop_token stop)
{
    while (true) {
        std::shared_ptr<Job> job;
        std::optional<Preparation> preparation;
        {
            std::unique_lock lock(m_mutex);
            if (!m_jobsChanged.wait(lock, stop,
                                    [this] { return !m_jobs.empty() || !m_preparations.empty(); }))
                return;
            if (!m_jobs.empty()) {
                job = m_jobs.front();
                m_jobs.pop_front();
            } else {
                preparation = std::move(m_preparations.front());
                m_preparations.pop_front();
                m_preparing = preparation->key;
            }
        }
        if (job)
            speak(job);
        else
            prepareAhead(*preparation);
    }
}

void EmbeddedSpeechEngine::speak(const std::shared_ptr<Job>& job)
{
    Production production{{}, job};
    std::exception_ptr failure;
    const auto keepGoing = [this, &job] { return !job->cancelled && !m_closing; };
    if (keepGoing()) {
        std::shared_ptr<const PcmBuffer> ready;
        {
            const std::lock_guard lock(m_mutex);
            ready = m_cache.find(job->key);
        }
        if (ready) {
            hear(production, ready->sampleRate, ready->samples.data(), ready->samples.size());
        } else {
            try {
                if (make(job->key, job->voice, production, keepGoing))
                    store(job->key, std::move(production.audio));
            } catch (...) {
                failure = std::current_exception();
            }
        }
    }
    finish(production, failure);
}

void EmbeddedSpeechEngine::prepareAhead(const Preparation& preparation)
{
    Production production;
    bool interrupted = false;
    // Asked at every piece the synthesizer makes: an utterance of this text takes over what is
    // made so far; one of another text goes first, and this preparation starts again later.
    const auto keepGoing = [&] {
        if (m_closing)
            return false;
        if (production.listener)
            return !production.listener->cancelled.load();
        {
            const std::lock_guard lock(m_mutex);
            if (m_jobs.empty())
                return true;
            const std::shared_ptr<Job>& next = m_jobs.front();
            if (!(next->key == preparation.key) || next->cancelled) {
                interrupted = true;
                return false;
            }
            production.listener = next;
            m_jobs.pop_front();
        }
        if (!production.audio.samples.empty())
            hear(production, production.audio.sampleRate, production.audio.samples.data(),
                 production.audio.samples.size());
        return !production.listener->cancelled.load();
    };
    bool ready = false;
    {
        const std::lock_guard lock(m_mutex);
        ready = m_cache.find(preparation.key) != nullptr;
    }
    std::exception_ptr failure;
    bool complete = false;
    if (!ready) {
        try {
            complete = make(preparation.key, preparation.voice, production, keepGoing);
        } catch (...) {
            failure = std::current_exception();
        }
    }
    // The audio is kept before a listener's waiter hears that its utterance is over, so that
    // whoever waited for it finds it ready.
    if (complete)
        store(preparation.key, std::move(production.audio));
    if (production.listener)
        finish(production, failure);
    const std::lock_guard lock(m_mutex);
    m_preparing.reset();
    if (interrupted && !m_closing)
        m_preparations.push_front(preparation);
}

} // namespace lexamo
