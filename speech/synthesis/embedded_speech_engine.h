#pragma once

#include "pcm_buffer.h"
#include "speech/pcm_sink.h"
#include "speech/speech_engine.h"

#include <QString>

#include <cstddef>
#include <vector>

namespace lexamo {

class Synthesizer;

/// The speech engine over the embedded synthesizers: flite's US voices (rms first, the voice
/// that speaks until another is chosen), then espeak-ng's English voices. Speech is synthesized
/// whole and handed to the sink, which returns once it has been played.
class EmbeddedSpeechEngine : public SpeechEngine
{
public:
    /// Loads the voices of both synthesizers, once per process. Optional: an engine does it
    /// itself when it is made, but the program starts it early, on another thread, so that the
    /// window is built meanwhile.
    static void prepareSynthesizers();

    explicit EmbeddedSpeechEngine(PcmSink& sink);

    VoiceCollection GetVoices() override;
    VoiceCollection GetVoices(const QString& requiredAttributes,
                              const QString& optionalAttributes) override;
    /// Raises lexamo::Error when the token names no voice of this engine.
    void Voice(const VoiceToken& voice) override;
    void Rate(float rate) override;
    void Speak(const QString& text, int flags) override;

    /// The samples Speak would play for the text with the current voice and rate; empty for an
    /// empty text.
    PcmBuffer synthesize(const QString& text);

private:
    struct Entry
    {
        VoiceToken token;
        Synthesizer* synthesizer;
        std::size_t index; // the voice's place in its synthesizer's list
    };

    PcmSink& m_sink;
    std::vector<Entry> m_voices;
    std::size_t m_voice = 0;
    float m_rate = 0.0f;
};

} // namespace lexamo
