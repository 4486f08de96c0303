#pragma once

#include "finding.h"

#include <QString>

#include <vector>

namespace lexamo::check {

/// One folder holding an Option.txt file, whether or not Lexamo lists it.
struct CourseReport
{
    QString folder; // relative to the checked folder: "" for its own course, "Lesson/" below it
    bool listed;    // whether Lexamo's course list shows it
    Findings findings;
};

/// Everything found in one folder that a teacher asked to check.
struct FolderReport
{
    std::vector<CourseReport> courses;
    /// Findings outside any course: folders that look like courses but are not listed, or no
    /// course at all.
    Findings folderFindings;
};

/// Finds the courses in the folder exactly as Lexamo finds them in its working directory, and
/// checks each.
FolderReport checkFolder(const QString& folder);

} // namespace lexamo::check
