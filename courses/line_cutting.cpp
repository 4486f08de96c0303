#include "line_file.h"

#include <vector>

namespace lexamo {

namespace {

inline bool endsLine(char16_t c)
{
    return c == u'\r' || c == u'\n' || c == u'\0';
}

struct Span
{
    qsizetype start;
    qsizetype length;
};

} // namespace

QStringList cutLines(QStringView text)
{
    const char16_t* const units = text.utf16();
    const qsizetype size = text.size();

    // Find the lines first so the list is allocated once, at its final size.
    std::vector<Span> spans;
    qsizetype pos = 0;
    while (pos < size && units[pos] != u'\0') {
        const qsizetype start = pos;
        // Every break character lies below U+000E, so most units are rejected by one compare.
        while (pos < size && (units[pos] >= 0x0E || !endsLine(units[pos])))
            ++pos;
        spans.push_back({start, pos - start});
        if (pos < size && units[pos] == u'\r')
            ++pos;
        if (pos < size && units[pos] == u'\n')
            ++pos;
    }

    QStringList lines;
    lines.reserve(qsizetype(spans.size()));
    for (const Span& span : spans)
        lines.append(text.sliced(span.start, span.length).toString());
    return lines;
}

} // namespace lexamo
