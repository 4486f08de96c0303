#pragma once

#include "speech/speech_engine.h"

#include <functional>
#include <memory>

namespace lexamo {

/// Speaking blocks the user-interface thread, so the learner would hear a new question while
/// the screen still shows the old one. This engine paints the window before every utterance.
class ScreenFirstSpeech : public SpeechEngine
{
public:
    ScreenFirstSpeech(std::unique_ptr<SpeechEngine> engine, std::function<void()> paint)
        : m_engine(std::move(engine)), m_paint(std::move(paint))
    {
    }

    VoiceCollection GetVoices() override { return m_engine->GetVoices(); }
    VoiceCollection GetVoices(const QString& required, const QString& optional) override
    {
        return m_engine->GetVoices(required, optional);
    }
    void Voice(const VoiceToken& voice) override { m_engine->Voice(voice); }
    void Rate(float rate) override { m_engine->Rate(rate); }
    void Speak(const QString& text, int flags) override
    {
        m_paint();
        m_engine->Speak(text, flags);
    }

private:
    std::unique_ptr<SpeechEngine> m_engine;
    std::function<void()> m_paint;
};

} // namespace lexamo
