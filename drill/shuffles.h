#pragma once

#include "courses/string_list.h"
#include "drill/random_generator.h"

#include <array>

namespace lexamo {

constexpr int WordButtonCount = 24;

/// Slot numbers 1..24 map to the word number shown on that button; index 0 is unused so that
/// the slots keep the numbers the learner sees on the buttons' names.
using WordSlots = std::array<int, WordButtonCount + 1>;

/// Fills the question order with 1..count as decimal text, in file order.
void fillQuestionOrder(StringList& order, int count);

/// Shuffles the question order in place: for each position one uniform draw over all positions,
/// then a swap (a draw equal to the position leaves the list unchanged).
void shuffleQuestionOrder(StringList& order, RandomGenerator& random);

/// Shuffles slots 1..n of part: for each slot one uniform draw from 1 to n, then a swap.
void shuffleWordSlots(WordSlots& part, int n, RandomGenerator& random);

} // namespace lexamo
