// Folders a careless or hostile teacher might hand over: each is built for real in a temporary
// folder beside a good course, loaded through the program's loader and catalogue, and checked by
// the lexamo-check executable.
#include "../courses/temp_folder_test.h"
#include "courses/catalogue.h"
#include "courses/course_loader.h"
#include "courses/course_rules.h"
#include "courses/error.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <fcntl.h>
#include <functional>
#include <gtest/gtest.h>
#include <ostream>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lexamo::check {
namespace {

// "基本" in CP932, as an archive made on Japanese Windows unpacks it.
const QByteArray kKihonCp932 = "\x8A\xEE\x96\x7B";

void writeRaw(const QByteArray& path, const QByteArray& bytes)
{
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(fd, 0) << path.constData();
    ASSERT_EQ(::write(fd, bytes.constData(), size_t(bytes.size())), bytes.size());
    ::close(fd);
}

void makeFifo(const char* path)
{
    ASSERT_EQ(::mkfifo(path, 0644), 0);
}

void makeLink(const char* target, const char* path)
{
    ASSERT_EQ(::symlink(target, path), 0);
}

void makeSparse(const char* path, qint64 size)
{
    QFile file(QString::fromUtf8(path));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_TRUE(file.resize(size)) << "sparse files unsupported here";
}

void writeBad(const char* name, const QByteArray& bytes)
{
    writeRaw(QByteArray("Bad/") + name, bytes);
}

struct HostileCase
{
    const char* name;
    std::function<void()> build; // builds "Bad/" (created empty beforehand)
    QString prefix;              // the course folder the loader is given
    QString loaderMessage;       // empty: the course loads; "{cwd}" is the folder's path
    qsizetype questions;         // when it loads
    bool listed;                 // whether the catalogue lists it
    QStringList checkerLines;    // before the summary line
    QString summary;
    int exitCode;
};

void PrintTo(const HostileCase& value, std::ostream* stream)
{
    *stream << value.name;
}

const QString kOpenFailure = QStringLiteral("ファイル {cwd}/%1 は開けません。 %2 ");

QString openFailure(const char* file, const char* reason)
{
    return kOpenFailure.arg(QString::fromUtf8(file), QString::fromUtf8(reason));
}

QString cannotRead(const char* file, const char* reason, const char* hint = "")
{
    return QStringLiteral("Bad/%1: error: Lexamo cannot read it: %2%3")
        .arg(QString::fromUtf8(file),
             openFailure(file, reason)
                 .trimmed()
                 .replace(QStringLiteral("{cwd}/"), QStringLiteral("{cwd}/Bad/")),
             QString::fromUtf8(hint));
}

const char* const kFifo = "名前付きパイプで、ファイルではありません";
const char* const kDevice = "デバイスで、ファイルではありません";
const char* const kNoFile = "No such file or directory";
const QString kUnlisted =
    QStringLiteral("Bad/: warning: folder is not listed: Lexamo cannot read its Option.txt");
const QString kOneError =
    QStringLiteral("2 courses checked: 1 with errors, 0 with warnings, 0 folders not listed");
const QString kUnlistedError =
    QStringLiteral("2 courses checked: 1 with errors, 0 with warnings, 1 folder not listed");

QByteArray lines(qsizetype count)
{
    return QByteArray(count, '\n');
}

const HostileCase kCases[] = {
    {"FifoEnglishFile",
     [] {
         writeBad("Option.txt", "Bad\nB\n");
         makeFifo("Bad/BE.txt");
         writeBad("BJ.txt", "x\n");
     },
     "./Bad/",
     openFailure("Bad/BE.txt", kFifo),
     0,
     true,
     {cannotRead("BE.txt", kFifo)},
     kOneError,
     1},
    {"FifoOptionFile",
     [] { makeFifo("Bad/Option.txt"); },
     "./Bad/",
     openFailure("Bad/Option.txt", kFifo),
     0,
     false,
     {cannotRead("Option.txt", kFifo), kUnlisted},
     kUnlistedError,
     1},
    {"EnglishFileLinkedToDevZero",
     [] {
         writeBad("Option.txt", "Bad\nB\n");
         makeLink("/dev/zero", "Bad/BE.txt");
         writeBad("BJ.txt", "x\n");
     },
     "./Bad/",
     openFailure("Bad/BE.txt", kDevice),
     0,
     true,
     {cannotRead("BE.txt", kDevice)},
     kOneError,
     1},
    {"OptionFileLinkedToDevUrandom",
     [] { makeLink("/dev/urandom", "Bad/Option.txt"); },
     "./Bad/",
     openFailure("Bad/Option.txt", kDevice),
     0,
     false,
     {cannotRead("Option.txt", kDevice), kUnlisted},
     kUnlistedError,
     1},
    {"OptionFileInALinkLoop",
     [] { makeLink("Option.txt", "Bad/Option.txt"); },
     "./Bad/",
     openFailure("Bad/Option.txt", "Too many levels of symbolic links"),
     0,
     false,
     {cannotRead("Option.txt", "Too many levels of symbolic links"), kUnlisted},
     kUnlistedError,
     1},
    {"SparseTerabyteOptionFile",
     [] { makeSparse("Bad/Option.txt", qint64(1) << 40); },
     "./Bad/",
     openFailure("Bad/Option.txt", "大きすぎます (コースのファイルは 134217728 バイトまでです)"),
     0,
     false,
     {cannotRead("Option.txt", "大きすぎます (コースのファイルは 134217728 バイトまでです)"),
      kUnlisted},
     kUnlistedError,
     1},
    {"SparseEnglishFileJustOverTheLimit",
     [] {
         writeBad("Option.txt", "Bad\nB\n");
         makeSparse("Bad/BE.txt", kMaxCourseFileBytes + 1);
         writeBad("BJ.txt", "x\n");
     },
     "./Bad/",
     openFailure("Bad/BE.txt", "大きすぎます (コースのファイルは 134217728 バイトまでです)"),
     0,
     true,
     {cannotRead("BE.txt", "大きすぎます (コースのファイルは 134217728 バイトまでです)")},
     kOneError,
     1},
    {"FolderNamedLikeTheEnglishFile",
     [] {
         writeBad("Option.txt", "Bad\nB\n");
         ASSERT_TRUE(QDir().mkpath("Bad/BE.txt"));
         writeBad("BJ.txt", "x\n");
     },
     "./Bad/",
     openFailure("Bad/BE.txt", "Is a directory"),
     0,
     true,
     {cannotRead("BE.txt", "Is a directory")},
     kOneError,
     1},
    {"TooManyLines",
     [] {
         writeBad("Option.txt", "Bad\nB\n");
         writeBad("BE.txt", lines(kMaxCourseFileLines + 1));
         writeBad("BJ.txt", "x\n");
     },
     "./Bad/",
     openFailure("Bad/BE.txt", "行が多すぎます (コースのファイルは 4194304 行までです)"),
     0,
     true,
     {cannotRead("BE.txt", "行が多すぎます (コースのファイルは 4194304 行までです)")},
     kOneError,
     1},
    {"StemClimbingOutOfTheFolder",
     [] { writeBad("Option.txt", "Bad\n../../../../../../../../../../../../etc/pass\n"); },
     "./Bad/",
     QStringLiteral("ファイル /etc/passE.txt は開けません。 No such file or directory "),
     0,
     true,
     {"Bad/Option.txt:2: warning: the stem ../../../../../../../../../../../../etc/pass leads "
      "outside the course's folder: copying the course elsewhere will lose its sentence files",
      "Bad/../../../../../../../../../../../../etc/passE.txt: error: Lexamo cannot read it: "
      "ファイル /etc/passE.txt は開けません。 No such file or directory",
      "Bad/../../../../../../../../../../../../etc/passJ.txt: error: Lexamo cannot read it: "
      "ファイル /etc/passJ.txt は開けません。 No such file or directory"},
     kOneError,
     1},
    {"NamesDifferingInCapitals",
     [] {
         writeBad("Option.txt", "Bad\nSchool\n");
         writeBad("schoolE.txt", "Hello.\n");
         writeBad("SchoolJ.txt", "x\n");
     },
     "./Bad/",
     openFailure("Bad/SchoolE.txt", kNoFile),
     0,
     true,
     {cannotRead("SchoolE.txt", kNoFile,
                 " (there is schoolE.txt: names must match in capitals too)")},
     kOneError,
     1},
    {"StemEndingInEnglishFileName",
     [] {
         writeBad("Option.txt", "Bad\nSchoolE.txt\n");
         writeBad("SchoolE.txt", "Hello.\n");
         writeBad("SchoolJ.txt", "x\n");
     },
     "./Bad/",
     openFailure("Bad/SchoolE.txtE.txt", kNoFile),
     0,
     true,
     {cannotRead("SchoolE.txtE.txt", kNoFile,
                 " (line 2 of Option.txt is the stem without \"E.txt\" or \"J.txt\": "
                 "\"SchoolE.txt\" makes Lexamo look for \"SchoolE.txtE.txt\")"),
      cannotRead("SchoolE.txtJ.txt", kNoFile,
                 " (line 2 of Option.txt is the stem without \"E.txt\" or \"J.txt\": "
                 "\"SchoolE.txt\" makes Lexamo look for \"SchoolE.txtJ.txt\")")},
     kOneError,
     1},
    {"MillionEmptyLines",
     [] {
         writeBad("Option.txt", "Bad\nB\n");
         writeBad("BE.txt", lines(1000000));
         writeBad("BJ.txt", lines(1000000));
     },
     "./Bad/", QString(), 1000000, true,
     [] {
         QStringList expected;
         for (int line = 1; line <= 10; ++line)
             expected.append(
                 QStringLiteral("Bad/BE.txt:%1: warning: empty line: it becomes a question with "
                                "one empty word")
                     .arg(line));
         expected.append(QStringLiteral("Bad/BE.txt: warning: \u2026 and 999990 more of this "
                                        "kind: empty line: it becomes a question with one empty "
                                        "word"));
         return expected;
     }(),
     QStringLiteral("2 courses checked: 0 with errors, 1 with warnings, 0 folders not listed"), 0},
    {"Cp932NamedFolderAndFiles",
     [] {
         ASSERT_EQ(::rmdir("Bad"), 0);
         ASSERT_EQ(::mkdir(kKihonCp932.constData(), 0755), 0);
         writeRaw(kKihonCp932 + "/Option.txt", "Kihon\r\n" + kKihonCp932 + "\r\n");
         writeRaw(kKihonCp932 + "/" + kKihonCp932 + "E.txt", "Good morning.\r\n");
         writeRaw(kKihonCp932 + "/" + kKihonCp932 + "J.txt",
                  "\x82\xA8\x82\xCD\x82\xE6\x82\xA4\r\n");
     },
     QStringLiteral("./基本/"),
     QString(),
     1,
     true,
     {},
     QStringLiteral("2 courses checked: 0 with errors, 0 with warnings, 0 folders not listed"),
     0},
};

class HostileFolderTest : public test::TempFolderTest,
                          public ::testing::WithParamInterface<HostileCase>
{
protected:
    void SetUp() override
    {
        TempFolderTest::SetUp();
        writeFile("Good/Option.txt", "Good\nG\n");
        writeFile("Good/GE.txt", "Hello.\n");
        writeFile("Good/GJ.txt", "x\n");
        makeFolder("Bad");
    }
};

TEST_P(HostileFolderTest, LoaderCatalogueAndCheckerStayInCharge)
{
    const HostileCase& hostile = GetParam();
    hostile.build();
    if (HasFatalFailure() || IsSkipped())
        return;
    const QString cwd = workingDirectory();

    // The loader either gives the whole course or the message, and never waits or runs away.
    try {
        const Course course = loadCourse(hostile.prefix);
        EXPECT_TRUE(hostile.loaderMessage.isEmpty());
        EXPECT_EQ(course.questions.Count(), hostile.questions);
    } catch (const Error& error) {
        EXPECT_EQ(error.message(), QString(hostile.loaderMessage).replace("{cwd}", cwd));
    }

    // The good course beside it stays listed and loads as before.
    const Catalogue catalogue = buildCatalogue();
    QStringList prefixes;
    for (const CatalogueEntry& entry : catalogue.entries)
        prefixes.append(entry.prefix);
    QStringList expectedPrefixes{"./Good/"};
    if (hostile.listed)
        expectedPrefixes.append(hostile.prefix);
    prefixes.sort();
    expectedPrefixes.sort();
    EXPECT_EQ(prefixes, expectedPrefixes);
    EXPECT_EQ(loadCourse("./Good/").questions.lines(), QStringList{"Hello."});

    // The checker finishes (a hang or a crash fails here) with one clear line per problem.
    QProcess checker;
    checker.start(QStringLiteral(LEXAMO_CHECK_EXECUTABLE), {QStringLiteral(".")});
    ASSERT_TRUE(checker.waitForFinished(60000)) << "lexamo-check did not finish";
    ASSERT_EQ(checker.exitStatus(), QProcess::NormalExit);
    QStringList expected = hostile.checkerLines;
    expected.append(hostile.summary);
    expected.replaceInStrings(QStringLiteral("{cwd}"), cwd);
    EXPECT_EQ(QString::fromUtf8(checker.readAllStandardOutput()).toStdString(),
              (expected.join(u'\n') + u'\n').toStdString());
    EXPECT_EQ(QString::fromUtf8(checker.readAllStandardError()), QString());
    EXPECT_EQ(checker.exitCode(), hostile.exitCode);
}

// Memory is made scarce for the checker alone: AddressSanitizer's allocator refuses any block over
// its limit, and without it the process's data segment is capped.
TEST_F(HostileFolderTest, CourseTooLargeForMemoryIsReportedAndTheOthersAreChecked)
{
    writeFile("Bad/Option.txt", "Big\nB\n");
    QByteArray english;
    while (english.size() < 24 * 1000 * 1000)
        english += "Hello there.\n";
    writeFile("Bad/BE.txt", english);
    writeFile("Bad/BJ.txt", "x\n");

    QProcess checker;
#if defined(__SANITIZE_ADDRESS__)
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("ASAN_OPTIONS",
                       environment.value("ASAN_OPTIONS") +
                           ":allocator_may_return_null=1:max_allocation_size_mb=16");
    checker.setProcessEnvironment(environment);
#else
    checker.setChildProcessModifier([] {
        const rlimit limit{16 * 1024 * 1024, 16 * 1024 * 1024};
        ::setrlimit(RLIMIT_DATA, &limit);
    });
#endif
    checker.start(QStringLiteral(LEXAMO_CHECK_EXECUTABLE), {QStringLiteral(".")});
    ASSERT_TRUE(checker.waitForFinished(60000)) << "lexamo-check did not finish";
    ASSERT_EQ(checker.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(QString::fromUtf8(checker.readAllStandardOutput()).toStdString(),
              "Bad/: error: not enough memory to check this course\n"
              "2 courses checked: 1 with errors, 0 with warnings, 0 folders not listed\n");
    EXPECT_EQ(checker.exitCode(), 1);
}

INSTANTIATE_TEST_SUITE_P(Folders, HostileFolderTest, ::testing::ValuesIn(kCases),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });

} // namespace
} // namespace lexamo::check
