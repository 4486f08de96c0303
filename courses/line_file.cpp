#include "line_file.h"

#include "course_rules.h"
#include "error.h"
#include "line_cutter.h"
#include "paths.h"
#include "text_decoding.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace lexamo {

namespace {

// The system's wording of the error, without the trailing blanks and full stops that would clash
// with the sentence it is put into.
QString systemErrorText(int errorNumber)
{
    QString text = QString::fromLocal8Bit(std::strerror(errorNumber));
    qsizetype end = text.size();
    while (end > 0 && (text[end - 1] <= u' ' || text[end - 1] == u'.'))
        --end;
    text.truncate(end);
    return text;
}

Error openError(const QString& path, const QString& reason)
{
    return Error(QStringLiteral("ファイル %1 は開けません。 %2 ").arg(fullPath(path), reason));
}

// The system has no word for these: opening them would succeed, but they are not text files.
QString notAFileReason(mode_t mode)
{
    if (S_ISDIR(mode))
        return systemErrorText(EISDIR);
    if (S_ISFIFO(mode))
        return QStringLiteral("名前付きパイプで、ファイルではありません");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QStringLiteral("デバイスで、ファイルではありません");
    if (S_ISSOCK(mode))
        return QStringLiteral("ソケットで、ファイルではありません");
    return QStringLiteral("ファイルではありません");
}

QString tooLargeReason()
{
    return QStringLiteral("大きすぎます (コースのファイルは %1 バイトまでです)")
        .arg(kMaxCourseFileBytes);
}

QString tooManyLinesReason()
{
    return QStringLiteral("行が多すぎます (コースのファイルは %1 行までです)")
        .arg(kMaxCourseFileLines);
}

class TooManyLines : public Error
{
public:
    TooManyLines() : Error(tooManyLinesReason()) {}
};

class FileDescriptor
{
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FileDescriptor(FileDescriptor&& other) noexcept : m_fd(std::exchange(other.m_fd, -1)) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

// A course file opened for reading, and its size at that moment.
struct OpenFile
{
    FileDescriptor descriptor;
    qsizetype size;
};

// Only a regular file of a sensible size is read, and opening never waits: a named pipe would
// block the open until a writer comes, and a device such as /dev/zero never ends.
OpenFile openRegularFile(const QString& path)
{
    const QByteArray native = nativePath(path);
    struct stat status;
    // What is not a file is not even opened: opening some devices has effects of its own.
    if (::stat(native.constData(), &status) == 0 && !S_ISREG(status.st_mode))
        throw openError(path, notAFileReason(status.st_mode));
    FileDescriptor file(::open(native.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (file.get() < 0)
        throw openError(path, systemErrorText(errno));
    // The open descriptor decides: the name may have been given to something else meanwhile.
    if (::fstat(file.get(), &status) != 0)
        throw openError(path, systemErrorText(errno));
    if (!S_ISREG(status.st_mode))
        throw openError(path, notAFileReason(status.st_mode));
    if (status.st_size > kMaxCourseFileBytes)
        throw openError(path, tooLargeReason());
    return {std::move(file), qsizetype(status.st_size)};
}

// Reads on until the buffer holds `wanted` bytes or the file ends; tells whether it ended.
bool readMore(int fd, const QString& path, QByteArray& bytes, qsizetype wanted)
{
    qsizetype filled = bytes.size();
    bytes.resize(wanted);
    while (filled < wanted) {
        const ssize_t count = ::read(fd, bytes.data() + filled, size_t(wanted - filled));
        if (count < 0) {
            if (errno == EINTR)
                continue;
            throw openError(path, systemErrorText(errno));
        }
        if (count == 0) {
            bytes.truncate(filled);
            return true;
        }
        filled += count;
    }
    return false;
}

// The next amount to read: twice as much, and one byte past the limit at most, which tells a file
// that has grown past it since it was opened.
qsizetype nextAmount(const QString& path, const QByteArray& bytes)
{
    if (bytes.size() > kMaxCourseFileBytes)
        throw openError(path, tooLargeReason());
    return qMin(qMax<qsizetype>(2 * bytes.size(), 4096), kMaxCourseFileBytes + 1);
}

// decodeLines, with the line limit's error naming the file.
StringList decodeFileLines(const QString& path, QByteArrayView bytes)
{
    try {
        return decodeLines(bytes);
    } catch (const TooManyLines&) {
        throw openError(path, tooManyLinesReason());
    }
}

// The lines of a file's beginning that are certainly complete, or nothing if fewer than two are.
// The beginning is cut after its last line break (an even number of bytes in UTF-16), so that no
// character is cut in two.
std::optional<StringList> completeLines(const QString& path, const QByteArray& bytes)
{
    const EncodingChoice choice = chooseEncoding(bytes);
    qsizetype end = 0;
    if (choice.encoding == TextEncoding::Utf16Le || choice.encoding == TextEncoding::Utf16Be) {
        end = choice.markLength + (bytes.size() - choice.markLength) / 2 * 2;
    } else {
        for (end = bytes.size(); end > choice.markLength; --end)
            if (bytes[end - 1] == '\n' || bytes[end - 1] == '\r')
                break;
        if (end == choice.markLength)
            return std::nullopt;
    }
    StringList lines = decodeFileLines(path, QByteArrayView(bytes).first(end));
    const QString& text = lines.text();
    // A NUL ends the text: whatever follows it does not count.
    if (text.contains(QChar(u'\0')))
        return lines;
    qsizetype complete = lines.Count();
    if (!text.isEmpty() && !text.endsWith(u'\n') && !text.endsWith(u'\r'))
        --complete;
    return complete >= 2 ? std::optional<StringList>(std::move(lines)) : std::nullopt;
}

StringList firstTwo(const StringList& lines)
{
    if (lines.Count() <= 2)
        return lines;
    return StringList(QStringList{lines[0], lines[1]});
}

} // namespace

StringList decodeLines(QByteArrayView bytes)
{
    // Lines are found in each decoded stretch while it is still in the cache.
    LineScanner scanner(kMaxCourseFileLines);
    QString text = decodeText(bytes, [&scanner](const char16_t* units, qsizetype decoded,
                                                bool last) { scanner.scan(units, decoded, last); });
    if (scanner.overflowed())
        throw TooManyLines();
    return StringList::fromText(std::move(text), scanner.takeSpans());
}

StringList readLines(const QString& path)
{
    return decodeFileLines(path, readFileBytes(path));
}

QByteArray readFileBytes(const QString& path)
{
    const OpenFile file = openRegularFile(path);
    QByteArray bytes;
    // The size is a hint only: the file may change while it is read.
    qsizetype wanted = file.size + 1;
    while (!readMore(file.descriptor.get(), path, bytes, wanted))
        wanted = nextAmount(path, bytes);
    if (bytes.size() > kMaxCourseFileBytes)
        throw openError(path, tooLargeReason());
    return bytes;
}

StringList readFirstTwoLines(const QString& path)
{
    const OpenFile file = openRegularFile(path);
    QByteArray bytes;
    // Option files are tiny; a larger one is read in growing steps until two lines are complete.
    qsizetype wanted = 4096;
    while (!readMore(file.descriptor.get(), path, bytes, wanted)) {
        if (std::optional<StringList> lines = completeLines(path, bytes))
            return firstTwo(*lines);
        wanted = nextAmount(path, bytes);
    }
    return firstTwo(decodeFileLines(path, bytes));
}

QStringList decodeLineFile(QByteArrayView bytes)
{
    return decodeLines(bytes).lines();
}

QStringList cutLines(QStringView text)
{
    return StringList::fromText(text.toString(), lineSpans(text)).lines();
}

QStringList readLineFile(const QString& path)
{
    return readLines(path).lines();
}

void LoadFromFile(StringList& list, const QString& path)
{
    list = readLines(path);
}

} // namespace lexamo
