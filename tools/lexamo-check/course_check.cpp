#include "course_check.h"

#include "courses/course_loader.h"
#include "courses/error.h"
#include "courses/line_file.h"
#include "file_checks.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <optional>

namespace lexamo::check {

namespace {

bool hasError(const Findings& findings)
{
    return std::any_of(findings.begin(), findings.end(),
                       [](const Finding& finding) { return finding.severity == Severity::Error; });
}

std::optional<QStringList> readFile(const QString& path, Findings& findings)
{
    const QString file = displayPath(path);
    QStringList lines;
    try {
        lines = readLineFile(path);
    } catch (const Error& error) {
        findings.push_back(
            {Severity::Error, file, 0,
             QStringLiteral("Lexamo cannot read it: %1").arg(error.message().trimmed())});
        return std::nullopt;
    }
    // The reader has just succeeded, so the raw bytes are there to look at again.
    QFile raw(path);
    if (raw.open(QIODevice::ReadOnly))
        checkEncoding(raw.readAll(), file, findings);
    return lines;
}

} // namespace

QString displayPath(const QString& path)
{
    return path.startsWith(QStringLiteral("./")) ? path.mid(2) : path;
}

Findings checkCourse(const QString& folderPrefix)
{
    Findings findings;
    const QString optionPath = folderPrefix + QStringLiteral("Option.txt");
    const QString optionFile = displayPath(optionPath);
    const std::optional<QStringList> option = readFile(optionPath, findings);
    if (!option)
        return findings;
    if (option->isEmpty()) {
        findings.push_back(
            {Severity::Error, optionFile, 0, QStringLiteral("no course title: the file is empty")});
        return findings;
    }
    if (option->first().isEmpty())
        findings.push_back(
            {Severity::Warning, optionFile, 1, QStringLiteral("the course title is empty")});
    if (option->size() < 2) {
        findings.push_back(
            {Severity::Error, optionFile, 0, QStringLiteral("no file stem: line 2 is missing")});
        return findings;
    }

    // The stem is used exactly as Lexamo uses it, a Windows backslash read as a folder separator.
    QString stem = option->at(1);
    stem.replace(u'\\', u'/');
    const QString englishPath = folderPrefix + stem + QStringLiteral("E.txt");
    const QString japanesePath = folderPrefix + stem + QStringLiteral("J.txt");
    const std::optional<QStringList> english = readFile(englishPath, findings);
    const std::optional<QStringList> japanese = readFile(japanesePath, findings);
    if (english)
        checkSentences(*english, displayPath(englishPath), findings);
    if (english && !english->isEmpty() && japanese)
        checkLineCounts(english->size(), japanese->size(), QFileInfo(englishPath).fileName(),
                        displayPath(japanesePath), findings);

    // Anything the program itself refuses must show up here, even if a check above missed it.
    if (!hasError(findings)) {
        try {
            loadCourse(folderPrefix);
        } catch (const Error& error) {
            findings.push_back(
                {Severity::Error, optionFile, 0,
                 QStringLiteral("Lexamo refuses the course: %1").arg(error.message().trimmed())});
        }
    }
    return findings;
}

} // namespace lexamo::check
