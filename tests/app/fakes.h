#pragma once

#include "app/message_boxes.h"
#include "speech/speech_engine.h"
#include "speech/wave_stream.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace lexamo::testing {

/// One ordered log for everything the learner would see, hear or be asked to confirm.
struct EventLog
{
    QStringList events;
    void add(const QString& event) { events.append(event); }
    /// Only the events starting with one of the prefixes, in order.
    QStringList only(const QStringList& prefixes) const
    {
        QStringList result;
        for (const QString& event : events)
            for (const QString& prefix : prefixes)
                if (event.startsWith(prefix)) {
                    result.append(event);
                    break;
                }
        return result;
    }
};

/// Records every engine call. Before each Speak it asks `screen` what the window shows, so a
/// test can check that the learner saw the new state before hearing it.
class RecordingSpeech : public SpeechEngine
{
public:
    RecordingSpeech(EventLog& log, std::vector<VoiceToken> voices) : m_log(log), m_voices(voices) {}
    ~RecordingSpeech() override { m_log.add(QStringLiteral("engine released")); }

    VoiceCollection GetVoices() override
    {
        m_log.add(QStringLiteral("GetVoices"));
        return VoiceCollection(m_voices);
    }
    VoiceCollection GetVoices(const QString& required, const QString& optional) override
    {
        m_log.add(QStringLiteral("GetVoices(%1,%2)").arg(required, optional));
        return VoiceCollection(m_voices);
    }
    void Voice(const VoiceToken& voice) override
    {
        m_log.add(QStringLiteral("Voice:") + voice.GetDescription());
    }
    void Rate(float rate) override { m_log.add(QStringLiteral("Rate:%1").arg(rate)); }
    void Speak(const QString& text, int flags) override
    {
        QString event = QStringLiteral("speak:") + text;
        if (flags != 0)
            event += QStringLiteral(" flags=%1").arg(flags);
        if (screen)
            event += QStringLiteral(" | ") + screen();
        m_log.add(event);
        if (onSpeak)
            onSpeak(text);
    }

    std::function<QString()> screen;
    std::function<void(const QString&)> onSpeak;

private:
    EventLog& m_log;
    std::vector<VoiceToken> m_voices;
};

class RecordingSoundPlayer : public SoundPlayer
{
public:
    explicit RecordingSoundPlayer(EventLog& log) : m_log(log) {}
    void play(const WaveStream& sound) override { m_log.add(QStringLiteral("play:") + sound.name); }

private:
    EventLog& m_log;
};

/// Records each box instead of showing it; an optional hook runs while the box would be open.
class RecordingBoxes : public MessageBoxes
{
public:
    explicit RecordingBoxes(EventLog& log) : m_log(log) {}
    void ShowMessage(QWidget*, const QString& text) override
    {
        m_log.add(QStringLiteral("message:") + text);
        if (whileOpen)
            whileOpen();
    }
    void showError(QWidget*, const QString& message) override
    {
        m_log.add(QStringLiteral("error:") + errorBoxText(message));
        if (whileOpen)
            whileOpen();
    }
    std::function<void()> whileOpen;

private:
    EventLog& m_log;
};

} // namespace lexamo::testing
