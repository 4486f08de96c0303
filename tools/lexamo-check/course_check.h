#pragma once

#include "finding.h"

#include <QString>

namespace lexamo::check {

/// Where a course lies: the checked folder's prefix ("examples/") and the course's own prefix
/// below it ("examples/" for its own course, "examples/Lesson/" for one in a subfolder).
struct CoursePlace
{
    QString root;
    QString prefix;
};

/// Checks one course. Every file is read with Lexamo's own reader and rules, so a file it cannot
/// read fails here with the same reason.
Findings checkCourse(const CoursePlace& place);

/// The path as the teacher sees it inside the checked folder: "examples/Lesson/Option.txt"
/// becomes "Lesson/Option.txt".
QString displayPath(const QString& root, const QString& path);

} // namespace lexamo::check
