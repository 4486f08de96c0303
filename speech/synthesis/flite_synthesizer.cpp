#include "flite_synthesizer.h"

#include "courses/error.h"
#include "speech_rate.h"

#include <flite/flite.h>
#include <memory>

extern "C" {
cst_voice* register_cmu_us_slt(const char* voxdir);
cst_voice* register_cmu_us_rms(const char* voxdir);
cst_voice* register_cmu_us_awb(const char* voxdir);
cst_voice* register_cmu_us_kal16(const char* voxdir);
cst_voice* register_cmu_us_kal(const char* voxdir);
}

namespace lexamo {

namespace {

struct FliteVoice
{
    const char* id;
    const char* description;
    cst_voice* (*registerVoice)(const char*);
};

// rms leads: it is the voice that speaks until the learner picks another, chosen because a
// speech recogniser understood it best of the US voices (bench/synthesis). cmu_time_awb is left
// out because it only speaks clock times.
const FliteVoice kVoices[] = {
    {"flite:cmu_us_rms", "Flite RMS - English (United States), male", register_cmu_us_rms},
    {"flite:cmu_us_slt", "Flite SLT - English (United States), female", register_cmu_us_slt},
    {"flite:cmu_us_awb", "Flite AWB - English (Scotland), male", register_cmu_us_awb},
    {"flite:cmu_us_kal16", "Flite KAL16 - English (United States), male", register_cmu_us_kal16},
    {"flite:cmu_us_kal", "Flite KAL - English (United States), male", register_cmu_us_kal},
};

} // namespace

FliteSynthesizer& FliteSynthesizer::instance()
{
    static FliteSynthesizer synthesizer;
    return synthesizer;
}

FliteSynthesizer::FliteSynthesizer()
{
    flite_init();
    for (const FliteVoice& entry : kVoices) {
        if (cst_voice* voice = entry.registerVoice(nullptr)) {
            m_tokens.emplace_back(QString::fromLatin1(entry.id),
                                  QString::fromLatin1(entry.description));
            m_voices.push_back(voice);
        }
    }
}

PcmBuffer FliteSynthesizer::synthesize(std::size_t voice, const QString& text, float rate)
{
    cst_voice* fliteVoice = m_voices.at(voice);
    feat_set_float(fliteVoice->features, "duration_stretch",
                   static_cast<float>(fliteDurationStretch(rate)));

    const QByteArray utf8 = text.toUtf8();
    const std::unique_ptr<cst_wave, decltype(&delete_wave)> wave(
        flite_text_to_wave(utf8.constData(), fliteVoice), &delete_wave);
    if (!wave)
        throw Error(QStringLiteral("The voice \"%1\" could not speak the text.")
                        .arg(m_tokens[voice].GetDescription()));

    PcmBuffer pcm;
    pcm.sampleRate = wave->sample_rate;
    pcm.samples.assign(wave->samples, wave->samples + wave->num_samples);
    return pcm;
}

} // namespace lexamo
