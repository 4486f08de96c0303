#pragma once

#include "string_list.h"

#include <QList>
#include <QStringView>

#include <limits>

namespace lexamo {

/// Finds the lines of a text while the text is still arriving: CR LF, LF and CR each end a line,
/// a break at the very end adds no empty line, and the first NUL ends the text. Nothing is
/// trimmed. The text grows at its end and never moves; each unit is looked at once.
class LineScanner
{
public:
    /// Stops looking once the text holds more than maxLines lines; overflowed() then tells.
    explicit LineScanner(qsizetype maxLines = std::numeric_limits<qsizetype>::max())
        : m_maxLines(maxLines)
    {
    }

    /// The text now holds `available` units from `units` on; with `last` that is all of it.
    void scan(const char16_t* units, qsizetype available, bool last);
    QList<StringList::Span> takeSpans() { return std::move(m_spans); }
    bool overflowed() const { return m_overflowed; }

private:
    void addLine(qsizetype start, qsizetype end);

    qsizetype m_maxLines;
    bool m_overflowed = false;
    QList<StringList::Span> m_spans;
    qsizetype m_lineStart = 0;
    qsizetype m_scanned = 0;
    bool m_ended = false; // a NUL was met: the rest of the text is ignored
};

/// Where the lines of a whole text lie, by the rule of LineScanner.
QList<StringList::Span> lineSpans(QStringView text);

} // namespace lexamo
