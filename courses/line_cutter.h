#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

namespace lexamo {

/// Cuts text that arrives in pieces into lines: CR LF, LF and CR each end a line, a break at the
/// very end adds no empty line, and the first NUL ends the text. Nothing is trimmed. A line or a
/// CR LF pair may be split across pieces.
class LineCutter
{
public:
    void feed(QStringView piece, bool last);
    QStringList takeLines() { return std::move(m_lines); }

private:
    void finishLine(QStringView tail);

    QStringList m_lines;
    QString m_pending; // the start of a line that began in an earlier piece
    bool m_hasPending = false;
    bool m_afterCr = false; // the previous piece ended with the CR of a line break
    bool m_ended = false;   // a NUL was met: the rest of the text is ignored
};

} // namespace lexamo
