#pragma once

#include "finding.h"

#include <QString>

namespace lexamo::check {

/// Checks the course whose Option.txt lies under the folder prefix ("./" or "./Lesson/"),
/// resolved against the working directory as Lexamo resolves it. Every file is read with
/// Lexamo's own reader, so a file it cannot read fails here with the same reason.
Findings checkCourse(const QString& folderPrefix);

/// The path as the teacher sees it inside the checked folder: "./Lesson/Option.txt" becomes
/// "Lesson/Option.txt".
QString displayPath(const QString& path);

} // namespace lexamo::check
