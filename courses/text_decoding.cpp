#include "text_decoding.h"

#include "error.h"

#include <QtEndian>

#include <cstdint>
#include <cstring>
#include <memory>
#include <sys/mman.h>
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

// The three bytes are single-byte characters in CP932, so a stretch whose bytes (and the byte
// before, which ICU may have held back) include none of them needs no pass over its text.
bool mayHoldControlBytes(const char* begin, const char* end, const char* first)
{
    if (begin > first)
        --begin;
    const auto size = static_cast<std::size_t>(end - begin);
    return std::memchr(begin, 0x1A, size) || std::memchr(begin, 0x1C, size) ||
           std::memchr(begin, 0x7F, size);
}

// A large text is written once from start to end: faulting it in by huge pages instead of
// ordinary ones saves most of the cost of touching fresh memory.
void adviseHugePages(char16_t* units, qsizetype count)
{
    constexpr std::uintptr_t kHugePage = 2 * 1024 * 1024;
    const auto start = (reinterpret_cast<std::uintptr_t>(units) + kHugePage - 1) & ~(kHugePage - 1);
    const auto end = reinterpret_cast<std::uintptr_t>(units + count) & ~(kHugePage - 1);
    if (end > start)
        ::madvise(reinterpret_cast<void*>(start), end - start, MADV_HUGEPAGE);
}

// Stretches of this many bytes are decoded at a time, so that the caller's pass over each one
// finds it still in the cache.
constexpr qsizetype kStretchBytes = 32 * 1024;

// Strict UTF-8 and lenient CP932 straight into the finished string. Both give at most one UTF-16
// unit per byte (a four-byte UTF-8 sequence gives two, a CP932 pair or an unmappable byte one),
// so a string as long as the bytes always has room.
QString decodeWithIcu(QByteArrayView bytes, TextEncoding encoding, const DecodeProgress& progress)
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

    QString text(bytes.size(), Qt::Uninitialized);
    char16_t* const begin = reinterpret_cast<char16_t*>(text.data());
    adviseHugePages(begin, text.size());
    const UChar* const targetLimit = reinterpret_cast<const UChar*>(begin + text.size());
    char16_t* target = begin;
    const char* source = bytes.data();
    const char* const sourceEnd = source + bytes.size();
    bool last = false;
    while (!last) {
        const char* const stretchEnd =
            sourceEnd - source > kStretchBytes ? source + kStretchBytes : sourceEnd;
        last = stretchEnd == sourceEnd;
        char16_t* const stretch = target;
        const char* const stretchSource = source;
        ucnv_toUnicode(converter.get(), reinterpret_cast<UChar**>(&target), targetLimit, &source,
                       stretchEnd, nullptr, last, &status);
        if (U_FAILURE(status)) {
            if (strictUtf8)
                throw decodingError();
            throw Error(QStringLiteral("ICU conversion failed: %1")
                            .arg(QLatin1StringView(u_errorName(status))));
        }
        if (!strictUtf8 && mayHoldControlBytes(stretchSource, source, bytes.data()))
            restoreControlBytes(stretch, target);
        if (progress)
            progress(begin, target - begin, last);
    }
    text.truncate(target - begin);
    // Text with many multi-byte characters would otherwise hold up to three times its size;
    // shrinking a block in place is cheap.
    text.squeeze();
    return text;
}

QString decodeUtf16(QByteArrayView bytes, TextEncoding encoding, const DecodeProgress& progress)
{
    // One byte after the mark is not even half a character: Windows refuses such a file.
    if (bytes.size() == 1)
        throw decodingError();
    const qsizetype units = bytes.size() / 2; // an odd last byte is ignored
    QString text(units, Qt::Uninitialized);
    char16_t* const begin = reinterpret_cast<char16_t*>(text.data());
    adviseHugePages(begin, text.size());
    constexpr qsizetype kStretchUnits = kStretchBytes / 2;
    for (qsizetype done = 0; done < units;) {
        const qsizetype count = qMin(kStretchUnits, units - done);
        const char* const source = bytes.data() + 2 * done;
        if (encoding == TextEncoding::Utf16Le)
            qFromLittleEndian<char16_t>(source, count, begin + done);
        else
            qFromBigEndian<char16_t>(source, count, begin + done);
        done += count;
        if (progress)
            progress(begin, done, done == units);
    }
    return text;
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

QString decodeCodePage932(QByteArrayView bytes)
{
    if (bytes.isEmpty())
        return QString();
    return decodeWithIcu(bytes, TextEncoding::CodePage932, {});
}

std::optional<QByteArray> encodeCodePage932(QStringView text)
{
    ConverterPtr converter = openConverter(kCodePage932);
    UErrorCode status = U_ZERO_ERROR;
    ucnv_setFromUCallBack(converter.get(), UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr,
                          &status);
    // A CP932 character takes at most two bytes for each UTF-16 unit.
    QByteArray bytes(2 * text.size() + 1, Qt::Uninitialized);
    const int32_t length = ucnv_fromUChars(converter.get(), bytes.data(), int32_t(bytes.size()),
                                           reinterpret_cast<const UChar*>(text.utf16()),
                                           int32_t(text.size()), &status);
    if (U_FAILURE(status))
        return std::nullopt;
    bytes.truncate(length);
    // ICU's table swaps the three control bytes on the way out too (U+001A→7F, U+001C→1A,
    // U+007F→1C); they stay themselves, as in decoding.
    for (char& byte : bytes)
        byte = byte == 0x7F ? 0x1A : byte == 0x1A ? 0x1C : byte == 0x1C ? 0x7F : byte;
    return bytes;
}

QString decodeText(QByteArrayView bytes, const DecodeProgress& progress)
{
    const EncodingChoice choice = chooseEncoding(bytes);
    const QByteArrayView body = bytes.sliced(choice.markLength);
    if (body.isEmpty()) {
        if (progress)
            progress(nullptr, 0, true);
        return QString();
    }
    switch (choice.encoding) {
    case TextEncoding::Utf16Le:
    case TextEncoding::Utf16Be:
        return decodeUtf16(body, choice.encoding, progress);
    case TextEncoding::Utf8:
    case TextEncoding::CodePage932:
        break;
    }
    return decodeWithIcu(body, choice.encoding, progress);
}

} // namespace lexamo
