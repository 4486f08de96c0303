#include "paths.h"

#include "text_decoding.h"

#include <QDir>
#include <QStringDecoder>

#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>

namespace lexamo {

namespace {

bool entryExists(const QByteArray& path)
{
    struct stat status;
    return ::lstat(path.constData(), &status) == 0;
}

bool isAscii(QStringView text)
{
    for (const QChar c : text)
        if (c.unicode() >= 0x80)
            return false;
    return true;
}

struct DirCloser
{
    void operator()(DIR* dir) const { ::closedir(dir); }
};

enum class EntryKind
{
    Folder,
    Other
};

QStringList entryNames(const QString& folder, EntryKind wanted)
{
    QStringList names;
    const std::unique_ptr<DIR, DirCloser> dir(::opendir(nativePath(folder).constData()));
    if (!dir)
        return names;
    while (const dirent* entry = ::readdir(dir.get())) {
        const QByteArrayView raw(entry->d_name);
        if (raw == "." || raw == "..")
            continue;
        // Links are followed, as opening a file follows them.
        struct stat status;
        const bool isFolder = ::fstatat(::dirfd(dir.get()), entry->d_name, &status, 0) == 0 &&
                              S_ISDIR(status.st_mode);
        if (isFolder != (wanted == EntryKind::Folder))
            continue;
        const QString name = decodeFileName(raw);
        if (name.toUtf8() == raw || encodeCodePage932(name) == raw.toByteArray())
            names.append(name);
    }
    return names;
}

} // namespace

QString decodeFileName(QByteArrayView name)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(name);
    if (!utf8.hasError())
        return text;
    return decodeCodePage932(name);
}

QByteArray nativePath(const QString& path)
{
    const QStringList parts = path.split(u'/');
    QByteArray resolved;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        if (i > 0)
            resolved += '/';
        const QString& part = parts[i];
        const QByteArray utf8 = part.toUtf8();
        if (isAscii(part) || entryExists(resolved + utf8)) {
            resolved += utf8;
            continue;
        }
        const std::optional<QByteArray> cp932 = encodeCodePage932(part);
        resolved += cp932 && entryExists(resolved + *cp932) ? *cp932 : utf8;
    }
    return resolved;
}

bool fileExists(const QString& path)
{
    const QByteArray native = nativePath(path);
    struct stat status;
    if (::lstat(native.constData(), &status) != 0)
        return false;
    return ::stat(native.constData(), &status) != 0 || !S_ISDIR(status.st_mode);
}

bool folderExists(const QString& path)
{
    struct stat status;
    return ::stat(nativePath(path).constData(), &status) == 0 && S_ISDIR(status.st_mode);
}

QStringList subfolderNames(const QString& folder)
{
    return entryNames(folder, EntryKind::Folder);
}

QStringList fileNames(const QString& folder)
{
    return entryNames(folder, EntryKind::Other);
}

QString fullPath(const QString& path)
{
    const QString absolute = QDir::current().absoluteFilePath(path);
    QStringList kept;
    for (const QString& part : absolute.split(u'/', Qt::SkipEmptyParts)) {
        if (part == u'.')
            continue;
        if (part == QStringLiteral("..")) {
            if (!kept.isEmpty())
                kept.removeLast();
            continue;
        }
        kept.append(part);
    }
    return u'/' + kept.join(u'/');
}

} // namespace lexamo
