#pragma once

#include <QString>

#include <chrono>
#include <memory>
#include <vector>

namespace lexamo {

/// One installed voice, as the engine's collections hand it out.
class VoiceToken
{
public:
    VoiceToken() = default;
    VoiceToken(QString id, QString description)
        : m_id(std::move(id)), m_description(std::move(description))
    {
    }
    /// The engine's own key for the voice (for example "flite:cmu_us_slt").
    const QString& id() const { return m_id; }
    /// The name a learner reads in the voice list.
    const QString& GetDescription() const { return m_description; }

private:
    QString m_id;
    QString m_description;
};

/// A snapshot of the installed voices, always listed in the same order.
class VoiceCollection
{
public:
    VoiceCollection() = default;
    explicit VoiceCollection(std::vector<VoiceToken> voices) : m_voices(std::move(voices)) {}
    int Count() const { return static_cast<int>(m_voices.size()); }
    /// Item i is the i-th voice; an index outside 0..Count()-1 raises lexamo::Error.
    const VoiceToken& Item(int index) const;

private:
    std::vector<VoiceToken> m_voices;
};

/// One text on its way to the loudspeaker: synthesized and played on other threads while the
/// caller waits in whatever way suits it.
class Utterance
{
public:
    virtual ~Utterance() = default;
    /// Waits at most `timeout`; true once the utterance has been played to its end or cancelled.
    virtual bool waitFor(std::chrono::milliseconds timeout) = 0;
    /// Ends the utterance at once: what has not been heard yet is dropped.
    virtual void cancel() = 0;
};

/// An utterance with nothing to say: over before it starts.
class SilentUtterance : public Utterance
{
public:
    bool waitFor(std::chrono::milliseconds) override { return true; }
    void cancel() override {}
};

/// The text-to-speech engine as the program calls it. Every call happens on the user-interface
/// thread; Speak returns only after the whole text has been spoken.
class SpeechEngine
{
public:
    virtual ~SpeechEngine() = default;

    virtual VoiceCollection GetVoices() = 0;
    /// The attribute filters are accepted for the callers' sake; empty strings select all voices,
    /// so both forms list the same voices in the same order.
    virtual VoiceCollection GetVoices(const QString& requiredAttributes,
                                      const QString& optionalAttributes) = 0;
    /// Later speech uses this voice.
    virtual void Voice(const VoiceToken& voice) = 0;
    /// Later speech uses this speed: 0 the voice's normal speed, +10 about three times faster,
    /// -10 about three times slower.
    virtual void Rate(float rate) = 0;
    /// Starts speaking the text and returns at once; one utterance at a time.
    virtual std::unique_ptr<Utterance> startSpeaking(const QString& text) = 0;
    /// A hint that later speech will probably say this text with the current voice and speed:
    /// an engine may make its audio now, in the background, so that speaking it starts at once.
    /// Nothing is heard, and speech of other texts never waits for it.
    virtual void prepare(const QString&) {}
    /// Speaks the text and returns when it has been spoken. Flags are always 0 here.
    virtual void Speak(const QString& text, int flags);
};

} // namespace lexamo
