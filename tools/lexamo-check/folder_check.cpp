#include "folder_check.h"

#include "course_check.h"
#include "courses/catalogue.h"
#include "courses/error.h"
#include "courses/line_file.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace lexamo::check {

namespace {

const QString kOptionFile = QStringLiteral("Option.txt");
constexpr auto kFolderFilter = QDir::Dirs | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;

class WorkingDirectory
{
public:
    explicit WorkingDirectory(const QString& folder) : m_previous(QDir::currentPath())
    {
        m_entered = QDir::setCurrent(folder);
    }
    ~WorkingDirectory() { QDir::setCurrent(m_previous); }
    WorkingDirectory(const WorkingDirectory&) = delete;
    WorkingDirectory& operator=(const WorkingDirectory&) = delete;
    bool entered() const { return m_entered; }

private:
    QString m_previous;
    bool m_entered = false;
};

QStringList subfolders(const QString& path)
{
    return QDir(path).entryList(kFolderFilter, QDir::Name | QDir::IgnoreCase);
}

bool hasOptionFile(const QString& prefix)
{
    return QFileInfo(prefix + kOptionFile).isFile();
}

void addUnlisted(Findings& findings, const QString& folder, const QString& reason)
{
    findings.push_back(
        {Severity::Warning, folder, 0, QStringLiteral("folder is not listed: %1").arg(reason)});
}

// A subfolder without Option.txt is skipped by Lexamo in silence; these are the ways a teacher
// can get there by mistake. Folders without any text file (pictures, notes) are left alone.
void explainSkippedFolder(const QString& name, Findings& findings)
{
    const QString prefix = QStringLiteral("./") + name + u'/';
    const QString folder = name + u'/';
    const QDir dir(prefix);
    if (QFileInfo(prefix + kOptionFile).isDir()) {
        addUnlisted(findings, folder, QStringLiteral("its Option.txt is a folder"));
        return;
    }
    const QStringList files = dir.entryList(QDir::Files | QDir::Hidden, QDir::Name);
    const auto misnamed = std::find_if(files.begin(), files.end(), [](const QString& file) {
        return file.compare(kOptionFile, Qt::CaseInsensitive) == 0;
    });
    if (misnamed != files.end()) {
        addUnlisted(findings, folder,
                    QStringLiteral("its option file must be named exactly Option.txt, not %1")
                        .arg(*misnamed));
        return;
    }
    bool nested = false;
    for (const QString& inner : subfolders(prefix)) {
        if (hasOptionFile(prefix + inner + u'/')) {
            addUnlisted(findings, folder + inner + u'/',
                        QStringLiteral("a course must lie in the checked folder or one folder "
                                       "below it, not two"));
            nested = true;
        }
    }
    const bool hasText = std::any_of(files.begin(), files.end(), [](const QString& file) {
        return file.endsWith(QStringLiteral(".txt"), Qt::CaseInsensitive);
    });
    if (!nested && hasText)
        addUnlisted(findings, folder, QStringLiteral("it holds text files but no Option.txt"));
}

// The root course may keep its sentence files in a folder named by its stem ("data\\Basic");
// that folder is part of the course, not a course that went missing.
QString rootStemFolder()
{
    try {
        const QStringList option = readLineFile(QStringLiteral("./") + kOptionFile);
        if (option.size() < 2)
            return QString();
        QString stem = option[1];
        stem.replace(u'\\', u'/');
        const qsizetype slash = stem.indexOf(u'/');
        return slash > 0 ? stem.left(slash) : QString();
    } catch (const Error&) {
        return QString();
    }
}

} // namespace

FolderReport checkFolder(const QString& folder)
{
    FolderReport report;
    const WorkingDirectory workingDirectory(folder);
    if (!workingDirectory.entered()) {
        report.folderFindings.push_back(
            {Severity::Error, QString(), 0, QStringLiteral("cannot enter the folder")});
        return report;
    }

    const Catalogue catalogue = buildCatalogue();
    const auto isListed = [&catalogue](const QString& prefix) {
        return std::any_of(
            catalogue.entries.begin(), catalogue.entries.end(),
            [&prefix](const CatalogueEntry& entry) { return entry.prefix == prefix; });
    };
    const auto checkOne = [&](const QString& prefix) {
        CourseReport course{displayPath(prefix), isListed(prefix), checkCourse(prefix)};
        if (!course.listed)
            addUnlisted(course.findings, course.folder,
                        QStringLiteral("its Option.txt gives no course title"));
        report.courses.push_back(std::move(course));
    };

    const QString root = QStringLiteral("./");
    if (hasOptionFile(root))
        checkOne(root);
    const QString stemFolder = rootStemFolder();
    for (const QString& name : subfolders(root)) {
        const QString prefix = root + name + u'/';
        if (hasOptionFile(prefix))
            checkOne(prefix);
        else if (name != stemFolder)
            explainSkippedFolder(name, report.folderFindings);
    }
    if (report.courses.empty())
        report.folderFindings.push_back(
            {Severity::Error, QString(), 0,
             QStringLiteral("no course found: no Option.txt here or in a folder just below")});
    return report;
}

} // namespace lexamo::check
