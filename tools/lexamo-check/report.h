#pragma once

#include "folder_check.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace lexamo::check {

/// The report of one folder named on the command line.
struct CheckedFolder
{
    QString name; // as the teacher typed it
    FolderReport report;
};

/// One finding per line, "path:line: error: message", paths starting with the folder as typed.
QStringList findingLines(const CheckedFolder& checked);

/// "3 courses checked: 1 with errors, 0 with warnings, 0 folders not listed". A course counts
/// once: with errors if it has any, otherwise with warnings if it has any.
QString summaryLine(const std::vector<CheckedFolder>& folders);

/// 0 when nothing is an error, 1 otherwise.
int exitCode(const std::vector<CheckedFolder>& folders);

} // namespace lexamo::check
