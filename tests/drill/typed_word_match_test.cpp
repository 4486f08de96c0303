// SPDX-License-Identifier: GPL-3.0-or-later
#include "drill/typed_word_match.h"

#include <gtest/gtest.h>

namespace lexamo {
namespace {

struct MatchCase
{
    const char* typed;
    QStringList words;
    int expected;
};

std::ostream& operator<<(std::ostream& out, const MatchCase& c)
{
    return out << '"' << c.typed << "\" among " << c.words.join(u'|').toStdString();
}

class TypedWordMatch : public ::testing::TestWithParam<MatchCase>
{
};

TEST_P(TypedWordMatch, NamesTheOneWordItFits)
{
    EXPECT_EQ(matchTypedWord(QString::fromUtf8(GetParam().typed), GetParam().words),
              GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, TypedWordMatch,
    ::testing::Values(MatchCase{"am", {"I", "am", "a"}, 1}, MatchCase{"AM", {"I", "am", "a"}, 1},
                      MatchCase{"a", {"am", "A", "a"}, 2},     // the same text before another case
                      MatchCase{"THAT", {"That", "that"}, -1}, // only case tells them apart
                      MatchCase{"that", {"that", "x", "that"}, 0}, // identical words: the first
                      MatchCase{"boy", {"I", "boy."}, 1},          // punctuation left out
                      MatchCase{"Hello", {"\"hello,\""}, 0},       // at both ends
                      MatchCase{"boy,", {"boy."}, 0},              // punctuation typed differently
                      MatchCase{"yes", {"Yes,", "yes."}, -1},      // fits two different words
                      MatchCase{"yes", {"yes.", "yes."}, 0},       // fits two identical words
                      MatchCase{"yes", {"Yes,", "yes"}, 1},        // a whole word before a bare one
                      MatchCase{"dont", {"don't"}, -1},            // inside a word it counts
                      MatchCase{"bo", {"boy."}, -1},               // part of a word names nothing
                      MatchCase{".", {".", "end."}, 0},
                      MatchCase{"?", {"end."}, -1}, // punctuation alone is no word
                      MatchCase{"x", {}, -1}, MatchCase{"ÉTÉ", {"été"}, 0},
                      MatchCase{"日本", {"「日本」"}, 0}));

} // namespace
} // namespace lexamo
