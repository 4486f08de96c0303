#pragma once

#include "app/message_boxes.h"
#include "speech/speech_engine.h"
#include "speech/wave_stream.h"

#include <QString>
#include <QStringList>

#include <chrono>
#include <functional>
#include <thread>
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

/// An utterance that lasts `length` of wall time unless it is cancelled; logs how it ended.
class TimedUtterance : public Utterance
{
public:
    TimedUtterance(EventLog& log, QString text, std::chrono::milliseconds length)
        : m_log(log), m_text(std::move(text)), m_end(std::chrono::steady_clock::now() + length)
    {
    }
    bool waitFor(std::chrono::milliseconds timeout) override
    {
        if (m_over)
            return true;
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        std::this_thread::sleep_until(std::min(deadline, m_end));
        if (std::chrono::steady_clock::now() < m_end)
            return false;
        m_over = true;
        m_log.add(QStringLiteral("spoken:") + m_text);
        return true;
    }
    void cancel() override
    {
        if (m_over)
            return;
        m_over = true;
        m_log.add(QStringLiteral("cancelled:") + m_text);
    }

private:
    EventLog& m_log;
    QString m_text;
    std::chrono::steady_clock::time_point m_end;
    bool m_over = false;
};

/// Records every engine call. Before each utterance it asks `screen` what the window shows, so
/// a test can check that the learner saw the new state before hearing it.
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
    std::unique_ptr<Utterance> startSpeaking(const QString& text) override
    {
        QString event = QStringLiteral("speak:") + text;
        if (screen)
            event += QStringLiteral(" | ") + screen();
        m_log.add(event);
        if (onSpeak)
            onSpeak(text);
        if (utteranceLength.count() == 0)
            return std::make_unique<SilentUtterance>();
        return std::make_unique<TimedUtterance>(m_log, text, utteranceLength);
    }
    void prepare(const QString& text) override { m_log.add(QStringLiteral("prepare:") + text); }

    std::function<QString()> screen;
    std::function<void(const QString&)> onSpeak;
    /// How long each utterance lasts in wall time; 0 ends each at once, unlogged.
    std::chrono::milliseconds utteranceLength{0};

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
