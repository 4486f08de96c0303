#pragma once

#include "synthesizer.h"

#include <QByteArray>

namespace lexamo {

/// espeak-ng's English voices (its MBROLA voices are left out: their data is not installed).
/// espeak-ng is initialised once per process and never terminated, because initialising it
/// again after a termination hangs. When it cannot start, it offers no voice.
class EspeakSynthesizer final : public Synthesizer
{
public:
    static EspeakSynthesizer& instance();

    const std::vector<VoiceToken>& voices() const override { return m_tokens; }
    void synthesize(std::size_t voice, const QString& text, float rate,
                    const SampleOutput& output) override;

private:
    EspeakSynthesizer();

    std::vector<VoiceToken> m_tokens;
    std::vector<QByteArray> m_identifiers;
    int m_sampleRate = 0;
};

} // namespace lexamo
