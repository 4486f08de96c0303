// Reading a 100 MB course file, compared on the same bytes with two baselines:
//   (A) copying the bytes and counting the line breaks: the memory-bandwidth limit;
//   (B) ICU converting the bytes alone into a preallocated UTF-16 buffer.
// Prints MB/s (of file bytes) and the ratios; it is a measurement, not a test.
#include "courses/line_cutter.h"
#include "courses/line_file.h"
#include "courses/string_list.h"
#include "courses/text_decoding.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <malloc.h>
#include <unicode/ucnv.h>
#include <vector>

namespace {

constexpr qsizetype kFileSize = 100 * 1000 * 1000;
constexpr int kRepeats = 3;

const char* const kEnglish[] = {
    "I get up at seven every morning.",
    "Could you open the window, please?",
    "How long does it take to get to the station?",
    "It started to rain on my way home.",
    "She always hits the nail on the head.",
    "Is breakfast included in the price?",
};
const char16_t* const kJapanese[] = {
    u"私は毎朝7時に起きます。",        u"窓を開けていただけますか。",
    u"駅までどのくらいかかりますか。", u"家に帰る途中で雨が降り出しました。",
    u"彼女はいつも核心を突く。",       u"朝食は料金に含まれていますか。",
};

enum class Encoding
{
    Utf8,
    Utf16Le,
    Cp932
};

const char* icuName(Encoding encoding)
{
    switch (encoding) {
    case Encoding::Utf8:
        return "UTF-8";
    case Encoding::Utf16Le:
        return "UTF-16LE";
    case Encoding::Cp932:
        break;
    }
    return "ibm-943_P15A-2003";
}

QByteArray encode(const QString& text, Encoding encoding)
{
    UErrorCode status = U_ZERO_ERROR;
    UConverter* converter = ucnv_open(icuName(encoding), &status);
    QByteArray bytes(text.size() * 4 + 16, Qt::Uninitialized);
    const int32_t length = ucnv_fromUChars(converter, bytes.data(), int32_t(bytes.size()),
                                           reinterpret_cast<const UChar*>(text.utf16()),
                                           int32_t(text.size()), &status);
    ucnv_close(converter);
    if (U_FAILURE(status))
        std::abort();
    bytes.truncate(length);
    return bytes;
}

// A course file of realistic lines: English and Japanese sentences, numbered so that no two
// lines repeat, with Windows line breaks; about kFileSize bytes after encoding.
QByteArray makeCourseFile(Encoding encoding)
{
    QString chunk;
    for (int i = 0; i < 2000; ++i) {
        chunk +=
            QString::fromUtf8(kEnglish[i % 6]) + u' ' + QString::number(i) + QStringLiteral("\r\n");
        chunk += QString::fromUtf16(kJapanese[i % 6]) + QString::number(i) + QStringLiteral("\r\n");
    }
    const QByteArray piece = encode(chunk, encoding);
    QByteArray bytes;
    switch (encoding) {
    case Encoding::Utf8:
        bytes = "\xEF\xBB\xBF";
        break;
    case Encoding::Utf16Le:
        bytes = "\xFF\xFE";
        break;
    case Encoding::Cp932:
        break;
    }
    bytes.reserve(kFileSize + piece.size());
    while (bytes.size() < kFileSize)
        bytes += piece;
    return bytes;
}

// The best of a few runs; `release` runs after each timing so that freeing a result is not counted.
double bestSeconds(const std::function<void()>& run, const std::function<void()>& release = {})
{
    double best = 1e9;
    for (int i = 0; i < kRepeats; ++i) {
        const auto start = std::chrono::steady_clock::now();
        run();
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        best = std::min(best, elapsed.count());
        if (release)
            release();
    }
    return best;
}

qsizetype copyAndCountBreaks(const QByteArray& bytes, std::vector<char>& buffer)
{
    std::memcpy(buffer.data(), bytes.constData(), size_t(bytes.size()));
    qsizetype breaks = 0;
    const char* at = buffer.data();
    const char* const end = at + bytes.size();
    while ((at = static_cast<const char*>(std::memchr(at, '\n', size_t(end - at)))) != nullptr) {
        ++breaks;
        ++at;
    }
    return breaks;
}

int32_t icuConvert(const QByteArray& bytes, qsizetype markLength, Encoding encoding,
                   std::vector<UChar>& buffer)
{
    UErrorCode status = U_ZERO_ERROR;
    UConverter* converter = ucnv_open(icuName(encoding), &status);
    const int32_t units =
        ucnv_toUChars(converter, buffer.data(), int32_t(buffer.size()),
                      bytes.constData() + markLength, int32_t(bytes.size() - markLength), &status);
    ucnv_close(converter);
    if (U_FAILURE(status))
        std::abort();
    return units;
}

// Heap bytes held by the list: the text buffer's capacity and the spans' array.
qsizetype listBytes(const lexamo::StringList& lines)
{
    return lines.text().capacity() * 2 +
           lines.spans().capacity() * qsizetype(sizeof(lexamo::StringList::Span));
}

long residentBytes()
{
    long pages = 0;
    long resident = 0;
    if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(statm);
    }
    return resident * 4096;
}

void measure(const char* name, Encoding encoding, const QString& folder)
{
    const QByteArray bytes = makeCourseFile(encoding);
    const qsizetype markLength = encoding == Encoding::Utf8      ? 3
                                 : encoding == Encoding::Utf16Le ? 2
                                                                 : 0;
    const QString path = folder + u'/' + QString::fromLatin1(name) + QStringLiteral(".txt");
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            std::abort();
    }
    const double megabytes = double(bytes.size()) / 1e6;

    std::vector<char> copy(size_t(bytes.size()));
    qsizetype breaks = 0;
    const double copySeconds = bestSeconds([&] { breaks = copyAndCountBreaks(bytes, copy); });

    std::vector<UChar> units(size_t(bytes.size()));
    int32_t unitCount = 0;
    const double icuSeconds =
        bestSeconds([&] { unitCount = icuConvert(bytes, markLength, encoding, units); });

    qsizetype decodedUnits = 0;
    const double decodeOnlySeconds =
        bestSeconds([&] { decodedUnits = lexamo::decodeText(bytes).size(); });
    const QString text = lexamo::decodeText(bytes);
    const double cutSeconds = bestSeconds([&] { (void)lexamo::lineSpans(text).size(); });

    // The finished list is freed outside the timing, as a caller keeps it.
    lexamo::StringList held;
    const auto release = [&held] { held = lexamo::StringList(); };
    qsizetype lineCount = 0;
    const double decodeSeconds = bestSeconds(
        [&] {
            held = lexamo::decodeLines(bytes);
            lineCount = held.Count();
        },
        release);
    const double readSeconds = bestSeconds(
        [&] {
            held = lexamo::readLines(path);
            lineCount = held.Count();
        },
        release);

    // Give freed blocks back to the system so the delta shows what the list holds.
    malloc_trim(0);
    const long residentBefore = residentBytes();
    const lexamo::StringList lines = lexamo::decodeLines(bytes);
    const long residentDelta = residentBytes() - residentBefore;
    const double utf16Bytes = double(unitCount) * 2;

    if (decodedUnits != unitCount)
        std::printf("  decoded length mismatch: %lld units, ICU %d\n", (long long)decodedUnits,
                    unitCount);
    if (lineCount != breaks || lines.Count() != breaks)
        std::printf("  line count mismatch: %lld lines, %lld breaks\n", (long long)lineCount,
                    (long long)breaks);
    std::printf("%s: %.1f MB, %lld lines\n", name, megabytes, (long long)lineCount);
    std::printf("  (A) copy + count breaks   %8.0f MB/s\n", megabytes / copySeconds);
    std::printf("  (B) ICU decode only       %8.0f MB/s\n", megabytes / icuSeconds);
    std::printf("  decodeLines (in memory)   %8.0f MB/s  = %.2fx (B), %.3fx (A)\n",
                megabytes / decodeSeconds, icuSeconds / decodeSeconds, copySeconds / decodeSeconds);
    std::printf("    of which decodeText      %8.0f MB/s, lineSpans %7.0f MB/s\n",
                megabytes / decodeOnlySeconds, megabytes / cutSeconds);
    std::printf("  readLines (from file)     %8.0f MB/s  = %.2fx (B)\n", megabytes / readSeconds,
                icuSeconds / readSeconds);
    std::printf(
        "  list memory: buffer + spans %.0f MB = %.2fx UTF-16 size; RSS delta %.0f MB = %.2fx\n",
        double(listBytes(lines)) / 1e6, double(listBytes(lines)) / utf16Bytes,
        double(residentDelta) / 1e6, double(residentDelta) / utf16Bytes);
}

} // namespace

int main()
{
    QTemporaryDir folder;
    if (!folder.isValid())
        return 1;
    measure("utf8_with_mark", Encoding::Utf8, folder.path());
    measure("utf16_le", Encoding::Utf16Le, folder.path());
    measure("cp932", Encoding::Cp932, folder.path());
    return 0;
}
