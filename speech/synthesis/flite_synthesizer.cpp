#include "flite_synthesizer.h"

#include "speech_rate.h"

#include <flite/flite.h>

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

struct StreamTarget
{
    const SampleOutput* output;
    bool stopped = false;
};

// flite calls this with each new stretch of the wave while it synthesizes an utterance.
int streamSamples(const cst_wave* wave, int start, int size, int, cst_audio_streaming_info* info)
{
    auto* target = static_cast<StreamTarget*>(info->userdata);
    if (target == nullptr || target->stopped)
        return CST_AUDIO_STREAM_STOP;
    if (size > 0 &&
        !(*target->output)(wave->samples + start, std::size_t(size), wave->sample_rate)) {
        target->stopped = true;
        return CST_AUDIO_STREAM_STOP;
    }
    return CST_AUDIO_STREAM_CONT;
}

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
            cst_audio_streaming_info* stream = new_audio_streaming_info();
            stream->asc = streamSamples;
            feat_set(voice->features, "streaming_info", audio_streaming_info_val(stream));
            m_voices.push_back(voice);
            m_streams.push_back(stream);
        }
    }
}

void FliteSynthesizer::synthesize(std::size_t voice, const QString& text, float rate,
                                  const SampleOutput& output)
{
    cst_voice* fliteVoice = m_voices.at(voice);
    feat_set_float(fliteVoice->features, "duration_stretch",
                   static_cast<float>(fliteDurationStretch(rate)));

    // flite cuts the text into sentences and streams each while it is made, so the first
    // sentence can be heard while the next ones are still to come.
    StreamTarget target{&output};
    m_streams[voice]->userdata = &target;
    const QByteArray utf8 = text.toUtf8();
    flite_text_to_speech(utf8.constData(), fliteVoice, "none");
    m_streams[voice]->userdata = nullptr;
}

} // namespace lexamo
