#include "line_cutter.h"

#include "line_file.h"

namespace lexamo {

namespace {

// Every break character lies below U+000E, so most units are passed over after one compare.
qsizetype findBreak(const char16_t* units, qsizetype from, qsizetype size)
{
    while (from < size) {
        const char16_t c = units[from];
        if (c < 0x0E && (c == u'\r' || c == u'\n' || c == u'\0'))
            return from;
        ++from;
    }
    return size;
}

} // namespace

void LineCutter::finishLine(QStringView tail)
{
    if (!m_hasPending) {
        m_lines.append(tail.toString());
        return;
    }
    m_pending.append(tail);
    m_pending.squeeze();
    m_lines.append(std::exchange(m_pending, QString()));
    m_hasPending = false;
}

void LineCutter::feed(QStringView piece, bool last)
{
    const char16_t* const units = piece.utf16();
    const qsizetype size = piece.size();
    qsizetype pos = 0;
    // An empty piece leaves the question of the LF after a CR to the next one.
    if (m_afterCr && size > 0) {
        m_afterCr = false;
        if (units[0] == u'\n')
            pos = 1;
    }
    while (!m_ended && pos < size) {
        // A NUL where a line would start ends the text without adding a line.
        if (!m_hasPending && units[pos] == u'\0') {
            m_ended = true;
            break;
        }
        const qsizetype end = findBreak(units, pos, size);
        if (end == size) {
            m_pending.append(piece.sliced(pos));
            m_hasPending = true;
            break;
        }
        finishLine(piece.sliced(pos, end - pos));
        const char16_t breakChar = units[end];
        pos = end + 1;
        if (breakChar == u'\0') {
            m_ended = true;
        } else if (breakChar == u'\r') {
            if (pos == size)
                m_afterCr = true;
            else if (units[pos] == u'\n')
                ++pos;
        }
    }
    // Text after the last break is the last line.
    if (last && m_hasPending)
        finishLine(QStringView());
}

QStringList cutLines(QStringView text)
{
    LineCutter cutter;
    cutter.feed(text, true);
    return cutter.takeLines();
}

} // namespace lexamo
