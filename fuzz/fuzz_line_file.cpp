// Decodes arbitrary bytes as a line file and checks what every caller relies on.
#include "courses/error.h"
#include "courses/line_file.h"
#include "courses/text_decoding.h"

#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <cstdint>
#include <cstdlib>

namespace {

bool holdsBreak(QStringView line)
{
    for (const QChar c : line)
        if (c == u'\r' || c == u'\n' || c == u'\0')
            return true;
    return false;
}

// Only a UTF-8 file, or a UTF-16 mark followed by a single byte, may be refused.
bool mayBeRefused(QByteArrayView bytes)
{
    switch (lexamo::chooseEncoding(bytes).encoding) {
    case lexamo::TextEncoding::Utf8:
        return true;
    case lexamo::TextEncoding::Utf16Le:
    case lexamo::TextEncoding::Utf16Be:
        return bytes.size() == 3;
    case lexamo::TextEncoding::CodePage932:
        break;
    }
    return false;
}

// Valid UTF-8 decodes losslessly, so each line is found again in the bytes, in order.
bool linesMatchUtf8Bytes(QByteArrayView body, const lexamo::StringList& lines)
{
    qsizetype from = 0;
    for (qsizetype i = 0; i < lines.Count(); ++i) {
        const QByteArray encoded = lines.view(i).toUtf8();
        const qsizetype at = body.indexOf(encoded, from);
        if (at < 0)
            return false;
        from = at + encoded.size();
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    lexamo::StringList lines;
    try {
        lines = lexamo::decodeLines(bytes);
    } catch (const lexamo::Error&) {
        if (!mayBeRefused(bytes))
            std::abort();
        return 0;
    }
    // A file of n bytes cannot hold more than n lines, nor decode to more than n units.
    if (lines.Count() > qsizetype(size) || lines.text().size() > qsizetype(size))
        std::abort();
    // The lines follow one another in the buffer, each within it and free of breaks.
    qsizetype previousEnd = 0;
    for (const lexamo::StringList::Span& span : lines.spans()) {
        if (span.offset < previousEnd || span.length < 0 ||
            span.offset + span.length > lines.text().size())
            std::abort();
        previousEnd = span.offset + span.length;
    }
    for (qsizetype i = 0; i < lines.Count(); ++i)
        if (holdsBreak(lines.view(i)))
            std::abort();
    const lexamo::EncodingChoice choice = lexamo::chooseEncoding(bytes);
    if (choice.encoding == lexamo::TextEncoding::Utf8 &&
        !linesMatchUtf8Bytes(bytes.sliced(choice.markLength), lines))
        std::abort();
    return 0;
}
