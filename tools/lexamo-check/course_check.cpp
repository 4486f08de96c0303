#include "course_check.h"

#include "courses/course_loader.h"
#include "courses/course_rules.h"
#include "courses/error.h"
#include "courses/line_file.h"
#include "courses/paths.h"
#include "file_checks.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <algorithm>
#include <new>
#include <optional>

namespace lexamo::check {

namespace {

bool hasError(const Findings& findings)
{
    return std::any_of(findings.begin(), findings.end(),
                       [](const Finding& finding) { return finding.severity == Severity::Error; });
}

// A file the stem names but that is missing often exists with other capitals, or the stem
// already carries the ending the program adds.
QString nearMatchHint(const QString& path, const QString& stem)
{
    for (const QLatin1StringView ending :
         {QLatin1StringView("E.txt"), QLatin1StringView("J.txt"), QLatin1StringView(".txt")}) {
        if (stem.endsWith(ending, Qt::CaseInsensitive))
            return QCoreApplication::translate(
                       "lexamo-check", " (line 2 of Option.txt is the stem without \"E.txt\" or "
                                       "\"J.txt\": \"%1\" makes Lexamo look for \"%2\")")
                .arg(stem, QFileInfo(path).fileName());
    }
    const QFileInfo info(path);
    const QString name = info.fileName();
    for (const QString& existing : fileNames(info.path() + u'/'))
        if (existing.compare(name, Qt::CaseInsensitive) == 0)
            return QCoreApplication::translate("lexamo-check",
                                               " (there is %1: names must match in capitals too)")
                .arg(existing);
    return QString();
}

template <typename Read>
auto readFile(const CoursePlace& place, const QString& path, Findings& findings, Read read,
              const QString& stem = QString()) -> std::optional<decltype(read(path))>
{
    const QString file = displayPath(place.root, path);
    try {
        auto lines = read(path);
        // The reader has just succeeded, so the raw bytes are there to look at again.
        checkEncoding(readFileBytes(path), file, findings);
        return lines;
    } catch (const Error& error) {
        QString message = error.message().trimmed();
        if (!stem.isNull() && !fileExists(path))
            message += nearMatchHint(path, stem);
        findings.push_back({Severity::Error, file, 0,
                            QCoreApplication::translate("lexamo-check", "Lexamo cannot read it: %1")
                                .arg(message)});
    }
    return std::nullopt;
}

// The sentence files are let go before the program's own loader reads them again.
void checkSentenceFiles(const CoursePlace& place, const QString& stem, Findings& findings)
{
    const QString englishPath = englishFilePath(place.prefix, stem);
    const QString japanesePath = japaneseFilePath(place.prefix, stem);
    const auto readAll = [](const QString& path) { return readLines(path); };
    const std::optional<StringList> english = readFile(place, englishPath, findings, readAll, stem);
    const std::optional<StringList> japanese =
        readFile(place, japanesePath, findings, readAll, stem);
    if (english)
        checkSentences(*english, displayPath(place.root, englishPath), findings);
    if (english && english->Count() > 0 && japanese)
        checkLineCounts(english->Count(), japanese->Count(), QFileInfo(englishPath).fileName(),
                        displayPath(place.root, japanesePath), findings);
}

void checkContent(const CoursePlace& place, Findings& findings)
{
    const QString optionPath = optionFilePath(place.prefix);
    const QString optionFile = displayPath(place.root, optionPath);
    const std::optional<StringList> option = readFile(
        place, optionPath, findings, [](const QString& path) { return readFirstTwoLines(path); });
    if (!option)
        return;
    if (option->Count() == 0) {
        findings.push_back(
            {Severity::Error, optionFile, 0,
             QCoreApplication::translate("lexamo-check", "no course title: the file is empty")});
        return;
    }
    if (option->view(0).isEmpty())
        findings.push_back(
            {Severity::Warning, optionFile, 1,
             QCoreApplication::translate("lexamo-check", "the course title is empty")});
    if (option->Count() < 2) {
        findings.push_back(
            {Severity::Error, optionFile, 0,
             QCoreApplication::translate("lexamo-check", "no file stem: line 2 is missing")});
        return;
    }

    const QString stem = (*option)[1];
    if (stemLeavesFolder(stem))
        findings.push_back({Severity::Warning, optionFile, 2,
                            QCoreApplication::translate(
                                "lexamo-check",
                                "the stem %1 leads outside the course's folder: copying the course "
                                "elsewhere will lose its sentence files")
                                .arg(stem)});
    checkSentenceFiles(place, stem, findings);

    // Anything the program itself refuses must show up here, even if a check above missed it.
    if (!hasError(findings)) {
        try {
            loadCourse(place.prefix);
        } catch (const Error& error) {
            findings.push_back(
                {Severity::Error, optionFile, 0,
                 QCoreApplication::translate("lexamo-check", "Lexamo refuses the course: %1")
                     .arg(error.message().trimmed())});
        }
    }
}

} // namespace

QString displayPath(const QString& root, const QString& path)
{
    return path.startsWith(root) ? path.mid(root.size()) : path;
}

Findings checkCourse(const CoursePlace& place)
{
    Findings findings;
    try {
        checkContent(place, findings);
    } catch (const std::bad_alloc&) {
        findings.push_back({Severity::Error, displayPath(place.root, place.prefix), 0,
                            QCoreApplication::translate("lexamo-check",
                                                        "not enough memory to check this course")});
    }
    return findings;
}

} // namespace lexamo::check
