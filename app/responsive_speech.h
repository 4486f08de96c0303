#pragma once

#include "speech/speech_engine.h"

#include <functional>
#include <memory>

namespace lexamo {

class Application;

/// Speech as the window needs it. The window is painted before every utterance, so the learner
/// sees a new question before hearing it. Speak still returns only once the text has been heard,
/// but while it waits the window keeps painting and answering the window system; what the learner
/// clicks or types meanwhile is handled after the speech, in order (Application::guard). Once the
/// program is stopping, the utterance is cut short and later ones are not spoken.
class ResponsiveSpeech : public SpeechEngine
{
public:
    ResponsiveSpeech(std::unique_ptr<SpeechEngine> engine, std::function<void()> paint,
                     Application& application);

    VoiceCollection GetVoices() override { return m_engine->GetVoices(); }
    VoiceCollection GetVoices(const QString& required, const QString& optional) override
    {
        return m_engine->GetVoices(required, optional);
    }
    void Voice(const VoiceToken& voice) override { m_engine->Voice(voice); }
    void Rate(float rate) override { m_engine->Rate(rate); }
    std::unique_ptr<Utterance> startSpeaking(const QString& text) override
    {
        return m_engine->startSpeaking(text);
    }
    void prepare(const QString& text) override { m_engine->prepare(text); }
    void Speak(const QString& text, int flags) override;

private:
    /// Paints the window and waits until the window system has the frame; false when the
    /// program is stopping.
    bool showBeforeSpeaking();
    /// Keeps the window alive until the utterance has ended; false when it was cut short.
    bool waitWhileResponsive(Utterance& utterance);

    std::unique_ptr<SpeechEngine> m_engine;
    std::function<void()> m_paint;
    Application& m_application;
    Utterance* m_current = nullptr;
};

} // namespace lexamo
