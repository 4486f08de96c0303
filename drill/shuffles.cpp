#include "shuffles.h"

#include <utility>

namespace lexamo {

void fillQuestionOrder(StringList& order, int count)
{
    order.Clear();
    for (int number = 1; number <= count; ++number)
        order.Add(QString::number(number));
}

void shuffleQuestionOrder(StringList& order, RandomGenerator& random)
{
    const auto count = static_cast<int>(order.Count());
    for (int i = 0; i < count; ++i) {
        const int r = random.draw(count);
        const QString drawn = order[r];
        order.Put(r, order[i]);
        order.Put(i, drawn);
    }
}

void shuffleWordSlots(WordSlots& part, int n, RandomGenerator& random)
{
    for (int i = 1; i <= n; ++i) {
        const int r = 1 + random.draw(n);
        std::swap(part[static_cast<std::size_t>(i)], part[static_cast<std::size_t>(r)]);
    }
}

} // namespace lexamo
