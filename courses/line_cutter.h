#pragma once

#include "string_list.h"

#include <QList>
#include <QStringView>

namespace lexamo {

/// Finds the lines of a text while the text is still arriving: CR LF, LF and CR each end a line,
/// a break at the very end adds no empty line, and the first NUL ends the text. Nothing is
/// trimmed. The text grows at its end and never moves; each unit is looked at once.
class LineScanner
{
public:
    /// The text now holds `available` units from `units` on; with `last` that is all of it.
    void scan(const char16_t* units, qsizetype available, bool last);
    QList<StringList::Span> takeSpans() { return std::move(m_spans); }

private:
    QList<StringList::Span> m_spans;
    qsizetype m_lineStart = 0;
    qsizetype m_scanned = 0;
    bool m_ended = false; // a NUL was met: the rest of the text is ignored
};

/// Where the lines of a whole text lie, by the rule of LineScanner.
QList<StringList::Span> lineSpans(QStringView text);

} // namespace lexamo
