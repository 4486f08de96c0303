#include "courses/error.h"
#include "courses/line_file.h"
#include "courses/string_list.h"
#include "temp_folder_test.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>
#include <string_view>
#include <unistd.h>

namespace lexamo {
namespace {

using namespace std::string_view_literals;

const QString kDecodingError = QStringLiteral(
    "Unicode 文字のマッピングがターゲットのマルチバイト コード ページに存在しません");

QByteArray raw(std::string_view bytes)
{
    return QByteArray(bytes.data(), qsizetype(bytes.size()));
}

QByteArray utf16(QStringView text, bool littleEndian)
{
    QByteArray bytes = littleEndian ? raw("\xFF\xFE"sv) : raw("\xFE\xFF"sv);
    for (const QChar c : text) {
        const char high = char(c.unicode() >> 8);
        const char low = char(c.unicode() & 0xFF);
        bytes.append(littleEndian ? low : high).append(littleEndian ? high : low);
    }
    return bytes;
}

struct ReadCase
{
    const char* name;
    QByteArray bytes;
    QStringList lines;
};

void PrintTo(const ReadCase& row, std::ostream* out)
{
    *out << row.name;
}

const QString kJapanese = QStringLiteral("日本語です");

std::vector<ReadCase> readCases()
{
    return {
        // Line breaks.
        {"CrLf", raw("one\r\ntwo\r\n"sv), {"one", "two"}},
        {"Lf", raw("one\ntwo\n"sv), {"one", "two"}},
        {"Cr", raw("one\rtwo\r"sv), {"one", "two"}},
        {"MixedBreaks", raw("a\r\nb\nc\rd\n"sv), {"a", "b", "c", "d"}},
        {"LfCrMakesEmptyLine", raw("one\n\rtwo"sv), {"one", "", "two"}},
        {"CrCrAndLfLf", raw("a\r\rb\n\nc"sv), {"a", "", "b", "", "c"}},
        {"DoubleCrLfAtEnd", raw("one\r\n\r\n"sv), {"one", ""}},
        {"NoBreakAtEnd", raw("one\ntwo"sv), {"one", "two"}},
        {"OnlyBreak", raw("\n"sv), {""}},
        {"NulEndsText", raw("one\0two\nthree"sv), {"one"}},
        {"NulAfterBreak", raw("one\n\0two"sv), {"one"}},
        {"NulFirst", raw("\0one"sv), {}},
        {"BlanksKept", raw("  a b  \n\tc\t"sv), {"  a b  ", "\tc\t"}},
        {"FullWidthSpaceKept",
         raw("\xEF\xBB\xBF\xE3\x80\x80x\xE3\x80\x80"sv),
         {u"\u3000x\u3000"_qs}},
        {"EmptyFile", QByteArray(), {}},
        // Marks and encodings.
        {"Utf8MarkOnly", raw("\xEF\xBB\xBF"sv), {}},
        {"Utf16LeMarkOnly", raw("\xFF\xFE"sv), {}},
        {"Utf16BeMarkOnly", raw("\xFE\xFF"sv), {}},
        {"ShorterThanMarkUnassignedPair", raw("\xEF\xBB"sv), {u"\u30FB"_qs}},
        {"Utf8WithMark", raw("\xEF\xBB\xBF") + kJapanese.toUtf8() + "\r\nabc", {kJapanese, "abc"}},
        {"Utf8WithoutMarkAscii", raw("Hello, world.\r\n"sv), {"Hello, world."}},
        {"Utf8WithoutMarkMisread", raw("caf\xC3\xA9"sv), {u"caf\uFF83\uFF69"_qs}},
        {"Utf16Le", utf16(kJapanese + QStringLiteral("\r\nabc"), true), {kJapanese, "abc"}},
        {"Utf16Be", utf16(kJapanese + QStringLiteral("\nabc"), false), {kJapanese, "abc"}},
        {"Utf16LeOddByteIgnored", utf16(u"ab", true) + 'c', {"ab"}},
        {"Utf16FfFe0000IsLittleEndian", raw("\xFF\xFE\0\0a\0"sv), {}},
        {"Utf16LeNul", utf16(u"ab\0cd"_qs, true), {"ab"}},
        {"Cp932Japanese", raw("\x93\xFA\x96\x7B\x8C\xEA\x82\xC5\x82\xB7\r\n"sv), {kJapanese}},
        {"Cp932BackslashIsBackslash", raw("a\\b"sv), {"a\\b"}},
        {"Cp932UnassignedPair", raw("a\x85\x40z"sv), {u"a\u30FBz"_qs}},
        {"Cp932TruncatedLeadByte", raw("a\x82"sv), {u"a\u30FB"_qs}},
        {"Cp932ControlBytesKept", raw("\x1A\x1C\x7F"sv), {u"\u001A\u001C\u007F"_qs}},
        // The decoder works in 32 KiB stretches: control bytes right at a stretch's edge.
        {"Cp932ControlBytesAtStretchEdge",
         QByteArray(32767, 'a') + raw("\x1A\x1C\n"sv) + QByteArray(32766, 'b') + raw("\x7F"sv),
         {QString(32767, u'a') + u"\u001A\u001C"_qs, QString(32766, u'b') + u"\u007F"_qs}},
    };
}

class ReadLineFileTest : public test::TempFolderTest, public ::testing::WithParamInterface<ReadCase>
{
};

TEST_P(ReadLineFileTest, ReadsLines)
{
    writeFile(QStringLiteral("file.txt"), GetParam().bytes);
    EXPECT_EQ(readLineFile(QStringLiteral("file.txt")), GetParam().lines);
    EXPECT_EQ(decodeLineFile(GetParam().bytes), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(Rows, ReadLineFileTest, ::testing::ValuesIn(readCases()),
                         [](const auto& row) { return std::string(row.param.name); });

// The option file is read only as far as its first two lines need, in growing steps from 4 KiB.
std::vector<ReadCase> firstTwoLinesCases()
{
    return {
        {"FiveLines", raw("a\nb\nc\nd\ne\n"sv), {"a", "b"}},
        {"OneLine", raw("title"sv), {"title"}},
        {"Empty", QByteArray(), {}},
        {"LongTitleTakesSeveralReads",
         QByteArray(10000, 'T') + "\r\nstem\r\nmore",
         {QString(10000, u'T'), "stem"}},
        {"CrLfAcrossTheFirstRead",
         QByteArray(4095, 'T') + "\r\nstem\r\n",
         {QString(4095, u'T'), "stem"}},
        {"SecondLineUnfinishedAtTheFirstRead",
         QByteArray(4090, 'T') + "\nstem-is-long\n",
         {QString(4090, u'T'), "stem-is-long"}},
        {"Utf16AcrossTheFirstRead",
         utf16(QString(3000, u'題') + QStringLiteral("\r\nstem\r\nmore"), true),
         {QString(3000, u'題'), "stem"}},
        {"NulEndsTheText", raw("title\0\n"sv) + QByteArray(5000, 'x'), {"title"}},
        // Malformed UTF-8 after the two lines is never read, so it cannot refuse the file.
        {"MalformedBeyondTheTwoLines",
         raw("\xEF\xBB\xBFtitle\nstem\n"sv) + QByteArray(10000, 'x') + "\xFF",
         {"title", "stem"}},
    };
}

class ReadFirstTwoLinesTest : public test::TempFolderTest,
                              public ::testing::WithParamInterface<ReadCase>
{
};

TEST_P(ReadFirstTwoLinesTest, ReadsOnlyWhatTheTwoLinesNeed)
{
    writeFile(QStringLiteral("Option.txt"), GetParam().bytes);
    EXPECT_EQ(readFirstTwoLines(QStringLiteral("Option.txt")).lines(), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(Rows, ReadFirstTwoLinesTest, ::testing::ValuesIn(firstTwoLinesCases()),
                         [](const auto& row) { return std::string(row.param.name); });

struct RejectCase
{
    const char* name;
    QByteArray bytes;
};

void PrintTo(const RejectCase& row, std::ostream* out)
{
    *out << row.name;
}

class RejectLineFileTest : public test::TempFolderTest,
                           public ::testing::WithParamInterface<RejectCase>
{
};

TEST_P(RejectLineFileTest, ThrowsDecodingErrorAndKeepsList)
{
    writeFile(QStringLiteral("bad.txt"), GetParam().bytes);
    StringList list(QStringList{"kept", "lines"});
    try {
        LoadFromFile(list, QStringLiteral("bad.txt"));
        FAIL() << "no error";
    } catch (const Error& error) {
        EXPECT_EQ(error.message(), kDecodingError);
    }
    EXPECT_EQ(list.lines(), (QStringList{"kept", "lines"}));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RejectLineFileTest,
    ::testing::Values(RejectCase{"Utf16LeMarkPlusOneByte", raw("\xFF\xFE"
                                                               "a"sv)},
                      RejectCase{"Utf16BeMarkPlusOneByte", raw("\xFE\xFF\n"sv)},
                      RejectCase{"Utf8InvalidByte", raw("\xEF\xBB\xBF"
                                                        "ok\n\xFF"
                                                        "bad"sv)},
                      RejectCase{"Utf8TruncatedAtEnd", raw("\xEF\xBB\xBF"
                                                           "ok\xE6\x97"sv)},
                      RejectCase{"Utf8Overlong", raw("\xEF\xBB\xBF\xC0\xAF"sv)},
                      RejectCase{"Utf8Surrogate", raw("\xEF\xBB\xBF\xED\xA0\x80"sv)},
                      RejectCase{"Utf8MalformedAfterNul", raw("\xEF\xBB\xBF"
                                                              "a\0\x80"sv)}),
    [](const auto& row) { return std::string(row.param.name); });

using OpenLineFileTest = test::TempFolderTest;

QString openError(const QString& fullPath, const char* reason)
{
    return QStringLiteral("ファイル %1 は開けません。 %2 ")
        .arg(fullPath, QLatin1StringView(reason));
}

void expectLoadError(const QString& path, const QString& message)
{
    StringList list(QStringList{"kept"});
    try {
        LoadFromFile(list, path);
        FAIL() << "no error for " << path.toStdString();
    } catch (const Error& error) {
        EXPECT_EQ(error.message(), message);
    }
    EXPECT_EQ(list.lines(), QStringList{"kept"});
}

TEST_F(OpenLineFileTest, MissingFileNamesFullPath)
{
    makeFolder(QStringLiteral("sub"));
    expectLoadError(QStringLiteral("./sub/../ missing .txt"),
                    openError(workingDirectory() + QStringLiteral("/ missing .txt"),
                              "No such file or directory"));
}

TEST_F(OpenLineFileTest, FolderCannotBeOpened)
{
    makeFolder(QStringLiteral("folder.txt"));
    expectLoadError(
        QStringLiteral("folder.txt"),
        openError(workingDirectory() + QStringLiteral("/folder.txt"), "Is a directory"));
}

TEST_F(OpenLineFileTest, UnreadableFileCannotBeOpened)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root may read any file";
    writeFile(QStringLiteral("secret.txt"), "text");
    ASSERT_TRUE(QFile::setPermissions(QStringLiteral("secret.txt"), QFileDevice::WriteOwner));
    expectLoadError(
        QStringLiteral("secret.txt"),
        openError(workingDirectory() + QStringLiteral("/secret.txt"), "Permission denied"));
}

TEST_F(OpenLineFileTest, SuccessReplacesWholeList)
{
    writeFile(QStringLiteral("file.txt"), "new\n");
    StringList list(QStringList{"old", "older"});
    LoadFromFile(list, QStringLiteral("file.txt"));
    EXPECT_EQ(list.lines(), QStringList{"new"});
}

TEST(CutLinesTest, KeepsLineCountWhateverTheBreaks)
{
    EXPECT_EQ(cutLines(u"a\r\nb\nc\r"), (QStringList{"a", "b", "c"}));
    EXPECT_EQ(cutLines(u""), QStringList());
}

} // namespace
} // namespace lexamo
