#include "../courses/temp_folder_test.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
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

// The checker's language follows the locale variables, so every run sets them explicitly rather
// than inheriting the tester's.
CheckerRun runChecker(const QStringList& arguments,
                      const QStringList& locale = {QStringLiteral("LANG=C.UTF-8")})
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"LANG", "LC_ALL", "LC_MESSAGES", "LANGUAGE"})
        environment.remove(QString::fromLatin1(name));
    for (const QString& setting : locale)
        environment.insert(setting.section(u'=', 0, 0), setting.section(u'=', 1));
    QProcess process;
    process.setProcessEnvironment(environment);
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

// One broken course, whose report must read the same to a script in either language.
class CheckerLanguageTest : public test::TempFolderTest
{
protected:
    void SetUp() override
    {
        test::TempFolderTest::SetUp();
        writeFile("Lesson/Option.txt", "Lesson\nLesson\n");
        writeFile("Lesson/LessonE.txt",
                  "One  two.\nTwo.\nA b c d e f g h i j k l m n o p q r s t u v w x y z.\n");
        writeFile("Lesson/LessonJ.txt", "1\n");
    }
};

const QString kEnglishReport = QStringLiteral(
    "Lesson/LessonE.txt:1: warning: empty word from two spaces in a row\n"
    "Lesson/LessonE.txt:3: error: sentence has 26 words (at most 24)\n"
    "Lesson/LessonJ.txt: error: 1 line, fewer than the 3 sentences of LessonE.txt: questions 2 "
    "to 3 have no Japanese\n"
    "1 course checked: 1 with errors, 0 with warnings, 0 folders not listed\n");

const QString kJapaneseReport = QStringLiteral(
    "Lesson/LessonE.txt:1: warning: 2 つ続いたスペースから空の単語ができます\n"
    "Lesson/LessonE.txt:3: error: 文が 26 語あります (24 語まで)\n"
    "Lesson/LessonJ.txt: error: 1 行しかなく、LessonE.txt の 3 文より少ない: 問題 2〜3 に日本語が"
    "ありません\n"
    "1 コースを検査しました: エラーあり 1、警告あり 0、一覧に出ないフォルダー 0\n");

struct LocaleCase
{
    const char* name;
    QStringList locale;
    bool japanese;
};

void PrintTo(const LocaleCase& value, std::ostream* stream)
{
    *stream << value.name;
}

const LocaleCase kLocaleCases[] = {
    {"JapaneseLang", {"LANG=ja_JP.UTF-8"}, true},
    {"JapaneseMessagesOnly", {"LANG=C.UTF-8", "LC_MESSAGES=ja_JP.UTF-8"}, true},
    {"EnglishAllOverridesJapaneseLang", {"LANG=ja_JP.UTF-8", "LC_ALL=en_US.UTF-8"}, false},
    {"EnglishLang", {"LANG=en_US.UTF-8"}, false},
    {"NoLocale", {}, false},
};

class CheckerLocaleTest : public CheckerLanguageTest,
                          public ::testing::WithParamInterface<LocaleCase>
{
};

TEST_P(CheckerLocaleTest, ReportHelpAndUsageSpeakTheLocalesLanguage)
{
    const bool japanese = GetParam().japanese;
    const CheckerRun report = runChecker({}, GetParam().locale);
    EXPECT_EQ(report.exitCode, 1);
    EXPECT_EQ(report.out, japanese ? kJapaneseReport : kEnglishReport);
    EXPECT_EQ(report.err, QString());

    const CheckerRun help = runChecker({"--help"}, GetParam().locale);
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.startsWith(japanese ? "使い方: lexamo-check [フォルダー]..."
                                             : "Usage: lexamo-check [FOLDER]..."))
        << help.out.toStdString();

    const CheckerRun usage = runChecker({"--verbose"}, GetParam().locale);
    EXPECT_EQ(usage.exitCode, 2);
    EXPECT_EQ(usage.err, japanese ? "lexamo-check: --verbose というオプションはありません\n"
                                    "使い方は 'lexamo-check --help' で表示できます。\n"
                                  : "lexamo-check: unknown option --verbose\n"
                                    "Try 'lexamo-check --help'.\n");
}

INSTANTIATE_TEST_SUITE_P(Locales, CheckerLocaleTest, ::testing::ValuesIn(kLocaleCases),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });

// What a script takes from a line: the path and line, the severity word, and the summary's four
// numbers in their order.
QStringList scriptView(const QString& report)
{
    static const QRegularExpression finding(
        QStringLiteral("^([^:]+(?::\\d+)?): (error|warning): "));
    static const QRegularExpression number(QStringLiteral("\\d+"));
    QStringList lines = report.split(u'\n', Qt::SkipEmptyParts);
    const QString summary = lines.takeLast();
    QStringList view;
    for (const QString& line : lines) {
        const QRegularExpressionMatch match = finding.match(line);
        view.append(match.hasMatch() ? match.captured(1) + u' ' + match.captured(2) : line);
    }
    QStringList numbers;
    for (const QRegularExpressionMatch& match : number.globalMatch(summary))
        numbers.append(match.captured());
    view.append(numbers.join(u' '));
    return view;
}

TEST_F(CheckerLanguageTest, ScriptsReadBothLanguagesAlike)
{
    const QStringList english = scriptView(runChecker({}).out);
    EXPECT_EQ(english, QStringList({"Lesson/LessonE.txt:1 warning", "Lesson/LessonE.txt:3 error",
                                    "Lesson/LessonJ.txt error", "1 1 0 0"}));
    EXPECT_EQ(scriptView(runChecker({}, {"LANG=ja_JP.UTF-8"}).out), english);
}

} // namespace
} // namespace lexamo::check
