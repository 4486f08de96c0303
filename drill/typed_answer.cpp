// SPDX-License-Identifier: GPL-3.0-or-later
#include "typed_answer.h"

#include <QTextBoundaryFinder>

#include <utility>

namespace lexamo {

namespace {

/// Removes the last character as the learner sees it: a letter with its accents, a whole emoji.
void eraseLastCharacter(QString& text)
{
    QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, text);
    graphemes.toEnd();
    const qsizetype start = graphemes.toPreviousBoundary();
    text.truncate(start < 0 ? 0 : start);
}

} // namespace

TypedAnswer::Outcome TypedAnswer::press(const TypingKey& key)
{
    const bool afterPick = std::exchange(m_afterPick, false);
    switch (key.kind) {
    case TypingKey::Kind::Text:
        m_text += key.text;
        m_refused = false;
        return {true, Request::None, {}};
    case TypingKey::Kind::Space:
        if (!m_text.isEmpty())
            return pick();
        if (!afterPick)
            return {};
        m_afterPick = true;
        return {true, Request::PickEmpty, {}};
    case TypingKey::Kind::Enter:
        if (!m_text.isEmpty())
            return pick();
        m_afterPick = true;
        return {true, Request::PickEmpty, {}};
    case TypingKey::Kind::Backspace:
        if (m_text.isEmpty())
            return {true, Request::TakeBack, {}};
        eraseLastCharacter(m_text);
        m_refused = false;
        return {true, Request::None, {}};
    case TypingKey::Kind::Escape:
        if (m_text.isEmpty())
            return {};
        clear();
        return {true, Request::None, {}};
    case TypingKey::Kind::Other:
        break;
    }
    return {};
}

TypedAnswer::Outcome TypedAnswer::pick()
{
    Outcome outcome{true, Request::PickTyped, m_text};
    clear();
    m_afterPick = true;
    return outcome;
}

void TypedAnswer::clear()
{
    m_text.clear();
    m_refused = false;
    m_afterPick = false;
}

void TypedAnswer::refuse(const QString& word)
{
    m_afterPick = false;
    if (!m_text.isEmpty())
        return;
    m_text = word;
    m_refused = true;
}

} // namespace lexamo
