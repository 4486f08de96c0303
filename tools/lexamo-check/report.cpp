#include "report.h"

#include <QCoreApplication>

#include <algorithm>

namespace lexamo::check {

namespace {

bool hasSeverity(const Findings& findings, Severity severity)
{
    return std::any_of(findings.begin(), findings.end(),
                       [severity](const Finding& finding) { return finding.severity == severity; });
}

// "." names the working directory, whose paths read best without a prefix.
QString basePath(const QString& folder)
{
    if (folder == QStringLiteral(".") || folder == QStringLiteral("./"))
        return QString();
    return folder.endsWith(u'/') ? folder : folder + u'/';
}

QString formatFinding(const QString& base, const Finding& finding)
{
    QString path = base + finding.file;
    if (path.isEmpty())
        path = QStringLiteral("./");
    if (finding.line > 0)
        path += QStringLiteral(":%1").arg(finding.line);
    const QString severity =
        finding.severity == Severity::Error ? QStringLiteral("error") : QStringLiteral("warning");
    return QStringLiteral("%1: %2: %3").arg(path, severity, finding.message);
}

QString counted(qsizetype count, const char* singular, const char* plural)
{
    return QCoreApplication::translate("lexamo-check", count == 1 ? singular : plural).arg(count);
}

} // namespace

QStringList findingLines(const CheckedFolder& checked)
{
    const QString base = basePath(checked.name);
    QStringList lines;
    for (const CourseReport& course : checked.report.courses)
        for (const Finding& finding : course.findings)
            lines.append(formatFinding(base, finding));
    for (const Finding& finding : checked.report.folderFindings)
        lines.append(formatFinding(base, finding));
    return lines;
}

QString summaryLine(const std::vector<CheckedFolder>& folders)
{
    qsizetype courses = 0, withErrors = 0, withWarnings = 0, unlisted = 0;
    for (const CheckedFolder& checked : folders) {
        for (const CourseReport& course : checked.report.courses) {
            ++courses;
            if (hasSeverity(course.findings, Severity::Error))
                ++withErrors;
            else if (hasSeverity(course.findings, Severity::Warning))
                ++withWarnings;
            if (!course.listed)
                ++unlisted;
        }
        // Folder findings other than "no course found" each name one folder Lexamo skips.
        unlisted += std::count_if(checked.report.folderFindings.begin(),
                                  checked.report.folderFindings.end(),
                                  [](const Finding& finding) { return !finding.file.isEmpty(); });
    }
    return QCoreApplication::translate(
               "lexamo-check", "%1 checked: %2 with errors, %3 with warnings, %4 not listed")
        .arg(counted(courses, QT_TRANSLATE_NOOP("lexamo-check", "%1 course"),
                     QT_TRANSLATE_NOOP("lexamo-check", "%1 courses")))
        .arg(withErrors)
        .arg(withWarnings)
        .arg(counted(unlisted, QT_TRANSLATE_NOOP("lexamo-check", "%1 folder"),
                     QT_TRANSLATE_NOOP("lexamo-check", "%1 folders")));
}

int exitCode(const std::vector<CheckedFolder>& folders)
{
    for (const CheckedFolder& checked : folders) {
        if (hasSeverity(checked.report.folderFindings, Severity::Error))
            return 1;
        for (const CourseReport& course : checked.report.courses)
            if (hasSeverity(course.findings, Severity::Error))
                return 1;
    }
    return 0;
}

} // namespace lexamo::check
