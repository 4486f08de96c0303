#include "catalogue.h"

#include "error.h"
#include "line_file.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace lexamo {

namespace {

const QString kOptionFile = QStringLiteral("Option.txt");

// The folder listing comes in no useful order on Linux; the learner sees the courses by name.
bool folderNameLess(const QString& left, const QString& right)
{
    const int order = QString::compare(left, right, Qt::CaseInsensitive);
    return order != 0 ? order < 0 : left < right;
}

void addCourse(Catalogue& catalogue, const QString& prefix)
{
    const QString optionPath = prefix + kOptionFile;
    if (!QFileInfo(optionPath).isFile())
        return;
    QStringList lines;
    try {
        lines = readLineFile(optionPath);
    } catch (const Error&) {
        // One unreadable course must not hide the others.
        return;
    }
    catalogue.lastOptionLines = lines;
    if (lines.isEmpty())
        return;
    catalogue.entries.push_back({lines.first(), prefix});
}

} // namespace

Catalogue buildCatalogue()
{
    Catalogue catalogue;
    const QString root = QStringLiteral("./");
    addCourse(catalogue, root);

    QStringList folders = QDir(root).entryList(
        QDir::Dirs | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::NoSort);
    std::sort(folders.begin(), folders.end(), folderNameLess);
    for (const QString& folder : folders)
        addCourse(catalogue, root + folder + u'/');
    return catalogue;
}

} // namespace lexamo
