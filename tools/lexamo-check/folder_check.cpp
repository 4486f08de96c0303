#include "folder_check.h"

#include "course_check.h"
#include "courses/catalogue.h"
#include "courses/course_rules.h"
#include "courses/error.h"
#include "courses/line_file.h"
#include "courses/paths.h"

#include <QCoreApplication>

#include <algorithm>
#include <new>

namespace lexamo::check {

namespace {

void addUnlisted(Findings& findings, const QString& folder, const QString& reason)
{
    findings.push_back(
        {Severity::Warning, folder, 0,
         QCoreApplication::translate("lexamo-check", "folder is not listed: %1").arg(reason)});
}

// A subfolder without Option.txt is skipped by Lexamo in silence; these are the ways a teacher
// can get there by mistake. Folders without any text file (pictures, notes) are left alone.
void explainSkippedFolder(const QString& root, const QString& name, Findings& findings)
{
    const QString prefix = root + name + u'/';
    const QString folder = name + u'/';
    if (folderExists(optionFilePath(prefix))) {
        addUnlisted(findings, folder,
                    QCoreApplication::translate("lexamo-check", "its Option.txt is a folder"));
        return;
    }
    QStringList files = fileNames(prefix);
    std::sort(files.begin(), files.end());
    const auto misnamed = std::find_if(files.begin(), files.end(), [](const QString& file) {
        return file.compare(kOptionFileName, Qt::CaseInsensitive) == 0;
    });
    if (misnamed != files.end()) {
        addUnlisted(findings, folder,
                    QCoreApplication::translate(
                        "lexamo-check", "its option file must be named exactly Option.txt, not %1")
                        .arg(*misnamed));
        return;
    }
    bool nested = false;
    for (const QString& inner : courseFolderNames(prefix)) {
        if (fileExists(optionFilePath(prefix + inner + u'/'))) {
            addUnlisted(findings, folder + inner + u'/',
                        QCoreApplication::translate(
                            "lexamo-check", "a course must lie in the checked folder or one folder "
                                            "below it, not two"));
            nested = true;
        }
    }
    const bool hasText = std::any_of(files.begin(), files.end(), [](const QString& file) {
        return file.endsWith(QStringLiteral(".txt"), Qt::CaseInsensitive);
    });
    if (!nested && hasText)
        addUnlisted(
            findings, folder,
            QCoreApplication::translate("lexamo-check", "it holds text files but no Option.txt"));
}

// The root course may keep its sentence files in a folder named by its stem ("data\\Basic");
// that folder is part of the course, not a course that went missing.
QString rootStemFolder(const QString& root)
{
    try {
        const StringList option = readFirstTwoLines(optionFilePath(root));
        if (option.Count() < 2)
            return QString();
        const QString english = englishFilePath(QString(), option[1]);
        const qsizetype slash = english.indexOf(u'/');
        return slash > 0 ? english.left(slash) : QString();
    } catch (const Error&) {
        return QString();
    }
}

// Why Lexamo leaves out a folder whose Option.txt exists.
QString unlistedReason(const QString& prefix)
{
    try {
        readFirstTwoLines(optionFilePath(prefix));
    } catch (const Error&) {
        return QCoreApplication::translate("lexamo-check", "Lexamo cannot read its Option.txt");
    }
    return QCoreApplication::translate("lexamo-check", "its Option.txt gives no course title");
}

QString folderPrefix(const QString& folder)
{
    return folder.endsWith(u'/') ? folder : folder + u'/';
}

} // namespace

FolderReport checkFolder(const QString& folder)
{
    FolderReport report;
    const QString root = folderPrefix(folder);
    if (!folderExists(root)) {
        report.folderFindings.push_back(
            {Severity::Error, QString(), 0,
             QCoreApplication::translate("lexamo-check", "cannot enter the folder")});
        return report;
    }

    const Catalogue catalogue = buildCatalogue(root);
    const auto isListed = [&catalogue](const QString& prefix) {
        return std::any_of(
            catalogue.entries.begin(), catalogue.entries.end(),
            [&prefix](const CatalogueEntry& entry) { return entry.prefix == prefix; });
    };
    const auto checkOne = [&](const QString& prefix) {
        CourseReport course{displayPath(root, prefix), isListed(prefix),
                            checkCourse({root, prefix})};
        if (!course.listed)
            addUnlisted(course.findings, course.folder, unlistedReason(prefix));
        report.courses.push_back(std::move(course));
    };

    if (fileExists(optionFilePath(root)))
        checkOne(root);
    const QString stemFolder = rootStemFolder(root);
    for (const QString& name : courseFolderNames(root)) {
        const QString prefix = root + name + u'/';
        if (fileExists(optionFilePath(prefix)))
            checkOne(prefix);
        else if (name != stemFolder)
            explainSkippedFolder(root, name, report.folderFindings);
    }
    if (report.courses.empty())
        report.folderFindings.push_back(
            {Severity::Error, QString(), 0,
             QCoreApplication::translate(
                 "lexamo-check", "no course found: no Option.txt here or in a folder just below")});
    return report;
}

} // namespace lexamo::check
