#include "drill/shuffles.h"
#include "seeded_random.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <numeric>
#include <set>

namespace lexamo {
namespace {

std::vector<int> numbers(const StringList& order)
{
    std::vector<int> result;
    for (const QString& text : order.lines())
        result.push_back(text.toInt());
    return result;
}

TEST(QuestionOrder, FileOrderIsOneToCount)
{
    StringList order(QStringList{"stale"});
    fillQuestionOrder(order, 4);
    EXPECT_EQ(order.lines(), (QStringList{"1", "2", "3", "4"}));
}

TEST(QuestionOrder, DrawsOverAllPositionsAndSwaps)
{
    // Draws 2, 2, 0: position 0 swaps with 2, position 1 with 2, position 2 with 0.
    StringList order;
    fillQuestionOrder(order, 3);
    ScriptedRandom random({2, 2, 0});
    shuffleQuestionOrder(order, random);
    EXPECT_EQ(order.lines(), (QStringList{"2", "1", "3"}));
    EXPECT_EQ(random.bounds, (std::vector<int>{3, 3, 3}));
}

TEST(QuestionOrder, EveryPermutationAppearsAndEachIsComplete)
{
    MtRandomGenerator random(42);
    std::set<std::vector<int>> seen;
    for (int run = 0; run < 600; ++run) {
        StringList order;
        fillQuestionOrder(order, 3);
        shuffleQuestionOrder(order, random);
        auto drawn = numbers(order);
        auto sorted = drawn;
        std::sort(sorted.begin(), sorted.end());
        ASSERT_EQ(sorted, (std::vector<int>{1, 2, 3}));
        seen.insert(drawn);
    }
    EXPECT_EQ(seen.size(), 6u);
}

TEST(QuestionOrder, OneQuestionStaysOne)
{
    StringList order;
    fillQuestionOrder(order, 1);
    MtRandomGenerator random(7);
    shuffleQuestionOrder(order, random);
    EXPECT_EQ(order.lines(), QStringList{"1"});
}

TEST(WordSlots, DrawsFromOneToNAndSwaps)
{
    WordSlots part{};
    std::iota(part.begin(), part.end(), 0);
    // Draws 2, 0, 0 map to r = 3, 1, 1 for slots 1, 2, 3.
    ScriptedRandom random({2, 0, 0});
    shuffleWordSlots(part, 3, random);
    EXPECT_EQ(std::vector<int>(part.begin() + 1, part.begin() + 5), (std::vector<int>{1, 3, 2, 4}));
    EXPECT_EQ(random.bounds, (std::vector<int>{3, 3, 3}));
}

TEST(WordSlots, EveryPermutationAppearsAndSlotsPastNKeepTheirIndex)
{
    MtRandomGenerator random(3);
    std::set<std::vector<int>> seen;
    for (int run = 0; run < 2000; ++run) {
        WordSlots part{};
        std::iota(part.begin(), part.end(), 0);
        shuffleWordSlots(part, 4, random);
        std::vector<int> first(part.begin() + 1, part.begin() + 5);
        auto sorted = first;
        std::sort(sorted.begin(), sorted.end());
        ASSERT_EQ(sorted, (std::vector<int>{1, 2, 3, 4}));
        for (int i = 5; i <= WordButtonCount; ++i)
            ASSERT_EQ(part[static_cast<std::size_t>(i)], i);
        seen.insert(first);
    }
    EXPECT_EQ(seen.size(), 24u);
}

TEST(Random, DrawsStayInRangeAndCoverIt)
{
    MtRandomGenerator random(clockSeed());
    std::set<int> seen;
    for (int i = 0; i < 1000; ++i) {
        const int value = random.draw(8);
        ASSERT_GE(value, 0);
        ASSERT_LT(value, 8);
        seen.insert(value);
    }
    EXPECT_EQ(seen.size(), 8u);
}

} // namespace
} // namespace lexamo
