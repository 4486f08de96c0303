#include "report.h"

#include <QString>
#include <QStringList>

#include <gtest/gtest.h>
#include <ostream>
#include <vector>

namespace lexamo::check {
namespace {

const Finding kError{Severity::Error, "Lesson/LessonE.txt", 3,
                     "sentence has 26 words (at most 24)"};
const Finding kWarning{Severity::Warning, "Lesson/LessonJ.txt", 0, "more lines"};
const Finding kUnlisted{Severity::Warning, "loose/", 0, "folder is not listed: why"};

struct PathCase
{
    const char* name;
    QString folder;
    Finding finding;
    QString expected;
};

// Test names carry the case; gtest need not dump the bytes.
void PrintTo(const PathCase& value, std::ostream* stream)
{
    *stream << value.name;
}

const PathCase kPathCases[] = {
    {"WorkingDirectoryHasNoPrefix", ".", kError,
     "Lesson/LessonE.txt:3: error: sentence has 26 words (at most 24)"},
    {"FolderAsTyped", "examples", kError,
     "examples/Lesson/LessonE.txt:3: error: sentence has 26 words (at most 24)"},
    {"TrailingSlashNotDoubled", "examples/", kWarning,
     "examples/Lesson/LessonJ.txt: warning: more lines"},
    {"CheckedFolderItself",
     "/srv/courses",
     {Severity::Error, "", 0, "no course found"},
     "/srv/courses/: error: no course found"},
    {"WorkingDirectoryItself",
     ".",
     {Severity::Error, "", 0, "no course found"},
     "./: error: no course found"},
};

class FindingLineTest : public ::testing::TestWithParam<PathCase>
{
};

TEST_P(FindingLineTest, PathLineSeverityAndMessage)
{
    const PathCase& pathCase = GetParam();
    CheckedFolder checked{pathCase.folder, {}};
    checked.report.courses.push_back({"Lesson/", true, {pathCase.finding}});
    EXPECT_EQ(findingLines(checked), QStringList{pathCase.expected});
}

INSTANTIATE_TEST_SUITE_P(Paths, FindingLineTest, ::testing::ValuesIn(kPathCases),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST(ReportTest, CoursesBeforeFolderFindingsInOrder)
{
    CheckedFolder checked{"x", {}};
    checked.report.courses.push_back({"a/", true, {kError, kWarning}});
    checked.report.folderFindings.push_back(kUnlisted);
    EXPECT_EQ(findingLines(checked),
              (QStringList{"x/Lesson/LessonE.txt:3: error: sentence has 26 words (at most 24)",
                           "x/Lesson/LessonJ.txt: warning: more lines",
                           "x/loose/: warning: folder is not listed: why"}));
}

struct SummaryCase
{
    const char* name;
    std::vector<CheckedFolder> folders;
    QString summary;
    int exitCode;
};

// Test names carry the case; gtest need not dump the bytes.
void PrintTo(const SummaryCase& value, std::ostream* stream)
{
    *stream << value.name;
}

CheckedFolder folderOf(std::vector<CourseReport> courses, Findings folderFindings = {})
{
    return {"f", {std::move(courses), std::move(folderFindings)}};
}

const SummaryCase kSummaryCases[] = {
    {"NothingChecked",
     {},
     "0 courses checked: 0 with errors, 0 with warnings, 0 folders not listed",
     0},
    {"OneCleanCourse",
     {folderOf({{"", true, {}}})},
     "1 course checked: 0 with errors, 0 with warnings, 0 folders not listed",
     0},
    {"ErrorsOutrankWarnings",
     {folderOf({{"", true, {kError, kWarning}}, {"b/", true, {kWarning}}, {"c/", true, {}}})},
     "3 courses checked: 1 with errors, 1 with warnings, 0 folders not listed",
     1},
    {"UnlistedCourseAndFolderAcrossTwoFolders",
     {folderOf({{"", false, {kError}}}), folderOf({{"", true, {}}}, {kUnlisted})},
     "2 courses checked: 1 with errors, 0 with warnings, 2 folders not listed",
     1},
    {"WarningsAloneExitZero",
     {folderOf({{"", true, {kWarning}}}, {kUnlisted})},
     "1 course checked: 0 with errors, 1 with warnings, 1 folder not listed",
     0},
    {"NoCourseFoundIsAnError",
     {folderOf({}, {{Severity::Error, "", 0, "no course found"}})},
     "0 courses checked: 0 with errors, 0 with warnings, 0 folders not listed",
     1},
};

class SummaryTest : public ::testing::TestWithParam<SummaryCase>
{
};

TEST_P(SummaryTest, CountsAndExitCode)
{
    EXPECT_EQ(summaryLine(GetParam().folders), GetParam().summary);
    EXPECT_EQ(exitCode(GetParam().folders), GetParam().exitCode);
}

INSTANTIATE_TEST_SUITE_P(Summaries, SummaryTest, ::testing::ValuesIn(kSummaryCases),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });

} // namespace
} // namespace lexamo::check
