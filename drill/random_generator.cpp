#include "random_generator.h"

#include <chrono>

namespace lexamo {

int MtRandomGenerator::draw(int m)
{
    // uniform_int_distribution rejects out-of-range values, so every result is equally likely.
    std::uniform_int_distribution<int> distribution(0, m - 1);
    return distribution(m_engine);
}

std::uint32_t clockSeed()
{
    const auto ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(ticks));
}

} // namespace lexamo
