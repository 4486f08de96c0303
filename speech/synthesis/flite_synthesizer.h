#pragma once

#include "synthesizer.h"

struct cst_voice_struct;
struct cst_audio_streaming_info_struct;

namespace lexamo {

/// flite's US English voices, rms first. The voices are registered once per process and kept
/// until it ends.
class FliteSynthesizer final : public Synthesizer
{
public:
    static FliteSynthesizer& instance();

    const std::vector<VoiceToken>& voices() const override { return m_tokens; }
    void synthesize(std::size_t voice, const QString& text, float rate,
                    const SampleOutput& output) override;

private:
    FliteSynthesizer();

    std::vector<VoiceToken> m_tokens;
    std::vector<cst_voice_struct*> m_voices;
    // One per voice, owned by the voice's features.
    std::vector<cst_audio_streaming_info_struct*> m_streams;
};

} // namespace lexamo
