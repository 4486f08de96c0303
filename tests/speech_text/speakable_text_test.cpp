#include "../qt_printers.h"
#include "speech/text/speakable_text.h"

#include <gtest/gtest.h>

namespace lexamo {
namespace {

QString repeated(const QString& piece, int times)
{
    return piece.repeated(times);
}

struct Case
{
    const char* name;
    QString text;
    QString expected;
    bool shortened;
};

class SpeakableTextTest : public ::testing::TestWithParam<Case>
{
};

TEST_P(SpeakableTextTest, GivesTheBoundedText)
{
    const SpeakableText result = speakableText(GetParam().text);
    EXPECT_EQ(result.text, GetParam().expected);
    EXPECT_EQ(result.shortened, GetParam().shortened);
}

const QString kEmoji = QStringLiteral("😀");
const QString kLongWord = repeated(QStringLiteral("a"), 1000);

INSTANTIATE_TEST_SUITE_P(
    Texts, SpeakableTextTest,
    ::testing::Values(
        Case{"Sentence", QStringLiteral("Could you open the window?"),
             QStringLiteral("Could you open the window?"), false},
        Case{"JapaneseStays", QStringLiteral("日本語の文です。"),
             QStringLiteral("日本語の文です。"), false},
        Case{"SpacesAndControls", QStringLiteral("  I\tam\u0001a \r\n boy.  "),
             QStringLiteral("I am a boy."), false},
        Case{"ShortPunctuationRunStays", QStringLiteral("Really?!? Yes..."),
             QStringLiteral("Really?!? Yes..."), false},
        Case{"DotsAfterAWord", QStringLiteral("Well") + repeated(QStringLiteral("."), 400),
             QStringLiteral("Well..."), true},
        Case{"MixedMarksAfterAWord",
             QStringLiteral("Hello") + repeated(QStringLiteral("!?,)\""), 1000),
             QStringLiteral("Hello!?,"), true},
        Case{"OnlyPunctuation", repeated(QStringLiteral("!"), 5000), QStringLiteral("!!!"), true},
        Case{"EmojiRun", repeated(kEmoji, 10), repeated(kEmoji, 3), true},
        Case{"LoneSurrogateIsNoCharacter",
             QStringLiteral("a") + QChar(0xD800) + QStringLiteral("b"), QStringLiteral("a b"),
             false},
        Case{"LongWordIsCut", kLongWord, repeated(QStringLiteral("a"), 48), true},
        Case{"InitialsStay", QStringLiteral("The U.S.A. and the U.K., e.g. London."),
             QStringLiteral("The U.S.A. and the U.K., e.g. London."), false},
        Case{"LongChainOfInitialsEndsTheText", repeated(QStringLiteral("b.b. "), 10),
             repeated(QStringLiteral("b.b. "), 6).trimmed(), true},
        Case{"TextAtTheLimitStays", repeated(QStringLiteral("abc "), 80).trimmed(),
             repeated(QStringLiteral("abc "), 80).trimmed(), false},
        Case{"LongTextEndsAtAWordBoundary",
             repeated(QStringLiteral("abc "), 81) + QStringLiteral("d"),
             repeated(QStringLiteral("abc "), 80).trimmed(), true},
        Case{"CutInsideAWordDropsTheWord",
             repeated(QStringLiteral("abc "), 79) + QStringLiteral("abcdefgh"),
             repeated(QStringLiteral("abc "), 79).trimmed(), true},
        Case{"DigitsWeighMore", repeated(QStringLiteral("1234 "), 20),
             repeated(QStringLiteral("1234 "), 9).trimmed(), true},
        Case{"Empty", QString(), QString(), false}),
    [](const auto& p) { return std::string(p.param.name); });

// 32 MB of text costs no more than its first characters: the rest is never looked at.
TEST(SpeakableTextLimits, HugeTextsAreBounded)
{
    const QString huge = repeated(QStringLiteral("word "), 32 * 1024 * 1024 / 5);
    const SpeakableText words = speakableText(huge);
    EXPECT_TRUE(words.shortened);
    EXPECT_LE(words.text.size(), SpeakableLimits::Text);
    EXPECT_TRUE(words.text.endsWith(QStringLiteral("word")));

    const SpeakableText spaces = speakableText(QString(32 * 1024 * 1024, u' ') + kLongWord);
    EXPECT_EQ(spaces.text, repeated(QStringLiteral("a"), SpeakableLimits::Word));
}

} // namespace
} // namespace lexamo
