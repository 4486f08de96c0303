#pragma once

#include <QString>

#include <vector>

namespace lexamo::check {

/// Errors are what Lexamo would refuse or get wrong; warnings are what a teacher probably did not
/// mean but the program copes with.
enum class Severity
{
    Warning,
    Error
};

/// One problem found in a course, located by a path relative to the checked folder.
struct Finding
{
    Severity severity;
    QString file;   // "idioms/IdiomsE.txt"; a folder ends in "/"; empty means the checked folder
    qsizetype line; // 1-based; 0 when the finding is about the whole file
    QString message;

    bool operator==(const Finding&) const = default;
};

using Findings = std::vector<Finding>;

} // namespace lexamo::check
