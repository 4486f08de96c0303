#pragma once

#include "error.h"
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

/// Reads the course whose files lie under the folder prefix (for example "./" or "./Lesson/").
/// Either the whole course is returned or lexamo::Error is thrown and nothing was taken over;
/// running out of memory is such an error too.
Course loadCourse(const QString& folderPrefix);

/// The error for a course that does not fit into memory, naming its folder.
Error outOfMemoryError(const QString& folderPrefix);

} // namespace lexamo
