#include "embedded_speech_engine.h"

#include "courses/error.h"
#include "espeak_synthesizer.h"
#include "flite_synthesizer.h"
#include "silence_trimmer.h"
#include "speech/text/speakable_text.h"
#include "speech_rate.h"

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
    QString text;
    Entry voice;
    float rate;

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
        const std::lock_guard lock(m_jobsMutex);
        for (const auto& job : m_jobs)
            job->cancelled = true;
        if (m_running)
            m_running->cancelled = true;
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

std::unique_ptr<Utterance> EmbeddedSpeechEngine::startSpeaking(const QString& text)
{
    if (text.isEmpty())
        return std::make_unique<SilentUtterance>();
    auto job = std::make_shared<Job>();
    job->text = text;
    job->voice = currentVoice();
    job->rate = m_rate;
    {
        const std::lock_guard lock(m_jobsMutex);
        m_jobs.push_back(job);
    }
    m_jobsChanged.notify_one();
    return std::make_unique<EmbeddedUtterance>(std::move(job), m_sink);
}

PcmBuffer EmbeddedSpeechEngine::synthesize(const QString& text)
{
    PcmBuffer pcm;
    if (text.isEmpty())
        return pcm;
    produce(
        currentVoice(), m_rate, text, [] { return true; },
        [&](const std::int16_t* samples, std::size_t count, int sampleRate) {
            pcm.sampleRate = sampleRate;
            pcm.samples.insert(pcm.samples.end(), samples, samples + count);
        });
    return pcm;
}

void EmbeddedSpeechEngine::produce(const Entry& voice, float rate, const QString& text,
                                   const std::function<bool()>& keepGoing, const Deliver& deliver)
{
    const SpeakableText speakable = speakableText(text);
    if (speakable.text.isEmpty())
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
        voice.synthesizer->synthesize(voice.index, speakable.text, rate, output);
    }
    if (trimmer && keepGoing())
        trimmer->finish();
}

void EmbeddedSpeechEngine::runJobs(std::stop_token stop)
{
    while (true) {
        std::shared_ptr<Job> job;
        {
            std::unique_lock lock(m_jobsMutex);
            if (!m_jobsChanged.wait(lock, stop, [this] { return !m_jobs.empty(); }))
                return;
            job = m_jobs.front();
            m_jobs.pop_front();
            m_running = job;
        }
        speak(*job);
        const std::lock_guard lock(m_jobsMutex);
        m_running.reset();
    }
}

void EmbeddedSpeechEngine::speak(Job& job)
{
    bool begun = false;
    std::exception_ptr failure;
    try {
        produce(
            job.voice, job.rate, job.text, [&job] { return !job.cancelled; },
            [&](const std::int16_t* samples, std::size_t count, int sampleRate) {
                if (!begun) {
                    m_sink.beginSpeech(sampleRate);
                    begun = true;
                }
                m_sink.pushSpeech(samples, count);
            });
    } catch (...) {
        failure = std::current_exception();
    }
    if (begun) {
        // A cancel may have come between the last check and the first samples.
        if (job.cancelled)
            m_sink.cancelSpeech();
        else
            m_sink.endSpeech();
    }
    {
        const std::lock_guard lock(job.mutex);
        job.synthesized = true;
        job.audioStarted = begun;
        job.failure = failure;
    }
    job.changed.notify_all();
}

} // namespace lexamo
