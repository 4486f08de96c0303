#include "courses/error.h"
#include "speech_engine.h"

namespace lexamo {

const VoiceToken& VoiceCollection::Item(int index) const
{
    if (index < 0 || index >= Count())
        throw indexError(index);
    return m_voices[static_cast<std::size_t>(index)];
}

void SpeechEngine::Speak(const QString& text, int)
{
    const std::unique_ptr<Utterance> utterance = startSpeaking(text);
    while (!utterance->waitFor(std::chrono::hours(1))) {
    }
}

} // namespace lexamo
