#include "courses/line_cutter.h"
#include "courses/line_file.h"

#include <QString>
#include <QStringList>

#include <gtest/gtest.h>
#include <string_view>

namespace lexamo {
namespace {

using namespace std::string_view_literals;

struct CutCase
{
    std::u16string_view text;
    QStringList lines;
};

void PrintTo(const CutCase& row, std::ostream* out)
{
    *out << QStringView(row.text).toString().toUtf8().toPercentEncoding().toStdString();
}

class LineSpansTest : public ::testing::TestWithParam<CutCase>
{
};

QStringList linesOf(QStringView text, const QList<StringList::Span>& spans)
{
    QStringList lines;
    qsizetype previousEnd = 0;
    for (const StringList::Span& span : spans) {
        EXPECT_GE(span.offset, previousEnd);
        EXPECT_LE(span.offset + span.length, text.size());
        if (span.offset < previousEnd || span.offset + span.length > text.size())
            break;
        previousEnd = span.offset + span.length;
        lines.append(text.sliced(span.offset, span.length).toString());
    }
    return lines;
}

TEST_P(LineSpansTest, SpansGiveTheLines)
{
    const QStringView text(GetParam().text);
    EXPECT_EQ(linesOf(text, lineSpans(text)), GetParam().lines);
    EXPECT_EQ(cutLines(text), GetParam().lines);
}

// A file's text is scanned stretch by stretch while it is decoded: wherever the stretches end,
// the lines must be those of the whole text.
TEST_P(LineSpansTest, EverySplitGivesTheSameLines)
{
    const QStringView text(GetParam().text);
    const char16_t* const units = text.utf16();
    for (qsizetype first = 0; first <= text.size(); ++first) {
        for (qsizetype second = first; second <= text.size(); ++second) {
            LineScanner scanner;
            scanner.scan(units, first, false);
            scanner.scan(units, second, false);
            scanner.scan(units, text.size(), true);
            EXPECT_EQ(linesOf(text, scanner.takeSpans()), GetParam().lines)
                << "split at " << first << " and " << second;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, LineSpansTest,
    ::testing::Values(
        CutCase{u"ab\r\ncd\r\n"sv, {"ab", "cd"}}, CutCase{u"ab\n\rcd"sv, {"ab", "", "cd"}},
        CutCase{u"a\r\r\nb\r"sv, {"a", "", "b"}}, CutCase{u"a\rb\nc"sv, {"a", "b", "c"}},
        CutCase{u"ab\0cd\nef"sv, {"ab"}}, CutCase{u"one\n\0two\n"sv, {"one"}},
        CutCase{u"\0two"sv, {}}, CutCase{u"\r\n\r\n"sv, {"", ""}}, CutCase{u"abc"sv, {"abc"}},
        CutCase{u""sv, {}}, CutCase{u"\r"sv, {""}}, CutCase{u" a\t\u3000\n"sv, {u" a\t\u3000"_qs}},
        // Longer than the eight units compared at once, breaks in every lane.
        CutCase{u"0123456789abcdef\r\n0123456\r89\n\nbcdefghijk\r\r"sv,
                {"0123456789abcdef", "0123456", "89", "", "bcdefghijk", ""}},
        CutCase{u"\t\x01\x0B\x0C\x0E\x1A\u2028\x85\u0D0A\u0A0D\u0100abc"sv,
                {u"\t\x01\x0B\x0C\x0E\x1A\u2028\x85\u0D0A\u0A0D\u0100abc"_qs}},
        CutCase{u"0123456789abcdefghij\0klmnopq\nrs"sv, {"0123456789abcdefghij"}}));

TEST(LineFileLongLinesTest, LongLinesOfALargeFile)
{
    const QByteArray longLine(16 * 1024 - 1, 'x');
    const QByteArray bytes = "\xEF\xBB\xBF" + longLine + "\r\n" + QByteArray(70000, 'y') + "\nz";
    const StringList lines = decodeLines(bytes);
    ASSERT_EQ(lines.Count(), 3);
    EXPECT_EQ(lines.view(0), QString::fromLatin1(longLine));
    EXPECT_EQ(lines.view(1), QString(70000, u'y'));
    EXPECT_EQ(lines.view(2), u"z");
}

} // namespace
} // namespace lexamo
