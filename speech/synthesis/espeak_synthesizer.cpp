#include "espeak_synthesizer.h"

#include "courses/error.h"
#include "speech_rate.h"
#include "time_stretch.h"

#include <array>
#include <cstring>
#include <espeak-ng/espeak_ng.h>
#include <functional>
#include <memory>

namespace lexamo {

namespace {

// Where one synthesis sends its samples: straight on, or through the time-stretch first.
struct StreamTarget
{
    std::function<bool(const std::int16_t*, std::size_t)> output;
};

// Synchronous mode hands each new piece of samples to this callback while espeak_ng_Synthesize
// runs; every event carries the target passed as user data. Returning 1 stops the synthesis.
int streamSamples(short* samples, int count, espeak_EVENT* events)
{
    if (samples && count > 0 && events && events->user_data) {
        auto* target = static_cast<StreamTarget*>(events->user_data);
        if (!target->output(samples, std::size_t(count)))
            return 1;
    }
    return 0;
}

QString statusMessage(espeak_ng_STATUS status)
{
    std::array<char, 512> buffer{};
    espeak_ng_GetStatusCodeMessage(status, buffer.data(), buffer.size());
    return QString::fromLocal8Bit(buffer.data());
}

// The first entry of espeak's language list: a priority byte, then the name.
QByteArray primaryLanguage(const espeak_VOICE& voice)
{
    return voice.languages && voice.languages[0] ? QByteArray(voice.languages + 1) : QByteArray();
}

bool isEnglish(const espeak_VOICE& voice)
{
    const QByteArray language = primaryLanguage(voice);
    return (language == "en" || language.startsWith("en-")) &&
           !QByteArray(voice.identifier).startsWith("mb/");
}

QString describe(const espeak_VOICE& voice)
{
    // espeak-ng says "America" where the flite voices say "United States"; one wording for the
    // learner.
    QString description = QStringLiteral("eSpeak NG ") + QString::fromUtf8(voice.name);
    description.replace(QStringLiteral("America"), QStringLiteral("United States"));
    if (voice.gender == ENGENDER_MALE)
        description += QStringLiteral(", male");
    else if (voice.gender == ENGENDER_FEMALE)
        description += QStringLiteral(", female");
    return description;
}

} // namespace

EspeakSynthesizer& EspeakSynthesizer::instance()
{
    static EspeakSynthesizer synthesizer;
    return synthesizer;
}

EspeakSynthesizer::EspeakSynthesizer()
{
    // The legacy espeak_Initialize exits the process when its data folder is missing; the
    // espeak_ng_ calls report it instead. A null path lets espeak-ng find its installed data.
    espeak_ng_InitializePath(nullptr);
    espeak_ng_ERROR_CONTEXT context = nullptr;
    const espeak_ng_STATUS status = espeak_ng_Initialize(&context);
    espeak_ng_ClearErrorContext(&context);
    if (status != ENS_OK)
        return;
    if (espeak_ng_InitializeOutput(ENOUTPUT_MODE_SYNCHRONOUS, 0, nullptr) != ENS_OK)
        return;
    espeak_SetSynthCallback(streamSamples);
    m_sampleRate = espeak_ng_GetSampleRate();

    const espeak_VOICE** voices = espeak_ListVoices(nullptr);
    for (std::size_t i = 0; voices && voices[i]; ++i) {
        const espeak_VOICE& voice = *voices[i];
        if (!isEnglish(voice))
            continue;
        m_tokens.emplace_back(QStringLiteral("espeak:") +
                                  QString::fromLatin1(primaryLanguage(voice)),
                              describe(voice));
        m_identifiers.emplace_back(voice.identifier);
    }
}

void EspeakSynthesizer::synthesize(std::size_t voice, const QString& text, float rate,
                                   const SampleOutput& output)
{
    const auto fail = [&](espeak_ng_STATUS status) {
        return Error(QStringLiteral("The voice \"%1\" could not speak the text: %2")
                         .arg(m_tokens.at(voice).GetDescription(), statusMessage(status)));
    };

    const EspeakSpeed speed = espeakSpeed(rate);
    espeak_ng_STATUS status = espeak_ng_SetVoiceByName(m_identifiers.at(voice).constData());
    if (status != ENS_OK)
        throw fail(status);
    // A new voice brings its own speed, so the rate is set after it.
    status = espeak_ng_SetParameter(espeakRATE, speed.wordsPerMinute, 0);
    if (status != ENS_OK)
        throw fail(status);

    const int sampleRate = m_sampleRate;
    const auto forward = [&](const std::int16_t* samples, std::size_t count) {
        return output(samples, count, sampleRate);
    };
    std::unique_ptr<TimeStretcher> stretcher;
    StreamTarget target{forward};
    if (speed.stretchSpeed != 1.0) {
        stretcher = std::make_unique<TimeStretcher>(sampleRate, speed.stretchSpeed, forward);
        target.output = [&](const std::int16_t* samples, std::size_t count) {
            return stretcher->push(samples, count);
        };
    }

    const QByteArray utf8 = text.toUtf8();
    status = espeak_ng_Synthesize(utf8.constData(), static_cast<std::size_t>(utf8.size()) + 1, 0,
                                  POS_CHARACTER, 0, espeakCHARS_UTF8, nullptr, &target);
    // A synthesis stopped by the output is not a failure of the voice.
    if (status != ENS_OK && status != ENS_SPEECH_STOPPED)
        throw fail(status);
    if (stretcher && status == ENS_OK)
        stretcher->finish();
}

} // namespace lexamo
