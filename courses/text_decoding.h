#pragma once

#include "error.h"

#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <functional>

namespace lexamo {

/// How the bytes of a text file are decoded, chosen from their first bytes.
enum class TextEncoding
{
    Utf8,       // EF BB BF
    Utf16Le,    // FF FE
    Utf16Be,    // FE FF
    CodePage932 // no mark: the Japanese Windows code page
};

/// The encoding that the file's first bytes select, and the length of the mark that selected it.
struct EncodingChoice
{
    TextEncoding encoding;
    qsizetype markLength;
};

EncodingChoice chooseEncoding(QByteArrayView bytes);

/// Receives the decoded text piece by piece, in order; `last` is set on the final piece. A piece
/// is only valid during the call.
using TextSink = std::function<void(QStringView piece, bool last)>;

/// Decodes a whole text file, mark included, in pieces small enough to stay in the cache, so that
/// a large file is never held twice in UTF-16. Throws like decodeText, possibly after some pieces.
void decodeTextInPieces(QByteArrayView bytes, const TextSink& sink);

/// Decodes a whole text file, mark included. UTF-8 is strict and CP932 lenient; a malformed
/// UTF-8 file and a UTF-16 file of its mark plus one byte throw lexamo::Error.
QString decodeText(QByteArrayView bytes);

/// The error for a file that cannot be decoded.
Error decodingError();

} // namespace lexamo
