#include "courses/line_cutter.h"
#include "courses/line_file.h"

#include <QString>
#include <QStringList>

#include <gtest/gtest.h>
#include <string_view>

namespace lexamo {
namespace {

using namespace std::string_view_literals;

// Large files are decoded and cut in pieces: wherever the text is split, the lines must be those
// of the whole text.
class LineCutterSplitTest : public ::testing::TestWithParam<std::u16string_view>
{
};

TEST_P(LineCutterSplitTest, EverySplitGivesTheSameLines)
{
    const QString text = QStringView(GetParam()).toString();
    const QStringList whole = cutLines(text);
    for (qsizetype first = 0; first <= text.size(); ++first) {
        for (qsizetype second = first; second <= text.size(); ++second) {
            LineCutter cutter;
            cutter.feed(QStringView(text).first(first), false);
            cutter.feed(QStringView(text).sliced(first, second - first), false);
            cutter.feed(QStringView(text).sliced(second), true);
            EXPECT_EQ(cutter.takeLines(), whole) << "split at " << first << " and " << second;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Texts, LineCutterSplitTest,
                         ::testing::Values(u"ab\r\ncd\r\n"sv, u"ab\n\rcd"sv, u"a\r\r\nb\r"sv,
                                           u"a\rb\nc"sv, u"ab\0cd\nef"sv, u"\r\n\r\n"sv, u"abc"sv));

TEST(LineCutterTest, NulAtStartOfLaterPieceEndsText)
{
    LineCutter cutter;
    cutter.feed(u"one\n", false);
    cutter.feed(QStringView(u"\0two\n", 5), false);
    cutter.feed(u"three", true);
    EXPECT_EQ(cutter.takeLines(), QStringList{"one"});
}

TEST(LineCutterTest, LongLinesAcrossManyPiecesOfAFile)
{
    // Longer than one decoding piece, with a CR LF pair falling on a piece boundary.
    const QByteArray longLine(16 * 1024 - 1, 'x');
    const QByteArray bytes = "\xEF\xBB\xBF" + longLine + "\r\n" + QByteArray(70000, 'y') + "\nz";
    EXPECT_EQ(decodeLineFile(bytes),
              (QStringList{QString::fromLatin1(longLine), QString(70000, u'y'), "z"}));
}

} // namespace
} // namespace lexamo
