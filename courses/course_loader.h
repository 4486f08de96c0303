#pragma once

#include "string_list.h"

#include <QString>

namespace lexamo {

/// Everything read from one course folder; the caller takes it over all at once.
struct Course
{
    QString title;
    StringList optionLines;
    StringList questions; // the English file, one question per line
    StringList answers;   // the Japanese file, line for line
};

/// The most words a sentence may have: the drill has this many word buttons.
inline constexpr qsizetype kMaxWordsPerSentence = 24;

/// Reads the course whose files lie under the folder prefix (for example "./" or "./Lesson/").
/// Either the whole course is returned or lexamo::Error is thrown and nothing was taken over.
Course loadCourse(const QString& folderPrefix);

} // namespace lexamo
