#include "courses/course_loader.h"
#include "courses/error.h"
#include "temp_folder_test.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>
#include <optional>

namespace lexamo {
namespace {

using test::TempFolderTest;

// The exception's message, or nothing when the course loaded.
std::optional<QString> loadError(const QString& prefix)
{
    try {
        loadCourse(prefix);
    } catch (const Error& error) {
        return error.message();
    }
    return std::nullopt;
}

QString sentenceOfWords(int words)
{
    QStringList list;
    for (int i = 0; i < words; ++i)
        list.append(QStringLiteral("w%1").arg(i));
    return list.join(u' ');
}

using CourseLoaderTest = TempFolderTest;

TEST_F(CourseLoaderTest, LoadsTitleQuestionsAndAnswers)
{
    writeFile("c/Option.txt", "My course\r\nLesson1\r\nthird\r\nfourth\r\nfifth\r\n");
    writeFile("c/Lesson1E.txt", "I am here.\r\nYou are there.\r\n");
    writeFile("c/Lesson1J.txt", "\xEF\xBB\xBF\xE7\xA7\x81\r\nyou\r\nextra\r\n");
    const Course course = loadCourse("./c/");
    EXPECT_EQ(course.title, "My course");
    // Only the two lines that are used are read from the option file.
    EXPECT_EQ(course.optionLines.lines(), (QStringList{"My course", "Lesson1"}));
    EXPECT_EQ(course.questions.lines(), (QStringList{"I am here.", "You are there."}));
    EXPECT_EQ(course.answers.lines(), (QStringList{u"\u79C1"_qs, "you", "extra"}));
}

TEST_F(CourseLoaderTest, EmptyTitleAndShortJapaneseFileLoad)
{
    writeFile("Option.txt", "\nS\n");
    writeFile("SE.txt", "one\ntwo\n");
    writeFile("SJ.txt", "ichi\n");
    const Course course = loadCourse("./");
    EXPECT_EQ(course.title, "");
    EXPECT_EQ(course.questions.Count(), 2);
    EXPECT_EQ(course.answers.lines(), QStringList{"ichi"});
}

TEST_F(CourseLoaderTest, StemIsUsedUnchangedWithBlanks)
{
    writeFile("Option.txt", "T\n word 1 \n");
    writeFile(" word 1 E.txt", "a\n");
    writeFile(" word 1 J.txt", "b\n");
    EXPECT_EQ(loadCourse("./").questions.lines(), QStringList{"a"});
}

TEST_F(CourseLoaderTest, BackslashInStemLeadsIntoFolder)
{
    writeFile("c/Option.txt", "T\nparts\\L\n");
    writeFile("c/parts/LE.txt", "a\n");
    writeFile("c/parts/LJ.txt", "b\n");
    EXPECT_EQ(loadCourse("./c/").answers.lines(), QStringList{"b"});
}

TEST_F(CourseLoaderTest, TwentyFourWordsAreAccepted)
{
    writeFile("Option.txt", "T\nS\n");
    writeFile("SE.txt", (sentenceOfWords(24) + "\n").toUtf8());
    writeFile("SJ.txt", "j\n");
    EXPECT_EQ(loadError("./"), std::nullopt);
}

struct FailureCase
{
    const char* name;
    std::vector<std::pair<QString, QByteArray>> files;
    QString expected; // "%1" stands for the working directory
};

void PrintTo(const FailureCase& row, std::ostream* out)
{
    *out << row.name;
}

const QByteArray kOption = "Title\nLesson\n";

std::vector<FailureCase> failureCases()
{
    const QString decodingError =
        u"Unicode 文字のマッピングがターゲットのマルチバイト コード ページに存在しません"_qs;
    return {
        {"MissingOptionFile",
         {},
         u"ファイル %1/c/Option.txt は開けません。 No such file or directory "_qs},
        {"EmptyOptionFile",
         {{"Option.txt", ""}},
         u"リストのインデックスが範囲を超えています (0)"_qs},
        {"OneLineOptionFile",
         {{"Option.txt", "Title only\r\n"}},
         u"リストのインデックスが範囲を超えています (1)"_qs},
        {"MissingEnglish",
         {{"Option.txt", kOption}, {"LessonJ.txt", "j\n"}},
         u"ファイル %1/c/LessonE.txt は開けません。 No such file or directory "_qs},
        {"MissingJapanese",
         {{"Option.txt", kOption}, {"LessonE.txt", "e\n"}},
         u"ファイル %1/c/LessonJ.txt は開けません。 No such file or directory "_qs},
        {"MalformedOption", {{"Option.txt", "\xEF\xBB\xBF\xFF\n"}}, decodingError},
        {"MalformedEnglish",
         {{"Option.txt", kOption}, {"LessonE.txt", "\xEF\xBB\xBF\xC3"}, {"LessonJ.txt", "j\n"}},
         decodingError},
        {"MalformedJapanese",
         {{"Option.txt", kOption}, {"LessonE.txt", "e\n"}, {"LessonJ.txt", "\xEF\xBB\xBF\x80"}},
         decodingError},
        {"EmptyEnglish",
         {{"Option.txt", kOption}, {"LessonE.txt", ""}, {"LessonJ.txt", "j\n"}},
         u"英語のファイルに問題文が1行もありません (%1/c/LessonE.txt)"_qs},
        {"TwentyFiveWords",
         {{"Option.txt", kOption},
          {"LessonE.txt", ("ok\n" + sentenceOfWords(25) + "\n").toUtf8()},
          {"LessonJ.txt", "j\n"}},
         u"英語のファイルの 2 行目は 25 語あります。1文は24語までにしてください (%1/c/LessonE.txt)"_qs},
        {"EmptyWordsCount",
         {{"Option.txt", kOption},
          {"LessonE.txt", QByteArray(24, ' ') + "\n"},
          {"LessonJ.txt", "j\n"}},
         u"英語のファイルの 1 行目は 25 語あります。1文は24語までにしてください (%1/c/LessonE.txt)"_qs},
        // Reading errors come before content errors, whatever file holds the content.
        {"ReadingBeforeContent",
         {{"Option.txt", kOption}, {"LessonE.txt", ""}},
         u"ファイル %1/c/LessonJ.txt は開けません。 No such file or directory "_qs},
    };
}

class CourseFailureTest : public TempFolderTest, public ::testing::WithParamInterface<FailureCase>
{
};

TEST_P(CourseFailureTest, ThrowsExactMessage)
{
    makeFolder("c");
    for (const auto& [name, bytes] : GetParam().files)
        writeFile("c/" + name, bytes);
    EXPECT_EQ(loadError("./c/"), QString(GetParam().expected).replace("%1", workingDirectory()));
}

INSTANTIATE_TEST_SUITE_P(Rows, CourseFailureTest, ::testing::ValuesIn(failureCases()),
                         [](const auto& row) { return std::string(row.param.name); });

} // namespace
} // namespace lexamo
