#include "course_rules.h"

#include "paths.h"

#include <algorithm>

namespace lexamo {

namespace {

QString stemPath(QString stem)
{
    stem.replace(u'\\', u'/');
    return stem;
}

// The folder listing comes in no useful order on Linux; the learner sees the courses by name.
bool folderNameLess(const QString& left, const QString& right)
{
    const int order = QString::compare(left, right, Qt::CaseInsensitive);
    return order != 0 ? order < 0 : left < right;
}

} // namespace

QString optionFilePath(const QString& folderPrefix)
{
    return folderPrefix + kOptionFileName;
}

QString englishFilePath(const QString& folderPrefix, const QString& stem)
{
    return folderPrefix + stemPath(stem) + QStringLiteral("E.txt");
}

QString japaneseFilePath(const QString& folderPrefix, const QString& stem)
{
    return folderPrefix + stemPath(stem) + QStringLiteral("J.txt");
}

bool stemLeavesFolder(const QString& stem)
{
    const QString path = stemPath(stem);
    if (path.startsWith(u'/'))
        return true;
    qsizetype depth = 0;
    const QStringList parts = path.split(u'/');
    // The last part is the start of a file name: "..E.txt" names a file, not the parent.
    for (qsizetype i = 0; i + 1 < parts.size(); ++i) {
        if (parts[i] == QStringLiteral(".."))
            --depth;
        else if (!parts[i].isEmpty() && parts[i] != u'.')
            ++depth;
        if (depth < 0)
            return true;
    }
    return false;
}

QStringList courseFolderNames(const QString& folderPrefix)
{
    QStringList names = subfolderNames(folderPrefix);
    std::sort(names.begin(), names.end(), folderNameLess);
    return names;
}

} // namespace lexamo
