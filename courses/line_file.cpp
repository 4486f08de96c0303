#include "line_file.h"

#include "error.h"
#include "line_cutter.h"
#include "text_decoding.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

Error openError(const QString& path, int errorNumber)
{
    const QString fullPath = QDir::cleanPath(QDir::current().absoluteFilePath(path));
    return Error(QStringLiteral("ファイル %1 は開けません。 %2 ")
                     .arg(fullPath, systemErrorText(errorNumber)));
}

class FileDescriptor
{
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

QByteArray readAllBytes(const QString& path)
{
    FileDescriptor file(::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC));
    if (file.get() < 0)
        throw openError(path, errno);

    struct stat status;
    if (::fstat(file.get(), &status) != 0)
        throw openError(path, errno);
    // Linux lets a folder be opened for reading; a course file must be a file.
    if (S_ISDIR(status.st_mode))
        throw openError(path, EISDIR);

    // The size is a hint only: the file may change while it is read, and pipes report none.
    QByteArray bytes;
    bytes.resize(qMax<qsizetype>(status.st_size, 0) + 1);
    qsizetype filled = 0;
    for (;;) {
        if (filled == bytes.size())
            bytes.resize(bytes.size() * 2);
        const ssize_t count =
            ::read(file.get(), bytes.data() + filled, size_t(bytes.size() - filled));
        if (count < 0) {
            if (errno == EINTR)
                continue;
            throw openError(path, errno);
        }
        if (count == 0)
            break;
        filled += count;
    }
    bytes.truncate(filled);
    return bytes;
}

} // namespace

StringList decodeLines(QByteArrayView bytes)
{
    // Lines are found in each decoded stretch while it is still in the cache.
    LineScanner scanner;
    QString text = decodeText(bytes, [&scanner](const char16_t* units, qsizetype decoded,
                                                bool last) { scanner.scan(units, decoded, last); });
    return StringList::fromText(std::move(text), scanner.takeSpans());
}

StringList readLines(const QString& path)
{
    return decodeLines(readAllBytes(path));
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
