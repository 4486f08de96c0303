#pragma once

#include <QString>
#include <QStringList>

namespace lexamo {

/// Everything read from one course folder; the caller takes it over all at once.
struct Course
{
    QString title;
    QStringList optionLines;
    QStringList questions; // the English file, one question per line
    QStringList answers;   // the Japanese file, line for line
};

/// The most words a sentence may have: the drill has this many word buttons.
inline constexpr qsizetype kMaxWordsPerSentence = 24;

/// Reads the course whose files lie under the folder prefix (for example "./" or "./Lesson/").
/// Either the whole course is returned or lexamo::Error is thrown and nothing was taken over.
Course loadCourse(const QString& folderPrefix);

} // namespace lexamo
