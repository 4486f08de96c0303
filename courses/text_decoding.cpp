#include "text_decoding.h"

#include "error.h"

#include <QtEndian>

#include <memory>
#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>
#include <unicode/ucnv_err.h>

namespace lexamo {

namespace {

constexpr char16_t kMiddleDot = u'\u30FB';

// ICU's CP932 table (windows-31j, cp932 and Shift_JIS all open it) maps like Windows does.
constexpr const char* kCodePage932 = "ibm-943_P15A-2003";

struct ConverterCloser
{
    void operator()(UConverter* converter) const { ucnv_close(converter); }
};
using ConverterPtr = std::unique_ptr<UConverter, ConverterCloser>;

ConverterPtr openConverter(const char* name)
{
    UErrorCode status = U_ZERO_ERROR;
    ConverterPtr converter(ucnv_open(name, &status));
    if (U_FAILURE(status))
        throw Error(QStringLiteral("ICU converter %1 is unavailable: %2")
                        .arg(QLatin1StringView(name), QLatin1StringView(u_errorName(status))));
    return converter;
}

// Windows replaces every byte sequence that code page 932 cannot map by the katakana middle dot.
void substituteMiddleDot(const void*, UConverterToUnicodeArgs* args, const char*, int32_t,
                         UConverterCallbackReason reason, UErrorCode* status)
{
    if (reason > UCNV_IRREGULAR)
        return;
    *status = U_ZERO_ERROR;
    const UChar replacement = kMiddleDot;
    ucnv_cbToUWriteUChars(args, &replacement, 1, 0, status);
}

// ICU's table swaps three control bytes (1A→1C, 1C→7F, 7F→1A); Windows keeps them as they are.
inline void restoreControlBytes(char16_t* begin, char16_t* end)
{
    for (char16_t* unit = begin; unit != end; ++unit) {
        const char16_t c = *unit;
        *unit = c == 0x1C ? 0x1A : c == 0x7F ? 0x1C : c == 0x1A ? 0x7F : c;
    }
}

// Pieces of this many units stay in the cache while the lines are cut from them.
constexpr qsizetype kPieceUnits = 16 * 1024;

// Every encoding we read gives at most one UTF-16 unit per byte, so a piece of kPieceUnits
// bytes always fits the buffer.
void decodeWithIcu(QByteArrayView bytes, TextEncoding encoding, const TextSink& sink)
{
    const bool strictUtf8 = encoding == TextEncoding::Utf8;
    ConverterPtr converter = openConverter(strictUtf8 ? "UTF-8" : kCodePage932);
    UErrorCode status = U_ZERO_ERROR;
    if (strictUtf8)
        ucnv_setToUCallBack(converter.get(), UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr,
                            &status);
    else
        ucnv_setToUCallBack(converter.get(), substituteMiddleDot, nullptr, nullptr, nullptr,
                            &status);

    char16_t buffer[kPieceUnits];
    const char* source = bytes.data();
    const char* const sourceEnd = source + bytes.size();
    do {
        const char* const pieceEnd =
            sourceEnd - source > kPieceUnits ? source + kPieceUnits : sourceEnd;
        const bool last = pieceEnd == sourceEnd;
        char16_t* target = buffer;
        ucnv_toUnicode(converter.get(), reinterpret_cast<UChar**>(&target),
                       reinterpret_cast<const UChar*>(buffer + kPieceUnits), &source, pieceEnd,
                       nullptr, last, &status);
        if (U_FAILURE(status)) {
            if (strictUtf8)
                throw decodingError();
            throw Error(QStringLiteral("ICU conversion failed: %1")
                            .arg(QLatin1StringView(u_errorName(status))));
        }
        if (!strictUtf8)
            restoreControlBytes(buffer, target);
        sink(QStringView(buffer, target - buffer), last);
    } while (source != sourceEnd);
}

void decodeUtf16(QByteArrayView bytes, TextEncoding encoding, const TextSink& sink)
{
    // One byte after the mark is not even half a character: Windows refuses such a file.
    if (bytes.size() == 1)
        throw decodingError();
    const qsizetype units = bytes.size() / 2; // an odd last byte is ignored
    char16_t buffer[kPieceUnits];
    for (qsizetype done = 0; done < units;) {
        const qsizetype count = qMin(kPieceUnits, units - done);
        const char* const source = bytes.data() + 2 * done;
        if (encoding == TextEncoding::Utf16Le)
            qFromLittleEndian<char16_t>(source, count, buffer);
        else
            qFromBigEndian<char16_t>(source, count, buffer);
        done += count;
        sink(QStringView(buffer, count), done == units);
    }
}

} // namespace

Error decodingError()
{
    return Error(QStringLiteral(
        "Unicode 文字のマッピングがターゲットのマルチバイト コード ページに存在しません"));
}

EncodingChoice chooseEncoding(QByteArrayView bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return {TextEncoding::Utf8, 3};
    if (bytes.startsWith("\xFF\xFE"))
        return {TextEncoding::Utf16Le, 2};
    if (bytes.startsWith("\xFE\xFF"))
        return {TextEncoding::Utf16Be, 2};
    return {TextEncoding::CodePage932, 0};
}

void decodeTextInPieces(QByteArrayView bytes, const TextSink& sink)
{
    const EncodingChoice choice = chooseEncoding(bytes);
    const QByteArrayView body = bytes.sliced(choice.markLength);
    if (body.isEmpty()) {
        sink(QStringView(), true);
        return;
    }
    switch (choice.encoding) {
    case TextEncoding::Utf16Le:
    case TextEncoding::Utf16Be:
        decodeUtf16(body, choice.encoding, sink);
        return;
    case TextEncoding::Utf8:
    case TextEncoding::CodePage932:
        break;
    }
    decodeWithIcu(body, choice.encoding, sink);
}

QString decodeText(QByteArrayView bytes)
{
    QString text;
    text.reserve(bytes.size());
    decodeTextInPieces(bytes, [&text](QStringView piece, bool) { text.append(piece); });
    text.squeeze();
    return text;
}

} // namespace lexamo
