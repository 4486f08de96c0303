#include "../courses/temp_folder_test.h"

#include <QProcess>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>
#include <ostream>

namespace lexamo::check {
namespace {

struct CheckerRun
{
    int exitCode;
    QString out;
    QString err;
};

CheckerRun runChecker(const QStringList& arguments)
{
    QProcess process;
    process.start(QStringLiteral(LEXAMO_CHECK_EXECUTABLE), arguments);
    EXPECT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

const QString kExamples = QStringLiteral(LEXAMO_SOURCE_DIR "/examples");

TEST(CheckExecutableTest, SampleCoursesCheckClean)
{
    const CheckerRun run = runChecker({kExamples});
    EXPECT_EQ(run.exitCode, 0) << run.out.toStdString();
    EXPECT_EQ(run.out, "3 courses checked: 0 with errors, 0 with warnings, 0 folders not listed\n");
}

TEST(CheckExecutableTest, HelpListsTheFindingsAndExitCodes)
{
    const CheckerRun run = runChecker({"--help"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.out.startsWith("Usage: lexamo-check [FOLDER]..."));
    EXPECT_TRUE(run.out.contains("a sentence of more than 24 words"));
    EXPECT_TRUE(run.out.contains("Exit status: 0 when no course has an error, 1 when any has, 2"));
}

struct UsageCase
{
    const char* name;
    QStringList arguments;
    QString error;
};

// Test names carry the case; gtest need not dump the bytes.
void PrintTo(const UsageCase& value, std::ostream* stream)
{
    *stream << value.name;
}

const UsageCase kUsageCases[] = {
    {"UnknownOption", {"--verbose"}, "lexamo-check: unknown option --verbose\n"},
    {"MissingFolder",
     {LEXAMO_SOURCE_DIR "/examples", "/no/such/folder"},
     "lexamo-check: /no/such/folder is not a folder\n"},
    {"FileInsteadOfFolder",
     {LEXAMO_SOURCE_DIR "/examples/Option.txt"},
     "lexamo-check: " LEXAMO_SOURCE_DIR "/examples/Option.txt is not a folder\n"},
};

class UsageTest : public ::testing::TestWithParam<UsageCase>
{
};

TEST_P(UsageTest, BadUsageExitsTwoWithoutChecking)
{
    const CheckerRun run = runChecker(GetParam().arguments);
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.out, QString());
    EXPECT_EQ(run.err, GetParam().error + "Try 'lexamo-check --help'.\n");
}

INSTANTIATE_TEST_SUITE_P(Usage, UsageTest, ::testing::ValuesIn(kUsageCases),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });

class CheckExecutableFolderTest : public test::TempFolderTest
{
};

TEST_F(CheckExecutableFolderTest, DefaultFolderIsTheWorkingDirectoryAndErrorsExitOne)
{
    writeFile("Lesson/Option.txt", "Lesson\nLesson\n");
    writeFile("Lesson/LessonE.txt", "One.\nTwo.\n");
    writeFile("Lesson/LessonJ.txt", "1\n");
    const CheckerRun run = runChecker({});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "Lesson/LessonJ.txt: error: 1 line, fewer than the 2 sentences of "
                       "LessonE.txt: question 2 has no Japanese\n"
                       "1 course checked: 1 with errors, 0 with warnings, 0 folders not listed\n");
}

} // namespace
} // namespace lexamo::check
