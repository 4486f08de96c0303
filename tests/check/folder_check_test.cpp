#include "../courses/temp_folder_test.h"
#include "folder_check.h"
#include "report.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>
#include <ostream>
#include <utility>
#include <vector>

namespace lexamo::check {
namespace {

const QByteArray kBom = "\xEF\xBB\xBF";

struct FolderCase
{
    const char* name;
    std::vector<std::pair<QString, QByteArray>> files; // a path ending in "/" is a folder
    QStringList expected; // "{cwd}" stands for the fixture folder's full path
    int exitCode;
};

// Test names carry the case; gtest need not dump the bytes.
void PrintTo(const FolderCase& value, std::ostream* stream)
{
    *stream << value.name;
}

// A clean course in the fixture folder itself, for cases about other folders.
const std::vector<std::pair<QString, QByteArray>> kRootCourse = {
    {"Option.txt", kBom + "Root\r\nRoot\r\n"},
    {"RootE.txt", "Hello.\r\n"},
    {"RootJ.txt", kBom + "こんにちは。\r\n"},
};

std::vector<std::pair<QString, QByteArray>>
withRoot(std::vector<std::pair<QString, QByteArray>> files)
{
    files.insert(files.begin(), kRootCourse.begin(), kRootCourse.end());
    return files;
}

QByteArray words(int count)
{
    QByteArray sentence = "w";
    for (int i = 1; i < count; ++i)
        sentence += " w";
    return sentence;
}

// Each problem alone in a small course, with the lines the teacher is shown.
const FolderCase kCases[] = {
    {"CleanCourse", kRootCourse, {}, 0},
    {"CleanAsciiWithoutMark",
     {{"Option.txt", "Plain\nPlain\n"}, {"PlainE.txt", "I am here.\n"}, {"PlainJ.txt", "x\n"}},
     {},
     0},
    {"Cp932WithoutMarkIsNotFlagged",
     {{"Option.txt", "Sjis\r\nSjis\r\n"},
      {"SjisE.txt", "Good morning.\r\n"},
      {"SjisJ.txt", "\x82\xA8\x82\xCD\x82\xE6\x82\xA4\r\n"}},
     {},
     0},
    {"OptionNotDecodable",
     {{"Option.txt", kBom + "Bad \xFF title\n"}},
     {"Option.txt: error: Lexamo cannot read it: Unicode "
      "文字のマッピングがターゲットのマルチバイト "
      "コード ページに存在しません",
      "./: warning: folder is not listed: Lexamo cannot read its Option.txt"},
     1},
    {"OptionEmpty",
     {{"Option.txt", ""}},
     {"Option.txt: error: no course title: the file is empty",
      "./: warning: folder is not listed: its Option.txt gives no course title"},
     1},
    {"OptionWithoutStem",
     {{"Option.txt", "Title only\r\n"}},
     {"Option.txt: error: no file stem: line 2 is missing"},
     1},
    {"EmptyTitle",
     {{"Option.txt", "\nT\n"}, {"TE.txt", "Hi.\n"}, {"TJ.txt", "x\n"}},
     {"Option.txt:1: warning: the course title is empty"},
     0},
    {"EnglishMissing",
     {{"Option.txt", "T\nT\n"}, {"TJ.txt", "x\n"}},
     {"TE.txt: error: Lexamo cannot read it: ファイル {cwd}/TE.txt は開けません。 No such file or "
      "directory"},
     1},
    {"JapaneseIsAFolder",
     {{"Option.txt", "T\nT\n"}, {"TE.txt", "Hi.\n"}, {"TJ.txt/", ""}},
     {"TJ.txt: error: Lexamo cannot read it: ファイル {cwd}/TJ.txt は開けません。 Is a directory"},
     1},
    {"EnglishEmpty",
     {{"Option.txt", "T\nT\n"}, {"TE.txt", ""}, {"TJ.txt", "x\n"}},
     {"TE.txt: error: no sentences: the file is empty"},
     1},
    {"TooManyWords",
     {{"Option.txt", "T\nT\n"},
      {"TE.txt", words(24) + "\n" + words(25) + "\n"},
      {"TJ.txt", "a\nb\n"}},
     {"TE.txt:2: error: sentence has 25 words (at most 24)"},
     1},
    {"EmptyWords",
     {{"Option.txt", "T\nT\n"},
      {"TE.txt", " Lead.\nTrail. \nTwo  spaces.\n\n  Both \n"},
      {"TJ.txt", "1\n2\n3\n4\n5\n"}},
     {"TE.txt:1: warning: empty word from a space at the start of the sentence",
      "TE.txt:2: warning: empty word from a space at the end of the sentence",
      "TE.txt:3: warning: empty word from two spaces in a row",
      "TE.txt:4: warning: empty line: it becomes a question with one empty word",
      "TE.txt:5: warning: empty word from a space at the start of the sentence",
      "TE.txt:5: warning: empty word from two spaces in a row",
      "TE.txt:5: warning: empty word from a space at the end of the sentence"},
     0},
    {"TabAndFullWidthSpace",
     {{"Option.txt", "T\nT\n"},
      {"TE.txt", kBom + "Tab\there.\nWide\u3000space.\n"},
      {"TJ.txt", "1\n2\n"}},
     {"TE.txt:1: warning: tab inside the sentence: it stays part of a word",
      "TE.txt:2: warning: full-width space inside the sentence: it stays part of a word"},
     0},
    {"SpokenShortened",
     {{"Option.txt", "T\nT\n"},
      {"TE.txt", "Well" + QByteArray(400, '.') + "\nFine.\n"},
      {"TJ.txt", "1\n2\n"}},
     {"TE.txt:1: warning: the sentence is spoken shortened: a word, a run of punctuation, "
      "numbers or initials, or the sentence is too long to speak whole; the learner hears "
      "\"Well...\""},
     0},
    {"JapaneseShortByOne",
     {{"Option.txt", "T\nT\n"}, {"TE.txt", "A.\nB.\nC.\n"}, {"TJ.txt", "1\n2\n"}},
     {"TJ.txt: error: 2 lines, fewer than the 3 sentences of TE.txt: question 3 has no Japanese"},
     1},
    {"JapaneseShortByMore",
     {{"Option.txt", "T\nT\n"}, {"TE.txt", "A.\nB.\nC.\n"}, {"TJ.txt", "1\n"}},
     {"TJ.txt: error: 1 line, fewer than the 3 sentences of TE.txt: questions 2 to 3 have no "
      "Japanese"},
     1},
    {"JapaneseLonger",
     {{"Option.txt", "T\nT\n"}, {"TE.txt", "A.\n"}, {"TJ.txt", "1\n2\n"}},
     {"TJ.txt: warning: 2 lines, more than the 1 sentence of TE.txt: the extra lines are never "
      "shown"},
     0},
    {"Utf8WithoutMark",
     {{"Option.txt", "T\nT\n"}, {"TE.txt", "A.\n"}, {"TJ.txt", "こんにちは\n"}},
     {"TJ.txt: warning: UTF-8 without a byte-order mark: Lexamo reads it as CP932 (Shift_JIS) "
      "and misreads every non-ASCII character; save it as UTF-8 with BOM"},
     0},
    {"CourseInSubfolderWithStemFolder",
     withRoot({{"Lesson 1/Option.txt", "L\ndata\\L\n"},
               {"Lesson 1/data/LE.txt", "One two  three.\n"},
               {"Lesson 1/data/LJ.txt", "1\n"}}),
     {"Lesson 1/data/LE.txt:1: warning: empty word from two spaces in a row"},
     0},
    {"RootStemFolderIsPartOfTheCourse",
     {{"Option.txt", "T\r\ndata\\T\r\n"}, {"data/TE.txt", "A.\n"}, {"data/TJ.txt", "1\n"}},
     {},
     0},
    {"FoldersNotListed",
     withRoot({{"case/option.txt", "T\nT\n"},
               {"dir/Option.txt/", ""},
               {"deep/inner/Option.txt", "T\nT\n"},
               {"loose/AE.txt", "A.\n"},
               {"pictures/a.png", "png"},
               {"empty/", ""}}),
     {"case/: warning: folder is not listed: its option file must be named exactly Option.txt, "
      "not option.txt",
      "deep/inner/: warning: folder is not listed: a course must lie in the checked folder or one "
      "folder below it, not two",
      "dir/: warning: folder is not listed: its Option.txt is a folder",
      "loose/: warning: folder is not listed: it holds text files but no Option.txt"},
     0},
    {"NoCourseAtAll",
     {{"notes/readme.md", "x"}},
     {"./: error: no course found: no Option.txt here or in a folder just below"},
     1},
};

class FolderCheckTest : public test::TempFolderTest,
                        public ::testing::WithParamInterface<FolderCase>
{
};

TEST_P(FolderCheckTest, ReportsEachProblemOnItsOwnLine)
{
    const FolderCase& folderCase = GetParam();
    for (const auto& [path, bytes] : folderCase.files) {
        if (path.endsWith(u'/'))
            makeFolder(path);
        else
            writeFile(path, bytes);
    }
    QStringList expected = folderCase.expected;
    expected.replaceInStrings(QStringLiteral("{cwd}"), workingDirectory());

    const std::vector<CheckedFolder> checked = {{QStringLiteral("."), checkFolder(".")}};
    EXPECT_EQ(findingLines(checked.front()).join(u'\n').toStdString(),
              expected.join(u'\n').toStdString());
    EXPECT_EQ(exitCode(checked), folderCase.exitCode);
}

INSTANTIATE_TEST_SUITE_P(Problems, FolderCheckTest, ::testing::ValuesIn(kCases),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });

} // namespace
} // namespace lexamo::check
