#include "line_cutter.h"

#include <bit>
#include <cstdint>
#include <cstring>

namespace lexamo {

namespace {

// Eight units at a time are compared with the three break characters at once; the first hit is
// found from the compare's lanes, which are all ones where a unit matched.
qsizetype findBreak(const char16_t* units, qsizetype from, qsizetype size)
{
    using Block = std::uint16_t __attribute__((vector_size(16)));
    constexpr qsizetype kBlockUnits = sizeof(Block) / sizeof(char16_t);
    constexpr int kLaneBits = 16;
    constexpr qsizetype kLanesPerHalf = 4;
    for (; size - from >= kBlockUnits; from += kBlockUnits) {
        Block block;
        std::memcpy(&block, units + from, sizeof block);
        const auto hits = (block == std::uint16_t(u'\r')) | (block == std::uint16_t(u'\n')) |
                          (block == std::uint16_t(u'\0'));
        std::uint64_t halves[2];
        std::memcpy(halves, &hits, sizeof halves);
        for (qsizetype half = 0; half < 2; ++half) {
            if (halves[half] == 0)
                continue;
            const int bit = std::endian::native == std::endian::little
                                ? std::countr_zero(halves[half])
                                : std::countl_zero(halves[half]);
            return from + half * kLanesPerHalf + bit / kLaneBits;
        }
    }
    for (; from < size; ++from) {
        const char16_t c = units[from];
        if (c == u'\r' || c == u'\n' || c == u'\0')
            return from;
    }
    return size;
}

} // namespace

void LineScanner::addLine(qsizetype start, qsizetype end)
{
    if (m_spans.size() == m_maxLines) {
        m_overflowed = true;
        m_ended = true;
        return;
    }
    m_spans.append({start, end - start});
}

void LineScanner::scan(const char16_t* units, qsizetype available, bool last)
{
    while (!m_ended && m_scanned < available) {
        const qsizetype end = findBreak(units, m_scanned, available);
        if (end == available) {
            m_scanned = available;
            break;
        }
        const char16_t breakChar = units[end];
        // Whether an LF follows this CR is known only once more text has arrived.
        if (breakChar == u'\r' && end + 1 == available && !last) {
            m_scanned = end;
            break;
        }
        // A NUL where a line would start ends the text without adding a line.
        if (breakChar == u'\0') {
            if (end > m_lineStart)
                addLine(m_lineStart, end);
            m_ended = true;
            break;
        }
        addLine(m_lineStart, end);
        if (m_ended)
            break;
        m_lineStart = end + 1;
        if (breakChar == u'\r' && m_lineStart < available && units[m_lineStart] == u'\n')
            ++m_lineStart;
        m_scanned = m_lineStart;
    }
    // Text after the last break is the last line.
    if (last && !m_ended && m_lineStart < available) {
        addLine(m_lineStart, available);
        m_lineStart = available;
    }
}

QList<StringList::Span> lineSpans(QStringView text)
{
    LineScanner scanner;
    scanner.scan(text.utf16(), text.size(), true);
    return scanner.takeSpans();
}

} // namespace lexamo
