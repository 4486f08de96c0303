#pragma once

#include "synthesizer.h"

struct cst_voice_struct;

namespace lexamo {

/// flite's US English voices, rms first. The voices are registered once per process and kept
/// until it ends.
class FliteSynthesizer final : public Synthesizer
{
public:
    static FliteSynthesizer& instance();

    const std::vector<VoiceToken>& voices() const override { return m_tokens; }
    PcmBuffer synthesize(std::size_t voice, const QString& text, float rate) override;

private:
    FliteSynthesizer();

    std::vector<VoiceToken> m_tokens;
    std::vector<cst_voice_struct*> m_voices;
};

} // namespace lexamo
