#pragma once

#include "error.h"

#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <functional>
#include <optional>

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

/// Told while a text is decoded that its first `decoded` units, from `units` on, are final; each
/// call adds a stretch small enough to be still in the cache, and `last` marks the final call.
/// The units stay where they are until decoding ends.
using DecodeProgress = std::function<void(const char16_t* units, qsizetype decoded, bool last)>;

/// Decodes a whole text file, mark included, into one string. UTF-8 is strict and CP932 lenient;
/// a malformed UTF-8 file and a UTF-16 file of its mark plus one byte throw lexamo::Error,
/// possibly after some progress was reported.
QString decodeText(QByteArrayView bytes, const DecodeProgress& progress = {});

/// Decodes bytes without a mark as CP932, leniently (used for file names too).
QString decodeCodePage932(QByteArrayView bytes);

/// The CP932 bytes of a text, or nothing when a character has no CP932 form.
std::optional<QByteArray> encodeCodePage932(QStringView text);

/// The error for a file that cannot be decoded.
Error decodingError();

} // namespace lexamo
