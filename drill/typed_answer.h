// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace lexamo {

/// A key as typing sees it; the window translates its key events into these.
struct TypingKey
{
    enum class Kind
    {
        Text, // a key that types printable characters other than a blank
        Space,
        Enter,
        Backspace,
        Escape,
        Other,
    };
    Kind kind = Kind::Other;
    QString text; // what a Text key types
};

/// What the learner has typed towards the next word, and what each key asks of the drill.
///
/// Space or Enter after a typed text asks for the word it names. With nothing typed, Space
/// belongs to the focused control (a learner who never types clicks buttons with it), except
/// right after a typed word: there, like Enter, it asks for an empty word, so a sentence with a
/// doubled blank can be typed as written, and a blank typed twice by mistake clicks nothing.
/// Backspace erases the last typed character, or with nothing typed takes back the last word
/// placed; Esc clears what was typed.
class TypedAnswer
{
public:
    enum class Request
    {
        None,
        PickTyped, // the word `word` names
        PickEmpty,
        TakeBack,
    };
    struct Outcome
    {
        bool used = false; // false: the key goes on to the focused control
        Request request = Request::None;
        QString word;
    };

    Outcome press(const TypingKey& key);

    const QString& text() const { return m_text; }
    /// The text is a word that named nothing and was left for correction.
    bool refused() const { return m_refused; }

    void clear();
    /// A typed word that named no button comes back for correction, unless more has been typed
    /// since it was sent.
    void refuse(const QString& word);

private:
    Outcome pick();

    QString m_text;
    bool m_refused = false;
    bool m_afterPick = false;
};

} // namespace lexamo
