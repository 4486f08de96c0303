#include "embedded_speech_engine.h"

#include "courses/error.h"
#include "espeak_synthesizer.h"
#include "flite_synthesizer.h"
#include "speech_rate.h"

#include <mutex>

namespace lexamo {

namespace {

// Neither flite nor espeak-ng may run on two threads at once, whichever engine object asks.
std::mutex& synthesisMutex()
{
    static std::mutex mutex;
    return mutex;
}

} // namespace

void EmbeddedSpeechEngine::prepareSynthesizers()
{
    const std::lock_guard lock(synthesisMutex());
    FliteSynthesizer::instance();
    EspeakSynthesizer::instance();
}

EmbeddedSpeechEngine::EmbeddedSpeechEngine(PcmSink& sink) : m_sink(sink)
{
    const std::lock_guard lock(synthesisMutex());
    for (Synthesizer* synthesizer : {static_cast<Synthesizer*>(&FliteSynthesizer::instance()),
                                     static_cast<Synthesizer*>(&EspeakSynthesizer::instance())}) {
        const std::vector<VoiceToken>& tokens = synthesizer->voices();
        for (std::size_t i = 0; i < tokens.size(); ++i)
            m_voices.push_back({tokens[i], synthesizer, i});
    }
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

void EmbeddedSpeechEngine::Speak(const QString& text, int)
{
    const PcmBuffer pcm = synthesize(text);
    if (!pcm.samples.empty())
        m_sink.playSpeech(pcm.samples.data(), pcm.samples.size(), pcm.sampleRate);
}

PcmBuffer EmbeddedSpeechEngine::synthesize(const QString& text)
{
    if (text.isEmpty())
        return {};
    if (m_voices.empty())
        throw Error(QStringLiteral("No voice is installed."));
    const Entry& entry = m_voices[m_voice];
    const std::lock_guard lock(synthesisMutex());
    return entry.synthesizer->synthesize(entry.index, text, m_rate);
}

} // namespace lexamo
