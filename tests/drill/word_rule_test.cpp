#include "drill/word_rule.h"

#include <gtest/gtest.h>

namespace lexamo {
namespace {

struct WordRuleCase
{
    const char* name;
    QString sentence;
    QStringList words;
};

class WordRuleTest : public testing::TestWithParam<WordRuleCase>
{
};

TEST_P(WordRuleTest, CutsAtSingleSpacesOnly)
{
    const WordRuleCase& c = GetParam();
    const QStringList words = splitWords(c.sentence);
    EXPECT_EQ(words, c.words);
    // Joining with single spaces must rebuild the sentence exactly, whatever it holds.
    EXPECT_EQ(words.join(QChar(u' ')), c.sentence);
}

QStringList twentyFourWords()
{
    QStringList words;
    for (int i = 1; i <= 24; ++i)
        words << QStringLiteral("w%1").arg(i);
    return words;
}

INSTANTIATE_TEST_SUITE_P(
    Sentences, WordRuleTest,
    testing::Values(WordRuleCase{"plain", QStringLiteral("I am a boy."), {"I", "am", "a", "boy."}},
                    WordRuleCase{"duplicates",
                                 QStringLiteral("I think that that is right"),
                                 {"I", "think", "that", "that", "is", "right"}},
                    WordRuleCase{"double_space", QStringLiteral("a  b"), {"a", "", "b"}},
                    WordRuleCase{"leading_space", QStringLiteral(" go"), {"", "go"}},
                    WordRuleCase{"trailing_space", QStringLiteral("go "), {"go", ""}},
                    WordRuleCase{"empty_line", QString(), {""}},
                    WordRuleCase{"one_word", QStringLiteral("Hello!"), {"Hello!"}},
                    WordRuleCase{"tab_and_ideographic_space_stay_inside",
                                 QStringLiteral("a\tb c\u3000d e\u00a0f"),
                                 {QStringLiteral("a\tb"), QStringLiteral("c\u3000d"),
                                  QStringLiteral("e\u00a0f")}},
                    WordRuleCase{"twenty_four_words", twentyFourWords().join(u' '),
                                 twentyFourWords()}),
    [](const testing::TestParamInfo<WordRuleCase>& row) { return std::string(row.param.name); });

} // namespace
} // namespace lexamo
