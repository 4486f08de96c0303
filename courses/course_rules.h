#pragma once

#include "drill/shuffles.h"
#include "drill/word_rule.h"

#include <QLatin1StringView>
#include <QString>
#include <QStringList>
#include <QStringView>

namespace lexamo {

// The rules that make a folder a course, written once for the program and for lexamo-check.

/// Every course folder holds this file: line 1 the course title, line 2 the file stem.
inline constexpr QLatin1StringView kOptionFileName{"Option.txt"};

/// The most words a sentence may have: the drill has this many word buttons.
inline constexpr qsizetype kMaxWordsPerSentence = WordButtonCount;

/// A course file larger than this is refused before it is read. Real courses are a few hundred
/// kilobytes (10,000 sentences of 24 words are about 1.5 MB), and the 100 MB benchmark course
/// still loads; each byte may cost two in memory once decoded.
inline constexpr qint64 kMaxCourseFileBytes = qint64(128) * 1024 * 1024;

/// A course file with more lines than this is refused: each line costs a span in the reader and an
/// entry in the drill's question order, so 128 MiB of line feeds alone would take gigabytes. The
/// benchmark course has up to 2.6 million lines; the largest course both limits let through peaks
/// at about 0.9 GB (bench/courses/largest_course_bench.cpp).
inline constexpr qsizetype kMaxCourseFileLines = qsizetype(4) * 1024 * 1024;

/// The path of the option file of the course under the folder prefix ("./" or "./Lesson/").
QString optionFilePath(const QString& folderPrefix);

/// The English and Japanese files: the prefix, the stem and "E.txt" or "J.txt", put together as
/// they stand. A backslash in the stem separates folders, as in courses written on Windows.
QString englishFilePath(const QString& folderPrefix, const QString& stem);
QString japaneseFilePath(const QString& folderPrefix, const QString& stem);

/// Whether the files a stem names lie outside the course's folder: an absolute stem, or one whose
/// ".." parts climb above the folder.
bool stemLeavesFolder(const QString& stem);

/// The subfolders of a folder that may be courses, in the order the learner sees them: by name
/// without regard to case, names that differ only in case in a fixed order.
QStringList courseFolderNames(const QString& folderPrefix);

} // namespace lexamo
